#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "ui_frmMain.h"

#include <QtTest>

using namespace SettingsStore;

// Start/Stop caption; Reset enabled, Exit enabled, display ticking as 0/1; days and time shown.
static QString State(const frmMain &w)
{
    const Ui::frmMain *ui = w.controls();
    const auto flag = [](bool on) { return QString::number(on); };
    return ui->cmdStartStop->text() + " " + flag(ui->cmdReset->isEnabled()) +
           flag(ui->cmdExit->isEnabled()) + flag(w.timDisplay()->isActive()) + " " +
           ui->lblDays->text() + " " + ui->lblHours->text() + ui->lblMinutes->text() +
           ui->lblSeconds->text() + ui->lblSecHundreds->text();
}

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Wrong button states, a resume that loses or double-counts the pause, a stale Stop or Reset.
    void buttonsFollowTheCount()
    {
        frmMain w;
        const auto run = [&](qint64 ms) { world->clock.advance(ms), w.timDisplay_Timer(); };
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00");
        w.cmdStartStop_Click();
        QCOMPARE(State(w), "Stop 001 0 Days 00:00:00.00");
        world->clock.advance(5'000); // Stop counts up to now, not to the last tick
        w.cmdStartStop_Click();
        QCOMPARE(State(w), "Start 110 0 Days 00:00:05.00");
        world->clock.advance(10'000);
        w.cmdStartStop_Click();
        run(0);
        QCOMPARE(State(w), "Stop 001 0 Days 00:00:05.00");
        run(qint64(25) * 3'600'000 + 2'340);
        w.cmdStartStop_Click();
        QCOMPARE(State(w), "Start 110 1 Days 01:00:07.34");
        w.cmdReset_Click();
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00");
    }

    // Defaults not applied to an empty store, stored values misread, text taken as markup.
    void preferencesAreShown()
    {
        const auto shown = [](const frmMain &w) {
            const modStopWatch::Preferences &p = modStopWatch::Prefs();
            return w.controls()->lblCustomText->text() +
                   QString::asprintf(" %d %d %d", p.blnPlaySounds, p.intWarningDays,
                                     p.blnDisplayWarnings);
        };
        QCOMPARE(shown(frmMain()), "You have not had sex in: 1 3 1");
        SaveSetting(SectionSettings, KeyCustomText, "<b>x</b>");
        SaveSetting(SectionSettings, KeyPlaySounds, "0");
        SaveSetting(SectionSettings, KeyDisplayWarnings, "False");
        frmMain w;
        QCOMPARE(shown(w), "<b>x</b> 0 3 0");
        QCOMPARE(w.controls()->lblCustomText->textFormat(), Qt::PlainText);
    }

    // A snapshot that skips the "Stop" key, or a flash that never ends.
    void snapshotWritesAndFlashesOnce()
    {
        frmMain w;
        const Ui::frmMain *ui = w.controls();
        const auto colours = [ui] {
            return ui->lblSecHundreds->palette().color(QPalette::WindowText).name() + " " +
                   ui->picElapsed->palette().color(QPalette::Window).name();
        };
        w.cmdStartStop_Click();
        QCOMPARE(GetSetting(SectionSession, KeyStop), "0");
        w.cmdSnapshot_Click();
        QVERIFY(GetSetting(SectionSession, KeyStop, "0") != "0");
        QVERIFY(w.tmrSnapshot()->isActive());
        QCOMPARE(colours(), "#ffffff #000000");
        w.tmrSnapshot_Timer();
        QVERIFY(!w.tmrSnapshot()->isActive());
        QCOMPARE(colours(), "#000000 #ffc0c0");
    }

    // "Close Pendrel" refused while running, or the web address not handed to the opener.
    void closeAndWebAddress()
    {
        frmMain w;
        w.show();
        QTest::mouseClick(w.controls()->lblURL, Qt::LeftButton);
        QTest::mouseClick(w.controls()->lblURL, Qt::RightButton);
        QCOMPARE(world->openedUrls, QStringList{w.controls()->lblURL->text()});
        w.cmdStartStop_Click();
        w.controls()->mnuClose->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
