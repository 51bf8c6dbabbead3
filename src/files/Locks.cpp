#include "files/Locks.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace Locks {

bool Take(QLockFile &lock, int waitMs)
{
    // QLockFile's own wait sleeps 100 ms and longer between tries; a lock is held for
    // milliseconds.
    const QDeadlineTimer deadline(waitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError)
            return true;
        if (deadline.hasExpired() || QFileInfo(lock.fileName()).isDir())
            return false;
        QThread::msleep(1);
    }
    return true;
}

QString WhatHolds(const QString &lockPath)
{
    const QString shown = QDir::toNativeSeparators(lockPath);
    if (QFileInfo(lockPath).isDir()) {
        return QStringLiteral("A folder stands where Pendrel keeps its lock: %1. Remove it or "
                              "rename it, and try again.")
            .arg(shown);
    }
    qint64 pid = 0;
    QString host, program;
    if (QLockFile(lockPath).getLockInfo(&pid, &host, &program) && pid > 0) {
        return QStringLiteral("%1 (process %2) holds the lock %3. If it is a copy of Pendrel that "
                              "no longer responds, end it, and try again.")
            .arg(program.isEmpty() ? QStringLiteral("Another program") : program)
            .arg(pid)
            .arg(shown);
    }
    return QStringLiteral("The lock %1 could not be taken. Try again in a moment.").arg(shown);
}

} // namespace Locks
