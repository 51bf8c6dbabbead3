#pragma once

#include <QString>

class QLockFile;

// The lock files beside the log and the settings file, which keep two copies of Pendrel from
// writing at once. Every wait on one ends.
namespace Locks {

// Takes `lock` within `waitMs`. False while another process holds it, or at once when something
// that is no lock file stands in its place. A lock that can't be made at all (a full disk) does
// not stop the write, which then fails or not for its own reason: true.
bool Take(QLockFile &lock, int waitMs);

// Why the lock at `lockPath` could not be taken, and what the user can do, for a message.
QString WhatHolds(const QString &lockPath);

} // namespace Locks
