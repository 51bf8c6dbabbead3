#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

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

// 0 once every byte is written to `fd`, else the errno of the write that failed; `written`
// counts the bytes that did get out.
int WriteAll(int fd, QByteArrayView bytes, qint64 &written);

// Replaces the file that `path` names, once links are followed, with `bytes` in one step: they
// go to a temporary file beside it under a name that only Pendrel uses, which is synced and
// renamed over the file, and then the folder is synced. On failure the old file is whole and
// the temporary file gone. Empty on success, else the system's reason.
QString Replace(const QString &path, QByteArrayView bytes);

// Removes what replaces killed before their rename left beside `path`'s file: names of
// Replace's own pattern alone, and of those only regular files of this user too old to belong
// to a replace under way. Every other file is left alone.
void RemoveLeftovers(const QString &path);

// Syncs the folder that holds `path`, so that a new or renamed entry in it is on disk. A file
// system that can't sync folders is let be.
void SyncFolderOf(const QString &path);

// What a sync puts on stable storage: a file's data (an append), a whole file, or a folder's
// entries.
enum class SyncKind { Data, File, Folder };

// Syncs `fd` as `kind` says; 0, or the errno of the sync that failed. Every sync of Pendrel's
// goes through here.
int Sync(int fd, SyncKind kind);

// Stands in for the system's syncs, so that a test can see which happen, and when; empty puts
// the system's back.
using Syncer = std::function<int(int fd, SyncKind kind)>;
void SetSyncer(Syncer syncer);

} // namespace RegularFile
