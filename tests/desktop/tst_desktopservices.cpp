#include "BusSupport.h"
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "desktop/ScreenLock.h"
#include "desktop/WarningNotifier.h"

#include <QtDBus>

const QString Saver = "org.freedesktop.ScreenSaver",
              Notifications = "org.freedesktop.Notifications";

// The desktop's screen saver and notifications at every path: what they are asked, and their
// answers by method.
struct FakeDesktop : QDBusVirtualObject {
    QStringList asked;
    QList<QVariantList> notified; // app, replaced id, icon, summary
    QVariantMap answers{{"GetActive", false}, {"Notify", 1u}, {"Ping", true}};
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &bus) override
    {
        asked << message.member();
        if (message.member() == "Notify")
            notified << message.arguments().mid(0, 4);
        return bus.send(message.createReply(answers.value(message.member())));
    }
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
        QVERIFY(desktop.registerService(Saver));
        QVERIFY(desktop.registerService(Notifications));
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
        QTest::addColumn<QString>("path"); // where the screen saver tells
        QTest::addColumn<bool>("atStart"); // or it says so when asked at start-up
        QTest::newRow("told") << "/org/freedesktop/ScreenSaver" << false;
        QTest::newRow("short path") << "/ScreenSaver" << false;
        QTest::newRow("at start-up") << "/org/freedesktop/ScreenSaver" << true;
    }
    void lockRestsWindows()
    {
        QFETCH(QString, path);
        QFETCH(bool, atStart);
        fake.answers["GetActive"] = atStart;
        fake.asked.clear();
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
        QTRY_VERIFY(fake.asked.contains("GetActive")); // asked once listening
        if (!atStart)
            QVERIFY(desktop.send(QDBusMessage::createSignal(path, Saver, "ActiveChanged") << true));
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), false);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), false);
        world.clock.advance(Hour + 2'340);
        QVERIFY(desktop.send(QDBusMessage::createSignal(path, Saver, "ActiveChanged") << false));
        QVERIFY(changed.wait(10'000));
        QCOMPARE(ShownTime(&window), "01:00:02.34");
        QCOMPARE(ShownTime(&compact), "01:00:02.34");
        QCOMPARE(Control<QTimer>(&window, "timDisplay")->isActive(), true);
        QCOMPARE(Control<QTimer>(&compact, "timDisplay")->isActive(), true);
    }
};

QTEST_MAIN(tst_desktopservices)
#include "tst_desktopservices.moc"
