// The count: its texts, the day and year roll-over and the tick arithmetic, on a fake clock.
#include "TestSupport.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QWidget>
#include <QtTest>

using namespace modStopWatch;

namespace {
const char *const LabelNames[] = {"lblYears",   "lblDays",    "lblHours",
                                  "lblMinutes", "lblSeconds", "lblSecHundreds"};

// A window with the six count labels, found by name as on the main window.
struct CountWindow {
    QWidget window;
    explicit CountWindow(const char *name = "frmMain", bool withDays = true)
    {
        window.setObjectName(QLatin1String(name));
        for (const char *label : LabelNames) {
            if (!withDays && (qstrcmp(label, "lblYears") == 0 || qstrcmp(label, "lblDays") == 0))
                continue;
            (new QLabel(&window))->setObjectName(QLatin1String(label));
        }
        ShowZero(&window);
    }
    QString time() const
    {
        return Caption(&window, "lblHours") + Caption(&window, "lblMinutes") +
               Caption(&window, "lblSeconds") + Caption(&window, "lblSecHundreds");
    }
    QString days() const { return Caption(&window, "lblDays"); }
    QString years() const { return Caption(&window, "lblYears"); }
};

constexpr qint64 Hour = 3'600'000;
constexpr qint64 Day = 24 * Hour;
} // namespace

class tst_count : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    // Starts a fresh count and moves the clock, then updates `w` as a display tick would.
    void tickAfter(CountWindow &w, qint64 ms)
    {
        world->clock.advance(ms);
        UpdateDisplay(ElapsedMs(), &w.window);
    }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        SetMainWindow(nullptr);
    }
    void cleanup() { world.reset(); }

    void texts_data()
    {
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << 0u << "00:00:00.00";
        QTest::newRow("5 ms shows no hundredth") << 5u << "00:00:00.00";
        QTest::newRow("45 ms is four hundredths") << 45u << "00:00:00.04";
        QTest::newRow("123 ms") << 123u << "00:00:00.12";
        QTest::newRow("999 ms") << 999u << "00:00:00.99";
        QTest::newRow("61,234 ms") << 61'234u << "00:01:01.23";
        QTest::newRow("just below an hour") << 3'599'999u << "00:59:59.99";
        QTest::newRow("one hour") << 3'600'000u << "01:00:00.00";
        QTest::newRow("just below a day") << 86'399'999u << "23:59:59.99";
    }
    void texts()
    {
        QFETCH(quint32, ms);
        QFETCH(QString, shown);
        const TimeTexts t = FormatTime(ms);
        QCOMPARE(t.hours + t.minutes + t.seconds + t.hundredths, shown);
        // The point after the seconds never follows the locale.
        QVERIFY(t.seconds.endsWith(QLatin1Char('.')));
    }

    void dayAndYearTexts()
    {
        QCOMPARE(DaysText(1), QString("1 Days"));
        QCOMPARE(YearsText(0), QString("0 Years"));
        QCOMPARE(DaysText(364), QString("364 Days"));
    }

    void rollOverAtExactlyOneDay()
    {
        CountWindow w;
        StartCount();
        tickAfter(w, Day - 1);
        QCOMPARE(w.time(), QString("23:59:59.99"));
        QCOMPARE(w.days(), QString("0 Days"));
        tickAfter(w, 1);
        QCOMPARE(w.time(), QString("00:00:00.00"));
        QCOMPARE(w.days(), QString("1 Days"));
        QCOMPARE(Count().intDays, qint16(1));
        // The next day counts from the roll-over.
        tickAfter(w, 1500);
        QCOMPARE(w.time(), QString("00:00:01.50"));
        QCOMPARE(w.days(), QString("1 Days"));
    }

    void lateTickKeepsTheMillisecondsPastMidnight()
    {
        CountWindow w;
        StartCount();
        tickAfter(w, Day + 37);
        QCOMPARE(w.time(), QString("00:00:00.03"));
        tickAfter(w, 1000);
        QCOMPARE(w.time(), QString("00:00:01.03"));
    }

    void yearAfter365RollOvers()
    {
        CountWindow w;
        StartCount();
        for (int day = 1; day < 365; ++day)
            tickAfter(w, Day);
        QCOMPARE(w.days(), QString("364 Days"));
        QCOMPARE(w.years(), QString("0 Years"));
        tickAfter(w, Day);
        QCOMPARE(w.years(), QString("1 Years"));
        QCOMPARE(w.days(), QString("0 Days"));
        QCOMPARE(Count().intDays, qint16(0));
        QCOMPARE(Count().intYears, qint16(1));
    }

    // A year of irregular ticks ends exactly a year on, to the hundredth.
    void aYearOfTicksDoesNotDrift()
    {
        CountWindow w;
        StartCount();
        QRandomGenerator random(42);
        qint64 total = 0;
        const qint64 year = 365 * Day;
        while (total < year - 2 * Hour) {
            const qint64 step = random.bounded(Hour / 2, 2 * Hour) + random.bounded(1000);
            total += step;
            tickAfter(w, step);
        }
        tickAfter(w, year - total + 4'321);
        QCOMPARE(w.years(), QString("1 Years"));
        QCOMPARE(w.days(), QString("0 Days"));
        QCOMPARE(w.time(), QString("00:00:04.32"));
    }

    void tickCounterWraps_data()
    {
        QTest::addColumn<qint64>("startTick");
        QTest::newRow("across 2^31") << qint64(0x7FFF'FFFF) - 2'000;
        QTest::newRow("across 2^32") << qint64(0xFFFF'FFFF) - 2'000;
    }
    void tickCounterWraps()
    {
        QFETCH(qint64, startTick);
        world->clock.now = qint32(quint32(startTick));
        CountWindow w;
        StartCount();
        tickAfter(w, 5'000);
        QCOMPARE(w.time(), QString("00:00:05.00"));
        // A pause that spans the wrap is not counted.
        StopCount();
        world->clock.advance(10'000);
        StartCount();
        tickAfter(w, 1'230);
        QCOMPARE(w.time(), QString("00:00:06.23"));
    }

    void suspendOfDaysRollsOverOnce()
    {
        CountWindow w;
        StartCount();
        tickAfter(w, 3 * Day + 5 * Hour);
        QCOMPARE(w.days(), QString("3 Days"));
        QCOMPARE(w.time(), QString("05:00:00.00"));
        tickAfter(w, 10);
        QCOMPARE(w.time(), QString("05:00:00.01"));
        QCOMPARE(w.days(), QString("3 Days"));
    }

    void suspendAcrossTheYearCarries()
    {
        CountWindow w;
        StartCount();
        for (int day = 0; day < 363; ++day)
            tickAfter(w, Day);
        tickAfter(w, 4 * Day + 2 * Hour);
        QCOMPARE(w.years(), QString("1 Years"));
        QCOMPARE(w.days(), QString("2 Days"));
        QCOMPARE(w.time(), QString("02:00:00.00"));
    }

    void resumeSkipsThePause()
    {
        CountWindow w;
        StartCount();
        tickAfter(w, 5'000);
        StopCount();
        world->clock.advance(10'000);
        StartCount();
        tickAfter(w, 0);
        QCOMPARE(w.time(), QString("00:00:05.00"));
        // A pause before a roll-over is not counted in the day either.
        tickAfter(w, Day - 5'000);
        QCOMPARE(w.days(), QString("1 Days"));
        QCOMPARE(w.time(), QString("00:00:00.00"));
    }

    void resetForgetsThePausedTime()
    {
        CountWindow w;
        StartCount();
        tickAfter(w, 7'000);
        StopCount();
        world->clock.advance(60'000);
        ResetCount();
        StartCount();
        tickAfter(w, 250);
        QCOMPARE(w.time(), QString("00:00:00.25"));
    }

    // A window without day labels (the compact one) hands the day texts to the main window.
    void rollOverOnAWindowWithoutDays()
    {
        CountWindow main;
        CountWindow compact("frmCompact", false);
        SetMainWindow(&main.window);
        StartCount();
        tickAfter(compact, Day + 20);
        QCOMPARE(compact.time(), QString("00:00:00.02"));
        QCOMPARE(main.days(), QString("1 Days"));
        // The main window's own tick then carries on in the new day.
        tickAfter(main, 10);
        QCOMPARE(main.time(), QString("00:00:00.03"));
        QCOMPARE(main.days(), QString("1 Days"));
    }
};

QTEST_MAIN(tst_count)
#include "tst_count.moc"
