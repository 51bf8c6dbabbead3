#pragma once

#include <QColor>

class QLabel;

// Text that stays readable whatever the desktop's colour scheme.
namespace Readable {

// The contrast ratio of two colours as the web's accessibility guidelines define it: 1 (none)
// to 21 (black on white).
double Contrast(const QColor &a, const QColor &b);

// `colour`, made lighter or darker only as far as it takes to reach `ratio` on `background`.
QColor On(const QColor &colour, const QColor &background, double ratio = 4.5);

// Shows `label`'s text in `colour` where that reads on the background the desktop gives the
// label, and as near to it as reads where it doesn't, following any change of scheme.
void KeepColour(QLabel *label, const QColor &colour);

} // namespace Readable
