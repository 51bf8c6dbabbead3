#include "BusSupport.h"
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopBus.h"

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
    if (process.waitForFinished(20'000) && process.exitStatus() == QProcess::NormalExit)
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
};

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
