// The count without any window: Start/Stop/Reset, its texts, the roll-over and its signals.
#include "CoreTestSupport.h"

#include "clock/StopWatch.h"
#include "settings/CountKeeper.h"

using namespace modStopWatch;

// The machine a run of Pendrel finds: its home folder, boot clock, wall clock and boot.
struct Machine {
    TestHome home;
    FakeClock boot;
    qint64 wall = 1'780'000'000'000;
    QString id = "boot 1";
    CountKeeper::Clocks clocks()
    {
        return {boot.source(), [this] { return wall; }, [this] { return id; }};
    }
};

// How a kept count's first run ends, the hours on each clock to the next, what that one shows.
struct Run {
    QString first;
    bool reboot;
    qint64 bootHours, wallHours;
    QString shown;
    int rolled;
};
Q_DECLARE_METATYPE(Run)

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
    // Warnings and roll-overs at each midnight, none lost, doubled or drifting, as in a suspend.
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
        const qint64 end = clock.now + 362 * Day + 1507; // 364 days and 1.537 s counted
        QRandomGenerator random(42);
        while (clock.now < end - 2 * Hour) {
            clock.advance(random.bounded(Hour / 2, 2 * Hour) + random.bounded(1000));
            count.CatchUp();
        }
        QCOMPARE(after(count, end - clock.now), "0 Years, 364 Days, 00:00:01.53");
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

    // Every day of a long suspend counts, once, past 49.7 days too; Reset then starts anew.
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

    // A count kept across restarts and reboots, whatever the wall clock did meanwhile.
    void keptAcrossRuns_data()
    {
        QTest::addColumn<Run>("run");
        const std::pair<const char *, Run> rows[] = {
            {"closed 3 hours", {"running", false, 3, 3, "0 Years, 0 Days, 05:00:00.25", 0}},
            {"crashed", {"crashed", false, 3, 3, "0 Years, 0 Days, 05:00:00.25", 0}},
            {"off 400 days", {"running", true, 1, 400 * 24, "1 Years, 35 Days, 02:00:00.25", 1}},
            {"wall clock set back", {"running", true, 1, -24, "0 Years, 0 Days, 02:00:00.25", 0}},
            {"wall clock moved", {"running", false, 1, 5 * 24, "0 Years, 0 Days, 03:00:00.25", 0}},
            {"stopped", {"stopped", true, 1, 24, "0 Years, 0 Days, 02:00:00.25", 0}}};
        for (const auto &[name, run] : rows)
            QTest::newRow(name) << run;
    }
    void keptAcrossRuns()
    {
        QFETCH(Run, run);
        Machine machine;
        QByteArray beforeTheEnd;
        {
            StopWatch count(machine.boot.source());
            CountKeeper keeper(count, machine.clocks());
            QVERIFY(keeper.SetEnabled(true));
            count.Start();
            machine.boot.advance(2 * Hour + 250);
            machine.wall += 2 * Hour + 250;
            if (run.first == "stopped")
                count.Stop();
            beforeTheEnd = machine.home.logBytes(machine.home.settingsFile());
        }
        if (run.first == "crashed") // the store as it was before the program could end
            machine.home.writeLog(beforeTheEnd, machine.home.settingsFile());
        if (run.reboot) // a new boot, its clock from zero
            machine.boot.now = 5'000;
        machine.id = run.reboot ? "boot 2" : "boot 1";
        machine.boot.advance(run.bootHours * Hour);
        machine.wall += run.wallHours * Hour;
        StopWatch count(machine.boot.source());
        QSignalSpy days(&count, &StopWatch::dayRolledOver);
        CountKeeper keeper(count, machine.clocks());
        QCOMPARE(keeper.Restore(), QString());
        QCOMPARE(count.Texts().Joined(), run.shown);
        QCOMPARE(count.IsRunning(), run.first == "running" || run.first == "crashed");
        QCOMPARE(days.size(), run.rolled);
    }

    // A kept count edited by hand past a year is reported, not taken up, and not written over.
    void untrustedKeptCount()
    {
        Machine machine;
        const QByteArray stored = "[Count]\nState=Running\nYears=0\nDays=365\nMilliseconds=5\n"
                                  "Boot=boot 1\nBoot%20Clock=900\nWall%20Clock=1\n";
        machine.home.writeLog(stored, machine.home.settingsFile());
        StopWatch count(machine.boot.source());
        CountKeeper keeper(count, machine.clocks());
        QVERIFY(keeper.Restore().contains("its Days is \"365\""));
        QCOMPARE(count.Keep().started, false);
        QCOMPARE(machine.home.logBytes(machine.home.settingsFile()), stored);
    }
};

QTEST_GUILESS_MAIN(tst_count)
#include "tst_count.moc"
