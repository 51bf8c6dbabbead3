// Twenty thousand seeded random actions across the main window, its menu, the dialogs and the
// compact window, with a clock that jumps by milliseconds, hours or weeks. After every action
// the buttons must match the state of the count, every display text must keep its form and show
// exactly the time counted, and the log must hold one line per snapshot.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "clock/modStopWatch.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui_frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {
constexpr qint64 Day = 24 * qint64(3'600'000);
constexpr qint64 Year = 365 * Day;

// What the count should be, kept apart from the program.
struct Model {
    enum State { NeverStarted, Running, Stopped } state = NeverStarted;
    qint64 counted = 0; // ms of running since the count began
    qint64 shown = 0;   // what the display should show
    int logLines = 0;
};

int LinesInLog()
{
    QFile file(SessionLog::Path());
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count("\r\n"));
}

QString Expected(qint64 ms)
{
    const qint64 day = ms % Day;
    const modStopWatch::TimeTexts t = modStopWatch::FormatTime(quint32(day));
    return QStringLiteral("%1 Years %2 Days ").arg(ms / Year).arg(ms % Year / Day) + t.hours +
           t.minutes + t.seconds + t.hundredths;
}

QString Shown(const Ui::frmMain *ui)
{
    return ui->lblYears->text() + QLatin1Char(' ') + ui->lblDays->text() + QLatin1Char(' ') +
           ui->lblHours->text() + ui->lblMinutes->text() + ui->lblSeconds->text() +
           ui->lblSecHundreds->text();
}
} // namespace

class tst_monkey : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    QRandomGenerator random{20261206};

    // Answers the Customize dialog with random values, then OK or Cancel.
    void customizeAtRandom()
    {
        QTimer::singleShot(0, this, [this] {
            auto *dialog = qobject_cast<frmCustomize *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            static const QStringList days = {"0", "1", "3", "-2", "abc", "2.5", "70000", ""};
            dialog->findChild<QLineEdit *>("txtWarningDays")
                ->setText(days.at(random.bounded(days.size())));
            dialog->findChild<QLineEdit *>("txtCustomText")
                ->setText(QString::number(random.generate()));
            dialog->findChild<QCheckBox *>("chkDisplayWarnings")->setChecked(random.bounded(2));
            dialog->findChild<QCheckBox *>("chkPlaySounds")->setChecked(random.bounded(2));
            if (random.bounded(2))
                dialog->cmdOK_Click();
            else
                dialog->reject();
        });
    }

    // Comments a random row of the Sessions window, maybe deletes one or clears the log, and
    // closes it saving or not. Returns how many lines the log should then hold.
    void sessionsAtRandom(Model &model)
    {
        QTimer::singleShot(0, this, [this, &model] {
            auto *sessions = qobject_cast<frmSessions *>(QApplication::activeModalWidget());
            QVERIFY(sessions);
            auto *grid = sessions->findChild<QTableView *>("grdSessions");
            auto *editor = sessions->findChild<QLineEdit *>("Text1");
            int rows = grid->model()->rowCount();
            QCOMPARE(rows, model.logLines);
            bool deleted = false;
            if (rows > 0) {
                grid->setCurrentIndex(grid->model()->index(random.bounded(rows), 3));
                sessions->grdSessions_Click();
                editor->setText(QStringLiteral("note %1").arg(random.bounded(1000)));
                sessions->Text1_KeyDown(Qt::Key_Return, Qt::NoModifier);
                if (random.bounded(4) == 0) {
                    sessions->cmdDeleteRow_Click(); // the question is answered Yes
                    deleted = true;
                }
            }
            if (random.bounded(20) == 0) {
                sessions->cmdClearLog_Click();
                model.logLines = 0;
                deleted = false;
            }
            const bool save = random.bounded(2);
            MessageBox::setNextAnswer(save ? MessageBox::Yes : MessageBox::No);
            if (random.bounded(2))
                sessions->cmdClose_Click();
            else
                sessions->reject(); // Escape
            if (save && deleted)
                --model.logLines;
        });
    }

    // Lets the compact window's own timer see a jump of the clock, then closes it.
    void compactAtRandom(Model &model)
    {
        QTimer::singleShot(0, this, [this, &model] {
            auto *compact = qobject_cast<frmCompact *>(QApplication::activeModalWidget());
            QVERIFY(compact);
            QCOMPARE(compact->timDisplay()->isActive(), model.state == Model::Running);
            const qint64 ms = jump();
            world->clock.advance(ms);
            if (model.state == Model::Running) {
                model.counted += ms;
                compact->timDisplay_Timer();
            }
            compact->done(QDialog::Rejected);
        });
    }

    qint64 jump()
    {
        const int kind = random.bounded(100);
        if (kind < 85)
            return random.bounded(40);
        if (kind < 97)
            return random.bounded(qint64(2) * 3'600'000);
        return random.bounded(qint64(21) * Day); // a suspend of up to three weeks
    }

private slots:
    void init()
    {
        qputenv("XDG_DATA_HOME",
                QByteArray("/nonexistent")); // the log must stay in the test's folder
        world = std::make_unique<TestWorld>();
    }
    void cleanup() { world.reset(); }

    void randomActions()
    {
        frmMain w;
        w.show();
        const Ui::frmMain *ui = w.controls();
        Model model;
        const QRegularExpression form(
            QStringLiteral("^\\d+ Years (\\d|[1-9]\\d|[12]\\d\\d|3[0-5]\\d|36[0-4]) Days "
                           "([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d\\.\\d\\d$"));

        for (int step = 0; step < 20'000; ++step) {
            const int action = random.bounded(100);
            QString did;
            if (action < 35) {
                const qint64 ms = jump();
                world->clock.advance(ms);
                if (model.state == Model::Running)
                    model.counted += ms;
                did = QStringLiteral("clock +%1").arg(ms);
            } else if (action < 70) {
                if (w.timDisplay()->isActive()) {
                    w.timDisplay_Timer();
                    model.shown = model.counted;
                }
                did = "display tick";
            } else if (action < 80) {
                ui->cmdStartStop->click();
                if (model.state == Model::Running) {
                    model.state = Model::Stopped;
                    model.shown = model.counted;
                } else {
                    model.state = Model::Running;
                }
                did = "Start/Stop";
            } else if (action < 84) {
                ui->cmdReset->click(); // does nothing while greyed
                if (model.state == Model::Stopped) {
                    model.state = Model::NeverStarted;
                    model.counted = model.shown = 0;
                }
                did = "Reset";
            } else if (action < 90) {
                ui->cmdSnapshot->click();
                ++model.logLines;
                if (model.state == Model::Running)
                    model.shown = model.counted;
                did = "Snapshot";
            } else if (action < 93) {
                if (w.tmrSnapshot()->isActive())
                    w.tmrSnapshot_Timer();
                if (w.tmrWarning()->isActive())
                    w.tmrWarning_Timer();
                did = "flash and warning ticks";
            } else if (action < 94) {
                sessionsAtRandom(model);
                ui->mnuSessions->trigger();
                did = "Sessions";
            } else if (action < 95) {
                compactAtRandom(model);
                ui->mnuCompact->trigger();
                QVERIFY(w.isVisible());
                if (model.state == Model::Running)
                    model.shown = model.counted; // the main window comes back current
                did = "Compact";
            } else if (action < 96) {
                ui->mnuHelp->trigger();
                const auto helps = QApplication::topLevelWidgets();
                for (QWidget *help : helps) {
                    if (qobject_cast<frmHelp *>(help) && random.bounded(2))
                        help->close();
                }
                did = "Help";
            } else if (action < 97) {
                customizeAtRandom();
                ui->mnuCustomize->trigger();
                did = "Customize";
            } else {
                // Nothing but time passing: every timer that runs ticks once.
                if (w.timDisplay()->isActive()) {
                    w.timDisplay_Timer();
                    model.shown = model.counted;
                }
                did = "all ticks";
            }

            // The real display timer may have ticked while a modal window was up.
            if (model.state == Model::Running && Shown(ui) == Expected(model.counted))
                model.shown = model.counted;

            const QString where = QStringLiteral("step %1 (%2)").arg(step).arg(did);
            const bool running = model.state == Model::Running;
            QVERIFY2(ui->cmdStartStop->text() == (running ? "Stop" : "Start"), qPrintable(where));
            QVERIFY2(ui->cmdReset->isEnabled() == (model.state == Model::Stopped),
                     qPrintable(where));
            QVERIFY2(ui->cmdExit->isEnabled() == !running, qPrintable(where));
            QVERIFY2(w.timDisplay()->isActive() == running, qPrintable(where));
            const QString shown = Shown(ui);
            QVERIFY2(form.match(shown).hasMatch(), qPrintable(where + ": " + shown));
            QVERIFY2(shown == Expected(model.shown),
                     qPrintable(where + ": " + shown + " but counted " + Expected(model.shown)));
            QVERIFY2(ui->lblWarning->isHidden() != ui->picElapsed->isHidden(), qPrintable(where));
            QVERIFY2(LinesInLog() == model.logLines, qPrintable(where));
        }
    }
};

QTEST_MAIN(tst_monkey)
#include "tst_monkey.moc"
