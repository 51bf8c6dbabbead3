#pragma once

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// A test world whose per-user data folder is a temporary one too.
struct LogWorld : TestWorld {
    LogWorld() { qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8()); }

    QString logFile() const { return QDir(programFolder()).filePath("SessionLog.txt"); }
    QString fallbackLogFile() const
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .filePath("SessionLog.txt");
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeLog(const QByteArray &bytes) const { write(logFile(), bytes); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QByteArray logBytes() const { return read(logFile()); }

    // A program folder below a regular file: it can be neither made nor written, even by root.
    void makeProgramFolderUnwritable()
    {
        write(home.filePath("blocker"), "not a folder");
        ProgramFolder::SetPath(home.filePath("blocker/program"));
    }
};

// Files written by this process may not grow past `bytes` while it lives: a full disk that even
// root meets.
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};
