#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

class tst_compact : public QObject
{
    Q_OBJECT

private slots:
    void handOverAndBack_data()
    {
        QTest::addColumn<QString>("wayBack");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("back"); // in the main window, 0.36 s later
        QTest::newRow("stopped") << "Escape" << 2 << "01:02:03.45";
        QTest::newRow("running") << "Enter" << 1 << "01:02:03.81";
        QTest::newRow("closed") << "close" << 1 << "01:02:03.81";
        QTest::newRow("minimized") << "minimize" << 1 << "01:02:03.81";
    }
    // The compact window, titled, on top, by the panel; every way back brings main up to date.
    void handOverAndBack()
    {
        QFETCH(int, clicks);
        QFETCH(QString, wayBack);
        TestWorld world;
        frmMain main(world.count, world.preferences);
        main.show();
        for (int click = 0; click < clicks; ++click) {
            Click(&main, "cmdStartStop");
            world.clock.advance(3'723'450);
        }
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed); // seen only in a loop
        QTimer::singleShot(0, &main, [&] {
            Control<QAction>(&main, "mnuCompact")->trigger();
            QCoreApplication::exit(7);
        });
        QTimer::singleShot(0, &main, [&] {
            auto *compact = qobject_cast<frmCompact *>(QApplication::activeModalWidget());
            QVERIFY(compact);
            QCOMPARE(compact->windowTitle(), "Pendrel");
            QCOMPARE(compact->frameGeometry().bottomRight(), QPoint(1279, 759));
            QVERIFY(compact->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QCOMPARE(ShownTime(compact), "01:02:03.45");
            world.clock.advance(360);
            if (wayBack == "close")
                compact->close();
            else if (wayBack == "minimize")
                compact->setWindowState(Qt::WindowMinimized);
            else
                QTest::keyClick(compact, wayBack == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            QVERIFY(compact->isHidden());
        });
        QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); }); // stuck in compact
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(main.isVisible());
        QVERIFY(lastClosed.isEmpty());
        QTEST(ShownTime(&main), "back"); // brought up to date on the way back, not by a tick
    }

    // A drag, left to the window manager, ends on the work area and ends the manager's move.
    void drag()
    {
        TestWorld world;
        int started = 0, ended = 0;
        WindowSystem::SetMoveStarter([&](QWidget *, const QPoint &) { return ++started; },
                                     [&](QWidget *) { ++ended; });
        frmCompact compact(world.count);
        compact.show();
        QWidget *label = Control(&compact, "lblMinutes");
        const QRect area = WindowSystem::WorkArea(compact.screen());
        const QPoint to = label->mapToGlobal(QPoint(5, 5)) + area.bottomRight();
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(label, label->mapFromGlobal(to));
        QCursor::setPos(to);
        QWidget *frame = Control(&compact, "Picture1"); // the release misses the labels
        QTest::mouseRelease(frame, Qt::LeftButton, {}, frame->mapFromGlobal(to));
        Fire(&compact, "tmrDragEnd");
        QCOMPARE(compact.frameGeometry().bottomRight(), area.bottomRight());
        QCOMPARE(started, 1);
        QCOMPARE(ended, 1);
    }
};

QTEST_MAIN(tst_compact)
#include "tst_compact.moc"
