#pragma once

#include <QPoint>
#include <QRect>

// The compact window moved by an arrow key: a few pixels, or ten times as far with Shift, and
// never beyond the work area. Any other key leaves `position` as it is.
QPoint NudgedPosition(const QPoint &position, const QSize &frameSize, const QRect &workArea,
                      int key, Qt::KeyboardModifiers modifiers);
