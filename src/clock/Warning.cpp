#include "clock/Warning.h"

namespace modStopWatch {

// No warning yet.
void ArmWarning(QWidget *) {}

} // namespace modStopWatch
