#pragma once

#include <QtGlobal>

#include <functional>

namespace modStopWatch {

// Where the count takes its readings: milliseconds on a clock that never goes back. Tests hand
// the count a clock of their own.
using TickSource = std::function<qint64()>;

// Milliseconds since boot on CLOCK_BOOTTIME, which keeps counting while the machine sleeps, so
// days of suspend still count. Kept in 64 bits: a 32-bit tick would lose 49.7 days from any
// suspend longer than that.
qint64 GetTickCount();

} // namespace modStopWatch
