#pragma once

#include "clock/TickSource.h"
#include "ui/ProgramFolder.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

// A tick counter that tests move by hand, so a year of counting runs in milliseconds.
struct FakeClock {
    qint64 now = 1000;

    void advance(qint64 ms) { now += ms; }
    modStopWatch::TickSource source()
    {
        return [this] { return now; };
    }
};

// A settings store and a program folder of the test's own, fresh per test function.
struct TestHome {
    QTemporaryDir home;

    TestHome()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("config"));
        ProgramFolder::SetPath(programFolder());
        QDir().mkpath(programFolder());
    }

    QString programFolder() const { return home.filePath("program"); }
    QString settingsFile() const { return home.filePath("config/Pendrel/Pendrel.ini"); }
};
