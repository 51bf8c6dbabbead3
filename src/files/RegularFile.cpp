#include "files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {
// A replace's temporary file: ".SessionLog.txt.pendrel-save-" and six letters or digits. No
// user or other program picks such a name, so the clean-up can never take someone's file.
constexpr char TemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int TemporaryLetterCount = 6;
// Older than this, a temporary file was left by a replace that was killed before its rename.
constexpr time_t LeftoverAgeSeconds = 60;

QString TemporaryPrefix(const QFileInfo &file)
{
    return QLatin1Char('.') + file.fileName() + QStringLiteral(".pendrel-save-");
}

bool IsTemporaryLetter(QChar c)
{
    return c.unicode() < 0x80 && c.unicode() != 0 &&
           std::strchr(TemporaryLetters, char(c.unicode())) != nullptr;
}
} // namespace

QString Refusal(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? QString() : SystemReason(errno);
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("It is a folder, not a file.");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("It is a named pipe (FIFO), not a regular file.");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("It is a socket, not a regular file.");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("It is a device, not a regular file.");
    return QStringLiteral("It is not a regular file.");
}

QString Resolved(const QString &path)
{
    QString resolved = QFileInfo(path).absoluteFilePath();
    // A dangling link has no canonical path, so follow the chain by hand, within reason.
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(resolved);
        if (!info.isSymLink())
            return resolved;
        const QString canonical = info.canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical;
        resolved = QDir::cleanPath(info.symLinkTarget());
    }
    return resolved;
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

int WriteAll(int fd, QByteArrayView bytes, qint64 &written)
{
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        written += n;
    }
    return 0;
}

QString Replace(const QString &path, QByteArrayView bytes)
{
    const QFileInfo target(Resolved(path));
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    struct stat old = {};
    const bool existed = ::stat(targetName.constData(), &old) == 0;

    QByteArray temporary;
    int fd = -1;
    for (int tries = 0; fd < 0; ++tries) {
        QString name = TemporaryPrefix(target);
        for (int i = 0; i < TemporaryLetterCount; ++i)
            name += QLatin1Char(TemporaryLetters[QRandomGenerator::global()->bounded(
                int(sizeof TemporaryLetters - 1))]);
        temporary = QFile::encodeName(target.absoluteDir().filePath(name));
        // 0666 less the umask, as any new file gets.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || tries == 100))
            return SystemReason(errno);
    }
    qint64 written = 0;
    int error = WriteAll(fd, bytes, written);
    // The replaced file keeps its permissions, as it does in an editor's save.
    if (error == 0 && existed && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (error == 0)
        error = Sync(fd, SyncKind::File);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return SystemReason(error);
    }
    SyncFolderOf(target.absoluteFilePath());
    return {};
}

void RemoveLeftovers(const QString &path)
{
    const QFileInfo target(Resolved(path));
    const QString prefix = TemporaryPrefix(target);
    const QDir folder = target.absoluteDir();
    const time_t now = std::time(nullptr);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.size() != prefix.size() + TemporaryLetterCount || !name.startsWith(prefix))
            continue;
        const QStringView letters = QStringView(name).mid(prefix.size());
        if (!std::all_of(letters.begin(), letters.end(), IsTemporaryLetter))
            continue;
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        struct stat info = {};
        if (::lstat(leftover.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::getuid() && now - info.st_mtime > LeftoverAgeSeconds)
            ::unlink(leftover.constData());
    }
}

void SyncFolderOf(const QString &path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)Sync(fd, SyncKind::Folder);
    ::close(fd);
}

namespace {
Syncer &syncer()
{
    static Syncer current;
    return current;
}
} // namespace

int Sync(int fd, SyncKind kind)
{
    if (syncer())
        return syncer()(fd, kind);
    const int done = kind == SyncKind::Data ? ::fdatasync(fd) : ::fsync(fd);
    return done == 0 ? 0 : errno;
}

void SetSyncer(Syncer sync)
{
    syncer() = std::move(sync);
}

} // namespace RegularFile
