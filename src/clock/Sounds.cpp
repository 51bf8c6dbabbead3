#include "clock/Sounds.h"

namespace modStopWatch {

// Silent until the sound player exists.
void PlayDaySound() {}
void PlayResetSound() {}

} // namespace modStopWatch
