#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// The count: one program-wide state, the tick arithmetic, the texts of the display and the
// day and year roll-over. No widget lives here; windows are reached by their labels' names.
namespace modStopWatch {

constexpr quint32 MsPerHour = 3'600'000;
constexpr quint32 MsPerDay = 24 * MsPerHour;
constexpr int DaysPerYear = 365;

struct CountState {
    qint32 lngStartTick = 0;   // tick at which the current day of counting began
    qint32 lngStopTick = 0;    // tick of the last Stop
    qint32 lngPausedTicks = 0; // ms spent stopped since lngStartTick
    bool blnFirstStart = true; // the next Start begins a new count
    qint16 intDays = 0;        // whole days in the current year, 0 to 364
    qint16 intYears = 0;
};

struct Preferences {
    bool blnPlaySounds = true;
    qint16 intWarningDays = 3;
    bool blnDisplayWarnings = true;
};

// The one copy of each, shared by every window.
CountState &Count();
Preferences &Prefs();

// Differences of tick readings are taken modulo 2^32, so the counter's wrap does no harm.
quint32 TicksBetween(qint32 from, qint32 to);

// The state operations behind Start (first or resume), Stop and Reset.
void StartCount();
void StopCount();
void ResetCount();

// Elapsed ms of the current day at the given reading; below a day unless a roll-over is due.
quint32 ElapsedMs(qint32 reading);
quint32 ElapsedMs();

struct TimeTexts {
    QString hours;      // "hh:"
    QString minutes;    // "mm:"
    QString seconds;    // "ss."
    QString hundredths; // "cc"
};

TimeTexts FormatTime(quint32 msBelowDay);
QString DaysText(int days);
QString YearsText(int years);

// Sets the time labels of `window` by name; rolls over every whole day that has passed.
void UpdateDisplay(quint32 elapsedMs, QWidget *window);

// Zero forms of all six count labels, as Reset shows them.
void ShowZero(QWidget *window);

// Sets the caption of the label called `name` on `window`; a missing label has no target.
void SetCaption(QWidget *window, const char *name, const QString &text);
QString Caption(const QWidget *window, const char *name);

// The window that shows days and years, whichever window's tick does the roll-over.
void SetMainWindow(QWidget *window);
QWidget *MainWindow();

} // namespace modStopWatch
