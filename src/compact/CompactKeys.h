#pragma once

#include <QPoint>
#include <QRect>

// The top-left nearest to `topLeft` at which a window of `frameSize` lies wholly on `workArea`:
// wherever the compact window is moved to, by keys or by a drag.
QPoint KeptOnScreen(const QPoint &topLeft, const QSize &frameSize, const QRect &workArea);

// The compact window moved by an arrow key: a few pixels, or ten times as far with Shift, and
// never beyond the work area. Any other key leaves `position` as it is.
QPoint NudgedPosition(const QPoint &position, const QSize &frameSize, const QRect &workArea,
                      int key, Qt::KeyboardModifiers modifiers);
