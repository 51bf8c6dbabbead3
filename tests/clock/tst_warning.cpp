#include "TestSupport.h"

#include "app/frmMain.h"

#include <QTimer>
#include <QtTest>

using namespace modStopWatch;

constexpr qint64 Minute = 60'000, Day = 24 * 60 * Minute;

static QString Showing(frmMain &w) // e.g. "count" or "warning blinks"
{
    return QString(w.findChild<QWidget *>("picElapsed")->isHidden() ? "" : "count") +
           (w.findChild<QWidget *>("lblWarning")->isHidden() ? "" : "warning") +
           (w.tmrWarning()->isActive() ? " blinks" : "");
}

class tst_warning : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestWorld> world;

    QStringList played() const // sound file names, in order; the folder must be the program's
    {
        return QStringList(world->playedSounds).replaceInStrings(world->programFolder() + '/', "");
    }
    void tick(frmMain &w, qint64 ms) { world->clock.advance(ms), w.timDisplay_Timer(); }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Arming too early, too late or when off, a wrong day in the text, sounds ignoring the switch.
    void dayByDay()
    {
        const std::tuple<bool, bool, qint16> rows[] = {
            {true, true, 3}, {false, false, 0}, {true, true, 0}, {false, true, -5}};
        for (const auto &[sounds, warnings, days] : rows) {
            world->playedSounds.clear();
            frmMain w;
            Prefs() = {sounds, days, warnings};
            w.cmdStartStop_Click();
            for (int day = 1; day <= 365; ++day) {
                tick(w, Day);
                const bool armed = warnings && day % 365 >= days;
                QCOMPARE(w.tmrWarning()->isActive() ? Caption(&w, "lblWarning") : QString(),
                         armed ? QString("You have not had sex in %1 days!").arg(day % 365)
                               : QString());
                w.tmrWarning()->stop();
            }
            w.cmdStartStop_Click();
            w.cmdReset_Click();
            QCOMPARE(played(),
                     sounds ? QStringList(365, "AAAGH2.wav") << "woohoo.wav" : QStringList());
        }
    }

    // A compact-tick roll-over sounds but arms nothing; a suspend sounds once; the blink starts
    // one tick after arming and stops at minute 16 with the count showing.
    void compactRollOverAndBlink()
    {
        frmMain w;
        QWidget compact; // no day labels: the days go to the main window
        Prefs().intWarningDays = 1;
        w.cmdStartStop_Click();
        world->clock.advance(Day);
        UpdateDisplay(ElapsedMs(), &compact);
        QCOMPARE(Showing(w), "count");
        tick(w, 2 * Day + 15 * Minute + 59'990);
        QCOMPARE(played(), QStringList(2, "AAAGH2.wav"));
        for (const char *expected : {"warning blinks", "count blinks", "warning blinks", "count"}) {
            tick(w, 3); // the last one reaches minute 16
            w.tmrWarning_Timer();
            QCOMPARE(Showing(w), expected);
        }
    }
};

QTEST_MAIN(tst_warning)
#include "tst_warning.moc"
