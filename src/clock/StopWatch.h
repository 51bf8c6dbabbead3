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

// The one count of the program: Start, Stop, Reset and the day and year roll-over. Windows
// that show it take its texts on their own display timers and call Update() first; everyone
// else listens to its signals. Between those, a timer of its own performs each roll-over at
// its exact moment, so the count needs no window to be looking.
class StopWatch : public QObject
{
    Q_OBJECT

public:
    // Whether a roll-over that an update brings about may arm the warning. The warning belongs
    // to the main window: a roll-over seen first by the compact window arms none.
    enum class Arming { Allowed, Withheld };

    explicit StopWatch(TickSource ticks = GetTickCount, QObject *parent = nullptr);

    bool IsRunning() const { return m_state.blnRunning; }
    // Stopped with a count to show, which Reset can clear.
    bool CanReset() const { return !m_state.blnRunning && !m_state.blnFirstStart; }

    // Starts a new count, or resumes without counting the pause.
    void Start();
    // Freezes the count at this instant.
    void Stop();
    // Back to never started; only while stopped.
    void Reset();
    // Brings a running count up to this instant, rolling over every whole day that has passed.
    void Update(Arming arming = Arming::Allowed);

    // Milliseconds of the current day at the last update, or at the Stop.
    qint64 ElapsedMs() const;
    CountTexts Texts() const;

    void SetWarningRule(const WarningRule &rule) { m_rule = rule; }

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
    void RollOver(qint64 elapsedMs, Arming arming);
    void ScheduleRollOver();

    TickSource m_ticks;
    CountState m_state;
    qint64 m_reading = 0; // the tick the count stands at
    WarningRule m_rule;
    QTimer *m_tmrRollOver;
};

} // namespace modStopWatch
