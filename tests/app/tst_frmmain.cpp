#include "TestSupport.h"

#include "app/frmMain.h"
#include "app/modLaunch.h"
#include "settings/SettingsStore.h"

using namespace SettingsStore;

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
        QCOMPARE(main->focusWidget(), Control(main, "cmdExit"));
        QTest::keyClick(main->focusWidget(), Qt::Key_Return);
        QVERIFY(!main || !main->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Nothing counts on, nor plays a day sound, for a Help window left open.
        QCOMPARE(qApp->findChildren<modStopWatch::StopWatch *>().size(), 0);
    }
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // A resume that loses or counts the pause, or takes it off again at each new day; a flash
    // that never ends; 10 ms work while minimized, or a stale count shown again; Reset left
    // pressable.
    void buttonsFollowTheCount()
    {
        frmMain w(world->count, world->preferences);
        w.show();
        const auto countColour = [&] {
            return Control(&w, "lblSecHundreds")->palette().color(QPalette::WindowText).name();
        };
        Click(&w, "cmdStartStop");
        world->clock.advance(5'000);
        Click(&w, "cmdStartStop");
        world->clock.advance(10'000);
        Click(&w, "cmdStartStop");
        world->tick(&w, Day + Hour + 2'340);
        QCOMPARE(ShownTime(&w), "01:00:07.34");
        Click(&w, "cmdSnapshot");
        QCOMPARE(countColour(), "#ffffff");
        Fire(&w, "tmrSnapshot");
        QCOMPARE(countColour(), "#000000");
        w.showMinimized();
        QVERIFY(!IsActive(&w, "timDisplay"));
        world->clock.advance(4'560);
        w.showNormal();
        QVERIFY(IsActive(&w, "timDisplay"));
        QCOMPARE(ShownTime(&w), "01:00:11.90");
        Click(&w, "cmdStartStop");
        Click(&w, "cmdReset");
        QVERIFY(!Control(&w, "cmdReset")->isEnabled());
    }

    // A snapshot logs the Start an earlier run left, then this run's times whatever another copy
    // or an unwritable store does to the stored ones; the count runs from the click, not from
    // when the store's error message is closed.
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
        world->tick(&w, 0);
        QCOMPARE(ShownTime(&w), "02:00:03.01");
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
        QVERIFY(ink.top() > inside.top());
        QVERIFY(ink.bottom() < inside.bottom());
    }

    // The player module beside the program is found, with its player, at the first sound.
    void soundModuleFound()
    {
        modStopWatch::SetSoundPlayer({}); // the program's own player
        QFile::copy(QCoreApplication::applicationDirPath() + "/woohoo.wav",
                    world->programFolder() + "/woohoo.wav");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        Click(&w, "cmdStartStop");
        QTest::failOnWarning(QRegularExpression("plays no sounds"));
        Click(&w, "cmdReset");
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
