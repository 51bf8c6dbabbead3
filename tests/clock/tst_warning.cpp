#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

constexpr qint64 Minute = 60'000, Day = 24 * 60 * Minute;

static QString Showing(frmMain &w) // e.g. "count" or "warning blinks"
{
    QString showing;
    if (!Control(&w, "picElapsed")->isHidden())
        showing += "count";
    if (!Control(&w, "lblWarning")->isHidden())
        showing += "warning";
    if (IsActive(&w, "tmrWarning"))
        showing += " blinks";
    return showing;
}

class tst_warning : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestWorld> world;

    QStringList played() const // sound file names, in order; the folder must be the program's
    {
        return QStringList(world->playedSounds).replaceInStrings(world->programFolder() + '/', "");
    }
    void tick(frmMain &w, qint64 ms)
    {
        world->clock.advance(ms);
        Fire(&w, "timDisplay");
    }
    void store(bool sounds, bool warnings, const QString &days)
    {
        PreferenceValues values;
        values.blnPlaySounds = sounds;
        values.blnDisplayWarnings = warnings;
        values.strWarningDays = days;
        QVERIFY(world->preferences.Save(values, nullptr));
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Arming too early, too late or when off, a wrong day in the text, sounds ignoring the switch.
    void dayByDay()
    {
        const std::tuple<bool, bool, int> rows[] = {
            {true, true, 3}, {false, false, 0}, {true, true, 0}, {false, true, -5}};
        for (const auto &[sounds, warnings, days] : rows) {
            world.reset(); // one world at a time: each installs the seams
            world = std::make_unique<TestWorld>();
            store(sounds, warnings, QString::number(days));
            frmMain w(world->count, world->preferences);
            w.show();
            Click(&w, "cmdStartStop");
            for (int day = 1; day <= 365; ++day) {
                tick(w, Day);
                QString expected;
                if (warnings && day % 365 >= days)
                    expected = QString("You have not had sex in %1 days!").arg(day % 365);
                QString shown;
                if (IsActive(&w, "tmrWarning"))
                    shown = Texts(&w, {"lblWarning"});
                QCOMPARE(shown, expected);
                Control<QTimer>(&w, "tmrWarning")->stop();
            }
            Click(&w, "cmdStartStop");
            Click(&w, "cmdReset");
            QStringList expectedSounds;
            if (sounds)
                expectedSounds = QStringList(365, "AAAGH2.wav") << "woohoo.wav";
            QCOMPARE(played(), expectedSounds);
        }
    }

    // A compact-tick roll-over sounds and shows the days on the main window but arms nothing;
    // a suspend sounds once; the blink starts one tick after arming and stops at minute 16 with
    // the count showing.
    void compactRollOverAndBlink()
    {
        store(true, true, "1");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        world->clock.advance(Day);
        {
            frmCompact compact(world->count);
            compact.blnActive = true;
            compact.show();
            Fire(&compact, "timDisplay");
            QCOMPARE(ShownTime(&compact), "00:00:00.00");
        }
        QCOMPARE(Showing(w), "count");
        QCOMPARE(Texts(&w, {"lblDays"}), "1 Days");
        tick(w, 2 * Day + 15 * Minute + 59'990);
        QCOMPARE(played(), QStringList(2, "AAAGH2.wav"));
        for (const char *expected : {"warning blinks", "count blinks", "warning blinks", "count"}) {
            world->clock.advance(3); // the last one reaches minute 16
            Fire(&w, "tmrWarning");
            QCOMPARE(Showing(w), expected);
        }
    }

    // The warning wrapping, so that the day count is cut off and the tops of a second line show
    // along the band's bottom; off centre; shrunk more than it needs.
    void warningFitsOnOneLine()
    {
        store(false, true, "1");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        auto *warning = Control<QLabel>(&w, "lblWarning");
        for (const int days : {1, 364}) {
            tick(w, (days - world->count.State().intDays) * Day);
            QVERIFY(Texts(&w, {"lblWarning"}).contains(QString(" %1 days!").arg(days)));
            warning->show();
            const QRect inside = warning->contentsRect();
            const QRect ink = InkBounds(warning->grab().toImage(), inside, [](QRgb pixel) {
                return qGreen(pixel) > 0x60; // the pale text on red
            });
            QVERIFY(ink.height() <= QFontMetrics(warning->font()).height()); // one line
            QVERIFY(ink.width() >= inside.width() * 9 / 10);
            QVERIFY(qAbs((ink.left() - inside.left()) - (inside.right() - ink.right())) <= 4);
            QVERIFY(ink.left() > inside.left() && ink.right() < inside.right());
        }
    }

    // Warnings switched off in Customize while the warning blinks: it goes at once, not at
    // minute 16; the blink stays at once a second.
    void switchingOffStopsTheBlink()
    {
        store(true, true, "1");
        frmMain w(world->count, world->preferences);
        w.show();
        Click(&w, "cmdStartStop");
        tick(w, Day + 1'000);
        Fire(&w, "tmrWarning");
        QCOMPARE(Showing(w), "warning blinks");
        QCOMPARE(Control<QTimer>(&w, "tmrWarning")->interval(), 1'000);
        WhenModal<QDialog>(&w, [](QDialog *customize) {
            QTest::mouseClick(Control(customize, "chkDisplayWarnings"), Qt::LeftButton);
            Click(customize, "cmdOK");
        });
        Control<QAction>(&w, "mnuCustomize")->trigger();
        QCOMPARE(Showing(w), "count");
    }
};

QTEST_MAIN(tst_warning)
#include "tst_warning.moc"
