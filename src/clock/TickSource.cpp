#include "clock/TickSource.h"

#include <time.h>

namespace modStopWatch {

qint64 GetTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

} // namespace modStopWatch
