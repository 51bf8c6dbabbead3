#include "clock/CountTexts.h"

namespace modStopWatch {

namespace {
// Two digits and a suffix, built without a formatter: this runs every 10 ms.
QString TwoDigits(qint64 value, char suffix = '\0')
{
    QString text(suffix ? 3 : 2, QChar('0'));
    text[0] = QChar('0' + int(value / 10 % 10));
    text[1] = QChar('0' + int(value % 10));
    if (suffix)
        text[2] = QChar(suffix);
    return text;
}
} // namespace

QString CountTexts::Joined() const
{
    const QString separator = QStringLiteral(", ");
    return years + separator + days + separator + hours + minutes + seconds + hundredths;
}

bool CountTexts::operator==(const CountTexts &other) const
{
    return years == other.years && days == other.days && hours == other.hours &&
           minutes == other.minutes && seconds == other.seconds && hundredths == other.hundredths;
}

CountTexts FormatCount(int years, int days, qint64 ms)
{
    ms = qMax<qint64>(ms, 0);
    const qint64 hours = ms / MsPerHour;
    ms %= MsPerHour;
    const qint64 minutes = ms / MsPerMinute;
    ms %= MsPerMinute;
    const qint64 seconds = ms / 1000;
    ms %= 1000;

    CountTexts texts;
    texts.years = YearsText(years);
    texts.days = DaysText(days);
    texts.hours = hours < 100 ? TwoDigits(hours, ':') : QString::number(hours) + QLatin1Char(':');
    texts.minutes = TwoDigits(minutes, ':');
    texts.seconds = TwoDigits(seconds, '.');
    texts.hundredths = TwoDigits(ms / 10);
    return texts;
}

QString YearsText(int years)
{
    return QString::number(years) + QLatin1String(" Years");
}

QString DaysText(int days)
{
    return QString::number(days) + QLatin1String(" Days");
}

} // namespace modStopWatch
