#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"

#include <QAction>
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
    qint64 jump()
    {
        if (pick(100) < 85)
            return random.bounded(40);
        if (pick(5))
            return random.bounded(7'200'000);
        return random.bounded(21 * Day);
    }
    void pass(qint64 ms)
    {
        world.clock.advance(ms);
        if (state == Running)
            counted += ms;
    }
    void showCurrent()
    {
        if (state == Running)
            onDisplay = counted;
    }
    template <typename Window>
    void whileModal(QAction *trigger, std::function<void(Window *)> answer)
    {
        QTimer::singleShot(0, this,
                           [=] { answer(qobject_cast<Window *>(qApp->activeModalWidget())); });
        trigger->trigger();
    }
    void fireIfActive(frmMain &w, const char *timer)
    {
        if (IsActive(&w, timer))
            Fire(&w, timer);
    }

private slots:
    // Any action or clock jump that puts the buttons, the display or the log out of step.
    void randomActions()
    {
        qputenv("XDG_DATA_HOME", "/nonexistent"); // the log must stay in the test's folder
        frmMain w(world.count, world.preferences);
        w.show();
        // Ticked by hand only, even under a modal window.
        Control<QTimer>(&w, "timDisplay")->setInterval(INT_MAX);
        const auto action = [&](const char *name) { return Control<QAction>(&w, name); };
        for (int step = 0; step < 20'000; ++step) {
            const int roll = pick(100);
            if (roll < 35) {
                pass(jump());
            } else if (roll < 73 || roll >= 97) { // every running timer ticks
                if (IsActive(&w, "timDisplay")) {
                    Fire(&w, "timDisplay");
                    onDisplay = counted;
                }
                fireIfActive(w, "tmrSnapshot");
                fireIfActive(w, "tmrWarning");
            } else if (roll < 83) {
                Click(&w, "cmdStartStop");
                if (state == Running)
                    state = Stopped;
                else
                    state = Running;
                onDisplay = counted;
            } else if (roll < 87) {
                Click(&w, "cmdReset"); // does nothing while greyed
                if (state == Stopped) {
                    state = NeverStarted;
                    counted = 0;
                    onDisplay = 0;
                }
            } else if (roll < 93) {
                Click(&w, "cmdSnapshot");
                showCurrent();
                ++logLines;
            } else if (roll < 94) {
                whileModal<frmSessions>(action("mnuSessions"), [this](frmSessions *sessions) {
                    auto *grid = Control<QTableView>(sessions, "grdSessions");
                    const int rows = grid->model()->rowCount();
                    QCOMPARE(rows, logLines);
                    const bool del = rows && !pick(4), clear = !pick(20), save = pick(2);
                    if (rows > 0) { // comment a random row: F2 opens the editor, Enter ends it
                        grid->setCurrentIndex(grid->model()->index(pick(rows), 3));
                        QTest::keyClick(grid, Qt::Key_F2);
                        auto *editor = Control<QLineEdit>(sessions, "Text1");
                        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
                        QTest::keyClicks(editor, QString::number(pick(1000)));
                        QTest::keyClick(editor, Qt::Key_Return);
                    }
                    if (del) // the question is answered Yes
                        Click(sessions, "cmdDeleteRow");
                    if (clear)
                        Click(sessions, "cmdClearLog");
                    MessageBox::setNextAnswer(save ? MessageBox::Yes : MessageBox::No);
                    if (pick(2))
                        Click(sessions, "cmdClose");
                    else
                        QTest::keyClick(sessions, Qt::Key_Escape);
                    QVERIFY(!sessions->isVisible());
                    if (clear)
                        logLines = 0;
                    else if (save && del)
                        --logLines;
                });
            } else if (roll < 95) {
                whileModal<frmCompact>(action("mnuCompact"), [this](frmCompact *compact) {
                    pass(jump());
                    if (state == Running)
                        Fire(compact, "timDisplay");
                    compact->done(QDialog::Rejected);
                });
                showCurrent(); // the main window is current as it shows again
            } else if (roll < 96) {
                action("mnuHelp")->trigger();
                for (QWidget *help : QApplication::topLevelWidgets()) {
                    if (help->inherits("frmHelp") && pick(2))
                        help->close();
                }
            } else {
                whileModal<frmCustomize>(action("mnuCustomize"), [this](frmCustomize *dialog) {
                    const char *days[] = {"0", "1", "3", "-2", "abc", "2.5", "70000", ""};
                    dialog->findChild<QObject *>("txtWarningDays")
                        ->setProperty("text", days[pick(8)]);
                    dialog->findChild<QObject *>("chkDisplayWarnings")
                        ->setProperty("checked", pick(2) == 1);
                    if (pick(2))
                        Click(dialog, "cmdOK");
                    else
                        dialog->reject();
                });
            }

            QFile log(SessionLog::Path());
            int lines = 0;
            if (log.open(QIODevice::ReadOnly))
                lines = int(log.readAll().count("\r\n"));
            // Start/Stop; Reset, Exit, display ticking, warning or count shown; log lines; display.
            const QString actual =
                QString::asprintf("step %d: %s %d%d%d%d %d ", step,
                                  qPrintable(Control<QAbstractButton>(&w, "cmdStartStop")->text()),
                                  Control(&w, "cmdReset")->isEnabled(),
                                  Control(&w, "cmdExit")->isEnabled(), IsActive(&w, "timDisplay"),
                                  Control(&w, "lblWarning")->isHidden() !=
                                      Control(&w, "picElapsed")->isHidden(),
                                  lines) +
                Texts(&w, {"lblYears"}) + " " + Texts(&w, {"lblDays"}) + " " + ShownTime(&w);
            const bool on = state == Running;
            const QString expected =
                QString::asprintf("step %d: %s %d%d%d1 %d ", step, on ? "Stop" : "Start",
                                  state == Stopped, !on, on, logLines) +
                Counted(onDisplay);
            QCOMPARE(actual, expected);
        }
    }
};

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
