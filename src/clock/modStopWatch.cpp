#include "clock/modStopWatch.h"

#include "clock/Sounds.h"
#include "clock/TickSource.h"
#include "clock/Warning.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace modStopWatch {

namespace {
QPointer<QWidget> &mainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

// Two digits and a suffix, built without a formatter: this runs every 10 ms.
QString TwoDigits(quint32 value, char suffix = '\0')
{
    QString text(suffix ? 3 : 2, QChar('0'));
    text[0] = QChar('0' + int(value / 10 % 10));
    text[1] = QChar('0' + int(value % 10));
    if (suffix)
        text[2] = QChar(suffix);
    return text;
}

// The names are made once: this runs every 10 ms.
void ShowTime(QWidget *window, const TimeTexts &texts)
{
    static const QString names[] = {QStringLiteral("lblHours"), QStringLiteral("lblMinutes"),
                                    QStringLiteral("lblSeconds"), QStringLiteral("lblSecHundreds")};
    const QString *values[] = {&texts.hours, &texts.minutes, &texts.seconds, &texts.hundredths};
    for (int i = 0; i < 4; ++i) {
        if (auto *label = window->findChild<QLabel *>(names[i]))
            label->setText(*values[i]);
    }
}

// Missed roll-overs (a suspend, say) are all made up at once: every whole day counts, and the
// part below a day stays the running time of the new day, so nothing drifts over a year.
void DayRollOver(quint32 elapsedMs, QWidget *window)
{
    CountState &count = Count();
    const quint32 days = elapsedMs / MsPerDay;
    const quint32 remainder = elapsedMs % MsPerDay;

    const int totalDays = count.intDays + int(days);
    count.intYears = qint16(count.intYears + totalDays / DaysPerYear);
    count.intDays = qint16(totalDays % DaysPerYear);

    // The new day starts exactly where the old one ended.
    count.lngStartTick = qint32(quint32(count.lngStartTick) + quint32(count.lngPausedTicks) +
                                quint32(quint64(days) * MsPerDay));
    count.lngPausedTicks = 0;

    QWidget *dayWindow = window->findChild<QLabel *>("lblDays") ? window : MainWindow();
    if (dayWindow) {
        SetCaption(dayWindow, "lblDays", DaysText(count.intDays));
        SetCaption(dayWindow, "lblYears", YearsText(count.intYears));
    }
    ShowTime(window, FormatTime(remainder));

    PlayDaySound();
    ArmWarning(window);
}
} // namespace

CountState &Count()
{
    static CountState state;
    return state;
}

Preferences &Prefs()
{
    static Preferences preferences;
    return preferences;
}

quint32 TicksBetween(qint32 from, qint32 to)
{
    return quint32(to) - quint32(from);
}

void StartCount()
{
    CountState &count = Count();
    const qint32 reading = GetTickCount();
    if (count.blnFirstStart) {
        count.blnFirstStart = false;
        count.lngStartTick = reading;
        count.lngPausedTicks = 0;
    } else {
        count.lngPausedTicks =
            qint32(quint32(count.lngPausedTicks) + TicksBetween(count.lngStopTick, reading));
    }
}

void StopCount()
{
    Count().lngStopTick = GetTickCount();
}

void ResetCount()
{
    CountState &count = Count();
    count.blnFirstStart = true;
    count.intDays = 0;
    count.intYears = 0;
}

quint32 ElapsedMs(qint32 reading)
{
    const CountState &count = Count();
    return TicksBetween(count.lngStartTick, reading) - quint32(count.lngPausedTicks);
}

quint32 ElapsedMs()
{
    return ElapsedMs(GetTickCount());
}

TimeTexts FormatTime(quint32 ms)
{
    const quint32 hours = ms / MsPerHour;
    ms %= MsPerHour;
    const quint32 minutes = ms / 60'000;
    ms %= 60'000;
    const quint32 seconds = ms / 1'000;
    ms %= 1'000;

    TimeTexts texts;
    texts.hours = hours < 100 ? TwoDigits(hours, ':') : QString::number(hours) + QLatin1Char(':');
    texts.minutes = TwoDigits(minutes, ':');
    texts.seconds = TwoDigits(seconds, '.');
    texts.hundredths = TwoDigits(ms / 10);
    return texts;
}

QString DaysText(int days)
{
    return QString::number(days) + QLatin1String(" Days");
}

QString YearsText(int years)
{
    return QString::number(years) + QLatin1String(" Years");
}

void UpdateDisplay(quint32 elapsedMs, QWidget *window)
{
    if (elapsedMs >= MsPerDay)
        DayRollOver(elapsedMs, window);
    else
        ShowTime(window, FormatTime(elapsedMs));
}

void ShowZero(QWidget *window)
{
    ShowTime(window, FormatTime(0));
    SetCaption(window, "lblDays", DaysText(0));
    SetCaption(window, "lblYears", YearsText(0));
}

void SetCaption(QWidget *window, const char *name, const QString &text)
{
    if (auto *label = window->findChild<QLabel *>(QLatin1String(name)))
        label->setText(text);
}

QString Caption(const QWidget *window, const char *name)
{
    const auto *label = window->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QString();
}

void SetMainWindow(QWidget *window)
{
    mainWindow() = window;
}

QWidget *MainWindow()
{
    return mainWindow();
}

} // namespace modStopWatch
