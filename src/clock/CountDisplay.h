#pragma once

#include "clock/CountTexts.h"

class QWidget;

namespace modStopWatch {

// The output side of the count: sets the count labels of `window` by their names, so one
// procedure serves every window that shows the count. A window without days and years labels
// (the compact one) shows only the time. The panel that holds the labels takes the whole count,
// spoken, as its accessible name.
void UpdateDisplay(const CountTexts &texts, QWidget *window);

} // namespace modStopWatch
