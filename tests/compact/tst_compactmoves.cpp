// How the compact window is moved, by the pointer and by the arrow keys: the decisions alone,
// with no window.
#include "compact/CompactDrag.h"
#include "compact/CompactKeys.h"

#include <QtTest>

using Action = CompactDrag::Action;
using Step = std::function<Action(CompactDrag &)>; // one mouse event on a count label
using Done = std::pair<int, QPoint>;               // an action's kind, and where to

class tst_compactmoves : public QObject
{
    Q_OBJECT

private slots:
    void drag_data()
    {
        QTest::addColumn<bool>("systemMoves");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QList<Done>>("done"); // the Nones left out
        QTest::addColumn<QList<QPoint>>("handedOver");
        // Pressed at (100,100), 5 pixels into the window each way; the drag distance is 10.
        const Qt::MouseButtons left = Qt::LeftButton, right = Qt::RightButton;
        const Step press = [=](CompactDrag &d) { return d.press(left, {100, 100}, {5, 5}); };
        const Step both = [=](CompactDrag &d) { return d.press(left | right, {100, 100}, {5, 5}); };
        const Step rightPress = [=](CompactDrag &d) { return d.press(right, {100, 100}, {5, 5}); };
        const Step wobble = [=](CompactDrag &d) { return d.move(left, {103, 104}); };
        const Step far = [=](CompactDrag &d) { return d.move(left, {130, 120}); };
        const Step farther = [=](CompactDrag &d) { return d.move(left, {140, 120}); };
        const Step astray = [=](CompactDrag &d) { return d.move({}, {130, 120}); }; // no button
        const Step release = [=](CompactDrag &d) { return d.release({}, {140, 120}); };
        const Step doubleClick = [=](CompactDrag &d) { return d.doubleClick(Qt::LeftButton); };
        const Done to125{Action::Move, {125, 115}}, to135{Action::Move, {135, 115}};
        const QList<QPoint> pressed{{100, 100}}, none;
        QTest::newRow("followed past the drag distance")
            << false << QList{press, far, farther, release} << QList{to125, to135, to135}
            << pressed;
        QTest::newRow("a double-click's wobble")
            << true << QList{press, wobble, release} << QList<Done>() << none;
        QTest::newRow("left to the window system, ended under the pointer")
            << true << QList{press, far, release} << QList{to135} << pressed;
        QTest::newRow("a release gone astray") // the next move drags no more
            << false << QList{press, far, astray, farther} << QList{to125, to125} << pressed;
        QTest::newRow("the right button")
            << true << QList{rightPress, far, release} << QList<Done>() << none;
        QTest::newRow("right joining left")
            << false << QList{press, both, far, release} << QList<Done>() << none;
        QTest::newRow("a double-click, then a drag")
            << false << QList{press, doubleClick, far, release} << QList<Done>{{Action::Close, {}}}
            << none;
    }
    void drag()
    {
        QFETCH(bool, systemMoves);
        QFETCH(QList<Step>, steps);
        QList<QPoint> handedOver;
        CompactDrag drag(10, [&](const QPoint &press) {
            handedOver << press;
            return systemMoves;
        });
        QList<Done> done;
        for (const Step &step : steps) {
            const Action action = step(drag);
            if (action.kind != Action::None)
                done << Done(action.kind, action.to);
        }
        QTEST(done, "done");
        QTEST(handedOver, "handedOver"); // the press on the screen, not in the window
    }

    void nudge_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        // A 200x40 window lies wholly on the work area from (60,24) to (1080,720).
        const int l = Qt::Key_Left, r = Qt::Key_Right, d = Qt::Key_Down;
        const Qt::KeyboardModifiers plain, shift = Qt::ShiftModifier;
        QTest::newRow("left") << l << plain << QPoint(500, 300) << QPoint(496, 300);
        QTest::newRow("shift, down") << d << shift << QPoint(500, 300) << QPoint(500, 340);
        QTest::newRow("to the right edge") << r << shift << QPoint(1070, 300) << QPoint(1080, 300);
        QTest::newRow("to the left panel") << l << plain << QPoint(62, 300) << QPoint(60, 300);
        QTest::newRow("to the bottom panel") << d << plain << QPoint(500, 718) << QPoint(500, 720);
        QTest::newRow("another key") << int(Qt::Key_A) << plain << QPoint() << QPoint();
    }
    void nudge()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, from);
        const QRect workArea(60, 24, 1220, 736); // panels at the left, the top and the bottom
        QTEST(NudgedPosition(from, {200, 40}, workArea, key, modifiers), "to");
    }
};

QTEST_GUILESS_MAIN(tst_compactmoves)
#include "tst_compactmoves.moc"
