#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui_frmMain.h"

#include <QLineEdit>
#include <QTableView>
#include <QtTest>

constexpr qint64 Day = 24 * qint64(3'600'000);

// The display for a count, worked out apart from the program.
static QString Counted(qint64 ms)
{
    return QString::asprintf("%lld Years %lld Days %02lld:%02lld:%02lld.%02lld", ms / (365 * Day),
                             ms % (365 * Day) / Day, ms / 3'600'000 % 24, ms / 60'000 % 60,
                             ms / 1000 % 60, ms / 10 % 100);
}

class tst_monkey : public QObject
{
    Q_OBJECT

    TestWorld world;
    QRandomGenerator random{20261206};
    // The model: never started, running or stopped; ms counted; ms the display should show.
    enum { NeverStarted, Running, Stopped } state = NeverStarted;
    qint64 counted = 0, onDisplay = 0;
    int logLines = 0;

    int pick(int n) { return random.bounded(n); }
    // Mostly milliseconds, sometimes hours, now and then a suspend of up to three weeks.
    qint64 jump() { return random.bounded(pick(100) < 85 ? 40 : pick(5) ? 7'200'000 : 21 * Day); }
    void pass(qint64 ms) { world.clock.advance(ms), counted += state == Running ? ms : 0; }
    template <typename Window>
    void whileModal(QAction *trigger, std::function<void(Window *)> answer)
    {
        QTimer::singleShot(0, this,
                           [=] { answer(qobject_cast<Window *>(qApp->activeModalWidget())); });
        trigger->trigger();
    }

private slots:
    // Any action or clock jump that puts the buttons, the display or the log out of step.
    void randomActions()
    {
        qputenv("XDG_DATA_HOME", "/nonexistent"); // the log must stay in the test's folder
        frmMain w;
        w.show();
        const Ui::frmMain *ui = w.controls();
        w.timDisplay()->setInterval(INT_MAX); // ticked by hand only, even under a modal window
        for (int step = 0; step < 20'000; ++step) {
            const int action = pick(100);
            if (action < 35) {
                pass(jump());
            } else if (action < 73 || action >= 97) { // every running timer ticks
                if (w.timDisplay()->isActive())
                    w.timDisplay_Timer(), onDisplay = counted;
                if (w.tmrSnapshot()->isActive())
                    w.tmrSnapshot_Timer();
                if (w.tmrWarning()->isActive())
                    w.tmrWarning_Timer();
            } else if (action < 83) {
                ui->cmdStartStop->click();
                state = state == Running ? Stopped : Running, onDisplay = counted;
            } else if (action < 87) {
                ui->cmdReset->click(); // does nothing while greyed
                if (state == Stopped)
                    state = NeverStarted, counted = onDisplay = 0;
            } else if (action < 93) {
                ui->cmdSnapshot->click();
                onDisplay = state == Running ? counted : onDisplay, ++logLines;
            } else if (action < 94) {
                whileModal<frmSessions>(ui->mnuSessions, [this](frmSessions *sessions) {
                    auto *grid = sessions->findChild<QTableView *>("grdSessions");
                    const int rows = grid->model()->rowCount();
                    QCOMPARE(rows, logLines);
                    const bool del = rows && !pick(4), clear = !pick(20), save = pick(2);
                    if (rows > 0) { // comment a random row: F2 opens the editor, Enter ends it
                        grid->setCurrentIndex(grid->model()->index(pick(rows), 3));
                        QTest::keyClick(grid, Qt::Key_F2);
                        auto *editor = sessions->findChild<QLineEdit *>("Text1");
                        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
                        QTest::keyClicks(editor, QString::number(pick(1000)));
                        QTest::keyClick(editor, Qt::Key_Return);
                    }
                    if (del) // the question is answered Yes
                        sessions->findChild<QPushButton *>("cmdDeleteRow")->click();
                    if (clear)
                        sessions->findChild<QPushButton *>("cmdClearLog")->click();
                    MessageBox::setNextAnswer(save ? MessageBox::Yes : MessageBox::No);
                    if (pick(2))
                        sessions->findChild<QPushButton *>("cmdClose")->click();
                    else
                        QTest::keyClick(sessions, Qt::Key_Escape);
                    QVERIFY(!sessions->isVisible());
                    logLines = clear ? 0 : logLines - (save && del);
                });
            } else if (action < 95) {
                whileModal<frmCompact>(ui->mnuCompact, [this](frmCompact *compact) {
                    pass(jump());
                    if (state == Running)
                        compact->timDisplay_Timer();
                    compact->done(QDialog::Rejected);
                });
                onDisplay = state == Running ? counted : onDisplay; // the main window is current
            } else if (action < 96) {
                ui->mnuHelp->trigger();
                for (QWidget *help : QApplication::topLevelWidgets())
                    if (help->inherits("frmHelp") && pick(2))
                        help->close();
            } else {
                whileModal<frmCustomize>(ui->mnuCustomize, [this](frmCustomize *dialog) {
                    const char *days[] = {"0", "1", "3", "-2", "abc", "2.5", "70000", ""};
                    dialog->findChild<QObject *>("txtWarningDays")
                        ->setProperty("text", days[pick(8)]);
                    dialog->findChild<QObject *>("chkDisplayWarnings")
                        ->setProperty("checked", pick(2) == 1);
                    pick(2) ? dialog->cmdOK_Click() : dialog->reject();
                });
            }

            QFile log(SessionLog::Path());
            // Start/Stop; Reset, Exit, display ticking, warning or count shown; log lines; display.
            const QString actual = QString::asprintf(
                "step %d: %s %d%d%d%d %d ", step, qPrintable(ui->cmdStartStop->text()),
                ui->cmdReset->isEnabled(), ui->cmdExit->isEnabled(), w.timDisplay()->isActive(),
                ui->lblWarning->isHidden() != ui->picElapsed->isHidden(),
                log.open(QIODevice::ReadOnly) ? int(log.readAll().count("\r\n")) : 0);
            const bool on = state == Running;
            QCOMPARE(actual + ui->lblYears->text() + " " + ui->lblDays->text() + " " +
                         ui->lblHours->text() + ui->lblMinutes->text() + ui->lblSeconds->text() +
                         ui->lblSecHundreds->text(),
                     QString::asprintf("step %d: %s %d%d%d1 %d ", step, on ? "Stop" : "Start",
                                       state == Stopped, !on, on, logLines) +
                         Counted(onDisplay));
        }
    }
};

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
