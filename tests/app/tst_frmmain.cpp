#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QtTest>

using namespace SettingsStore;

// Start/Stop caption; Reset enabled, Exit enabled, display ticking as 0/1; days and time shown.
static QString State(const frmMain &w)
{
    const auto flag = [&](const char *name) {
        return QString::number(Control(&w, name)->isEnabled());
    };
    return Control<QAbstractButton>(&w, "cmdStartStop")->text() + " " + flag("cmdReset") +
           flag("cmdExit") + QString::number(IsActive(&w, "timDisplay")) + " " +
           Texts(&w, {"lblDays"}) + " " + ShownTime(&w);
}

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    void tick(frmMain &w, qint64 ms)
    {
        world->clock.advance(ms);
        Fire(&w, "timDisplay");
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Wrong button states, a resume that loses or double-counts the pause, a stale Stop or Reset.
    void buttonsFollowTheCount()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00");
        Click(&w, "cmdStartStop");
        QCOMPARE(State(w), "Stop 001 0 Days 00:00:00.00");
        world->clock.advance(5'000); // Stop counts up to now, not to the last tick
        Click(&w, "cmdStartStop");
        QCOMPARE(State(w), "Start 110 0 Days 00:00:05.00");
        world->clock.advance(10'000);
        Click(&w, "cmdStartStop");
        tick(w, 0);
        QCOMPARE(State(w), "Stop 001 0 Days 00:00:05.00");
        tick(w, 25 * 3'600'000 + 2'340);
        Click(&w, "cmdStartStop");
        QCOMPARE(State(w), "Start 110 1 Days 01:00:07.34");
        Click(&w, "cmdReset");
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00");
    }

    // Minimized or hidden, the window does no 10 ms work, yet the day rolls over at its exact
    // moment, with its sound and its warning; shown again, it is current at once.
    void idleWhileMinimized()
    {
        SaveSetting(SectionSettings, KeyWarningDays, "1");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        w.showMinimized();
        QVERIFY(!IsActive(&w, "timDisplay"));
        world->clock.advance(86'400'000 - 1'000);
        QCOMPARE(world->count.RollOverTimerMs(), 1'000);
        world->clock.advance(1'000);
        Fire(&world->count, "tmrRollOver");
        QCOMPARE(world->playedSounds.size(), 1);
        QVERIFY(IsActive(&w, "tmrWarning"));
        world->clock.advance(4'560);
        w.showNormal();
        QVERIFY(IsActive(&w, "timDisplay"));
        QCOMPARE(Texts(&w, {"lblYears", "lblDays", "lblHours", "lblMinutes", "lblSeconds",
                            "lblSecHundreds"}),
                 "0 Years 1 Days 00: 00: 04. 56");
    }

    // Defaults not applied to an empty store, stored values misread, text taken as markup.
    void preferencesAreShown()
    {
        const auto shown = [&] {
            const PreferenceValues &p = world->preferences.Values();
            return QString::asprintf("%d %d %d", p.blnPlaySounds, p.intWarningDays(),
                                     p.blnDisplayWarnings);
        };
        {
            frmMain w(world->count, world->preferences);
            QCOMPARE(Texts(&w, {"lblCustomText"}), "You have not had sex in:");
            QCOMPARE(shown(), "1 3 1");
        }
        SaveSetting(SectionSettings, KeyCustomText, "<b>x</b>");
        SaveSetting(SectionSettings, KeyPlaySounds, "0");
        SaveSetting(SectionSettings, KeyDisplayWarnings, "False");
        frmMain w(world->count, world->preferences);
        QCOMPARE(Texts(&w, {"lblCustomText"}), "<b>x</b>");
        QCOMPARE(shown(), "0 3 0");
        QCOMPARE(Control<QLabel>(&w, "lblCustomText")->textFormat(), Qt::PlainText);
    }

    // A snapshot that skips the "Stop" key, a flash that never ends or that a second snapshot
    // prolongs.
    void snapshotWritesAndFlashesOnce()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        const auto colours = [&] {
            return Control(&w, "lblSecHundreds")->palette().color(QPalette::WindowText).name() +
                   " " + Control(&w, "picElapsed")->palette().color(QPalette::Window).name();
        };
        Click(&w, "cmdStartStop");
        QCOMPARE(GetSetting(SectionSession, KeyStop), "0");
        int flashStartsAndEnds = 0;
        const QPropertyNotifier flashes =
            Control<QTimer>(&w, "tmrSnapshot")->bindableActive().addNotifier([&] {
                ++flashStartsAndEnds;
            });
        Click(&w, "cmdSnapshot");
        QVERIFY(GetSetting(SectionSession, KeyStop, "0") != "0");
        Click(&w, "cmdSnapshot"); // within the flash: it ends when it would have
        QCOMPARE(flashStartsAndEnds, 1);
        QCOMPARE(colours(), "#ffffff #000000");
        Fire(&w, "tmrSnapshot");
        QVERIFY(!IsActive(&w, "tmrSnapshot"));
        QCOMPARE(colours(), "#000000 #ffc0c0");
    }

    // The line a snapshot logs: the times of this run, whatever another copy of Pendrel or an
    // unwritable store does to the stored ones; the Start an earlier run left before the first
    // Start; the elapsed time of that instant, with years and days.
    void snapshotLines()
    {
        QFile log(QDir(world->programFolder()).filePath("SessionLog.txt"));
        const auto lastLine = [&] {
            if (!log.open(QIODevice::ReadOnly))
                return QString("no log");
            const QList<QByteArray> lines = log.readAll().split('\n');
            log.close();
            return QString::fromUtf8(lines.value(lines.size() - 2));
        };
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdSnapshot");
        QCOMPARE(lastLine(),
                 ";" + GetSetting(SectionSession, KeyStop) + ";0 years, 0 days, 00:00:00.00\r");
        SaveSetting(SectionSession, KeyStart, "06/12/2026 8:34:04 PM"); // left by an earlier run
        Click(&w, "cmdSnapshot");
        QVERIFY(lastLine().startsWith("06/12/2026 8:34:04 PM;"));

        Click(&w, "cmdStartStop");
        const QString start = GetSetting(SectionSession, KeyStart);
        QVERIFY(start != "06/12/2026 8:34:04 PM");
        SaveSetting(SectionSession, KeyStart, "other"); // another copy's Start and Snapshot
        SaveSetting(SectionSession, KeyStop, "other");
        world->clock.advance(366 * 86'400'000LL + 7'200'000 + 10);
        Click(&w, "cmdSnapshot");
        const QString line = lastLine();
        QCOMPARE(line.section(';', 0, 0), start);
        QCOMPARE(line.section(';', 1, 1), GetSetting(SectionSession, KeyStop));
        QCOMPARE(line.section(';', 2), "1 years, 1 days, 02:00:00.01\r");

        QVERIFY(QFile(world->home.filePath("f")).open(QIODevice::WriteOnly)); // store unwritable
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, world->home.filePath("f/c"));
        Click(&w, "cmdStartStop");
        Click(&w, "cmdStartStop");           // Stop, Start: a new Start time
        QVERIFY(IsActive(&w, "timDisplay")); // the count shows at once, whatever the store says
        Click(&w, "cmdSnapshot");
        QCOMPARE(MessageBox::history().size(), 1); // once a run
        QVERIFY(MessageBox::history().value(0).text.contains("session log is not affected"));
        QVERIFY(!lastLine().startsWith(";")); // this run's Start, though the store has none
    }

    // The big digits cut at the panel's top edge, where the stand-in face sits higher than the
    // design's; also run at twice the scale.
    void digitsKeepTheirTops()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        auto *panel = Control<QFrame>(&w, "picElapsed");
        const QWidget *minutes = Control(&w, "lblMinutes");
        const QImage image = panel->grab().toImage();
        const qreal scale = image.devicePixelRatio();
        const QRect inside(panel->contentsRect().topLeft() * scale,
                           panel->contentsRect().size() * scale);
        const QRect ink = InkBounds(image,
                                    {int(minutes->x() * scale), inside.top(),
                                     int(minutes->width() * scale), inside.height()},
                                    [](QRgb pixel) { return qGray(pixel) < 96; });
        const qreal digitHeight = QFontMetricsF(minutes->font()).tightBoundingRect("0").height();
        QVERIFY(ink.top() > inside.top() && ink.bottom() < inside.bottom());
        QVERIFY(ink.height() >= (digitHeight - 1) * scale); // faint edge rows aside
    }

    // The audio libraries stay out of memory until the first sound, and then the player module
    // beside the program is found and brings them in.
    void soundModuleLoadsAtTheFirstSound()
    {
        const auto loaded = [](const char *library) {
            QFile maps("/proc/self/maps");
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
        };
        modStopWatch::SetSoundPlayer({}); // the program's own player
        QFile::copy(QCoreApplication::applicationDirPath() + "/woohoo.wav",
                    world->programFolder() + "/woohoo.wav");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        Click(&w, "cmdStartStop");
        QVERIFY(!loaded("libQt6Multimedia"));
        Click(&w, "cmdReset");
        QVERIFY(loaded("libpendrel-sound.so"));
        QVERIFY(loaded("libQt6Multimedia"));
    }

    // Enter or keypad Enter on the focused button doing nothing: in the main window, Customize
    // and Sessions.
    void enterPressesTheFocusedButton()
    {
        const auto enter = [](QObject *window, const char *name, Qt::Key key) {
            QWidget *button = Control(window, name);
            button->setFocus();
            QTest::keyClick(button, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        };
        frmMain w(world->count, world->preferences);
        w.show();
        enter(&w, "cmdStartStop", Qt::Key_Return);
        QVERIFY(world->count.IsRunning());
        enter(&w, "cmdStartStop", Qt::Key_Enter);
        QVERIFY(!world->count.IsRunning());
        for (const auto &[menu, button] :
             {std::pair{"mnuCustomize", "cmdOK"}, {"mnuSessions", "cmdClose"}}) {
            WhenModal<QDialog>(&w, [&, button = button](QDialog *dialog) {
                enter(dialog, button, Qt::Key_Enter);
                QVERIFY(!dialog->isVisible());
            });
            Control<QAction>(&w, menu)->trigger();
        }
    }

    // "Close Pendrel" refused while running, or the web address not handed to the opener.
    void closeAndWebAddress()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        QTest::mouseClick(Control(&w, "lblURL"), Qt::LeftButton);
        QTest::mouseClick(Control(&w, "lblURL"), Qt::RightButton);
        QCOMPARE(world->openedUrls, QStringList{Texts(&w, {"lblURL"})});
        Click(&w, "cmdStartStop");
        Control<QAction>(&w, "mnuClose")->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
