#pragma once

#include "TestSupport.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

struct LogWorld : TestWorld { // with a temporary per-user data folder too
    LogWorld() { qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8()); }
    QString logFile() const { return QDir(programFolder()).filePath("SessionLog.txt"); }
    void writeLog(const QByteArray &bytes, const QString &path = {}) const
    {
        QFile file(path.isEmpty() ? logFile() : path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray logBytes(const QString &path = {}) const
    {
        QFile file(path.isEmpty() ? logFile() : path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString blockProgramFolder() // below a regular file, even for root; gives the per-user log
    {
        ProgramFolder::SetPath(QCoreApplication::applicationFilePath() + "/program");
        return home.filePath("data/" + QCoreApplication::applicationName() + "/SessionLog.txt");
    }
    // The program folder's files but the log, sorted.
    QStringList besideLog() const
    {
        QStringList names = QDir(programFolder()).entryList(QDir::Files | QDir::System);
        names.removeAll("SessionLog.txt");
        return names;
    }
};

// A file-system object that is no regular file at `path`: "fifo", "socket" or, for root only,
// "device" (a null device node of the test's own). False when it could not be made.
inline bool MakeOddFile(const QString &kind, const QString &path)
{
    const mode_t type = kind == "fifo" ? S_IFIFO : kind == "socket" ? S_IFSOCK : S_IFCHR;
    if (type == S_IFCHR && getuid() != 0)
        return false;
    return mknod(QFile::encodeName(path).constData(), type | 0600, makedev(1, 3)) == 0;
}

inline QString FileKind(const QString &path) // what lstat sees
{
    struct stat info = {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return "missing";
    return S_ISLNK(info.st_mode) ? "link" : S_ISREG(info.st_mode) ? "file" : "odd";
}

struct FileSizeLimit { // files can't grow past `bytes` while it lives: a full disk even for root
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limited{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};
