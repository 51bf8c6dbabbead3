#include "TestSupport.h"

#include "app/frmMain.h"
#include "app/modLaunch.h"
#include "settings/SettingsStore.h"

using namespace SettingsStore;

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    std::unique_ptr<frmMain> w; // shown, with warnings from the first day on

    QString lastLogLine() const { return QString(world->logBytes()).trimmed().section('\n', -1); }

private slots:
    // As it starts: Enter presses the focused Exit, after which nothing counts on unseen.
    void initTestCase()
    {
        TestHome home;
        QApplication::setQuitOnLastWindowClosed(false);
        modLaunch::Main();
        QWidgetList windows = QApplication::topLevelWidgets();
        windows.removeIf([](QWidget *window) { return !window->inherits("frmMain"); });
        const QPointer<QWidget> main = windows.value(0);
        QVERIFY(main);
        QTest::keyClick(main->focusWidget(), Qt::Key_Return);
        QVERIFY(!main || !main->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(qApp->findChildren<modStopWatch::StopWatch *>().size(), 0);
    }
    void init()
    {
        world = std::make_unique<TestWorld>();
        QVERIFY(SaveSetting(SectionSettings, KeyWarningDays, "1"));
        w = std::make_unique<frmMain>(world->count, world->preferences);
        w->show();
    }
    void cleanup()
    {
        w.reset();
        world.reset();
    }

    // Pauses, the flash, minimizing, each day's and Reset's sounds, warnings switched off.
    void countWarningAndSounds()
    {
        const QString folder = world->programFolder() + '/'; // where the sounds are looked for
        Click(w.get(), "cmdStartStop");
        world->clock.advance(5'000);
        Click(w.get(), "cmdStartStop");
        world->clock.advance(10'000);
        Click(w.get(), "cmdStartStop");
        world->tick(w.get(), Day + Hour + 2'340);
        QCOMPARE(ShownTime(w.get()), "01:00:07.34");
        Click(w.get(), "cmdSnapshot");
        Fire(w.get(), "tmrSnapshot");
        QCOMPARE(Control(w.get(), "lblSecHundreds")->palette().color(QPalette::WindowText).name(),
                 "#000000");
        w->showMinimized();
        QVERIFY(!Control<QTimer>(w.get(), "timDisplay")->isActive());
        world->clock.advance(Day + 4'560); // a suspend holds the count's timer too
        w->showNormal();
        QVERIFY(Control<QTimer>(w.get(), "timDisplay")->isActive());
        QCOMPARE(ShownTime(w.get()), "01:00:11.90");
        QCOMPARE(world->playedSounds, QStringList(2, folder + "AAAGH2.wav")); // one meanwhile
        Fire(w.get(), "tmrWarning");
        QVERIFY(!Control(w.get(), "lblWarning")->isHidden());
        WhenModal<QDialog>(w.get(), [](QDialog *customize) {
            QTest::mouseClick(Control(customize, "chkDisplayWarnings"), Qt::LeftButton);
            Click(customize, "cmdOK");
        });
        Control<QAction>(w.get(), "mnuCustomize")->trigger();
        QVERIFY(Control(w.get(), "lblWarning")->isHidden());
        QVERIFY(!Control<QTimer>(w.get(), "tmrWarning")->isActive());
        Click(w.get(), "cmdStartStop");
        Click(w.get(), "cmdReset");
        QVERIFY(!Control(w.get(), "cmdReset")->isEnabled());
        QCOMPARE(world->playedSounds.last(), folder + "woohoo.wav");
        modStopWatch::SetSoundPlayer({}); // the program's own, whose module is found at once
        QFile::copy(QCoreApplication::applicationDirPath() + "/woohoo.wav", folder + "woohoo.wav");
        QTest::failOnWarning(QRegularExpression("plays no sounds"));
        Click(w.get(), "cmdStartStop");
        Click(w.get(), "cmdStartStop");
        Click(w.get(), "cmdReset");
    }

    // This run's times, whatever another copy or an unwritable store does; the latter told once.
    void snapshotLines()
    {
        Click(w.get(), "cmdStartStop");
        const QString start = GetSetting(SectionSession, KeyStart);
        QCOMPARE(GetSetting(SectionSession, KeyStop), "0");
        SaveSetting(SectionSession, KeyStart, "other"); // another copy's Start and Snapshot
        SaveSetting(SectionSession, KeyStop, "other");
        world->clock.advance(366 * Day + 2 * Hour + 10);
        Click(w.get(), "cmdSnapshot");
        QCOMPARE(lastLogLine(), start + ";" + GetSetting(SectionSession, KeyStop) +
                                    ";1 years, 1 days, 02:00:00.01");
        QVERIFY(QFile::remove(world->settingsFile())); // a folder in its place: nothing is stored
        QVERIFY(QDir().mkpath(world->settingsFile()));
        Click(w.get(), "cmdStartStop");
        MessageBox::setInspector([&](QMessageBox &box) {
            world->clock.advance(3'000); // read by the user
            box.button(QMessageBox::Ok)->click();
        });
        Click(w.get(), "cmdStartStop");
        world->tick(w.get(), 0);
        QCOMPARE(ShownTime(w.get()), "02:00:03.01");
        Click(w.get(), "cmdSnapshot");
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY(!lastLogLine().startsWith(";")); // this run's Start, though the store has none
    }

    // The big digits clear the panel's edges, at twice the scale too.
    void digitsKeepTheirTops()
    {
        auto *panel = Control<QFrame>(w.get(), "picElapsed");
        const QWidget *minutes = Control(w.get(), "lblMinutes");
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
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
