#pragma once

#include <QtGlobal>

#include <functional>

namespace modStopWatch {

// Milliseconds since boot as a signed 32-bit value. It wraps every 2^32 ms, so callers only
// ever take differences of readings, modulo 2^32.
using TickSource = std::function<qint32()>;

qint32 GetTickCount();

// Tests install a fake clock here; an empty function restores the system clock.
void SetTickSource(TickSource source);

// CLOCK_BOOTTIME keeps counting while the machine sleeps, so days of suspend still count.
qint32 SystemTickCount();

} // namespace modStopWatch
