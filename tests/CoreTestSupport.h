#pragma once

#include "clock/TickSource.h"
#include "files/ProgramFolder.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Lengths of time written out here, not taken from the count: a wrong one there must show.
constexpr qint64 Minute = 60'000, Hour = 60 * Minute, Day = 24 * Hour;

struct FakeClock { // a tick counter moved by hand, so a year of counting runs in milliseconds
    qint64 now = 1000;

    void advance(qint64 ms) { now += ms; }
    modStopWatch::TickSource source()
    {
        return [this] { return now; };
    }
};

struct EnvironmentVariable { // set while it lives, then put back as it was
    const char *name;
    const bool had = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
    EnvironmentVariable(const char *variable, const QString &value)
        : name(variable)
    {
        qputenv(name, value.toUtf8());
    }
    ~EnvironmentVariable()
    {
        qputenv(name, old);
        if (!had)
            qunsetenv(name);
    }
};

// A settings store, a program folder and per-user folders of the test's own, put back as it goes.
struct TestHome {
    QTemporaryDir home;
    struct SettingsPathReset { // after XDG_CONFIG_HOME is back: members go in reverse order
        ~SettingsPathReset()
        {
            const auto config =
                QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        }
    } settingsPathReset;
    EnvironmentVariable dataHome{"XDG_DATA_HOME", home.filePath("data")};
    EnvironmentVariable configHome{"XDG_CONFIG_HOME", home.filePath("config")};

    TestHome()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("config"));
        ProgramFolder::SetPath(programFolder());
        QDir().mkpath(programFolder());
    }
    ~TestHome() { ProgramFolder::SetPath({}); }

    QString programFolder() const { return home.filePath("program"); }
    QString settingsFile() const { return home.filePath("config/Pendrel/Pendrel.ini"); }
    QString logFile() const { return QDir(programFolder()).filePath("SessionLog.txt"); }
    void writeLog(const QByteArray &bytes, const QString &path = {}) const // or another file
    {
        QFile file(path.isEmpty() ? logFile() : path);
        QDir().mkpath(QFileInfo(file).path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QByteArray logBytes(const QString &path = {}) const
    {
        QFile file(path.isEmpty() ? logFile() : path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void blockSettingsStore() const // a file in the place of the store's folder
    {
        QVERIFY(QFile(home.filePath("f")).open(QIODevice::WriteOnly));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("f/c"));
    }
};

inline bool MakePipe(const QString &path) // no regular file: blocks whoever opens it
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

inline QString FileKind(const QString &path) // what lstat sees: "missing", "link", "file", "odd"
{
    struct stat info = {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return "missing";
    return S_ISLNK(info.st_mode) ? "link" : S_ISREG(info.st_mode) ? "file" : "odd";
}

struct FileSizeLimit { // files can't grow past `bytes` while it lives: a full disk even for root
    rlimit old{};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limited{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};
