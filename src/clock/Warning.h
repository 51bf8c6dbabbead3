#pragma once

class QWidget;

namespace modStopWatch {

// Arms the blinking warning after a roll-over on `window`, when its conditions hold.
void ArmWarning(QWidget *window);

} // namespace modStopWatch
