#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

class tst_compact : public QObject
{
    Q_OBJECT

private slots:
    void handOverAndBack_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<qint64>("countedMs");
        QTest::addColumn<qint64>("whileUpMs");
        QTest::addColumn<QString>("wayBack");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never started") << 0 << 0LL << 11'230LL << "double-click"
                                       << "0 Years 0 Days 00:00:00.00";
        QTest::newRow("stopped") << 2 << 3'723'450LL << 11'230LL << "Escape"
                                 << "0 Years 0 Days 01:02:03.45";
        QTest::newRow("running") << 1 << 86'390'000LL << 11'230LL << "Enter"
                                 << "0 Years 1 Days 00:00:01.23";
        QTest::newRow("50-day suspend") << 1 << Hour << 50 * Day + 1'230 << "double-click"
                                        << "0 Years 50 Days 01:00:01.23";
        QTest::newRow("400-day suspend") << 1 << Hour << 400 * Day + 1'230 << "close"
                                         << "1 Years 35 Days 01:00:01.23";
        QTest::newRow("minimized") << 0 << 0LL << 0LL << "minimize"
                                   << "0 Years 0 Days 00:00:00.00";
    }
    // A stale count, a lost or doubled roll-over (after a long suspend too), a warning armed by
    // the compact window's tick, a way back leaving main hidden or ending Pendrel or minimized;
    // the window not named and drawn as the program, not on top, or not by its screen's panel.
    void handOverAndBack()
    {
        QFETCH(int, clicks);
        QFETCH(qint64, countedMs);
        QFETCH(qint64, whileUpMs);
        QFETCH(QString, wayBack);
        QFETCH(QString, shown);
        TestWorld world;
        frmMain main(world.count, world.preferences);
        main.show();
        const auto shownOn = [&](const QWidget *w) {
            return Texts(&main, {"lblYears", "lblDays"}) + " " + ShownTime(w);
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
            QVERIFY(compact);
            QVERIFY(!main.isVisible());
            QCOMPARE(compact->windowTitle(), "Pendrel"); // as window lists and screen readers say
            QCOMPARE(compact->windowIcon().pixmap(32).toImage(),
                     main.windowIcon().pixmap(32).toImage());
            QCOMPARE(compact->frameGeometry().bottomRight(), QPoint(1279, 759));
            QVERIFY(compact->windowFlags().testFlags(Qt::FramelessWindowHint |
                                                     Qt::WindowStaysOnTopHint));
            QVERIFY(!IsActive(&main, "timDisplay")); // hidden: no 10 ms work
            QCOMPARE(IsActive(compact, "timDisplay"), clicks == 1);
            world.clock.advance(whileUpMs);
            if (clicks == 1)
                Fire(compact, "timDisplay");
            QCOMPARE(shownOn(compact), shown);
            if (wayBack == "double-click")
                QTest::mouseDClick(Control(compact, "lblSeconds"), Qt::LeftButton);
            else if (wayBack == "close")
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
        QCOMPARE(shownOn(&main), shown); // brought up to date on the way back, not by a tick
        QVERIFY(!IsActive(&main, "tmrWarning"));
        QCOMPARE(world.playedSounds.size(), int(!shown.startsWith("0 Years 0 Days")));
    }

    // A right or left+right drag moving; a click's wobble moving; a drag that trails the
    // pointer, hands the window system the pointer's place in the window, not on the screen, or
    // ends off the work area; a window system's move left running after the button is up, even
    // by a release before the move began. With a window manager moving, and without.
    void drags()
    {
        for (const bool windowSystemMoves : {true, false}) {
            TestWorld world;
            QList<QPoint> handedOver;
            int ended = 0;
            if (windowSystemMoves) {
                WindowSystem::SetMoveStarter(
                    [&](QWidget *, const QPoint &press) {
                        handedOver << press;
                        return true;
                    },
                    [&](QWidget *) { ++ended; });
            }
            frmCompact compact(world.count);
            compact.show();
            QWidget *label = Control(&compact, "lblMinutes");
            bool watching = true; // for the end of a drag that the window system has, only then
            // Presses `buttons` on the label, moves a pixel, then by `by`, and lets go: how far
            // the window went at the pixel, during the move, and in all.
            const auto drag = [&](const QList<Qt::MouseButton> &buttons, const QPoint &by) {
                const QPoint from = label->mapToGlobal(QPoint(5, 5)), start = compact.pos();
                for (const Qt::MouseButton button : buttons)
                    QTest::mousePress(label, button, {}, QPoint(5, 5));
                QTest::mouseMove(label, QPoint(4, 4)); // within the drag distance
                const QPoint wobble = compact.pos() - start;
                QTest::mouseMove(label, label->mapFromGlobal(from + by));
                const QPoint during = compact.pos() - start;
                // A window manager that has the drag keeps the release from the labels.
                const bool systemHasIt = windowSystemMoves && buttons == QList{Qt::LeftButton};
                watching = watching && IsActive(&compact, "tmrDragEnd") == systemHasIt;
                QWidget *receiver = systemHasIt ? Control(&compact, "Picture1") : label;
                QCursor::setPos(from + by);
                for (auto button = buttons.crbegin(); button != buttons.crend(); ++button)
                    QTest::mouseRelease(receiver, *button, {}, receiver->mapFromGlobal(from + by));
                if (systemHasIt) {
                    Fire(&compact, "tmrDragEnd");
                    watching = watching && !IsActive(&compact, "tmrDragEnd");
                }
                return QList<QPoint>{wobble, during, compact.pos() - start};
            };
            const QPoint grab = label->mapToGlobal(QPoint(5, 5)), by(-40, -30);
            QCOMPARE(drag({Qt::RightButton}, by), QList<QPoint>(3));
            QCOMPARE(drag({Qt::LeftButton, Qt::RightButton}, by), QList<QPoint>(3));
            QVERIFY(handedOver.isEmpty());
            // Followed from the first step past the drag distance, or left to the window system.
            const QList<QPoint> moved = {{}, windowSystemMoves ? QPoint() : by, by};
            QCOMPARE(drag({Qt::LeftButton}, by), moved);
            QCOMPARE(handedOver, QList<QPoint>(int(windowSystemMoves), grab));
            const QRect area = WindowSystem::WorkArea(compact.screen());
            drag({Qt::LeftButton}, area.bottomRight());
            QCOMPARE(compact.frameGeometry().bottomRight(), area.bottomRight());
            drag({Qt::LeftButton}, -area.bottomRight());
            QCOMPARE(compact.frameGeometry().topLeft(), area.topLeft());
            QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseMove(label, QPoint(45, 5));
            QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(45, 5));
            QCOMPARE(ended, handedOver.size());
            QVERIFY(watching);
            WindowSystem::SetMoveStarter({});
        }
    }
};

QTEST_MAIN(tst_compact)
#include "tst_compact.moc"
