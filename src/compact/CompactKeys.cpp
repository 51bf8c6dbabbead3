#include "compact/CompactKeys.h"

#include <QtGlobal>

namespace {
constexpr int Step = 4;
constexpr int ShiftStep = 10 * Step;
} // namespace

QPoint KeptOnScreen(const QPoint &topLeft, const QSize &frameSize, const QRect &workArea)
{
    const int right = workArea.left() + workArea.width() - frameSize.width();
    const int bottom = workArea.top() + workArea.height() - frameSize.height();
    return {qMax(workArea.left(), qMin(topLeft.x(), right)),
            qMax(workArea.top(), qMin(topLeft.y(), bottom))};
}

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
    return KeptOnScreen(to, frameSize, workArea);
}
