#include "BusSupport.h"
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopBus.h"
#include "settings/frmCustomize.h"
#include "tray/TrayIcon.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>

using CommandLine::Command;
Q_DECLARE_METATYPE(Command)

// Pendrel itself, from a program folder of the test's own, so that its log lands there.
struct Launch {
    int status = -1;
    QString output, error;
};
Launch RunPendrel(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.start(QDir(folder).filePath("pendrel"), arguments);
    Launch launch;
    if (process.waitForFinished(10'000) && process.exitStatus() == QProcess::NormalExit)
        launch.status = process.exitCode();
    launch.output = QString::fromUtf8(process.readAllStandardOutput());
    // Pendrel's own words, not the toolkit's warnings about the test's environment.
    for (const QString &line : QString::fromUtf8(process.readAllStandardError()).split('\n')) {
        if (line.startsWith("pendrel: "))
            launch.error += line + '\n';
    }
    return launch;
}

class tst_desktop : public QObject
{
    Q_OBJECT

    TestHome home;
    PrivateBus bus; // the bus that the launches share
    QProcess first; // the Pendrel that runs while the launches ask it

private slots:
    void initTestCase()
    {
        QVERIFY(!bus.address.isEmpty());
        QVERIFY(QFile::copy(PENDREL_BINARY, QDir(home.programFolder()).filePath("pendrel")));
    }
    void cleanupTestCase()
    {
        first.kill();
        first.waitForFinished();
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Command>("command");
        QTest::addColumn<int>("status"); // where the launch ends at once; else -1
        QTest::newRow("none") << QStringList{} << Command::None << -1;
        QTest::newRow("snapshot") << QStringList{"--snapshot"} << Command::Snapshot << -1;
        QTest::newRow("status") << QStringList{"--status"} << Command::Status << -1;
        QTest::newRow("help") << QStringList{"--help"} << Command::None << 0;
        QTest::newRow("unknown") << QStringList{"--snap"} << Command::None << 64;
        QTest::newRow("stray") << QStringList{"start"} << Command::None << 64;
        QTest::newRow("two actions") << QStringList{"--start", "--stop"} << Command::None << 64;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        const CommandLine::Request request = CommandLine::Parse(QStringList{"pendrel"} + arguments);
        QTEST(request.command, "command");
        QTEST(request.finished ? request.status : -1, "status");
    }

    // In turn, against one running Pendrel: each launch's status, and what it says.
    void launches_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says"); // a pattern of standard output, then error
        const QString stopped = "^0 years, 0 days, 00:00:00\\.00\n$";
        QTest::newRow("second launch") << QStringList{} << 0 << "^$";
        QTest::newRow("status, stopped") << QStringList{"--status"} << 1 << stopped;
        QTest::newRow("stop, stopped") << QStringList{"--stop"} << 1 << "not counting";
        QTest::newRow("start") << QStringList{"--start"} << 0 << "^$";
        QTest::newRow("start, running") << QStringList{"--start"} << 1 << "already counting";
        QTest::newRow("reset, running") << QStringList{"--reset"} << 1 << "Stop the count";
        QTest::newRow("status, running")
            << QStringList{"--status"} << 0 << "^0 years, 0 days, 00:00:\\d\\d\\.\\d\\d\n$";
        QTest::newRow("snapshot") << QStringList{"--snapshot"} << 0 << "^$";
        QTest::newRow("toggle") << QStringList{"--toggle"} << 0 << "^$";
        QTest::newRow("reset") << QStringList{"--reset"} << 0 << "^$";
        QTest::newRow("status, reset") << QStringList{"--status"} << 1 << stopped;
    }
    void launches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        if (first.state() == QProcess::NotRunning) {
            first.start(QDir(home.programFolder()).filePath("pendrel"));
            const QDBusConnection watcher = bus.connect("watcher");
            QTRY_VERIFY_WITH_TIMEOUT(
                watcher.interface()->isServiceRegistered(DesktopBus::ServiceName), 20'000);
        }
        const Launch launch = RunPendrel(home.programFolder(), arguments);
        QTEST(launch.status, "status");
        QVERIFY2(QRegularExpression(says).match(launch.output + launch.error).hasMatch(),
                 qPrintable(launch.output + launch.error));
        QCOMPARE(first.state(), QProcess::Running);
        if (arguments == QStringList{"--snapshot"})
            QVERIFY(home.logBytes().endsWith("\r\n"));
    }

    // No Pendrel to ask: the count's status says so; with no bus at all, a launch runs alone.
    void withoutRunningCopy()
    {
        PrivateBus empty;
        QCOMPARE(RunPendrel(home.programFolder(), {"--status"}).status, 2);
        EnvironmentVariable none("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        QCOMPARE(RunPendrel(home.programFolder(), {"--status"}).status, 2);
        const Launch alone = RunPendrel(home.programFolder(), {"--stop"});
        QCOMPARE(alone.status, 1);
        QVERIFY2(alone.error.contains("not counting"), qPrintable(alone.error));
    }

    // Calls from outside are input: a wrong one gets an error, and the count answers after it.
    void badCalls()
    {
        PrivateBus own;
        TestWorld world;
        DesktopBus::Service service(own.connect("owner"));
        QCOMPARE(service.ClaimName(), DesktopBus::Service::Claim::Owner);
        service.Serve(world.count, [](Command) { return QString(); });
        const QDBusConnection client = own.connect("client");
        const auto answer = [&](const QString &method, const QVariantList &arguments = {}) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                DesktopBus::ServiceName, DesktopBus::ObjectPath, DesktopBus::InterfaceName, method);
            message.setArguments(arguments);
            const QDBusPendingCall call = client.asyncCall(message);
            QDeadlineTimer deadline(10'000); // the event loop runs, so the service can answer
            while (!call.isFinished() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            return call.reply();
        };
        const QString unknown = "org.freedesktop.DBus.Error.UnknownMethod";
        QCOMPARE(answer("Start", {5}).errorName(), unknown);
        QCOMPARE(answer("deleteLater").errorName(), unknown);
        QCOMPARE(answer("Serve").errorName(), unknown);
        const QDBusMessage status = answer("Status");
        QCOMPARE(status.arguments().value(1).toString(), "0 years, 0 days, 00:00:00.00");
    }

    // Asked to show itself, the main window comes out of the compact window.
    void showLeavesCompact()
    {
        TestWorld world;
        frmMain window(world.count, world.preferences);
        window.show();
        QCOMPARE(window.Perform(Command::Compact), QString());
        bool compactShown = false;
        WhenModal<frmCompact>(&window, [&](frmCompact *compact) {
            compactShown = compact->isVisible() && !window.isVisible();
            QCOMPARE(window.Perform(Command::Show), QString());
            QTRY_VERIFY(!compact->isVisible());
        });
        QTRY_VERIFY(compactShown);
        QTRY_VERIFY(window.isVisible());
    }

    void trayToolTip_data()
    {
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("start") << qint64(0) << "0 days, 00:00";
        QTest::newRow("a minute less a hundredth") << qint64(59'990) << "0 days, 00:00";
        QTest::newRow("one day") << Day + 2 * Hour + 3 * Minute << "1 day, 02:03";
        QTest::newRow("years in days") << 730 * Day + 4 * Day - 10 << "733 days, 23:59";
    }
    void trayToolTip()
    {
        QFETCH(qint64, elapsed);
        TestWorld world;
        frmMain window(world.count, world.preferences);
        TrayIcon tray(world.count, window);
        world.count.Start();
        world.clock.advance(elapsed);
        QTEST(tray.ToolTip(), "toolTip");
    }

    // The icon wakes when its minute ends, and not at all while the count stands; its menu and
    // a click drive the main window.
    void trayIcon()
    {
        TestWorld world;
        frmMain window(world.count, world.preferences);
        window.show();
        TrayIcon tray(world.count, window);
        tray.SetShown(true);
        auto *nextMinute = tray.findChild<QTimer *>();
        QVERIFY(!nextMinute->isActive());
        const QList<QAction *> menu = tray.Menu()->actions();
        menu.at(0)->trigger();
        QCOMPARE(menu.at(0)->text(), "Stop");
        world.clock.advance(20'500);
        QMetaObject::invokeMethod(nextMinute, "timeout");
        QCOMPARE(nextMinute->remainingTime(), 39'500);
        menu.at(1)->trigger();
        QCOMPARE(world.logBytes().count("\r\n"), 1);
        tray.Clicked();
        QVERIFY(window.isHidden());
        tray.Clicked();
        QTRY_VERIFY(window.isVisible());
        world.count.Stop();
        QVERIFY(!nextMinute->isActive());
    }

    // Without a tray the box says so and can't be ticked; with one, OK stores it.
    void trayBox()
    {
        TestWorld world;
        const auto putBack = qScopeGuard([] { TrayIcon::SetAvailability({}); });
        TrayIcon::SetAvailability([] { return false; });
        frmCustomize without(world.preferences);
        QVERIFY(!Control<QCheckBox>(&without, "chkShowInTray")->isEnabled());
        QVERIFY(Control<QCheckBox>(&without, "chkShowInTray")->text().contains("has none"));
        TrayIcon::SetAvailability([] { return true; });
        frmCustomize with(world.preferences);
        Control<QCheckBox>(&with, "chkShowInTray")->click();
        Click(&with, "cmdOK");
        QCOMPARE(world.preferences.Values().blnShowInTray, true);
    }
};

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
