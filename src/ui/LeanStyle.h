#pragma once

class QStyle;

// The desktop's own style, less one icon: the menu bar's overflow button, which Pendrel's one
// short menu never shows. Reading that icon, the toolkit loads every image plugin installed on
// the system to ask each whether it reads the file: 0.4 MiB and a few milliseconds at start-up,
// for nothing. UseLeanStyle makes it the program's style; call it before the first window.
void UseLeanStyle();

// A new one, for a widget that wraps a style of its own around it.
QStyle *NewLeanStyle();
