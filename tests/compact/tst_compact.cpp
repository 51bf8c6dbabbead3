#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

#include <QAction>
#include <QtTest>

class tst_compact : public QObject
{
    Q_OBJECT

private slots:
    void handOverAndBack_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<qint64>("countedMs");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never started") << 0 << qint64(0) << true << "0 Days 00:00:00.00";
        QTest::newRow("stopped") << 2 << qint64(3'723'450) << false << "0 Days 01:02:03.45";
        QTest::newRow("running") << 1 << qint64(86'390'000) << true << "1 Days 00:00:01.23";
    }
    // A stale count, a lost or doubled roll-over, a way back leaving main hidden or ending Pendrel.
    void handOverAndBack()
    {
        QFETCH(int, clicks);
        QFETCH(qint64, countedMs);
        QFETCH(bool, doubleClick);
        QFETCH(QString, shown);
        TestWorld world;
        frmMain main(world.count, world.preferences);
        main.show();
        const auto shownOn = [&](const QWidget *w) {
            return Texts(&main, {"lblDays"}) + " " + ShownTime(w);
        };
        for (int click = 0; click < clicks; ++click) {
            Click(&main, "cmdStartStop");
            world.clock.advance(countedMs);
        }
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed); // seen only in a loop
        QTimer::singleShot(0, &main, [&] {
            Control<QAction>(&main, "mnuCompact")->trigger();
            QCoreApplication::exit(7);
        });
        QTimer::singleShot(0, &main, [&] {
            auto *compact = qobject_cast<frmCompact *>(QApplication::activeModalWidget());
            QVERIFY(compact && !main.isVisible());
            QVERIFY(!IsActive(&main, "timDisplay")); // hidden: no 10 ms work
            QCOMPARE(IsActive(compact, "timDisplay"), clicks == 1);
            world.clock.advance(11'230);
            if (clicks == 1)
                Fire(compact, "timDisplay");
            QCOMPARE(shownOn(compact), shown);
            if (doubleClick)
                QTest::mouseDClick(Control(compact, "lblSeconds"), Qt::LeftButton);
            else
                compact->close();
        });
        QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); }); // stuck in compact
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(main.isVisible() && lastClosed.isEmpty());
        QCOMPARE(shownOn(&main), shown); // brought up to date on the way back, not by a tick
    }

    // Placement ignoring a work area off 0,0; a right or left+right drag moving; a left one not.
    void placementAndDrags()
    {
        QCOMPARE(CompactCorner(QRect(60, 0, 1220, 800), QSize(97, 23)), QPoint(1183, 777));
        QCOMPARE(CompactCorner(QRect(0, 40, 1280, 760), QSize(97, 23)), QPoint(1183, 777));
        TestWorld world;
        frmCompact compact(
            world.count); // offscreen there is no system move: Pendrel moves the window
        compact.show();
        const QPoint start = compact.pos(), grab(5, 5), by(40, 30);
        QWidget *label = compact.findChild<QWidget *>("lblMinutes");
        QTest::mousePress(label, Qt::RightButton, {}, grab);
        QTest::mouseMove(label, grab + by);
        QTest::mouseRelease(label, Qt::RightButton, {}, grab + by);
        QTest::mousePress(label, Qt::LeftButton, {}, grab);
        QTest::mousePress(label, Qt::RightButton, {}, grab);
        QTest::mouseMove(label, grab + by);
        QCOMPARE(compact.pos(), start);
        QTest::mouseRelease(label, Qt::RightButton, {}, grab + by);
        QTest::mouseRelease(label, Qt::LeftButton, {}, grab + by);
        QTest::mousePress(label, Qt::LeftButton, {}, grab);
        QTest::mouseMove(label, grab + by);
        QCOMPARE(compact.pos(), start + by);
    }
};

QTEST_MAIN(tst_compact)
#include "tst_compact.moc"
