#include "ui/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace RegularFile {

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

} // namespace RegularFile
