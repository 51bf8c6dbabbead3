#pragma once

#include <QPoint>

#include <functional>

// Decides what the compact window does with the mouse events of its labels. Only the left
// button, held alone, drags; a press that may be the first half of a double-click does not
// move the window until the pointer has gone past the drag distance. Wherever the moving is
// done, the point grabbed at the press stays under the pointer.
class CompactDrag
{
public:
    // Asks the window system to move the window, as from the press at `pressGlobal`; false
    // where it can't, and then the window follows the pointer itself.
    using SystemMove = std::function<bool(const QPoint &pressGlobal)>;

    struct Action {
        enum Kind { None, Move, Close };
        Kind kind = None;
        QPoint to; // new top-left of the window, for Move
    };

    CompactDrag(int dragDistance, SystemMove systemMove);

    // `grab` is the pointer's place in the window, `global` on the screen.
    Action press(Qt::MouseButtons held, const QPoint &global, const QPoint &grab);
    Action move(Qt::MouseButtons held, const QPoint &global);
    Action release(Qt::MouseButtons held, const QPoint &global);
    Action doubleClick(Qt::MouseButton button);

    // The window system has the drag: it may end without a release reaching the window.
    bool IsSystemMoving() const { return m_state == State::SystemMoving; }

private:
    enum class State { Idle, Pressed, Following, SystemMoving, Blocked };

    int m_dragDistance;
    SystemMove m_systemMove;
    State m_state = State::Idle;
    QPoint m_pressGlobal;
    QPoint m_grab;
};
