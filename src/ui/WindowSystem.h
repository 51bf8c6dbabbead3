#pragma once

#include <functional>

class QPoint;
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

// Tests install a stand-in for StartSystemMove; an empty function restores the platform's.
using MoveStarter = std::function<bool(QWidget *window, const QPoint &pressGlobal)>;
void SetMoveStarter(MoveStarter starter);

} // namespace WindowSystem
