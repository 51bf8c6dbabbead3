#pragma once

#include <QPoint>

#include <functional>

// Decides what the compact window does with the mouse events of its labels. Only the left
// button, held alone, drags; a press that may be the first half of a double-click does not
// move the window until the pointer has gone past the drag distance.
class CompactDrag
{
public:
    // Asks the window system to move the window; false where it can't, and then the window
    // follows the pointer itself.
    using SystemMove = std::function<bool()>;

    struct Action {
        enum Kind { None, Move, Close };
        Kind kind = None;
        QPoint to; // new top-left of the window, for Move
    };

    CompactDrag(int dragDistance, SystemMove systemMove);

    Action press(Qt::MouseButtons held, const QPoint &global, const QPoint &windowPos);
    Action move(Qt::MouseButtons held, const QPoint &global);
    Action release(Qt::MouseButtons held);
    Action doubleClick(Qt::MouseButton button);

private:
    enum class State { Idle, Pressed, Following, SystemMoving, Blocked };

    int m_dragDistance;
    SystemMove m_systemMove;
    State m_state = State::Idle;
    QPoint m_pressGlobal;
    QPoint m_grab; // pointer position relative to the window's top-left at the press
};
