#include "compact/CompactDrag.h"

CompactDrag::CompactDrag(int dragDistance, SystemMove systemMove)
    : m_dragDistance(dragDistance)
    , m_systemMove(std::move(systemMove))
{}

CompactDrag::Action CompactDrag::press(Qt::MouseButtons held, const QPoint &global,
                                       const QPoint &grab)
{
    // A second button joining the left one ends the drag until every button is up.
    if (held != Qt::LeftButton) {
        m_state = State::Blocked;
        return {};
    }
    m_state = State::Pressed;
    m_pressGlobal = global;
    m_grab = grab;
    return {};
}

CompactDrag::Action CompactDrag::move(Qt::MouseButtons held, const QPoint &global)
{
    if (held == Qt::NoButton) // the release went astray
        return release(held, global);
    if (held != Qt::LeftButton) {
        if (m_state != State::Idle)
            m_state = State::Blocked;
        return {};
    }
    switch (m_state) {
    case State::Pressed:
        if ((global - m_pressGlobal).manhattanLength() < m_dragDistance)
            return {};
        if (m_systemMove && m_systemMove(m_pressGlobal)) {
            // The window system has the pointer now and moves the window by itself.
            m_state = State::SystemMoving;
            return {};
        }
        m_state = State::Following;
        return {Action::Move, global - m_grab};
    case State::Following:
        return {Action::Move, global - m_grab};
    case State::Idle:
    case State::SystemMoving:
    case State::Blocked:
        break;
    }
    return {};
}

CompactDrag::Action CompactDrag::release(Qt::MouseButtons held, const QPoint &global)
{
    if (held != Qt::NoButton) {
        if (m_state != State::Idle)
            m_state = State::Blocked;
        return {};
    }
    const bool dragged = m_state == State::Following || m_state == State::SystemMoving;
    m_state = State::Idle;
    // The end of a drag puts the window where the pointer put it, whatever the window system
    // made of the move on the way.
    if (dragged)
        return {Action::Move, global - m_grab};
    return {};
}

CompactDrag::Action CompactDrag::doubleClick(Qt::MouseButton button)
{
    // Whatever the pointer does after a double-click, it must not drag the closing window.
    m_state = State::Blocked;
    if (button != Qt::LeftButton)
        return {};
    return {Action::Close, {}};
}
