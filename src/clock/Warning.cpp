#include "clock/Warning.h"

#include "clock/CountTexts.h"

namespace modStopWatch {

namespace {
constexpr qint64 LastBlinkMinute = 15;
} // namespace

QString WarningText(int days)
{
    return QStringLiteral("You have not had sex in ") + QString::number(days) +
           QStringLiteral(" days!");
}

bool WarningBlinks(qint64 msOfDay)
{
    return msOfDay / MsPerMinute % 60 <= LastBlinkMinute;
}

} // namespace modStopWatch
