// The warning and the sounds, as the main window shows and plays them day after day.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"

class tst_warning : public QObject
{
    Q_OBJECT

    TestWorld world;

private slots:
    // A new day's sound; a blink that starts late, or doesn't stop at minute 16 with the count
    // showing; warnings switched off in Customize that leave it blinking; Reset's own sound.
    void blinking()
    {
        QVERIFY(SettingsStore::SaveSetting(SettingsStore::SectionSettings,
                                           SettingsStore::KeyWarningDays, "1"));
        frmMain w(world.count, world.preferences);
        w.show();
        const auto showing = [&] { // e.g. "count" or "warning blinks"
            QString shown = Control(&w, "picElapsed")->isHidden() ? "" : "count";
            if (!Control(&w, "lblWarning")->isHidden())
                shown += "warning";
            return shown + (IsActive(&w, "tmrWarning") ? " blinks" : "");
        };
        const auto played = [&] { // sound file names, in order; the folder must be the program's
            return QStringList(world.playedSounds)
                .replaceInStrings(world.programFolder() + '/', "");
        };
        Click(&w, "cmdStartStop");
        world.tick(&w, 3 * Day + 15 * Minute + 59'990);
        QCOMPARE(played(), QStringList("AAAGH2.wav"));
        for (const char *expected : {"warning blinks", "count blinks", "warning blinks", "count"}) {
            world.clock.advance(3); // the last one reaches minute 16
            Fire(&w, "tmrWarning");
            QCOMPARE(showing(), expected);
        }
        world.tick(&w, Day - 16 * Minute); // the next day at minute 0, armed again
        Fire(&w, "tmrWarning");
        QCOMPARE(showing(), "warning blinks");
        WhenModal<QDialog>(&w, [](QDialog *customize) {
            QTest::mouseClick(Control(customize, "chkDisplayWarnings"), Qt::LeftButton);
            Click(customize, "cmdOK");
        });
        Control<QAction>(&w, "mnuCustomize")->trigger();
        QCOMPARE(showing(), "count");
        Click(&w, "cmdStartStop");
        Click(&w, "cmdReset");
        QCOMPARE(played(), QStringList(2, "AAAGH2.wav") << "woohoo.wav");
    }
};

QTEST_MAIN(tst_warning)
#include "tst_warning.moc"
