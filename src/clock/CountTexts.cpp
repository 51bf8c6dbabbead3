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

// "1 Days" reads "1 day", "3 Days" "3 days".
QString Quantity(const QString &text, QLatin1String one, QLatin1String many)
{
    const QString number = text.section(QLatin1Char(' '), 0, 0);
    return number + QLatin1Char(' ') + (number == QLatin1String("1") ? one : many);
}

// "05:" and "09." without the mark that ends them.
QString Digits(const QString &text)
{
    if (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('.')))
        return text.chopped(1);
    return text;
}
} // namespace

QString CountTexts::Joined() const
{
    const QString separator = QStringLiteral(", ");
    return years + separator + days + separator + hours + minutes + seconds + hundredths;
}

QString CountTexts::Spoken() const
{
    const QString separator = QStringLiteral(", ");
    return Quantity(years, QLatin1String("year"), QLatin1String("years")) + separator +
           Quantity(days, QLatin1String("day"), QLatin1String("days")) + separator + Digits(hours) +
           QLatin1Char(':') + Digits(minutes) + QLatin1Char(':') + Digits(seconds);
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
