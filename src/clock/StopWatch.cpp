#include "clock/StopWatch.h"

namespace modStopWatch {

namespace {
constexpr qint64 LongestRollOverWait = MsPerMinute;
} // namespace

StopWatch::StopWatch(TickSource ticks, QObject *parent)
    : QObject(parent)
    , m_ticks(std::move(ticks))
    , m_tmrRollOver(new QTimer(this))
{
    m_tmrRollOver->setObjectName(QStringLiteral("tmrRollOver"));
    m_tmrRollOver->setSingleShot(true);
    m_tmrRollOver->setTimerType(Qt::PreciseTimer);
    connect(m_tmrRollOver, &QTimer::timeout, this, &StopWatch::tmrRollOver_Timer);
}

void StopWatch::Start()
{
    if (m_state.blnRunning)
        return;
    const qint64 reading = m_ticks();
    if (m_state.blnFirstStart) {
        m_state.blnFirstStart = false;
        m_state.lngStartTick = reading;
        m_state.lngPausedTicks = 0;
    } else {
        m_state.lngPausedTicks += qMax<qint64>(0, reading - m_state.lngStopTick);
    }
    m_state.blnRunning = true;
    ScheduleRollOver();
    emit runningChanged(true);
}

void StopWatch::Stop()
{
    if (!m_state.blnRunning)
        return;
    // A day that ended before this instant is counted first, so the frozen time is below a day.
    CatchUp();
    m_state.lngStopTick = m_ticks();
    m_state.blnRunning = false;
    m_tmrRollOver->stop();
    emit runningChanged(false);
}

void StopWatch::Reset()
{
    if (m_state.blnRunning)
        return;
    // The ticks stay as they are: the next Start overwrites them.
    m_state.blnFirstStart = true;
    m_state.intDays = 0;
    m_state.intYears = 0;
    emit wasReset();
}

StopWatch::Kept StopWatch::Keep() const
{
    // One reading for days and time alike: two could fall either side of midnight.
    const qint64 counted = CountedMs();
    const qint64 totalDays = m_state.intDays + counted / MsPerDay;
    return {!m_state.blnFirstStart, m_state.blnRunning,
            qint16(m_state.intYears + totalDays / DaysPerYear), qint16(totalDays % DaysPerYear),
            counted % MsPerDay};
}

void StopWatch::Restore(const Kept &kept)
{
    if (!kept.started || m_state.blnRunning)
        return;
    const qint64 now = m_ticks();
    m_state.blnFirstStart = false;
    m_state.intYears = kept.years;
    m_state.intDays = kept.days;
    m_state.lngStartTick = now - kept.ms;
    m_state.lngPausedTicks = 0;
    m_state.lngStopTick = now;
    m_state.blnRunning = kept.running;
    ScheduleRollOver();
    emit runningChanged(kept.running);
    CatchUp();
}

qint64 StopWatch::CountedMs() const
{
    if (m_state.blnFirstStart)
        return 0;
    const qint64 reading = m_state.blnRunning ? m_ticks() : m_state.lngStopTick;
    return reading - m_state.lngStartTick - m_state.lngPausedTicks;
}

qint64 StopWatch::ElapsedMs() const
{
    return Keep().ms;
}

CountTexts StopWatch::Texts() const
{
    const Kept now = Keep();
    return FormatCount(now.years, now.days, now.ms);
}

qint64 StopWatch::RollOverTimerMs() const
{
    return qBound<qint64>(0, MsPerDay - CountedMs(), LongestRollOverWait);
}

void StopWatch::tmrRollOver_Timer()
{
    CatchUp();
    ScheduleRollOver();
}

// Every whole day that has passed is counted at once (after a suspend, say), and the part below
// a day stays the running time of the new day, so the count never drifts.
void StopWatch::CatchUp()
{
    const qint64 days = m_state.blnRunning ? CountedMs() / MsPerDay : 0;
    if (days == 0)
        return;
    const qint64 totalDays = m_state.intDays + days;
    m_state.intYears = qint16(m_state.intYears + totalDays / DaysPerYear);
    m_state.intDays = qint16(totalDays % DaysPerYear);
    // The new day starts exactly where the old one ended.
    m_state.lngStartTick += m_state.lngPausedTicks + days * MsPerDay;
    m_state.lngPausedTicks = 0;
    ScheduleRollOver();

    emit dayRolledOver(m_state.intDays, m_state.intYears);
    if (!m_warningsHeld && m_rule.Arms(m_state.intDays))
        emit warningArmed(m_state.intDays);
}

void StopWatch::ScheduleRollOver()
{
    if (m_state.blnRunning)
        m_tmrRollOver->start(int(RollOverTimerMs()));
}

} // namespace modStopWatch
