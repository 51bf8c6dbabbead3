#pragma once

#include <functional>

class QDialog;
class QLabel;
class QWidget;

// The frame that Customize, Sessions and Help share: fixed size, a title bar with a close box
// only, centred on the screen of `dialog`'s parent (or the primary one).
void UseDialogFrame(QDialog *dialog);

// Centres `window`, at its present size, in the work area of its screen.
void CentreOnScreen(QWidget *window);

// Runs `onClick` when `label` is clicked with the left button, as for a link.
void OnLeftClick(QLabel *label, std::function<void()> onClick);
