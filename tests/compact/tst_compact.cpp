#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace modStopWatch;

static QString TimeShown(const QWidget *window)
{
    return Caption(window, "lblHours") + Caption(window, "lblMinutes") +
           Caption(window, "lblSeconds") + Caption(window, "lblSecHundreds");
}

class tst_compact : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    std::unique_ptr<frmMain> main;

    void click() { main->findChild<QPushButton *>("cmdStartStop")->click(); }
    // Runs `whileUp` on the modal compact window opened from the main window, then closes it.
    void whileCompact(const std::function<void(frmCompact *)> &whileUp)
    {
        bool ran = false;
        QTimer::singleShot(0, main.get(), [&] {
            auto *compact = qobject_cast<frmCompact *>(QApplication::activeModalWidget());
            QVERIFY2((ran = compact), "no modal compact window");
            whileUp(compact);
            compact->close();
        });
        main->mnuCompact_Click();
        QVERIFY(ran && main->isVisible());
    }

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

    void handOver_data()
    {
        QTest::addColumn<qint64>("countedMs");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never started") << qint64(-1) << false << "00:00:00.00";
        QTest::newRow("stopped") << qint64(3'723'450) << false << "01:02:03.45";
        QTest::newRow("running") << qint64(5'000) << true << "00:00:07.34";
    }
    // The compact window showing a stale count, ticking when stopped, or handing back a stale one.
    void handOver()
    {
        QFETCH(qint64, countedMs);
        QFETCH(bool, running);
        QFETCH(QString, shown);
        if (countedMs >= 0) {
            click();
            world->clock.advance(countedMs);
            if (!running)
                click();
        }
        whileCompact([&](frmCompact *compact) {
            QCOMPARE(compact->timDisplay()->isActive(), running);
            world->clock.advance(2'340);
            if (running)
                compact->timDisplay_Timer();
            QCOMPARE(TimeShown(compact), shown);
        });
        QCOMPARE(TimeShown(main.get()), shown);
        QCOMPARE(main->findChild<QPushButton *>("cmdStartStop")->text(),
                 running ? "Stop" : "Start");
    }

    // The corner computed from the whole screen instead of the work area.
    void cornerOfTheWorkArea()
    {
        QCOMPARE(CompactCorner(QRect(60, 0, 1220, 800), QSize(97, 23)), QPoint(1183, 777));
        QCOMPARE(CompactCorner(QRect(0, 40, 1280, 760), QSize(97, 23)), QPoint(1183, 777));
        frmCompact compact;
        compact.show();
        QCOMPARE(compact.frameGeometry().bottomRight(),
                 QGuiApplication::primaryScreen()->availableGeometry().bottomRight());
    }

    void drags_data()
    {
        QTest::addColumn<Qt::MouseButtons>("held");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << QPoint(40, 30);
        QTest::newRow("right") << Qt::MouseButtons(Qt::RightButton) << QPoint();
        QTest::newRow("left+right") << (Qt::LeftButton | Qt::RightButton) << QPoint();
    }
    // Only a left drag moves the window, and the grabbed point stays under the pointer.
    void drags()
    {
        QFETCH(Qt::MouseButtons, held);
        QFETCH(QPoint, moved);
        frmCompact compact; // offscreen there is no system move: Pendrel moves the window
        compact.show();
        const QPoint start = compact.pos();
        QWidget *label = compact.findChild<QLabel *>("lblMinutes");
        const QPoint grab = label->mapToGlobal(QPoint(5, 5));
        const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons down,
                              QPoint at) {
            QMouseEvent event(type, QPointF(label->mapFromGlobal(at)), QPointF(at), button, down,
                              Qt::NoModifier);
            QApplication::sendEvent(label, &event);
        };
        Qt::MouseButtons down;
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            if (held & button)
                send(QEvent::MouseButtonPress, button, down |= button, grab);
        }
        send(QEvent::MouseMove, Qt::NoButton, held, grab + QPoint(1, 0)); // a click yet
        QCOMPARE(compact.pos(), start);
        send(QEvent::MouseMove, Qt::NoButton, held, grab + QPoint(40, 30));
        QCOMPARE(compact.pos(), start + moved);
    }

    void waysBack_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double-click") << true;
        QTest::newRow("close request") << false;
    }
    // A way back that leaves the main window hidden, or ends Pendrel as the last window closes.
    void waysBack()
    {
        QFETCH(bool, doubleClick);
        click();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, main.get(), [&] { // only the program's own loop could end it
            whileCompact([&](frmCompact *compact) {
                QVERIFY(!main->isVisible());
                if (doubleClick)
                    QTest::mouseDClick(compact->findChild<QLabel *>("lblSeconds"), Qt::LeftButton);
                else
                    compact->close();
                QVERIFY(!compact->isVisible() && !compact->timDisplay()->isActive());
            });
            QCoreApplication::exit(7);
        });
        QTimer::singleShot(5000, main.get(), [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 7);
        QCOMPARE(lastClosed.count(), 0);
    }

    // A roll-over first seen by the compact tick lost, or counted again by the main window's.
    void rollOverSeenFirstByTheCompactTick()
    {
        click();
        world->clock.advance(24 * 3'600'000 - 10'000);
        main->timDisplay_Timer();
        whileCompact([&](frmCompact *compact) {
            world->clock.advance(11'230);
            compact->timDisplay_Timer();
            QCOMPARE(TimeShown(compact), "00:00:01.23");
            QCOMPARE(Caption(main.get(), "lblDays"), "1 Days");
            main->timDisplay_Timer();
            QCOMPARE(Caption(main.get(), "lblDays"), "1 Days");
            QCOMPARE(TimeShown(main.get()), "00:00:01.23");
        });
    }
};

QTEST_MAIN(tst_compact)
#include "tst_compact.moc"
