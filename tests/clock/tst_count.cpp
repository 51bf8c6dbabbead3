// The count without any window: Start/Stop/Reset, its texts, the roll-over and its signals.
#include "CoreTestSupport.h"

#include "clock/StopWatch.h"
#include "settings/CountKeeper.h"
#include "settings/SettingsStore.h"

using namespace modStopWatch;

// The machine a run of Pendrel finds: its boot clock, wall clock and boot.
struct Machine {
    FakeClock boot;
    qint64 wall = 1'780'000'000'000;
    QString id = "boot 1";

    CountKeeper::Clocks clocks()
    {
        return {boot.source(), [this] { return wall; }, [this] { return id; }};
    }
    void pass(qint64 bootMs, qint64 wallMs)
    {
        boot.advance(bootMs);
        wall += wallMs;
    }
};

class tst_count : public QObject
{
    Q_OBJECT

    FakeClock clock;

    QString after(StopWatch &count, qint64 ms) // "0 Years, ..."
    {
        clock.advance(ms);
        return count.Texts().Joined();
    }

private slots:
    // Warnings armed on the wrong days, when off, or while the compact window holds them;
    // off-by-one at midnight, a roll-over lost, doubled or done by a mere reading, drift over a
    // year of irregular roll-overs, a year not carried; the count's own timer, due at the end of
    // the day but never more than a minute away, as a suspend holds ordinary timers.
    void rollOverDaysAndYears()
    {
        StopWatch count(clock.source());
        QVERIFY(!WarningRule({0, false}).Arms(1)); // switched off
        count.SetWarningRule({1, true});
        QSignalSpy days(&count, &StopWatch::dayRolledOver), armed(&count, &StopWatch::warningArmed);
        auto *timer = count.findChild<QTimer *>("tmrRollOver");
        count.Start();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 60'000);
        QCOMPARE(after(count, Day - 1'234), "0 Years, 0 Days, 23:59:58.76");
        QCOMPARE(count.RollOverTimerMs(), 1'234);
        QCOMPARE(after(count, 1'233), "0 Years, 0 Days, 23:59:59.99");
        QCOMPARE(after(count, 1), "0 Years, 1 Days, 00:00:00.00");
        QCOMPARE(days.size(), 0); // shown at once, rolled over by the timer alone
        QMetaObject::invokeMethod(timer, "timeout");
        QVERIFY(timer->isActive());
        QCOMPARE(days.size(), 1);
        count.SetWarningsHeld(true);
        QCOMPARE(after(count, Day + 30), "0 Years, 2 Days, 00:00:00.03");
        count.CatchUp();
        count.SetWarningsHeld(false);
        QCOMPARE(days.size(), 2);
        qint64 total = 2 * Day;
        QRandomGenerator random(42);
        while (total < 364 * Day - 2 * Hour) {
            const qint64 step = random.bounded(Hour / 2, 2 * Hour) + random.bounded(1000);
            clock.advance(step);
            count.CatchUp();
            total += step;
        }
        QCOMPARE(after(count, 364 * Day - total + 1507), "0 Years, 364 Days, 00:00:01.53");
        count.CatchUp();
        QCOMPARE(days.size(), 364);
        QCOMPARE(armed.size(), 363); // days 1, and 3 to 364
        QCOMPARE(armed.first().first().toInt(), 1);
        QCOMPARE(after(count, Day), "1 Years, 0 Days, 00:00:01.53");
        count.CatchUp();
        QCOMPARE(days.last(), (QVariantList{0, 1}));
        QCOMPARE(armed.size(), 363); // not day 0 of the new year
        count.Stop();
        QVERIFY(!timer->isActive());
    }

    // A suspend: every whole day that passed counts, once, running or stopped around it; a
    // 32-bit tick would lose 49.7 days from any jump past that. Reset then starts from nothing.
    void longSuspends_data()
    {
        QTest::addColumn<qint64>("days");
        QTest::addColumn<bool>("stopped");
        for (const qint64 days : {48, 50, 60, 400}) {
            QTest::addRow("%lld days, running", days) << days << false;
            QTest::addRow("%lld days, stopped", days) << days << true;
        }
    }
    void longSuspends()
    {
        QFETCH(qint64, days);
        QFETCH(bool, stopped);
        StopWatch count(clock.source());
        QSignalSpy rolled(&count, &StopWatch::dayRolledOver);
        count.Start();
        clock.advance(3 * Hour);
        if (stopped)
            count.Stop();
        clock.advance(days * Day);
        count.Start(); // resumes, or does nothing while running
        const qint64 counted = stopped ? 0 : days;
        QCOMPARE(after(count, 250), QString::asprintf("%lld Years, %lld Days, 03:00:00.25",
                                                      counted / 365, counted % 365));
        count.CatchUp(); // as the main window does when it shows again
        QCOMPARE(rolled.size(), stopped ? 0 : 1);
        count.Stop();
        count.Reset(); // from a count of years and days alike
        QCOMPARE(after(count, Hour), "0 Years, 0 Days, 00:00:00.00");
    }

    // A count kept across runs: closed or crashed, a reboot measured on the wall clock and a
    // restart on the boot clock, a wall clock set back, a stopped or reset count; days passed
    // meanwhile roll over once, as after a suspend.
    void keptAcrossRuns_data()
    {
        QTest::addColumn<QString>("first"); // what the first run leaves: "running", "crashed"...
        QTest::addColumn<bool>("reboot");
        QTest::addColumn<qint64>("bootMs"); // what passes until the next run, on each clock
        QTest::addColumn<qint64>("wallMs");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("rolled");
        QTest::newRow("closed 3 hours")
            << "running" << false << 3 * Hour << 3 * Hour << "0 Years, 0 Days, 05:00:00.25" << 0;
        QTest::newRow("crashed") << "crashed" << false << 3 * Hour << 3 * Hour
                                 << "0 Years, 0 Days, 05:00:00.25" << 0;
        QTest::newRow("off 400 days")
            << "running" << true << Hour << 400 * Day << "1 Years, 35 Days, 02:00:00.25" << 1;
        QTest::newRow("wall clock set back")
            << "running" << true << Hour << -Day << "0 Years, 0 Days, 02:00:00.25" << 0;
        QTest::newRow("wall clock moved")
            << "running" << false << Hour << 5 * Day << "0 Years, 0 Days, 03:00:00.25" << 0;
        QTest::newRow("stopped") << "stopped" << true << Hour << Day
                                 << "0 Years, 0 Days, 02:00:00.25" << 0;
        QTest::newRow("reset") << "reset" << false << Hour << Hour << "0 Years, 0 Days, 00:00:00.00"
                               << 0;
        QTest::newRow("option off")
            << "forgotten" << false << Hour << Hour << "0 Years, 0 Days, 00:00:00.00" << 0;
    }
    void keptAcrossRuns()
    {
        QFETCH(QString, first);
        QFETCH(bool, reboot);
        QFETCH(qint64, bootMs);
        QFETCH(qint64, wallMs);
        QFETCH(QString, shown);
        QFETCH(int, rolled);
        TestHome home;
        Machine machine;
        QByteArray beforeTheEnd;
        {
            StopWatch count(machine.boot.source());
            CountKeeper keeper(count, machine.clocks());
            QVERIFY(keeper.SetEnabled(true));
            count.Start();
            machine.pass(2 * Hour + 250, 2 * Hour + 250);
            if (first != "running" && first != "crashed")
                count.Stop();
            if (first == "reset")
                count.Reset();
            if (first == "forgotten")
                QVERIFY(keeper.SetEnabled(false));
            beforeTheEnd = home.logBytes(home.settingsFile());
        }
        if (first == "crashed") // the store as it was before the program could end
            home.writeLog(beforeTheEnd, home.settingsFile());
        if (reboot) {
            machine.boot.now = 5'000;
            machine.id = "boot 2";
        }
        machine.pass(bootMs, wallMs);
        StopWatch count(machine.boot.source());
        QSignalSpy days(&count, &StopWatch::dayRolledOver);
        CountKeeper keeper(count, machine.clocks());
        QCOMPARE(keeper.Restore(), QString());
        QCOMPARE(count.Texts().Joined(), shown);
        QCOMPARE(count.IsRunning(), first == "running" || first == "crashed");
        QCOMPARE(days.size(), rolled);
    }

    // A kept count that is damaged, hand-edited or from the future is reported, not taken up,
    // and not written over before the user has seen the message.
    void untrustedKeptCount_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("state") << "State"
                               << "Walking";
        QTest::newRow("days") << "Days"
                              << "365";
        QTest::newRow("milliseconds") << "Milliseconds"
                                      << "1.5e3";
        QTest::newRow("from the future") << "Boot Clock"
                                         << "99999999";
    }
    void untrustedKeptCount()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        TestHome home;
        Machine machine;
        {
            StopWatch count(machine.boot.source());
            CountKeeper keeper(count, machine.clocks());
            QVERIFY(keeper.SetEnabled(true));
            count.Start();
        }
        QVERIFY(SettingsStore::SaveSetting("Count", key, value));
        const QByteArray stored = home.logBytes(home.settingsFile());
        StopWatch next(machine.boot.source());
        CountKeeper keeper(next, machine.clocks());
        QVERIFY(keeper.Restore().startsWith("The count kept from the last run can't be trusted"));
        QCOMPARE(next.Keep().started, false);
        QCOMPARE(home.logBytes(home.settingsFile()), stored);
    }
};

QTEST_GUILESS_MAIN(tst_count)
#include "tst_count.moc"
