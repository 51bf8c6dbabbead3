#pragma once

#include <QString>
#include <QtGlobal>

namespace modStopWatch {

// When a day roll-over arms the warning: from `intWarningDays` days on, while warnings are on.
struct WarningRule {
    qint16 intWarningDays = 3;
    bool blnDisplayWarnings = true;

    bool Arms(int days) const { return blnDisplayWarnings && days >= intWarningDays; }
};

// "You have not had sex in <days> days!"
QString WarningText(int days);

// The blink goes on while the minutes of the count read 15 or less.
bool WarningBlinks(qint64 msOfDay);

} // namespace modStopWatch
