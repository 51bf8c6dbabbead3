#pragma once

#include <functional>

class QPoint;
class QRect;
class QScreen;
class QWidget;

// What Pendrel asks of the window system beyond what Qt offers for every platform.
namespace WindowSystem {

// Keeps `window`, not yet shown, out of the task bar, on window managers that honour
// _NET_WM_STATE_SKIP_TASKBAR. Elsewhere it does nothing.
void KeepOffTaskBar(QWidget *window);

// Hands a left-button drag of `window` to the window system, as begun at `pressGlobal`, so the
// point then grabbed stays under the pointer. False where the platform can't move windows for
// the program; the window then follows the pointer itself.
bool StartSystemMove(QWidget *window, const QPoint &pressGlobal);

// Whether the left mouse button is down now, as the window system sees it.
bool LeftButtonDown();

// What windows may take of `screen`: all of it but the desktop's panels and task bars.
QRect WorkArea(const QScreen *screen);

// Tests install a stand-in for StartSystemMove; an empty function restores the platform's.
using MoveStarter = std::function<bool(QWidget *window, const QPoint &pressGlobal)>;
void SetMoveStarter(MoveStarter starter);

// Tests install a stand-in for WorkArea, as a desktop with panels would have it; an empty
// function restores the platform's.
using WorkAreaFinder = std::function<QRect(const QScreen *screen)>;
void SetWorkArea(WorkAreaFinder finder);

} // namespace WindowSystem
