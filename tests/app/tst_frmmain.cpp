#include "TestSupport.h"

#include "app/frmMain.h"
#include "app/modLaunch.h"
#include "settings/SettingsStore.h"

using namespace SettingsStore;

// Start/Stop caption; Reset, Exit enabled and display ticking as 0/1; days and time shown; the
// colours of the count, text and panel.
static QString State(const frmMain &w)
{
    const auto flag = [&](const char *name) {
        return QString::number(Control(&w, name)->isEnabled());
    };
    return Control<QAbstractButton>(&w, "cmdStartStop")->text() + " " + flag("cmdReset") +
           flag("cmdExit") + QString::number(IsActive(&w, "timDisplay")) + " " +
           Texts(&w, {"lblDays"}) + " " + ShownTime(&w) + " " +
           Control(&w, "lblSecHundreds")->palette().color(QPalette::WindowText).name() +
           Control(&w, "picElapsed")->palette().color(QPalette::Window).name();
}

static QByteArray Mapped() // the files mapped into this process
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    QString lastLogLine() const
    {
        const QList<QByteArray> lines = world->logBytes().split('\n');
        return QString::fromUtf8(lines.value(lines.size() - 2)).trimmed();
    }

private slots:
    // The program as it starts, before any test sets the toolkit up: the main window shows with
    // the keyboard on Exit, and Enter presses it.
    void initTestCase()
    {
        TestHome home;
        QApplication::setQuitOnLastWindowClosed(false);
        modLaunch::Main();
        QWidgetList windows = QApplication::topLevelWidgets();
        windows.removeIf([](QWidget *window) { return !window->inherits("frmMain"); });
        const QPointer<QWidget> main = windows.value(0);
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QCOMPARE(main->focusWidget(), Control(main, "cmdExit"));
        QTest::keyClick(main->focusWidget(), Qt::Key_Return);
        QVERIFY(!main || !main->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Nothing counts on, nor plays a day sound, for a Help window left open.
        QCOMPARE(qApp->findChildren<modStopWatch::StopWatch *>().size(), 0);
    }
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Wrong button states, a resume that loses or counts the pause, a stale Stop or Reset; a
    // flash that never ends or that a second snapshot prolongs.
    void buttonsFollowTheCount()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        QCOMPARE(Texts(&w, {"lblCustomText"}), DefaultCustomText);
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00 #000000#ffc0c0");
        Click(&w, "cmdStartStop");
        QCOMPARE(State(w), "Stop 001 0 Days 00:00:00.00 #000000#ffc0c0");
        world->clock.advance(5'000); // Stop counts up to now, not to the last tick
        Click(&w, "cmdStartStop");
        QCOMPARE(State(w), "Start 110 0 Days 00:00:05.00 #000000#ffc0c0");
        world->clock.advance(10'000);
        Click(&w, "cmdStartStop");
        world->tick(&w, Day + Hour + 2'340);
        QCOMPARE(State(w), "Stop 001 1 Days 01:00:07.34 #000000#ffc0c0");
        int flashStartsAndEnds = 0;
        const QPropertyNotifier flashes =
            Control<QTimer>(&w, "tmrSnapshot")->bindableActive().addNotifier([&] {
                ++flashStartsAndEnds;
            });
        Click(&w, "cmdSnapshot");
        Click(&w, "cmdSnapshot"); // within the flash: it ends when it would have
        QCOMPARE(State(w), "Stop 001 1 Days 01:00:07.34 #ffffff#000000");
        Fire(&w, "tmrSnapshot");
        Click(&w, "cmdStartStop");
        Click(&w, "cmdReset");
        QCOMPARE(State(w), "Start 010 0 Days 00:00:00.00 #000000#ffc0c0");
        QCOMPARE(flashStartsAndEnds, 2);
    }

    // A snapshot logs the Start an earlier run left, then this run's times whatever another copy
    // or an unwritable store does to the stored ones. An unwritable store is told once a run,
    // and the count runs from the click, not from when its message is closed.
    void snapshotLines()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        SaveSetting(SectionSession, KeyStart, "06/12/2026 8:34:04 PM");
        Click(&w, "cmdSnapshot");
        QCOMPARE(lastLogLine(), "06/12/2026 8:34:04 PM;" + GetSetting(SectionSession, KeyStop) +
                                    ";0 years, 0 days, 00:00:00.00");
        Click(&w, "cmdStartStop");
        const QString start = GetSetting(SectionSession, KeyStart);
        QVERIFY(start != "06/12/2026 8:34:04 PM");
        QCOMPARE(GetSetting(SectionSession, KeyStop), "0");
        SaveSetting(SectionSession, KeyStart, "other"); // another copy's Start and Snapshot
        SaveSetting(SectionSession, KeyStop, "other");
        world->clock.advance(366 * Day + 2 * Hour + 10);
        Click(&w, "cmdSnapshot");
        QCOMPARE(lastLogLine(), start + ";" + GetSetting(SectionSession, KeyStop) +
                                    ";1 years, 1 days, 02:00:00.01");

        // A folder in the settings file's place: nothing can be stored any more.
        QVERIFY(QFile::remove(world->settingsFile()));
        QVERIFY(QDir().mkpath(world->settingsFile()));
        Click(&w, "cmdStartStop");
        MessageBox::setInspector([&](QMessageBox &box) {
            world->clock.advance(3'000); // read by the user
            box.button(QMessageBox::Ok)->click();
        });
        Click(&w, "cmdStartStop");
        MessageBox::setInspector({});
        world->tick(&w, 0);
        QCOMPARE(ShownTime(&w), "02:00:03.01");
        Click(&w, "cmdSnapshot");
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY(MessageBox::history()[0].text.contains("session log is not affected"));
        QVERIFY(MessageBox::history()[0].text.contains(world->settingsFile()));
        QVERIFY(!lastLogLine().startsWith(";")); // this run's Start, though the store has none
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
        world->clock.advance(Day - 1'000);
        QCOMPARE(world->count.RollOverTimerMs(), 1'000);
        world->clock.advance(1'000);
        Fire(&world->count, "tmrRollOver");
        QCOMPARE(world->playedSounds.size(), 1);
        QVERIFY(IsActive(&w, "tmrWarning"));
        world->clock.advance(4'560);
        w.showNormal();
        QVERIFY(IsActive(&w, "timDisplay"));
        QCOMPARE(Texts(&w, {"lblYears", "lblDays"}) + " " + ShownTime(&w),
                 "0 Years 1 Days 00:00:04.56");
    }

    // The big digits cut at the panel's top edge, as the stand-in face sits higher; also run at
    // twice the scale.
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
        QVERIFY(ink.top() > inside.top());
        QVERIFY(ink.bottom() < inside.bottom());
        QVERIFY(ink.height() >= (digitHeight - 1) * scale); // faint edge rows aside
    }

    // The audio libraries stay out of memory until the first sound, and then the player module
    // beside the program is found, with its player, and brings them in.
    void soundModuleLoadsAtTheFirstSound()
    {
        modStopWatch::SetSoundPlayer({}); // the program's own player
        QFile::copy(QCoreApplication::applicationDirPath() + "/woohoo.wav",
                    world->programFolder() + "/woohoo.wav");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        Click(&w, "cmdStartStop");
        QVERIFY(!Mapped().contains("libQt6Multimedia"));
        QTest::failOnWarning(QRegularExpression("plays no sounds"));
        Click(&w, "cmdReset");
        QVERIFY(Mapped().contains("libpendrel-sound.so"));
        QVERIFY(Mapped().contains("libQt6Multimedia"));
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
