#pragma once

#include <QString>

// Pendrel reads and writes only regular files. A pipe, a device or a socket in a file's place
// would block a read or be replaced by a write, so it is refused before it is opened. Symbolic
// links are followed: the file behind them is the one that is read and written.
namespace RegularFile {

// Empty when `path` names a regular file, or nothing yet; otherwise why it is refused.
QString Refusal(const QString &path);

// The file that `path` names once every link is followed, existing or not.
QString Resolved(const QString &path);

// The system's text for an errno value, such as "No space left on device".
QString SystemReason(int error);

} // namespace RegularFile
