#pragma once

#include "TestSupport.h"

#include <QTest>

#include <csignal>
#include <sys/resource.h>

struct LogWorld : TestWorld { // with a temporary per-user data folder too
    LogWorld() { qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8()); }
    QString logFile() const { return QDir(programFolder()).filePath("SessionLog.txt"); }
    void writeLog(const QByteArray &bytes) const
    {
        QFile file(logFile());
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
};

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
