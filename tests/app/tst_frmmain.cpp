// The main window: its buttons and their states, the count it shows, Snapshot, closing.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "ui_frmMain.h"

#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace SettingsStore;

namespace {
struct ButtonState {
    QString caption;
    bool reset;
    bool exit;
    bool ticking;
};

ButtonState stateOf(const frmMain &w)
{
    return {w.controls()->cmdStartStop->text(), w.controls()->cmdReset->isEnabled(),
            w.controls()->cmdExit->isEnabled(), w.timDisplay()->isActive()};
}

QString timeShown(const frmMain &w)
{
    const Ui::frmMain *ui = w.controls();
    return ui->lblHours->text() + ui->lblMinutes->text() + ui->lblSeconds->text() +
           ui->lblSecHundreds->text();
}
} // namespace

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    void compareState(const frmMain &w, const ButtonState &expected)
    {
        const ButtonState actual = stateOf(w);
        QCOMPARE(actual.caption, expected.caption);
        QCOMPARE(actual.reset, expected.reset);
        QCOMPARE(actual.exit, expected.exit);
        QCOMPARE(actual.ticking, expected.ticking);
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    void opensNeverStartedWithTheDefaults()
    {
        frmMain w;
        const Ui::frmMain *ui = w.controls();
        QCOMPARE(timeShown(w), QString("00:00:00.00"));
        QCOMPARE(ui->lblYears->text(), QString("0 Years"));
        QCOMPARE(ui->lblDays->text(), QString("0 Days"));
        QCOMPARE(ui->lblCustomText->text(), QString("You have not had sex in:"));
        QVERIFY(ui->lblWarning->isHidden());
        QVERIFY(!w.tmrSnapshot()->isActive());
        QVERIFY(!w.tmrWarning()->isActive());
        compareState(w, {"Start", false, true, false});
        const modStopWatch::Preferences &prefs = modStopWatch::Prefs();
        QCOMPARE(prefs.blnPlaySounds, true);
        QCOMPARE(prefs.blnDisplayWarnings, true);
        QCOMPARE(prefs.intWarningDays, qint16(3));
    }

    void storedPreferencesAreRead()
    {
        SaveSetting(SectionSettings, KeyCustomText, "<b>x</b>");
        SaveSetting(SectionSettings, KeyPlaySounds, "0");
        SaveSetting(SectionSettings, KeyWarningDays, "2.5");
        SaveSetting(SectionSettings, KeyDisplayWarnings, "False");
        frmMain w;
        // Stored text is shown as the characters it is, never as markup.
        QCOMPARE(w.controls()->lblCustomText->textFormat(), Qt::PlainText);
        QCOMPARE(w.controls()->lblCustomText->text(), QString("<b>x</b>"));
        QCOMPARE(modStopWatch::Prefs().blnPlaySounds, false);
        QCOMPARE(modStopWatch::Prefs().intWarningDays, qint16(2));
        QCOMPARE(modStopWatch::Prefs().blnDisplayWarnings, false);
    }

    void buttonsFollowTheStateTable()
    {
        frmMain w;
        w.cmdStartStop_Click();
        compareState(w, {"Stop", false, false, true});
        w.cmdStartStop_Click();
        compareState(w, {"Start", true, true, false});
        w.cmdStartStop_Click();
        compareState(w, {"Stop", false, false, true});
        w.cmdStartStop_Click();
        compareState(w, {"Start", true, true, false});
        w.cmdReset_Click();
        compareState(w, {"Start", false, true, false});
    }

    void resumeCountsOnFromTheStop()
    {
        frmMain w;
        w.cmdStartStop_Click();
        world->clock.advance(5'000);
        w.timDisplay_Timer();
        w.cmdStartStop_Click();
        world->clock.advance(10'000);
        w.cmdStartStop_Click();
        w.timDisplay_Timer();
        QCOMPARE(timeShown(w), QString("00:00:05.00"));
        world->clock.advance(2'340);
        w.timDisplay_Timer();
        QCOMPARE(timeShown(w), QString("00:00:07.34"));
    }

    void stopFreezesTheExactCount()
    {
        frmMain w;
        w.cmdStartStop_Click();
        world->clock.advance(1'000);
        w.timDisplay_Timer();
        world->clock.advance(9); // no tick fell between the last update and the click
        w.cmdStartStop_Click();
        QCOMPARE(timeShown(w), QString("00:00:01.00"));
        world->clock.advance(1);
        w.cmdStartStop_Click();
        w.cmdStartStop_Click();
        QCOMPARE(timeShown(w), QString("00:00:01.00"));
    }

    void resetZeroesAndStartsAfresh()
    {
        frmMain w;
        w.cmdStartStop_Click();
        world->clock.advance(qint64(25) * 3'600'000 + 61'000);
        w.timDisplay_Timer();
        QCOMPARE(w.controls()->lblDays->text(), QString("1 Days"));
        w.cmdStartStop_Click();
        w.cmdReset_Click();
        QCOMPARE(timeShown(w), QString("00:00:00.00"));
        QCOMPARE(w.controls()->lblDays->text(), QString("0 Days"));
        QCOMPARE(w.controls()->lblYears->text(), QString("0 Years"));
        w.cmdStartStop_Click();
        world->clock.advance(420);
        w.timDisplay_Timer();
        QCOMPARE(timeShown(w), QString("00:00:00.42"));
        QCOMPARE(w.controls()->lblDays->text(), QString("0 Days"));
    }

    void startAndSnapshotWriteTheSessionKeys()
    {
        frmMain w;
        // Before any Start, Snapshot leaves "Start" alone.
        w.cmdSnapshot_Click();
        QCOMPARE(GetSetting(SectionSession, KeyStart, "absent"), QString("absent"));
        QVERIFY(!GetSetting(SectionSession, KeyStop).isEmpty());

        w.cmdStartStop_Click();
        const QString started = GetSetting(SectionSession, KeyStart);
        QVERIFY(!started.isEmpty());
        QCOMPARE(GetSetting(SectionSession, KeyStop), QString("0"));
        w.cmdStartStop_Click(); // Stop writes nothing
        QCOMPARE(GetSetting(SectionSession, KeyStop), QString("0"));
        w.cmdSnapshot_Click();
        QVERIFY(GetSetting(SectionSession, KeyStop) != "0");
        QCOMPARE(GetSetting(SectionSession, KeyStart), started);
    }

    void snapshotFlashesForOneTick()
    {
        frmMain w;
        w.cmdStartStop_Click();
        w.cmdSnapshot_Click();
        const Ui::frmMain *ui = w.controls();
        QVERIFY(w.tmrSnapshot()->isActive());
        QCOMPARE(w.tmrSnapshot()->interval(), 100);
        QCOMPARE(ui->lblSecHundreds->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(ui->lblDays->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(ui->picElapsed->palette().color(QPalette::Window), QColor(Qt::black));
        // The count and the buttons are untouched.
        QCOMPARE(stateOf(w).caption, QString("Stop"));
        QVERIFY(w.timDisplay()->isActive());

        w.tmrSnapshot_Timer();
        QVERIFY(!w.tmrSnapshot()->isActive());
        QCOMPARE(ui->lblSecHundreds->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(ui->lblDays->palette().color(QPalette::Window), QColor(0xFF, 0xC0, 0xC0));
        QCOMPARE(ui->picElapsed->palette().color(QPalette::Window), QColor(0xFF, 0xC0, 0xC0));
    }

    void closePendrelWhileRunning()
    {
        QPointer<frmMain> w = new frmMain;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        w->cmdStartStop_Click();
        QVERIFY(!w->controls()->cmdExit->isEnabled());
        w->controls()->mnuClose->trigger();
        QVERIFY(!w || !w->isVisible());
        QTRY_VERIFY(w.isNull());
    }

    void exitClosesWhenStopped()
    {
        frmMain w;
        w.show();
        QTest::mouseClick(w.controls()->cmdExit, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void webAddressOpensThroughTheOpener()
    {
        frmMain w;
        w.show();
        QTest::mouseClick(w.controls()->lblURL, Qt::LeftButton);
        QCOMPARE(world->openedUrls, QStringList{w.controls()->lblURL->text()});
        QTest::mouseClick(w.controls()->lblURL, Qt::RightButton);
        QCOMPARE(world->openedUrls.size(), 1);
    }

    void designFrameAndMenu()
    {
        frmMain w;
        w.show();
        const Ui::frmMain *ui = w.controls();
        QCOMPARE(w.windowTitle(), QString("Vuravod's The Voriz ... Pendrel"));
        QCOMPARE(ui->centralwidget->size(), QSize(490, 170));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(w.minimumSize(), w.maximumSize());

        QStringList entries;
        for (QAction *action : ui->mnuOptions->actions())
            entries << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(entries,
                 (QStringList{"Customize", "Sessions", "Compact", "Help", "-", "Close Pendrel"}));
        QCOMPARE(w.menuBar()->actions().size(), 1);

        // Count labels belong to the panel, which hides what lies outside its inside.
        QCOMPARE(ui->lblHours->parentWidget(), ui->picElapsed);
        QVERIFY(!ui->lblHours->mask().isEmpty());
        QVERIFY(ui->lblHours->mask().boundingRect().height() < ui->lblHours->height());
    }

    void tabOrderSkipsTheGreyedReset()
    {
        frmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const Ui::frmMain *ui = w.controls();
        QCOMPARE(QApplication::focusWidget(), ui->cmdExit);
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"cmdStartStop", "picElapsed", "cmdSnapshot", "cmdExit"}));
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
