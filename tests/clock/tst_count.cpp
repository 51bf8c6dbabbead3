// The count without any window: Start/Stop/Reset, its texts, the roll-over and its signals.
#include "CoreTestSupport.h"

#include "clock/StopWatch.h"

using namespace modStopWatch;

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
};

QTEST_GUILESS_MAIN(tst_count)
#include "tst_count.moc"
