#include "BusSupport.h"
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "desktop/ScreenLock.h"
#include "desktop/WarningNotifier.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVirtualObject>

const QString Saver = "org.freedesktop.ScreenSaver",
              Notifications = "org.freedesktop.Notifications";
const QString Session = "/org/freedesktop/login1/session/_32";

// The desktop's screen saver, logind and notifications at every path: what they are asked, and
// their answers by method.
struct FakeDesktop : QDBusVirtualObject {
    QStringList asked;
    QList<QVariantList> notified; // app, replaced id, icon, summary
    QVariantMap answers{{"GetSession", QVariant::fromValue(QDBusObjectPath(Session))},
                        {"Notify", 1u},
                        {"GetCapabilities", QStringList()}};
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        asked << message.member();
        if (message.member() == "Notify")
            notified << message.arguments().mid(0, 4);
        return bus.send(message.createReply(answers.value(message.member())));
    }
};

struct CurrentLock { // the windows consult `lock` while this lives
    explicit CurrentLock(ScreenLock &lock) { ScreenLock::SetCurrent(&lock); }
    ~CurrentLock() { ScreenLock::SetCurrent(nullptr); }
};

class tst_desktopservices : public QObject
{
    Q_OBJECT

    PrivateBus bus;
    QDBusConnection desktop = bus.connect("desktop"), pendrel = bus.connect("pendrel");
    FakeDesktop fake;

private slots:
    void initTestCase()
    {
        QVERIFY(desktop.registerVirtualObject("/", &fake, QDBusConnection::SubPath));
        for (const QString &name : {Saver, Notifications, QString("org.freedesktop.login1")})
            QVERIFY(desktop.registerService(name));
    }

    // Told once for each day count, while warnings are displayed and the window is not in front.
    void warningNotified_data()
    {
        QTest::addColumn<bool>("inFront");
        QTest::addColumn<bool>("warningsOn");
        QTest::addColumn<QStringList>("armings"); // day counts, or "reset"
        QTest::addColumn<QList<int>>("told");
        QTest::newRow("behind") << false << true << QStringList{"3"} << QList<int>{3};
        QTest::newRow("in front") << true << true << QStringList{"3"} << QList<int>{};
        QTest::newRow("warnings off") << false << false << QStringList{"3"} << QList<int>{};
        QTest::newRow("same day") << false << true << QStringList{"3", "3"} << QList<int>{3};
        QTest::newRow("new count")
            << false << true << QStringList{"3", "reset", "3"} << QList<int>{3, 3};
    }
    void warningNotified()
    {
        QFETCH(bool, inFront);
        QFETCH(bool, warningsOn);
        QFETCH(QStringList, armings);
        QFETCH(QList<int>, told);
        TestWorld world;
        PreferenceValues values;
        values.blnDisplayWarnings = warningsOn;
        QVERIFY(world.preferences.Save(values, nullptr));
        fake.notified.clear();
        WarningNotifier notifier(world.count, world.preferences, pendrel, [&] { return inFront; });
        for (const QString &arming : armings) {
            if (arming == "reset")
                emit world.count.wasReset();
            else
                emit world.count.warningArmed(arming.toInt());
        }
        QList<QVariantList> expected;
        for (int days : told)
            expected << QVariantList{"Pendrel", 0u, "org.example.Pendrel",
                                     modStopWatch::WarningText(days)};
        // Answered after the notifications asked before: the bus keeps their order.
        const QDBusPendingCall call = pendrel.asyncCall(
            QDBusMessage::createMethodCall(Notifications, "/", Notifications, "GetCapabilities"));
        QTRY_VERIFY(call.isFinished());
        QCOMPARE(fake.notified, expected);
    }

    // Locked, the windows rest; unlocked, they run again, with the count as it is.
    void lockRestsWindows_data()
    {
        QTest::addColumn<QString>("path"); // where the desktop tells the lock
        QTest::addColumn<bool>("saverAtStart");
        QTest::addColumn<bool>("sessionAtStart");
        QTest::newRow("screen saver") << "/org/freedesktop/ScreenSaver" << false << false;
        QTest::newRow("short path") << "/ScreenSaver" << false << false;
        QTest::newRow("saver at start") << "/org/freedesktop/ScreenSaver" << true << false;
        QTest::newRow("session") << Session << false << false;
        QTest::newRow("session at start") << Session << false << true;
    }
    void lockRestsWindows()
    {
        QFETCH(QString, path);
        QFETCH(bool, saverAtStart);
        QFETCH(bool, sessionAtStart);
        fake.answers["GetActive"] = saverAtStart;
        fake.answers["Get"] = QVariant::fromValue(QDBusVariant(sessionAtStart));
        fake.asked.clear();
        TestWorld world;
        ScreenLock lock(pendrel, pendrel);
        CurrentLock current(lock);
        QSignalSpy changed(&lock, &ScreenLock::lockedChanged);
        const auto tell = [&](bool locked) {
            QDBusMessage message = QDBusMessage::createSignal(path, Saver, "ActiveChanged")
                                   << locked;
            if (path == Session) {
                message = QDBusMessage::createSignal(path, "org.freedesktop.DBus.Properties",
                                                     "PropertiesChanged")
                          << "org.freedesktop.login1.Session" << QVariantMap{{"LockedHint", locked}}
                          << QStringList();
            }
            return desktop.send(message) && changed.wait(10'000);
        };
        frmMain window(world.count, world.preferences);
        frmCompact compact(world.count);
        compact.blnActive = true;
        world.count.Start();
        window.show();
        compact.show();
        QTRY_VERIFY(fake.asked.contains("Get")); // the last question: listening to both
        if (!saverAtStart && !sessionAtStart)
            QVERIFY(tell(true));
        QTRY_VERIFY(lock.IsLocked());
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), false);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), false);
        world.clock.advance(Hour + 2'340);
        QVERIFY(tell(false));
        QCOMPARE(ShownTime(&window), "01:00:02.34");
        QCOMPARE(ShownTime(&compact), "01:00:02.34");
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), true);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), true);
    }
};

QTEST_MAIN(tst_desktopservices)
#include "tst_desktopservices.moc"
