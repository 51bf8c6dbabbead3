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

// Ends a move that StartSystemMove handed over, once the button is up. A window manager that got
// the request only after the release would otherwise hold the window to the pointer until the
// next click, and swallow that click.
void EndSystemMove(QWidget *window);

// Whether the left mouse button is down now, as the window system sees it.
bool LeftButtonDown();

// What windows may take of `screen`: all of it but the desktop's panels and task bars.
QRect WorkArea(const QScreen *screen);

// Tests install stand-ins for StartSystemMove and EndSystemMove; empty functions restore the
// platform's.
using MoveStarter = std::function<bool(QWidget *window, const QPoint &pressGlobal)>;
using MoveEnder = std::function<void(QWidget *window)>;
void SetMoveStarter(MoveStarter starter, MoveEnder ender = {});

// Tests install a stand-in for the desktop's work area as an X11 window manager announces it: one
// rectangle over all the screens, in device pixels; an empty function restores the platform's.
using DesktopWorkArea = std::function<QRect()>;
void SetDesktopWorkArea(DesktopWorkArea finder);

} // namespace WindowSystem
