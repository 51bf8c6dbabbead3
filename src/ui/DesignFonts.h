#pragma once

#include <QString>

class QFont;
class QLabel;
class QWidget;

// Window designs give font sizes such as 11.25 pt, which .ui files cannot hold. Each widget
// with a "pixelSize" property gets its font set to that many pixels (11.25 pt at 96 dpi is 15),
// so text keeps to the fixed pixel geometry of the designs.
void ApplyDesignFonts(QWidget *root);

// Font names of the designs that Linux lacks, mapped to metric-compatible faces.
void RegisterFontSubstitutions();

// Reading the system's font configuration is the largest part of start-up, and building the
// first window mostly waits on other processes. Begins the reading on a second thread; the first
// window's fonts wait for it to end.
void BeginReadingFonts();

// The toolkit's default dialog font of the designs, 8.25 pt: Arial at 11 pixels.
constexpr int DialogFontPixels = 11;
QFont DialogFont();

// The stand-in faces sit higher in their lines than the designs' fonts. Keeps `label`'s rectangle
// and gives it a top margin that puts the tops of its digits `top` pixels below its own top.
void PlaceDigitTops(QLabel *label, int top);

// Where `label`'s text is too wide for one line of its inside in the stand-in face, shrinks the
// font from the design's size (its "pixelSize") until it fits; the alignment stays as designed.
void FitOnOneLine(QLabel *label);
