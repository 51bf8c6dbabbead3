#pragma once

#include <QAccessible>

#include <functional>

class QAbstractItemView;
class QLabel;
class QWidget;

// What screen readers and other assistive tools learn from Pendrel's windows, beyond what the
// toolkit tells them by itself.
namespace Accessibility {

// Once, at start-up: the interfaces below, and a focus ring that shows from the first moment.
void SetUp();

// `panel` and the labels in it are one object: the labels leave the tree and send nothing, and
// the panel, a Tab stop, is read by its accessible name.
void SpeakAsOne(QWidget *panel);

// A label read as something other than plain text: an alert, say.
void SetRole(QLabel *label, QAccessible::Role role);

// A label that works as a link: a Tab stop that a left click, Enter or Space opens. Give it its
// text after this, and keep its place in the Tab order in the window's design.
void MakeLink(QLabel *label, std::function<void()> open);

// Tells screen readers `message` once, as a notification from `window`, while it shows: what
// changes without the focus going there. A window out of sight tells nothing.
void Tell(QWidget *window, const QString &message);

// Tells screen readers which cell of `grid` has the keyboard, as if it had just moved there.
void TellCurrentCell(QAbstractItemView *grid);

// Access keys of `widget` work but are not underlined: the designs mark none.
void HideAccessKeys(QWidget *widget);

} // namespace Accessibility
