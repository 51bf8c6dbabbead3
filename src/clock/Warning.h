#pragma once

#include <QString>

class QWidget;

namespace modStopWatch {

// "You have not had sex in <days> days!"
QString WarningText(int days);

// After a roll-over on `window`: when it is the main window, the day count has reached the
// warning days and warnings are on, sets the warning text and starts the warning timer.
void ArmWarning(QWidget *window);

// One tick of the warning timer: while the minutes of the new day read 15 or less the warning
// and the count take turns; from minute 16 the timer stops and the count shows again.
void WarningBlinkTick(QWidget *window);

} // namespace modStopWatch
