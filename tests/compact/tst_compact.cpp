// The compact window: hand-over from the main window, placement, dragging, the ways back, and
// a day roll-over seen first by the compact window's own tick.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace modStopWatch;

namespace {
constexpr qint64 Day = 24 * 3'600'000LL;

QString TimeShown(const QWidget *window)
{
    return Caption(window, "lblHours") + Caption(window, "lblMinutes") +
           Caption(window, "lblSeconds") + Caption(window, "lblSecHundreds");
}

void SendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               const QPoint &global)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Opens the compact window from the main window and runs `whileUp` on it while it is modal.
// Whatever `whileUp` leaves, the window is closed afterwards so that the test can go on.
void WhileCompact(frmMain &main, const std::function<void(frmCompact *)> &whileUp)
{
    QObject scope; // cancels the shot if the window never came up
    bool ran = false;
    QTimer::singleShot(0, &scope, [&] {
        ran = true;
        auto *compact = qobject_cast<frmCompact *>(QApplication::activeModalWidget());
        QVERIFY2(compact, "no modal compact window");
        whileUp(compact);
        if (compact->isVisible())
            compact->close();
    });
    main.mnuCompact_Click();
    QVERIFY2(ran, "the compact window never came up");
}
} // namespace

class tst_compact : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    std::unique_ptr<frmMain> main;

    QPushButton *startStop() const { return main->findChild<QPushButton *>("cmdStartStop"); }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        main = std::make_unique<frmMain>();
        main->show();
    }
    void cleanup()
    {
        main.reset();
        world.reset();
    }

    void corner_of_the_work_area()
    {
        // Task bar at the left and at the top: the corner still meets the work area's corner.
        QCOMPARE(CompactCorner(QRect(60, 0, 1220, 800), QSize(97, 23)), QPoint(1183, 777));
        QCOMPARE(CompactCorner(QRect(0, 40, 1280, 760), QSize(97, 23)), QPoint(1183, 777));

        frmCompact compact;
        compact.show();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(compact.frameGeometry().size(), QSize(97, 23));
        QCOMPARE(compact.frameGeometry().bottomRight(), area.bottomRight());
        QVERIFY(compact.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(compact.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void enter_while_not_running_data()
    {
        QTest::addColumn<qint64>("countedMs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never started") << qint64(-1) << "00:00:00.00";
        QTest::newRow("stopped") << qint64(3'723'450) << "01:02:03.45"; // every field differs
    }
    void enter_while_not_running()
    {
        QFETCH(qint64, countedMs);
        QFETCH(QString, shown);
        if (countedMs >= 0) {
            startStop()->click();
            world->clock.advance(countedMs);
            startStop()->click();
        }
        WhileCompact(*main, [&](frmCompact *compact) {
            QVERIFY(!compact->timDisplay()->isActive());
            QCOMPARE(TimeShown(compact), shown);
            world->clock.advance(60'000);
        });
        QVERIFY(main->isVisible());
        QCOMPARE(TimeShown(main.get()), shown);
    }

    void enter_while_running_follows_the_count()
    {
        startStop()->click();
        world->clock.advance(5'000);
        WhileCompact(*main, [&](frmCompact *compact) {
            QVERIFY(compact->blnActive);
            QVERIFY(compact->timDisplay()->isActive());
            QCOMPARE(compact->timDisplay()->interval(), 10);
            QCOMPARE(TimeShown(compact), QStringLiteral("00:00:00.00"));
            compact->timDisplay_Timer();
            QCOMPARE(TimeShown(compact), QStringLiteral("00:00:05.00"));
            world->clock.advance(2'340);
            compact->timDisplay_Timer();
            QCOMPARE(TimeShown(compact), QStringLiteral("00:00:07.34"));
            QVERIFY(main->timDisplay()->isActive()); // the hidden window keeps counting
        });
        QVERIFY(main->isVisible());
        QCOMPARE(TimeShown(main.get()), QStringLiteral("00:00:07.34"));
        QCOMPARE(startStop()->text(), QStringLiteral("Stop"));
    }

    void ways_back_to_the_main_window_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double-click on the digits") << true;
        QTest::newRow("close request") << false;
    }
    void ways_back_to_the_main_window()
    {
        // Run in the program's own event loop: only there could closing end the program.
        QFETCH(bool, doubleClick);
        startStop()->click();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool mainBack = false;
        QTimer::singleShot(0, qApp, [&] {
            WhileCompact(*main, [&](frmCompact *compact) {
                QVERIFY(!main->isVisible());
                const QPoint shownAt = compact->pos();
                if (doubleClick)
                    QTest::mouseDClick(compact->findChild<QLabel *>("lblSeconds"), Qt::LeftButton);
                else
                    compact->close();
                QVERIFY(!compact->isVisible());
                QVERIFY(!compact->timDisplay()->isActive());
                QCOMPARE(compact->pos(), shownAt);
            });
            mainBack = main->isVisible();
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(7); });
        });
        QTimer guard;
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);

        // The hidden main window was still there: closing the compact one must not end Pendrel.
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(mainBack);
        QCOMPARE(lastClosed.count(), 0);
    }

    void roll_over_seen_first_by_the_compact_tick()
    {
        startStop()->click();
        world->clock.advance(Day - 10'000);
        main->timDisplay_Timer();
        WhileCompact(*main, [&](frmCompact *compact) {
            world->clock.advance(11'230);
            compact->timDisplay_Timer();
            QCOMPARE(TimeShown(compact), QStringLiteral("00:00:01.23"));
            QCOMPARE(Count().intDays, qint16(1));
            QCOMPARE(Caption(main.get(), "lblDays"), QStringLiteral("1 Days"));
            QCOMPARE(Caption(main.get(), "lblYears"), QStringLiteral("0 Years"));
            // The main window's tick then carries on from the new day, without a second roll.
            main->timDisplay_Timer();
            QCOMPARE(Count().intDays, qint16(1));
            QCOMPARE(TimeShown(main.get()), QStringLiteral("00:00:01.23"));
        });
        QCOMPARE(Caption(main.get(), "lblDays"), QStringLiteral("1 Days"));
    }

    void drags_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<bool>("closed");
        QTest::newRow("left button") << "left" << QPoint(10, -50) << false;
        QTest::newRow("right button") << "right" << QPoint() << false;
        QTest::newRow("left and right") << "left+right" << QPoint() << false;
        QTest::newRow("double-click, then held") << "double" << QPoint() << true;
        QTest::newRow("on the panel, off the digits") << "panel" << QPoint() << false;
    }
    void drags()
    {
        QFETCH(QString, gesture);
        QFETCH(QPoint, moved);
        QFETCH(bool, closed);

        // Offscreen there is no system move, so a drag makes the window follow the pointer.
        frmCompact compact;
        compact.show();
        const QPoint start = compact.pos();
        QWidget *label = compact.findChild<QLabel *>("lblMinutes");
        const QPoint grab = label->mapToGlobal(QPoint(5, 5));
        const auto press = QEvent::MouseButtonPress;
        const auto moveTo = [&](Qt::MouseButtons held, QPoint delta) {
            SendMouse(label, QEvent::MouseMove, Qt::NoButton, held, grab + delta);
        };

        if (gesture == "left") {
            SendMouse(label, press, Qt::LeftButton, Qt::LeftButton, grab);
            moveTo(Qt::LeftButton, QPoint(1, 0)); // within the drag distance: a click yet
            QCOMPARE(compact.pos(), start);
            moveTo(Qt::LeftButton, QPoint(40, 30));
            QCOMPARE(compact.pos(), start + QPoint(40, 30));
            moveTo(Qt::LeftButton, QPoint(10, -50)); // the grabbed point stays under the pointer
        } else if (gesture == "right") {
            SendMouse(label, press, Qt::RightButton, Qt::RightButton, grab);
            moveTo(Qt::RightButton, QPoint(40, 30));
        } else if (gesture == "left+right") {
            SendMouse(label, press, Qt::LeftButton, Qt::LeftButton, grab);
            SendMouse(label, press, Qt::RightButton, Qt::LeftButton | Qt::RightButton, grab);
            moveTo(Qt::LeftButton | Qt::RightButton, QPoint(40, 30));
            SendMouse(label, QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton, grab);
            moveTo(Qt::LeftButton, QPoint(60, 30));
        } else if (gesture == "double") {
            SendMouse(label, press, Qt::LeftButton, Qt::LeftButton, grab);
            SendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, grab);
            SendMouse(label, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, grab);
            moveTo(Qt::LeftButton, QPoint(40, 30));
        } else {
            QWidget *panel = compact.findChild<QWidget *>("Picture1");
            SendMouse(panel, press, Qt::LeftButton, Qt::LeftButton, grab);
            SendMouse(panel, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
                      grab + QPoint(40, 30));
            SendMouse(panel, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, grab);
        }
        QCOMPARE(compact.pos(), start + moved);
        QCOMPARE(!compact.isVisible(), closed);
    }

    void drag_by_the_window_system()
    {
        bool accepted = true;
        int asked = 0;
        CompactDrag drag(10, [&] {
            ++asked;
            return accepted;
        });
        // Where the window system moves the window, Pendrel must not move it as well.
        drag.press(Qt::LeftButton, QPoint(500, 500), QPoint(480, 490));
        QCOMPARE(drag.move(Qt::LeftButton, QPoint(520, 500)).kind, CompactDrag::Action::None);
        QCOMPARE(drag.move(Qt::LeftButton, QPoint(540, 500)).kind, CompactDrag::Action::None);
        QCOMPARE(asked, 1);
        drag.release(Qt::NoButton);
        QCOMPARE(drag.move(Qt::LeftButton, QPoint(100, 100)).kind, CompactDrag::Action::None);

        // Only the left button's double-click closes.
        QCOMPARE(drag.doubleClick(Qt::RightButton).kind, CompactDrag::Action::None);
        QCOMPARE(drag.doubleClick(Qt::LeftButton).kind, CompactDrag::Action::Close);
    }
};

QTEST_MAIN(tst_compact)
#include "tst_compact.moc"
