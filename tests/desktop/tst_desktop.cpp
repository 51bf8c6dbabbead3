#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopBus.h"
#include "desktop/ScreenLock.h"
#include "desktop/WarningNotifier.h"
#include "settings/frmCustomize.h"
#include "tray/TrayIcon.h"

#include <QtDBus>

using CommandLine::Command;

// A server of the test's own (a session bus, a display), gone with the test; it prints its
// address first.
struct Server {
    QProcess process;
    QString address;
    Server(const QString &program, const QStringList &arguments)
    {
        process.start(program, arguments);
        if (process.waitForReadyRead(10'000))
            address = QString::fromUtf8(process.readLine()).trimmed();
    }
    ~Server()
    {
        process.kill();
        process.waitForFinished();
    }
};

// A session bus, as the desktop would run it.
struct PrivateBus : Server {
    PrivateBus()
        : Server("dbus-daemon", {"--session", "--nofork", "--print-address=1"})
    {}
    EnvironmentVariable variable{"DBUS_SESSION_BUS_ADDRESS", address};
    QDBusConnection connect(const QString &name) const
    {
        return QDBusConnection::connectToBus(address, name);
    }
};

const QString Saver = "org.freedesktop.ScreenSaver",
              Notifications = "org.freedesktop.Notifications", Logind = "org.freedesktop.login1",
              Session = "/org/freedesktop/login1/session/_32",
              Properties = "org.freedesktop.DBus.Properties";

// The desktop's screen saver, notifications and logind (on the same bus) at every path: what they
// are asked, and their answers by method.
struct FakeDesktop : QDBusVirtualObject {
    QStringList asked;
    QList<QVariantList> notified; // app, replaced id, icon, summary
    QVariantMap answers{{"GetActive", false},
                        {"Notify", 1u},
                        {"Ping", true},
                        {"GetSession", QVariant::fromValue(QDBusObjectPath(Session))}};
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        asked << message.member();
        if (message.member() == "Notify")
            notified << message.arguments().mid(0, 4);
        return bus.send(message.createReply(answers.value(message.member())));
    }
};

// The panel's tray as KDE and GNOME's extension offer it: it takes the icons that come.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    QStringList items;
    bool hostRegistered() const { return true; }

public slots:
    void RegisterStatusNotifierItem(const QString &service) { items << service; }
};

// The items of a menu over the bus, each label with its id.
QMap<QString, int> MenuItems(const QDBusArgument &layout)
{
    int id = 0;
    QVariantMap properties;
    QVariantList children;
    layout.beginStructure();
    layout >> id >> properties >> children;
    layout.endStructure();
    QMap<QString, int> items{{properties.value("label").toString(), id}};
    for (const QVariant &child : children)
        items.insert(MenuItems(qvariant_cast<QDBusArgument>(child)));
    return items;
}

QString ToolTipTitle(const QDBusArgument &tip) // of an icon's (name, pixmaps, title, text)
{
    QString icon, title;
    tip.beginStructure();
    tip >> icon;
    tip.asVariant();
    tip >> title;
    return title;
}

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
    PrivateBus bus; // the bus that the launches share, with a desktop of the test's own
    QProcess first; // the Pendrel that runs while the launches ask it
    QDBusConnection desktop = bus.connect("desktop"), pendrel = bus.connect("pendrel");
    FakeDesktop fake;

    void StartFirst()
    {
        if (first.state() != QProcess::NotRunning)
            return;
        first.start(QDir(home.programFolder()).filePath("pendrel"));
        QTRY_VERIFY_WITH_TIMEOUT(pendrel.interface()->isServiceRegistered(DesktopBus::ServiceName),
                                 20'000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!bus.address.isEmpty());
        QVERIFY(desktop.registerVirtualObject("/", &fake, QDBusConnection::SubPath));
        QVERIFY(desktop.registerService(Saver));
        QVERIFY(desktop.registerService(Notifications));
        QVERIFY(desktop.registerService(Logind));
        QVERIFY(QFile::copy(PENDREL_BINARY, QDir(home.programFolder()).filePath("pendrel")));
    }
    void cleanupTestCase()
    {
        first.kill();
        first.waitForFinished();
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
        QTest::newRow("unknown") << QStringList{"--snap"} << 64 << "Unknown option 'snap'";
        QTest::newRow("two actions") << QStringList{"--start", "--stop"} << 64 << "one action";
    }
    void launches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        StartFirst();
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
        const Launch alone = RunPendrel(home.programFolder(), {"--stop"});
        QCOMPARE(alone.status, 1);
        QVERIFY2(alone.error.contains("not counting"), qPrintable(alone.error));
    }

    // Calls from outside are input: a wrong one gets an error, and the count answers after it.
    void badCalls()
    {
        StartFirst();
        const auto call = [this](const QString &method, const QVariantList &arguments = {}) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                DesktopBus::ServiceName, DesktopBus::ObjectPath, DesktopBus::InterfaceName, method);
            message.setArguments(arguments);
            return pendrel.call(message);
        };
        const QString unknown = "org.freedesktop.DBus.Error.UnknownMethod";
        QCOMPARE(call("Start", {5}).errorName(), unknown);
        QCOMPARE(call("deleteLater").errorName(), unknown);
        QCOMPARE(call("Serve").errorName(), unknown);
        QCOMPARE(call("Status").arguments().size(), 2);
    }

    // The icon wakes when its minute ends, and not at all while the count stands; its menu and
    // a click drive the main window. Without a tray the box says so and can't be ticked.
    void trayIcon()
    {
        TestWorld world;
        frmMain window(world.count, world.preferences);
        window.show();
        TrayIcon tray(world.count, window);
        tray.SetShown(true);
        auto *nextMinute = tray.findChild<QTimer *>();
        const QList<QAction *> menu = tray.Menu()->actions();
        menu.at(0)->trigger();
        QCOMPARE(menu.at(0)->text(), "Stop");
        world.clock.advance(20'500);
        QMetaObject::invokeMethod(nextMinute, "timeout");
        QCOMPARE(nextMinute->remainingTime(), 39'500);
        // The tooltip in days alone, the years too.
        world.clock.advance(Day + 2 * Hour + 3 * Minute);
        QCOMPARE(tray.ToolTip(), "1 day, 02:03");
        world.clock.advance(730 * Day + 21 * Hour + 56 * Minute + 59'990);
        QCOMPARE(tray.ToolTip(), "732 days, 00:00");
        emit tray.findChild<QSystemTrayIcon *>()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isHidden());
        tray.Clicked();
        QTRY_VERIFY(window.isVisible());
        world.count.Stop();
        QVERIFY(!nextMinute->isActive());
        // Asked to show itself, the main window comes out of the compact window.
        QCOMPARE(window.Perform(Command::Compact), QString());
        bool compactShown = false;
        WhenModal<frmCompact>(&window, [&](frmCompact *compact) {
            compactShown = compact->isVisible() && !window.isVisible();
            QCOMPARE(window.Perform(Command::Show), QString());
            QTRY_VERIFY(!compact->isVisible());
        });
        QTRY_VERIFY(compactShown);
        QTRY_VERIFY(window.isVisible());
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

    // Where the panel's tray is on the bus, the icon is there with the count and its menu.
    void trayOverBus()
    {
        // A display where the toolkit's tray goes over the bus.
        Server display("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        if (display.address.isEmpty())
            QSKIP("no Xvfb");
        PrivateBus own;
        QDBusConnection panel = own.connect("panel");
        FakeWatcher watcher;
        QVERIFY(panel.registerObject("/StatusNotifierWatcher", &watcher,
                                     QDBusConnection::ExportAllContents));
        QVERIFY(panel.registerService("org.kde.StatusNotifierWatcher"));
        TestHome settings; // of this Pendrel's own, which shows the icon
        PreferenceValues values;
        values.blnShowInTray = true;
        QVERIFY(Preferences().Save(values, nullptr));
        QProcess shown;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", ':' + display.address);
        shown.setProcessEnvironment(environment);
        shown.start(QDir(home.programFolder()).filePath("pendrel"));
        const auto end = qScopeGuard([&] {
            shown.kill();
            shown.waitForFinished();
        });
        QTRY_COMPARE_WITH_TIMEOUT(watcher.items.size(), 1, 20'000);
        const auto ask = [&](const QString &path, const QString &interface, const QString &method,
                             const QVariantList &arguments) {
            auto call =
                QDBusMessage::createMethodCall(watcher.items.first(), path, interface, method);
            call.setArguments(arguments);
            return panel.call(call).arguments();
        };
        const QVariantList tip = ask("/StatusNotifierItem", Properties, "Get",
                                     {"org.kde.StatusNotifierItem", "ToolTip"});
        QCOMPARE(ToolTipTitle(qvariant_cast<QDBusArgument>(
                     qvariant_cast<QDBusVariant>(tip.first()).variant())),
                 "0 days, 00:00");
        const QString menu = "com.canonical.dbusmenu";
        const QVariantList layout = ask("/MenuBar", menu, "GetLayout", {0, -1, QStringList()});
        const QMap<QString, int> items = MenuItems(qvariant_cast<QDBusArgument>(layout.last()));
        QCOMPARE(items.keys(), QStringList({"", "Close Pendrel", "Compact", "Show Pendrel",
                                            "Snapshot", "Start"}));
        ask("/MenuBar", menu, "Event",
            {items.value("Start"), "clicked", QVariant::fromValue(QDBusVariant(0)), 0u});
        const auto running = QDBusMessage::createMethodCall(
            DesktopBus::ServiceName, DesktopBus::ObjectPath, DesktopBus::InterfaceName, "Status");
        QTRY_COMPARE(panel.call(running).arguments().value(0), QVariant(true));
    }

    // Told once for each day count, while warnings are displayed and the window is not in front.
    void warningNotified_data()
    {
        QTest::addColumn<bool>("inFront");
        QTest::addColumn<bool>("warningsOn");
        QTest::addColumn<int>("armings"); // of day 3
        QTest::addColumn<int>("notifications");
        QTest::newRow("behind") << false << true << 1 << 1;
        QTest::newRow("same day again") << false << true << 2 << 1;
        QTest::newRow("in front") << true << true << 1 << 0;
        QTest::newRow("warnings off") << false << false << 1 << 0;
    }
    void warningNotified()
    {
        QFETCH(bool, inFront);
        QFETCH(bool, warningsOn);
        QFETCH(int, armings);
        QFETCH(int, notifications);
        TestWorld world;
        PreferenceValues values;
        values.blnDisplayWarnings = warningsOn;
        QVERIFY(world.preferences.Save(values, nullptr));
        fake.notified.clear();
        WarningNotifier notifier(world.count, world.preferences, pendrel, [&] { return inFront; });
        for (int i = 0; i < armings; ++i)
            emit world.count.warningArmed(3);
        // Answered after the notifications sent before, as the bus keeps their order; the event
        // loop runs meanwhile.
        const auto ask = QDBusMessage::createMethodCall(Notifications, "/", Notifications, "Ping");
        QCOMPARE(pendrel.call(ask, QDBus::BlockWithGui).type(), QDBusMessage::ReplyMessage);
        const QVariantList told{"Pendrel", 0u, "org.example.Pendrel", modStopWatch::WarningText(3)};
        QCOMPARE(fake.notified, QList<QVariantList>(notifications, told));
    }

    // Locked, the windows rest; unlocked, they run again, with the count as it is.
    void lockRestsWindows_data()
    {
        QTest::addColumn<QString>("path"); // where the screen saver or logind tells
        QTest::addColumn<bool>("atStart"); // or it says so when asked at start-up
        QTest::newRow("told") << "/org/freedesktop/ScreenSaver" << false;
        QTest::newRow("short path") << "/ScreenSaver" << false;
        QTest::newRow("at start-up") << "/org/freedesktop/ScreenSaver" << true;
        QTest::newRow("logind told") << Session << false;
        QTest::newRow("logind at start-up") << Session << true;
    }
    void lockRestsWindows()
    {
        QFETCH(QString, path);
        QFETCH(bool, atStart);
        const bool logind = path == Session;
        fake.answers["GetActive"] = atStart && !logind;
        fake.answers["Get"] = QVariant::fromValue(QDBusVariant(atStart && logind));
        fake.asked.clear();
        const auto tell = [&](bool locked) {
            const QDBusMessage told =
                logind ? QDBusMessage::createSignal(path, Properties, "PropertiesChanged")
                             << "org.freedesktop.login1.Session"
                             << QVariantMap{{"LockedHint", locked}} << QStringList()
                       : QDBusMessage::createSignal(path, Saver, "ActiveChanged") << locked;
            return desktop.send(told);
        };
        TestWorld world;
        ScreenLock lock(pendrel, pendrel);
        ScreenLock::SetCurrent(&lock); // the windows' until it goes
        QSignalSpy changed(&lock, &ScreenLock::lockedChanged);
        frmMain window(world.count, world.preferences);
        frmCompact compact(world.count);
        compact.blnActive = true;
        world.count.Start();
        window.show();
        compact.show();
        QTRY_VERIFY(fake.asked.contains(logind ? "Get" : "GetActive")); // asked once listening
        if (!atStart)
            QVERIFY(tell(true));
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), false);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), false);
        world.clock.advance(Hour + 2'340);
        QVERIFY(tell(false));
        QVERIFY(changed.wait(10'000));
        QCOMPARE(ShownTime(&window), "01:00:02.34");
        QCOMPARE(ShownTime(&compact), "01:00:02.34");
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), true);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), true);
    }
};

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
