#include "compact/CompactKeys.h"

#include <QtGlobal>

namespace {
constexpr int Step = 4;
constexpr int ShiftStep = 10 * Step;
} // namespace

QPoint NudgedPosition(const QPoint &position, const QSize &frameSize, const QRect &workArea,
                      int key, Qt::KeyboardModifiers modifiers)
{
    const int step = modifiers.testFlag(Qt::ShiftModifier) ? ShiftStep : Step;
    QPoint to = position;
    switch (key) {
    case Qt::Key_Left:
        to.rx() -= step;
        break;
    case Qt::Key_Right:
        to.rx() += step;
        break;
    case Qt::Key_Up:
        to.ry() -= step;
        break;
    case Qt::Key_Down:
        to.ry() += step;
        break;
    default:
        return position;
    }
    return {
        qBound(workArea.left(), to.x(), workArea.left() + workArea.width() - frameSize.width()),
        qBound(workArea.top(), to.y(), workArea.top() + workArea.height() - frameSize.height())};
}
