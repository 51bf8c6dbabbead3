// The sounds and the blinking warning, on a real main window and a fake clock.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "clock/Sounds.h"
#include "clock/Warning.h"

#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace modStopWatch;

namespace {
constexpr qint64 Minute = 60'000;
constexpr qint64 Day = 24 * 60 * Minute;
} // namespace

class tst_warning : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    QStringList played; // file names, in the order played

    static QLabel *warning(frmMain &w) { return w.findChild<QLabel *>("lblWarning"); }
    static bool countShown(frmMain &w)
    {
        return !w.findChild<QWidget *>("picElapsed")->isHidden() && warning(w)->isHidden();
    }
    static bool warningShown(frmMain &w)
    {
        return w.findChild<QWidget *>("picElapsed")->isHidden() && !warning(w)->isHidden();
    }
    void tick(frmMain &w, qint64 ms)
    {
        world->clock.advance(ms);
        w.timDisplay_Timer();
    }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        played.clear();
        SetSoundPlayer([this](const QString &path, bool wait) {
            QVERIFY(!wait); // the window never waits for a sound
            QCOMPARE(QFileInfo(path).absolutePath(),
                     QFileInfo(world->programFolder()).absoluteFilePath());
            played << QFileInfo(path).fileName();
        });
    }
    void cleanup()
    {
        SetSoundPlayer({});
        world.reset();
    }

    void soundsFollowTheSwitchAtTheMomentOfPlaying()
    {
        frmMain w;
        w.cmdStartStop_Click();
        tick(w, Day);
        w.cmdStartStop_Click();
        w.cmdReset_Click();
        QCOMPARE(played, QStringList({"AAAGH2.wav", "woohoo.wav"}));

        played.clear();
        Prefs().blnPlaySounds = false;
        w.cmdStartStop_Click();
        tick(w, Day);
        w.cmdStartStop_Click();
        w.cmdReset_Click();
        QVERIFY(played.isEmpty());
        // Everything but the sound still happened.
        QCOMPARE(Caption(&w, "lblDays"), QString("0 Days"));
        QVERIFY(!w.findChild<QWidget *>("cmdReset")->isEnabled());

        Prefs().blnPlaySounds = true;
        w.cmdStartStop_Click();
        tick(w, 3 * Day + 10); // a suspend: the missed days make one sound
        QCOMPARE(played, QStringList({"AAAGH2.wav"}));
    }

    // A roll-over seen first by the compact window's tick sounds, but arms no warning.
    void compactTickRollOver()
    {
        frmMain w;
        QWidget compact;
        compact.setObjectName("frmCompact");
        for (const char *name : {"lblHours", "lblMinutes", "lblSeconds", "lblSecHundreds"})
            (new QLabel(&compact))->setObjectName(name);
        Prefs().intWarningDays = 1;
        w.cmdStartStop_Click();
        world->clock.advance(Day + 20);
        UpdateDisplay(ElapsedMs(), &compact);
        QCOMPARE(played, QStringList({"AAAGH2.wav"}));
        QCOMPARE(Caption(&w, "lblDays"), QString("1 Days"));
        QVERIFY(!w.tmrWarning()->isActive());
        QCOMPARE(warning(w)->text(), QString("You have not had sex in 3 days!")); // the design's
    }

    void warningFromTheThirdDayOnThenBlinks()
    {
        frmMain w;
        w.cmdStartStop_Click();
        tick(w, Day);
        tick(w, Day);
        QVERIFY(!w.tmrWarning()->isActive());
        tick(w, Day);
        QVERIFY(w.tmrWarning()->isActive());
        QCOMPARE(warning(w)->text(), QString("You have not had sex in 3 days!"));
        QVERIFY(countShown(w)); // armed: nothing changes until the first tick

        tick(w, 1000);
        w.tmrWarning_Timer();
        QVERIFY(warningShown(w));
        w.tmrWarning_Timer();
        QVERIFY(countShown(w));

        tick(w, Day - 1000);
        QCOMPARE(warning(w)->text(), QString("You have not had sex in 4 days!"));
    }

    void blinkStopsAtMinuteSixteenShowingTheCount()
    {
        frmMain w;
        Prefs().intWarningDays = 1;
        w.cmdStartStop_Click();
        tick(w, Day);
        // Reset leaves the warning alone, and the blink goes by the minutes shown.
        w.cmdStartStop_Click();
        w.cmdReset_Click();
        w.tmrWarning_Timer();
        QVERIFY(warningShown(w));
        w.cmdStartStop_Click();
        tick(w, 15 * Minute + 59'990);
        QCOMPARE(Caption(&w, "lblMinutes"), QString("15:"));
        w.tmrWarning_Timer();
        QVERIFY(countShown(w));
        w.tmrWarning_Timer();
        QVERIFY(warningShown(w));
        QVERIFY(w.tmrWarning()->isActive());

        tick(w, 10);
        QCOMPARE(Caption(&w, "lblMinutes"), QString("16:"));
        w.tmrWarning_Timer();
        QVERIFY(!w.tmrWarning()->isActive());
        QVERIFY(countShown(w));
    }

    void warningsOffNeverArm()
    {
        frmMain w;
        Prefs().blnDisplayWarnings = false;
        Prefs().intWarningDays = 0;
        w.cmdStartStop_Click();
        for (int day = 0; day < 5; ++day)
            tick(w, Day);
        QVERIFY(!w.tmrWarning()->isActive());
        QCOMPARE(played.size(), 5); // the day sound doesn't depend on warnings
    }

    void warningDaysOfZeroOrLessArmEveryDay_data()
    {
        QTest::addColumn<int>("warningDays");
        QTest::newRow("0") << 0;
        QTest::newRow("-5") << -5;
    }
    void warningDaysOfZeroOrLessArmEveryDay()
    {
        QFETCH(int, warningDays);
        frmMain w;
        Prefs().intWarningDays = qint16(warningDays);
        w.cmdStartStop_Click();
        for (int day = 1; day <= 365; ++day) {
            tick(w, Day);
            QVERIFY2(w.tmrWarning()->isActive(), qPrintable(QString::number(day)));
            w.tmrWarning()->stop();
        }
        // The roll-over that completes the year leaves the day count at 0, and still warns.
        QCOMPARE(Caption(&w, "lblYears"), QString("1 Years"));
        QCOMPARE(warning(w)->text(), QString("You have not had sex in 0 days!"));
    }

    // The system player: a missing file, or a machine without sound, is silent and says nothing.
    void realPlayerIsQuietWithoutFileOrDevice()
    {
        SetSoundPlayer({});
        PlaySoundFile(world->programFolder() + "/missing.wav", false);
        const QString wav = QFINDTESTDATA("../../src/ui/woohoo.wav");
        QVERIFY(!wav.isEmpty());
        PlaySoundFile(wav, false);
        PlaySoundFile(wav, false);
        QVERIFY(MessageBox::history().isEmpty());
    }
};

QTEST_MAIN(tst_warning)
#include "tst_warning.moc"
