// The warning and the sounds, as the main window shows and plays them day after day.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"

class tst_warning : public QObject
{
    Q_OBJECT

    TestWorld world;

private slots:
    // A suspend sounds once and arms once; the blink starts one tick after arming, once a second,
    // and stops at minute 16 with the count showing; the warning reads in full on one line (not
    // wrapped, so that the day count is cut off and a second line's tops show along the band's
    // bottom), centred, not shrunk more than it needs; warnings switched off in Customize end it at
    // once; Reset has a sound of its own.
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
        QCOMPARE(Control<QTimer>(&w, "tmrWarning")->interval(), 1'000);
        for (const char *expected : {"warning blinks", "count blinks", "warning blinks", "count"}) {
            world.clock.advance(3); // the last one reaches minute 16
            Fire(&w, "tmrWarning");
            QCOMPARE(showing(), expected);
        }
        auto *warning = Control<QLabel>(&w, "lblWarning");
        const auto fitsOneLine = [&](int days) {
            QCOMPARE(warning->text(), QString("You have not had sex in %1 days!").arg(days));
            warning->show();
            const QRect inside = warning->contentsRect();
            const QRect ink = InkBounds(warning->grab().toImage(), inside, [](QRgb pixel) {
                return qGreen(pixel) > 0x60; // the pale text on red
            });
            warning->hide();
            QVERIFY(ink.height() <= QFontMetrics(warning->font()).height()); // one line
            QVERIFY(ink.width() >= inside.width() * 9 / 10);
            QVERIFY(qAbs((ink.left() - inside.left()) - (inside.right() - ink.right())) <= 4);
            QVERIFY(ink.left() > inside.left());
            QVERIFY(ink.right() < inside.right());
        };
        fitsOneLine(3);
        world.tick(&w, 361 * Day - 16 * Minute); // day 364 at minute 0, armed again
        fitsOneLine(364);
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
