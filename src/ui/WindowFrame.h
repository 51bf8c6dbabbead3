#pragma once

#include <functional>

class QDialog;
class QMargins;
class QPoint;
class QRect;
class QSize;
class QLabel;
class QWidget;

// The frame that Customize, Sessions and Help share: fixed size, a title bar with a close box
// only, centred on the screen of `dialog`'s parent (or the primary one).
void UseDialogFrame(QDialog *dialog);

// Puts `window` back to normal, at its own size, whenever a window manager or compositor
// maximizes it or puts it in full screen: Pendrel's windows have one size each.
void KeepDesignSize(QWidget *window);

// Centres `window`, at its present size and with its frame, in the work area of its screen;
// again once the window manager has framed it, if the frame was not known before.
void CentreOnScreen(QWidget *window);

// Shows `window` again, hidden a while ago with its frame at `framePosition`, and puts it back
// there once the window manager has framed it: some take a hidden window's position, shown
// again, for that of its inside, and move it up by its title bar at each return.
void ShowAgainAt(QWidget *window, const QPoint &framePosition);

// Where the frame of a window of `size` inside a `frame` goes to be centred in `area`.
QPoint CentredFramePosition(const QRect &area, const QSize &size, const QMargins &frame);

// Runs `onClick` when `label` is clicked with the left button, as for a link.
void OnLeftClick(QLabel *label, std::function<void()> onClick);
