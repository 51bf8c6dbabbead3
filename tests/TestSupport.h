#pragma once

#include "clock/Sounds.h"
#include "clock/TickSource.h"
#include "clock/modStopWatch.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBox.h"
#include "ui/ProgramFolder.h"
#include "ui/UrlOpener.h"

#include <QSettings>
#include <QTemporaryDir>

// A tick counter that tests move by hand; TestWorld swaps every seam, fresh per test function.
struct FakeClock {
    qint32 now = 1000;

    void install()
    {
        modStopWatch::SetTickSource([&] { return now; });
    }
    void advance(qint64 ms) { now = qint32(quint32(now) + quint32(quint64(ms))); }
};

struct TestWorld {
    QTemporaryDir home;
    FakeClock clock;
    QStringList openedUrls, playedSounds;

    TestWorld()
    {
        RegisterFontSubstitutions();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("config"));
        ProgramFolder::SetPath(programFolder());
        QDir().mkpath(programFolder());
        clock.install();
        modStopWatch::SetSoundPlayer([this](const QString &path, bool) { playedSounds << path; });
        MessageBox::setTestMode(true);
        UrlOpener::SetOpener([this](const QString &address) { openedUrls << address; });
        modStopWatch::Count() = modStopWatch::CountState{};
        modStopWatch::Prefs() = modStopWatch::Preferences{};
    }

    ~TestWorld()
    {
        modStopWatch::SetTickSource({});
        modStopWatch::SetSoundPlayer({});
        UrlOpener::SetOpener({});
    }

    QString programFolder() const { return home.filePath("program"); }
    QString settingsFile() const { return home.filePath("config/Pendrel/Pendrel.ini"); }
};
