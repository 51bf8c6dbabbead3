#pragma once

#include "clock/CountTexts.h"
#include "clock/TickSource.h"
#include "clock/Warning.h"

#include <QObject>
#include <QTimer>

namespace modStopWatch {

// The state of the count. Whole days and years are kept apart from the running milliseconds of
// the current day, which are worked out from tick readings.
struct CountState {
    qint64 lngStartTick = 0;   // tick at which the current day of counting began
    qint64 lngStopTick = 0;    // tick of the last Stop
    qint64 lngPausedTicks = 0; // ms spent stopped since lngStartTick
    bool blnFirstStart = true; // never started, or reset: the next Start begins a new count
    bool blnRunning = false;
    qint16 intDays = 0; // whole days in the current year, 0 to 364
    qint16 intYears = 0;
};

// The one count of the program: Start, Stop, Reset and the day and year roll-over. Reading it
// never changes it: windows that show it take its texts on their own display timers, and
// everyone else listens to its signals. A timer of its own performs each roll-over at its exact
// moment, so the count needs no window to be looking.
class StopWatch : public QObject
{
    Q_OBJECT

public:
    explicit StopWatch(TickSource ticks = GetTickCount, QObject *parent = nullptr);

    // The count as a later run takes it up: whole years and days, and the milliseconds of the
    // current day, which reach past a day when days have passed since.
    struct Kept {
        bool started = false; // false: never started, or reset
        bool running = false;
        qint16 years = 0, days = 0;
        qint64 ms = 0;
    };
    // The count at this instant, its days rolled over.
    Kept Keep() const;
    // Takes up a count kept by an earlier run; days past its current one roll over at once, as
    // after a suspend.
    void Restore(const Kept &kept);

    bool IsRunning() const { return m_state.blnRunning; }
    // Stopped with a count to show, which Reset can clear.
    bool CanReset() const { return !m_state.blnRunning && !m_state.blnFirstStart; }

    // Starts a new count, or resumes without counting the pause.
    void Start();
    // Freezes the count at this instant.
    void Stop();
    // Back to never started; only while stopped.
    void Reset();
    // Rolls over every whole day that has passed, with its signals, at once rather than at the
    // timer's next turn: for a window that shows again after a suspend.
    void CatchUp();

    // Milliseconds of the current day at this instant, or at the Stop.
    qint64 ElapsedMs() const;
    // The count at this instant, days that the timer has yet to roll over included.
    CountTexts Texts() const;

    void SetWarningRule(const WarningRule &rule) { m_rule = rule; }
    // The warning belongs to the main window: days that end while the compact window stands in
    // its place arm none.
    void SetWarningsHeld(bool held) { m_warningsHeld = held; }

    // How long the roll-over timer waits from now: until the next day at most a minute, so that
    // a suspend, which holds ordinary timers, delays a roll-over by a minute at the most.
    qint64 RollOverTimerMs() const;

signals:
    void runningChanged(bool running);
    void wasReset();
    // After one or more whole days were counted; once however many days a suspend made up.
    void dayRolledOver(int days, int years);
    void warningArmed(int days);

private:
    void tmrRollOver_Timer();
    // Milliseconds since the current day began, less the pauses: a day or more while a roll-over
    // is due.
    qint64 CountedMs() const;
    void ScheduleRollOver();

    TickSource m_ticks;
    CountState m_state;
    WarningRule m_rule;
    bool m_warningsHeld = false;
    QTimer *m_tmrRollOver;
};

} // namespace modStopWatch
