// The count without any window: texts, Start/Stop/Reset, the roll-over and its signals.
#include "CoreTestSupport.h"

#include "clock/StopWatch.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using namespace modStopWatch;

namespace {
constexpr qint64 Hour = MsPerHour, Day = MsPerDay;

QString Shown(const CountTexts &t) // "Y Years D Days hh:mm:ss.cc"
{
    return t.years + " " + t.days + " " + t.hours + t.minutes + t.seconds + t.hundredths;
}

QString Shown(const StopWatch &count)
{
    return Shown(count.Texts());
}
} // namespace

class tst_count : public QObject
{
    Q_OBJECT

    FakeClock clock;

    QString after(StopWatch &count, qint64 ms, StopWatch::Arming arming = {})
    {
        clock.advance(ms);
        count.Update(arming);
        return Shown(count);
    }

private slots:
    // Hundredths are cut, never rounded, and the fields carry at the right places.
    void texts()
    {
        const std::pair<qint64, const char *> rows[] = {
            {0, "00:00:00.00"},         {5, "00:00:00.00"},         {45, "00:00:00.04"},
            {123, "00:00:00.12"},       {999, "00:00:00.99"},       {61'234, "00:01:01.23"},
            {3'599'999, "00:59:59.99"}, {3'600'000, "01:00:00.00"}, {86'399'999, "23:59:59.99"}};
        for (const auto &[ms, shown] : rows)
            QCOMPARE(Shown(FormatCount(0, 0, ms)), "0 Years 0 Days " + QString(shown));
        QCOMPARE(FormatCount(12, 3, 4 * Hour + 5 * 60'000 + 6'789).Joined(),
                 "12 Years, 3 Days, 04:05:06.78");
        // As assistive tools speak it: whole seconds, and one year or day is singular.
        QCOMPARE(FormatCount(12, 3, 4 * Hour + 5 * 60'000 + 6'789).Spoken(),
                 "12 years, 3 days, 04:05:06");
        QCOMPARE(FormatCount(1, 1, 86'399'999).Spoken(), "1 year, 1 day, 23:59:59");
        QCOMPARE(FormatCount(0, 11, 0).Spoken(), "0 years, 11 days, 00:00:00");
    }

    // A resume that counts the pause, a Stop that freezes at the last update instead of the
    // instant, a Reset that keeps days or a pause, a Reset while running.
    void startStopReset()
    {
        StopWatch count(clock.source());
        QSignalSpy running(&count, &StopWatch::runningChanged);
        QVERIFY(!count.CanReset());
        count.Start();
        QCOMPARE(after(count, 5'000), "0 Years 0 Days 00:00:05.00");
        clock.advance(1'230);
        count.Stop();
        QCOMPARE(Shown(count), "0 Years 0 Days 00:00:06.23");
        clock.advance(10'000);
        count.Start();
        QCOMPARE(after(count, 1'000), "0 Years 0 Days 00:00:07.23");
        count.Reset(); // refused while running
        QCOMPARE(after(count, 2 * Day), "0 Years 2 Days 00:00:07.23");
        count.Stop();
        QVERIFY(count.CanReset());
        QSignalSpy reset(&count, &StopWatch::wasReset);
        count.Reset();
        QCOMPARE(Shown(count), "0 Years 0 Days 00:00:00.00");
        QCOMPARE(reset.size(), 1);
        clock.advance(Hour);
        count.Start();
        QCOMPARE(after(count, 10), "0 Years 0 Days 00:00:00.01");
        QCOMPARE(running.size(), 5);
        QCOMPARE(running.last().first().toBool(), true);
    }

    // Off-by-one at midnight, a roll-over lost or doubled, drift over a year of irregular
    // updates, a year not carried, warnings armed on the wrong days or by the compact window.
    void rollOverDaysAndYears()
    {
        StopWatch count(clock.source());
        count.SetWarningRule({2, true});
        QSignalSpy days(&count, &StopWatch::dayRolledOver), armed(&count, &StopWatch::warningArmed);
        count.Start();
        QCOMPARE(after(count, Day - 1), "0 Years 0 Days 23:59:59.99");
        QCOMPARE(after(count, 1, StopWatch::Arming::Withheld), "0 Years 1 Days 00:00:00.00");
        QCOMPARE(after(count, Day + 30), "0 Years 2 Days 00:00:00.03");
        QCOMPARE(days.size(), 2);
        QCOMPARE(armed.size(), 1);
        QCOMPARE(armed.last().first().toInt(), 2);
        qint64 total = 2 * Day;
        QRandomGenerator random(42);
        while (total < 364 * Day - 2 * Hour) {
            const qint64 step = random.bounded(Hour / 2, 2 * Hour) + random.bounded(1000);
            after(count, step);
            total += step;
        }
        QCOMPARE(after(count, 364 * Day - total + 1507), "0 Years 364 Days 00:00:01.53");
        QCOMPARE(days.size(), 364);
        QCOMPARE(after(count, Day), "1 Years 0 Days 00:00:01.53");
        QCOMPARE(days.last(), (QVariantList{0, 1}));
        QCOMPARE(armed.size(), 363); // days 2 to 364; not day 0 of the new year
    }

    // A suspend: every whole day that passed counts, once, running or stopped around it; a
    // 32-bit tick would lose 49.7 days from any jump past that.
    void longSuspends()
    {
        for (const qint64 days : {48, 50, 60, 400}) {
            for (const bool stoppedDuringIt : {false, true}) {
                StopWatch count(clock.source());
                QSignalSpy rolled(&count, &StopWatch::dayRolledOver);
                count.Start();
                clock.advance(3 * Hour);
                if (stoppedDuringIt)
                    count.Stop();
                clock.advance(days * Day);
                count.Start(); // resumes, or does nothing while running
                const qint64 counted = stoppedDuringIt ? 0 : days;
                const QString expected =
                    QString("%1 Years %2 Days 03:00:00.25").arg(counted / 365).arg(counted % 365);
                QCOMPARE(after(count, 250), expected);
                QCOMPARE(rolled.size(), stoppedDuringIt ? 0 : 1);
            }
        }
    }

    // The count's own roll-over timer: due at the exact end of the day, but never more than a
    // minute away, so that a suspend, which holds ordinary timers, can't delay it long.
    void rollOverTimer()
    {
        StopWatch count(clock.source());
        QTimer *timer = count.findChild<QTimer *>("tmrRollOver");
        QVERIFY(timer && !timer->isActive());
        count.Start();
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->interval(), 60'000);
        clock.advance(Day - 1'234);
        QCOMPARE(count.RollOverTimerMs(), 1'234);
        QSignalSpy rolled(&count, &StopWatch::dayRolledOver);
        clock.advance(1'234);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(rolled.size(), 1);
        QCOMPARE(Shown(count), "0 Years 1 Days 00:00:00.00");
        QVERIFY(timer->isActive());
        count.Stop();
        QVERIFY(!timer->isActive());
    }
};

QTEST_GUILESS_MAIN(tst_count)
#include "tst_count.moc"
