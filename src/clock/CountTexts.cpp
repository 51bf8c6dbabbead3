#include "clock/CountTexts.h"

#include <QStringList>

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

QString Quantity(qint64 number, QLatin1String one, QLatin1String many)
{
    return QString::number(number) + QLatin1Char(' ') + (number == 1 ? one : many);
}
} // namespace

QString CountTexts::Joined() const
{
    const QString separator = QStringLiteral(", ");
    return years + separator + days + separator + hours + minutes + seconds + hundredths;
}

QString CountTexts::Spoken() const
{
    QStringList words;
    if (wholeYears > 0)
        words << Quantity(wholeYears, QLatin1String("year"), QLatin1String("years"));
    if (wholeYears > 0 || wholeDays > 0)
        words << Quantity(wholeDays, QLatin1String("day"), QLatin1String("days"));
    words << Quantity(msOfDay / MsPerHour, QLatin1String("hour"), QLatin1String("hours"))
          << Quantity(msOfDay % MsPerHour / MsPerMinute, QLatin1String("minute"),
                      QLatin1String("minutes"))
          << Quantity(msOfDay % MsPerMinute / 1000, QLatin1String("second"),
                      QLatin1String("seconds"));
    return words.join(QStringLiteral(", "));
}

bool CountTexts::operator==(const CountTexts &other) const
{
    return years == other.years && days == other.days && hours == other.hours &&
           minutes == other.minutes && seconds == other.seconds && hundredths == other.hundredths;
}

CountTexts FormatCount(int years, int days, qint64 ms)
{
    ms = qMax<qint64>(ms, 0);
    CountTexts texts;
    texts.wholeYears = years;
    texts.wholeDays = days;
    texts.msOfDay = ms;
    const qint64 hours = ms / MsPerHour;
    ms %= MsPerHour;
    const qint64 minutes = ms / MsPerMinute;
    ms %= MsPerMinute;
    const qint64 seconds = ms / 1000;
    ms %= 1000;

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
