// How the compact window is moved by the pointer and the arrow keys: the decisions, no window.
#include "compact/CompactDrag.h"
#include "compact/CompactKeys.h"

#include <QtTest>

using Action = CompactDrag::Action;
using Step = std::function<Action(CompactDrag &)>; // one mouse event on a count label
using Done = std::pair<int, QPoint>; // an action's kind and where to; None: handed over, from where

class tst_compactmoves : public QObject
{
    Q_OBJECT

private slots:
    void drag_data()
    {
        QTest::addColumn<bool>("systemMoves");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QList<Done>>("done");
        // Pressed at (100,100), 5 pixels into the window each way; the drag distance is 10.
        const Qt::MouseButtons left = Qt::LeftButton, right = Qt::RightButton;
        const Step press = [=](CompactDrag &d) { return d.press(left, {100, 100}, {5, 5}); };
        const Step rightPress = [=](CompactDrag &d) { return d.press(right, {100, 100}, {5, 5}); };
        const Step wobble = [=](CompactDrag &d) { return d.move(left, {103, 104}); };
        const Step far = [=](CompactDrag &d) { return d.move(left, {130, 120}); };
        const Step farther = [=](CompactDrag &d) { return d.move(left, {140, 120}); };
        const Step astray = [=](CompactDrag &d) { return d.move({}, {130, 120}); }; // no button
        const Step release = [=](CompactDrag &d) { return d.release({}, {140, 120}); };
        const Done handedOver{Action::None, {100, 100}}; // the press on the screen
        const Done to125{Action::Move, {125, 115}}, to135{Action::Move, {135, 115}};
        QTest::newRow("followed") << false << QList{press, far, farther, release}
                                  << QList{handedOver, to125, to135, to135};
        QTest::newRow("wobble") << true << QList{press, wobble, release} << QList<Done>();
        QTest::newRow("system moves")
            << true << QList{press, far, release} << QList{handedOver, to135};
        QTest::newRow("release astray")
            << false << QList{press, far, astray, farther} << QList{handedOver, to125, to125};
        QTest::newRow("right button") << true << QList{rightPress, far, release} << QList<Done>();
    }
    void drag()
    {
        QFETCH(bool, systemMoves);
        QFETCH(QList<Step>, steps);
        QList<Done> done;
        CompactDrag drag(10, [&](const QPoint &press) {
            done << Done(Action::None, press);
            return systemMoves;
        });
        for (const Step &step : steps) {
            const Action action = step(drag);
            if (action.kind != Action::None)
                done << Done(action.kind, action.to);
        }
        QTEST(done, "done");
    }

    void nudge_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        // A 200x40 window lies wholly on the work area from (60,24) to (1080,720).
        const QKeyCombination l = Qt::Key_Left, r = Qt::ShiftModifier | Qt::Key_Right,
                              d = Qt::Key_Down, shiftDown = Qt::ShiftModifier | Qt::Key_Down;
        QTest::newRow("left") << l << QPoint(500, 300) << QPoint(496, 300);
        QTest::newRow("shift, down") << shiftDown << QPoint(500, 300) << QPoint(500, 340);
        QTest::newRow("shift, to the right edge") << r << QPoint(1070, 300) << QPoint(1080, 300);
        QTest::newRow("to the left panel") << l << QPoint(62, 300) << QPoint(60, 300);
        QTest::newRow("to the bottom panel") << d << QPoint(500, 718) << QPoint(500, 720);
        QTest::newRow("another key") << QKeyCombination(Qt::Key_A) << QPoint() << QPoint();
    }
    void nudge()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QPoint, from);
        const QRect workArea(60, 24, 1220, 736); // panels at the left, the top and the bottom
        QTEST(NudgedPosition(from, {200, 40}, workArea, key.key(), key.keyboardModifiers()), "to");
    }
};

QTEST_GUILESS_MAIN(tst_compactmoves)
#include "tst_compactmoves.moc"
