#include "log/LogTestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
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

    QRandomGenerator random{20261206};
    int pick(int n) { return random.bounded(n); }

private slots:
    // Any action or clock jump that puts the buttons, the display or the log out of step.
    void randomActions()
    {
        LogWorld world;
        frmMain w(world.count, world.preferences);
        w.show();
        Control<QTimer>(&w, "timDisplay")->setInterval(INT_MAX); // ticked by hand only
        // The model: never started, running or stopped; ms counted, and ms on the display.
        enum { NeverStarted, Running, Stopped } state = NeverStarted;
        qint64 counted = 0, onDisplay = 0;
        int logLines = 0;
        const auto pass = [&] { // mostly milliseconds, sometimes hours, now and then weeks
            qint64 most = 40;
            if (pick(100) >= 85)
                most = pick(5) ? 7'200'000 : 21 * Day;
            const qint64 ms = random.bounded(most);
            world.clock.advance(ms);
            if (state == Running)
                counted += ms;
        };
        for (int step = 0; step < 20'000; ++step) {
            const int roll = pick(100);
            if (roll < 35) {
                pass();
            } else if (roll < 73 || roll >= 97) { // every running timer ticks
                for (const char *timer : {"timDisplay", "tmrSnapshot", "tmrWarning"}) {
                    if (IsActive(&w, timer))
                        Fire(&w, timer);
                }
                if (state == Running)
                    onDisplay = counted;
            } else if (roll < 83) {
                Click(&w, "cmdStartStop");
                state = state == Running ? Stopped : Running;
                onDisplay = counted;
            } else if (roll < 87) {
                Click(&w, "cmdReset"); // does nothing while greyed
                if (state == Stopped) {
                    state = NeverStarted;
                    counted = onDisplay = 0;
                }
            } else if (roll < 93) {
                Click(&w, "cmdSnapshot");
                onDisplay = counted;
                ++logLines;
            } else if (roll < 94) {
                WhenModal<frmSessions>(&w, [&](frmSessions *sessions) {
                    QCOMPARE(Control<QTableView>(sessions, "grdSessions")->model()->rowCount(),
                             logLines);
                });
                Control<QAction>(&w, "mnuSessions")->trigger();
            } else if (roll < 95) {
                WhenModal<frmCompact>(&w, [&](frmCompact *compact) {
                    pass();
                    if (state == Running)
                        Fire(compact, "timDisplay");
                });
                Control<QAction>(&w, "mnuCompact")->trigger();
                onDisplay = counted; // the main window is current as it shows again
            } else if (roll < 96) {
                Control<QAction>(&w, "mnuHelp")->trigger(); // a window of its own, left open
            } else {
                WhenModal<frmCustomize>(&w, [&](frmCustomize *dialog) {
                    const char *days[] = {"0", "1", "3", "-2", "abc", "2.5", "70000", ""};
                    Control<QLineEdit>(dialog, "txtWarningDays")->setText(days[pick(8)]);
                    if (pick(2))
                        Click(dialog, "chkDisplayWarnings");
                    if (pick(2))
                        Click(dialog, "cmdOK");
                });
                Control<QAction>(&w, "mnuCustomize")->trigger();
            }

            // Start/Stop; Reset, Exit, display ticking, warning or count shown; log lines; display.
            const auto flag = [&](const char *name) { return Control(&w, name)->isEnabled(); };
            const bool shown =
                Control(&w, "lblWarning")->isHidden() != Control(&w, "picElapsed")->isHidden();
            const QString actual =
                QString::asprintf("step %d: %s %d%d%d%d %d ", step,
                                  qPrintable(Control<QAbstractButton>(&w, "cmdStartStop")->text()),
                                  flag("cmdReset"), flag("cmdExit"), IsActive(&w, "timDisplay"),
                                  shown, int(world.logBytes().count("\r\n"))) +
                Texts(&w, {"lblYears"}) + " " + Texts(&w, {"lblDays"}) + " " + ShownTime(&w);
            const bool on = state == Running;
            QCOMPARE(actual,
                     QString::asprintf("step %d: %s %d%d%d1 %d ", step, on ? "Stop" : "Start",
                                       state == Stopped, !on, on, logLines) +
                         Counted(onDisplay));
        }
    }
};

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
