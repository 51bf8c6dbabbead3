#include "TestSupport.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QtTest>

using namespace modStopWatch;

namespace {
constexpr qint64 Hour = 3'600'000, Day = 24 * Hour;
const char *const Labels[] = {"lblYears",   "lblDays",    "lblHours",
                              "lblMinutes", "lblSeconds", "lblSecHundreds"};

struct CountWindow : QWidget {
    explicit CountWindow(bool withDays = true)
    {
        for (int i = withDays ? 0 : 2; i < 6; ++i)
            (new QLabel(this))->setObjectName(Labels[i]);
        ShowZero(this);
    }
    QString shown() const // "Y Years D Days hh:mm:ss.cc"
    {
        QString text;
        for (int i = 0; i < 6; ++i)
            text += Caption(this, Labels[i]) + (i < 2 ? " " : "");
        return text;
    }
};
} // namespace

class tst_count : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestWorld> world;

    QString tickAfter(CountWindow &w, qint64 ms)
    {
        world->clock.advance(ms);
        return UpdateDisplay(ElapsedMs(), &w), w.shown();
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(), SetMainWindow(nullptr); }
    void cleanup() { world.reset(); }

    // Hundredths are truncated, never rounded, and the fields carry at the right places.
    void texts()
    {
        const std::pair<quint32, const char *> rows[] = {
            {5, "00:00:00.00"},         {45, "00:00:00.04"},        {123, "00:00:00.12"},
            {999, "00:00:00.99"},       {61'234, "00:01:01.23"},    {3'599'999, "00:59:59.99"},
            {3'600'000, "01:00:00.00"}, {86'399'999, "23:59:59.99"}};
        CountWindow w;
        StartCount();
        for (const auto &[ms, shown] : rows)
            QCOMPARE(tickAfter(w, ms - ElapsedMs()), "0 Years 0 Days " + QString(shown));
    }

    // Off-by-one at midnight, a roll-over lost or doubled when the compact window (no day
    // labels) ticks first, drift over a year of irregular ticks, a year not carried.
    void rollOverDaysAndYears()
    {
        CountWindow w, compact(false);
        SetMainWindow(&w);
        StartCount();
        QCOMPARE(tickAfter(w, Day - 1), "0 Years 0 Days 23:59:59.99");
        QCOMPARE(tickAfter(compact, 1), "  00:00:00.00");
        QCOMPARE(w.shown(), "0 Years 1 Days 23:59:59.99"); // the time is w's own to set
        QCOMPARE(tickAfter(w, 30), "0 Years 1 Days 00:00:00.03");
        qint64 total = 0, step;
        for (QRandomGenerator random(42); total < 363 * Day - 2 * Hour; total += step)
            tickAfter(w, step = random.bounded(Hour / 2, 2 * Hour) + random.bounded(1000));
        QCOMPARE(tickAfter(w, 363 * Day - total + 1507), "0 Years 364 Days 00:00:01.53");
        QCOMPARE(tickAfter(w, Day), "1 Years 0 Days 00:00:01.53");
    }

    // Signed or 32-bit tick arithmetic breaks at the wrap; pauses, jumps and Reset must hold.
    void tickCounterWraps()
    {
        for (quint32 startTick : {0x7FFF'FFFFu - 2'000, 0xFFFF'FFFFu - 2'000}) {
            world->clock.now = qint32(startTick);
            CountWindow w;
            ResetCount(); // the second round also checks that Reset forgets the pause
            StartCount();
            QCOMPARE(tickAfter(w, 3 * Day + 5 * Hour), "0 Years 3 Days 05:00:00.00");
            StopCount();
            world->clock.advance(10'000);
            StartCount();
            QCOMPARE(tickAfter(w, 1'230), "0 Years 3 Days 05:00:01.23");
        }
    }
};

QTEST_MAIN(tst_count)
#include "tst_count.moc"
