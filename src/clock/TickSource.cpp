#include "clock/TickSource.h"

#include <time.h>

namespace modStopWatch {

namespace {
TickSource &source()
{
    static TickSource current;
    return current;
}
} // namespace

qint32 SystemTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const quint64 ms = quint64(now.tv_sec) * 1000u + quint64(now.tv_nsec) / 1000000u;
    return qint32(quint32(ms));
}

qint32 GetTickCount()
{
    const TickSource &fake = source();
    return fake ? fake() : SystemTickCount();
}

void SetTickSource(TickSource source_)
{
    source() = std::move(source_);
}

} // namespace modStopWatch
