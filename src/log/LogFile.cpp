// The session log's file operations: read, append, rewrite and clear, each on the regular file
// that the log's path names once links are followed.
#include "log/SessionLog.h"

#include "files/Locks.h"
#include "files/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QLockFile>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace SessionLog {

namespace {
// How long an append waits for another copy's rewrite to end, and a rewrite for another's. An
// append that waited in vain still goes ahead: append mode keeps both copies' lines whole.
constexpr int AppendLockWait = 2000;
constexpr int RewriteLockWait = 5000;

Outcome Failure(const QString &path, const QString &reason)
{
    return Outcome{false, path, reason, false, {}};
}

// The per-user folder may not exist yet.
bool MakeFolderFor(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

// The log's path, the file behind its links, and why that file can't be used, if it can't.
struct Located {
    QString path, target, refusal;
};

Located Locate(bool makeFolder)
{
    const QString path = Path();
    if (makeFolder && !MakeFolderFor(path))
        return {path, path, QStringLiteral("The folder could not be created.")};
    const QString target = RegularFile::Resolved(path);
    return {path, target, RegularFile::Refusal(target)};
}

QString OutOfMemory()
{
    return QStringLiteral("There is not enough memory to read it.");
}

QString TooBig(qint64 size)
{
    return QStringLiteral("It is %1 MB; Pendrel opens session logs of up to %2 MB. It is left as "
                          "it is.")
        .arg(double(size) / (1024 * 1024), 0, 'f', 1)
        .arg(MaxReadBytes / (1024 * 1024));
}

// A descriptor on a regular file, closed when it goes. Opening never blocks, whatever may have
// taken the file's place since it was checked.
struct RegularFd {
    int fd = -1;
    int error = 0;
    struct stat info = {};
    QString reason;

    RegularFd(const QString &path, int flags)
    {
        fd = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = errno;
            reason = RegularFile::SystemReason(error);
        } else if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            reason = QStringLiteral("It is not a regular file.");
            close();
        }
    }
    ~RegularFd() { close(); }
    RegularFd(const RegularFd &) = delete;
    RegularFd &operator=(const RegularFd &) = delete;
    // False, with the reason, when closing reported a failed write.
    bool close()
    {
        const bool closed = fd < 0 || ::close(fd) == 0;
        if (!closed)
            reason = RegularFile::SystemReason(errno);
        fd = -1;
        return closed;
    }
};

int ReadAllBytes(int fd, qint64 sizeHint, QByteArray &bytes)
{
    bytes.reserve(sizeHint + 1);
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes.append(chunk, n);
    }
}

size_t Digest(QByteArrayView bytes)
{
    return qHashBits(bytes.data(), size_t(bytes.size()), 0);
}

// Copies what is left of `from` to `to`, leaving `from`'s offset where the copy ended: 0, or the
// errno that stopped it.
int CopyAll(int from, int to)
{
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(from, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
        qint64 written = 0;
        if (const int error = RegularFile::WriteAll(to, QByteArrayView(chunk, n), written))
            return error;
    }
}

// Makes a new file under the first free name of SessionLog.txt.bak, .bak.1, .bak.2 ... and has
// `write` fill it (0, or an errno). The copy and its name are synced before this returns, so
// the file it keeps may then be replaced or emptied.
Outcome KeepBackup(const QString &target, const std::function<int(int)> &write)
{
    for (int n = 0; n < 10000; ++n) {
        QString name = target + QStringLiteral(".bak");
        if (n > 0)
            name += QLatin1Char('.') + QString::number(n);
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo(name).exists() || QFileInfo(name).isSymLink())
                continue;
            return Failure(name, file.errorString());
        }
        int error = write(int(file.handle()));
        if (error == 0)
            error = RegularFile::Sync(int(file.handle()), RegularFile::SyncKind::File);
        if (error != 0) {
            file.remove();
            return Failure(name, RegularFile::SystemReason(error));
        }
        RegularFile::SyncFolderOf(name);
        Outcome kept;
        kept.backup = name;
        return kept;
    }
    return Failure(target + QStringLiteral(".bak"), QStringLiteral("Every backup name is taken."));
}

QString ChangedReason()
{
    return QStringLiteral("It was changed after it was read.");
}

// Another copy's snapshot that stopped waiting for the lock lands in the old file even while a
// save or a clear replaces it. What reached the old file past `old`'s offset follows the new
// file's lines; should that fail, it is kept in a backup.
void CarryOver(int old, const QString &target)
{
    QByteArray late;
    if (ReadAllBytes(old, 0, late) != 0 || late.isEmpty())
        return;
    RegularFd file(target, O_RDWR | O_APPEND);
    char last = '\n';
    if (file.fd >= 0 && file.info.st_size > 0)
        (void)::pread(file.fd, &last, 1, file.info.st_size - 1);
    if (last == '\n' && late.startsWith('\n')) // the line end that the old file lacked
        late.remove(0, 1);
    else if (last == '\n' && late.startsWith("\r\n"))
        late.remove(0, 2);
    qint64 written = 0;
    int error = file.fd < 0 ? EBADF : RegularFile::WriteAll(file.fd, late, written);
    if (error == 0)
        error = RegularFile::Sync(file.fd, RegularFile::SyncKind::Data);
    if (error == 0 && file.close())
        return;
    KeepBackup(target, [&](int fd) { return RegularFile::WriteAll(fd, late, written); });
}

// False when the file that `file` wrote to has since been replaced or emptied under `target`.
bool StillInPlace(const RegularFd &file, const QString &target)
{
    struct stat now = {}, named = {};
    const off_t end = ::lseek(file.fd, 0, SEEK_CUR);
    return ::fstat(file.fd, &now) == 0 && now.st_nlink > 0 && now.st_size >= end &&
           ::stat(QFile::encodeName(target).constData(), &named) == 0 &&
           named.st_dev == now.st_dev && named.st_ino == now.st_ino;
}

// Whether the log at `target` holds `row`, as written or as a save rewrote it.
bool Holds(const QString &target, const Row &row)
{
    RegularFd file(target, O_RDONLY);
    QByteArray bytes;
    if (file.fd < 0 || file.info.st_size > 2 * MaxReadBytes ||
        ReadAllBytes(file.fd, file.info.st_size, bytes) != 0)
        return false;
    const std::vector<Row> rows = ParseText(Decode(bytes));
    return std::find(rows.cbegin(), rows.cend(), row) != rows.cend();
}
} // namespace

ReadResult ReadAll()
{
    ReadResult result;
    const auto [path, target, refusal] = Locate(false);
    result.outcome.path = path;
    if (!refusal.isEmpty())
        return {Failure(path, refusal), {}, {}};
    RegularFile::RemoveLeftovers(target);
    // Opening the log leaves an empty file behind; one that can't be made has nothing to show.
    MakeFolderFor(target);
    // Another copy's line is read whole, not half written.
    QLockFile lock(target + QStringLiteral(".lock"));
    Locks::Take(lock, AppendLockWait);
    RegularFd file(target, O_RDONLY | O_CREAT);
    if (file.fd < 0) {
        result.loaded.read = !QFileInfo(target).exists();
        if (!result.loaded.read)
            result.outcome = Failure(path, file.reason);
        return result;
    }
    if (file.info.st_size > MaxReadBytes)
        return {Failure(path, TooBig(file.info.st_size)), {}, {}};
    try {
        QByteArray bytes;
        const int error = ReadAllBytes(file.fd, file.info.st_size, bytes);
        if (error != 0)
            return {Failure(path, RegularFile::SystemReason(error)), {}, {}};
        Loaded &loaded = result.loaded;
        loaded = {true,
                  quint64(file.info.st_dev),
                  quint64(file.info.st_ino),
                  bytes.size(),
                  Digest(bytes),
                  bytes.isEmpty() || bytes.endsWith('\n'),
                  false};
        result.rows = ParseText(Decode(bytes, &loaded.legacy));
    } catch (const std::bad_alloc &) {
        return {Failure(path, OutOfMemory()), {}, {}};
    }
    return result;
}

Outcome Append(const QString &line)
{
    const auto [path, target, refusal] = Locate(true);
    if (!refusal.isEmpty())
        return Failure(path, refusal);
    QLockFile lock(target + QStringLiteral(".lock"));
    bool locked = Locks::Take(lock, AppendLockWait);
    QString text;
    AppendLogLine(text, line);
    const QByteArray lineBytes = QStringEncoder(QStringConverter::System).encode(text);
    for (int attempt = 1;; ++attempt) {
        RegularFd file(target, O_RDWR | O_APPEND | O_CREAT);
        if (file.fd < 0)
            return Failure(path, file.reason);
        QByteArray bytes = lineBytes;
        char last = 0;
        // A last line without its line end must not swallow the new one; a CR there is half of
        // one. Only that byte is read.
        if (file.info.st_size > 0 && ::pread(file.fd, &last, 1, file.info.st_size - 1) == 1 &&
            last != '\n')
            bytes.prepend(last == '\r' ? "\n" : "\r\n");
        // One write in append mode: another copy's lines are never written over. A snapshot is
        // done once its line is on stable storage, not in the system's cache, which a power cut
        // loses.
        qint64 written = 0;
        int error = RegularFile::WriteAll(file.fd, bytes, written);
        if (error == 0)
            error = RegularFile::Sync(file.fd, RegularFile::SyncKind::Data);
        if (error != 0) {
            // No half line is left behind: this call's own bytes go, while they are still last.
            const off_t end = ::lseek(file.fd, 0, SEEK_CUR);
            struct stat now = {};
            if (written > 0 && ::fstat(file.fd, &now) == 0 && now.st_size == end)
                (void)::ftruncate(file.fd, end - written);
            return Failure(path, RegularFile::SystemReason(error));
        }
        // A save or clear that held the lock past the wait carries over the lines that reached
        // the file it replaced before it let the lock go; a line that came later is written again.
        const bool inPlace = StillInPlace(file, target);
        if (!file.close())
            return Failure(path, file.reason);
        if (inPlace || attempt == 3)
            return {true, path, {}, false, {}};
        if (!locked)
            locked = Locks::Take(lock, AppendLockWait);
        if (Holds(target, ToRow(ParseLine(QStringView(text).chopped(2)))))
            return {true, path, {}, false, {}};
    }
}

Outcome Rewrite(const std::vector<Row> &rows, const Loaded &loaded, bool overwrite)
{
    const auto [path, target, refusal] = Locate(true);
    if (!refusal.isEmpty())
        return Failure(path, refusal);
    // No append and no other rewrite falls between the reading below and the rename.
    QLockFile lock(target + QStringLiteral(".lock"));
    if (!Locks::Take(lock, RewriteLockWait))
        return Failure(path, Locks::WhatHolds(lock.fileName()));
    RegularFile::RemoveLeftovers(target);
    try {
        QByteArray now;
        bool sameFile = false;
        std::optional<RegularFd> old;
        if (QFileInfo(target).exists()) {
            const RegularFd &file = old.emplace(target, O_RDONLY);
            if (file.fd < 0)
                return Failure(path, file.reason);
            if (file.info.st_size > 2 * MaxReadBytes)
                return Failure(path, TooBig(file.info.st_size));
            const int error = ReadAllBytes(file.fd, file.info.st_size, now);
            if (error != 0)
                return Failure(path, RegularFile::SystemReason(error));
            sameFile = quint64(file.info.st_dev) == loaded.device &&
                       quint64(file.info.st_ino) == loaded.inode;
        }
        // Lines appended since the read follow what was read, which is itself unchanged.
        const bool onlyAppended =
            loaded.read &&
            (loaded.size == 0 || (sameFile && now.size() >= loaded.size &&
                                  Digest(QByteArrayView(now).first(loaded.size)) == loaded.digest));
        if (!onlyAppended && !overwrite) {
            Outcome changed = Failure(path, ChangedReason());
            changed.changed = true;
            return changed;
        }
        QByteArray tail = onlyAppended ? now.mid(loaded.size) : QByteArray();
        if (!loaded.endsWithLineEnd && tail.startsWith("\r\n"))
            tail.remove(0, 2);
        else if (!loaded.endsWithLineEnd && tail.startsWith('\n'))
            tail.remove(0, 1);

        Outcome done{true, path, {}, false, {}};
        if (!now.isEmpty() && (loaded.legacy || !onlyAppended)) {
            // Bytes that the rewrite changes (an old encoding) or drops are kept for good.
            const Outcome kept = KeepBackup(target, [&](int fd) {
                qint64 written = 0;
                return RegularFile::WriteAll(fd, now, written);
            });
            if (!kept.ok)
                return kept;
            done.backup = kept.backup;
        }
        const QString failed = RegularFile::Replace(target, Encode(rows) + tail);
        if (!failed.isEmpty())
            return Failure(path, failed);
        if (old)
            CarryOver(old->fd, target);
        return done;
    } catch (const std::bad_alloc &) {
        return Failure(path, OutOfMemory());
    }
}

Outcome Clear()
{
    const auto [path, target, refusal] = Locate(false);
    if (!refusal.isEmpty())
        return Failure(path, refusal);
    MakeFolderFor(target);
    QLockFile lock(target + QStringLiteral(".lock"));
    if (!Locks::Take(lock, RewriteLockWait))
        return Failure(path, Locks::WhatHolds(lock.fileName()));
    // The file behind a link is emptied, so the link keeps pointing at the log.
    RegularFd file(target, O_RDWR | O_CREAT);
    // A read-only log in a folder that can be written is deleted, as it always was.
    const bool remove = file.fd < 0 && (file.error == EACCES || file.error == EPERM) &&
                        QFileInfo(path).isFile() && !QFileInfo(path).isSymLink();
    std::optional<RegularFd> readOnly;
    if (remove)
        readOnly.emplace(target, O_RDONLY);
    const RegularFd &log = remove ? *readOnly : file;
    if (log.fd < 0)
        return Failure(path, log.reason);

    // What is cleared can be had back: it is kept first, and a log that can't be kept stays.
    Outcome done{true, path, {}, false, {}};
    if (log.info.st_size > 0) {
        const Outcome kept = KeepBackup(target, [&](int fd) { return CopyAll(log.fd, fd); });
        if (!kept.ok) {
            return Failure(path, QStringLiteral("Its lines could not first be kept in %1: %2")
                                     .arg(QDir::toNativeSeparators(kept.path), kept.reason));
        }
        done.backup = kept.backup;
    }
    if (remove)
        return QFile::remove(path) ? done : Failure(path, file.reason);
    // Replaced by an empty file, so that a line another copy appends meanwhile is carried over;
    // emptied in place where the folder takes no new file.
    if (RegularFile::Replace(target, {}).isEmpty()) {
        CarryOver(file.fd, target);
        return done;
    }
    if (::ftruncate(file.fd, 0) != 0)
        return Failure(path, RegularFile::SystemReason(errno));
    if (!file.close())
        return Failure(path, file.reason);
    return done;
}

} // namespace SessionLog
