#pragma once

#include "clock/StopWatch.h"

#include <QObject>
#include <QString>

#include <functional>

// Keeps the count in the settings store's "Count" section while "Keep counting when Pendrel is
// closed" is on, so that the next run takes it up: stored in one write at every change of the
// count and at session end, and forgotten when the option goes off.
class CountKeeper : public QObject
{
    Q_OBJECT

public:
    // Within one boot the time between runs is measured on the boot clock, which no change of
    // the wall clock moves; across a reboot only the wall clock can measure it.
    struct Clocks {
        modStopWatch::TickSource boot = modStopWatch::GetTickCount;
        std::function<qint64()> wall; // ms since 1970 UTC
        std::function<QString()> bootId;
    };
    static Clocks SystemClocks();

    CountKeeper(modStopWatch::StopWatch &count, Clocks clocks, QObject *parent = nullptr);
    // Stores the count as the program closes, to the hundredth.
    ~CountKeeper() override;

    // Switches keeping on or off; off forgets what is kept. False when the store failed.
    bool SetEnabled(bool on);
    // Takes up the count that an earlier run kept, and keeps it from now on. Empty, or what was
    // wrong with it: the count then stays at zero, and what is stored is left for the user to
    // see until the count next changes.
    QString Restore();
    // Stores the count as it stands, while keeping is on. False when the store failed.
    bool Store();

private:
    modStopWatch::StopWatch &m_count;
    Clocks m_clocks;
    bool m_enabled = false;
    bool m_restoring = false;
};
