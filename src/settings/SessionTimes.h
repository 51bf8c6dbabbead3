#pragma once

#include <QString>

class QDateTime;

// The "Session" times that a snapshot line records: when the count was last started or
// resumed, and when the snapshot was taken. They are stored as before, but this run keeps its
// own copy for its lines: a store shared with another copy of Pendrel, or one that can't be
// written, never puts another run's times into this run's log.
class SessionTimes
{
public:
    // Start: the moment is "Start", and "Stop" is "0". False when the store could not keep them.
    bool OnStart(const QDateTime &now);
    // Snapshot: the moment is "Stop". False when the store could not keep it.
    bool OnSnapshot(const QDateTime &now);

    // This run's Start; before this run's first Start, whatever an earlier run left stored.
    QString Start() const;
    QString Stop() const { return m_strStop; }

private:
    bool m_blnStartedThisRun = false;
    QString m_strStart;
    QString m_strStop;
};
