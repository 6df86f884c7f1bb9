// The framework's timer: the high-resolution performance counter, or the millisecond tick
// count on a system without one.
#include "core/ov_loop.h"

namespace OvCore
{

namespace
{

// Counts per second of the performance counter, read once; 0 while there is none.
LONGLONG CounterFrequency()
{
    static LONGLONG frequency = 0;
    if (frequency == 0)
    {
        LARGE_INTEGER value;
        if (QueryPerformanceFrequency(&value) && value.QuadPart > 0)
            frequency = value.QuadPart;
    }
    return frequency;
}

} // namespace

double OV_LOOP::NowPrecise()
{
    const LONGLONG frequency = CounterFrequency();
    LARGE_INTEGER count;
    if (frequency > 0 && QueryPerformanceCounter(&count))
        return static_cast<double>(count.QuadPart) / static_cast<double>(frequency);
    return GetTickCount() / 1000.0;
}

float OV_LOOP::Now()
{
    return static_cast<float>(NowPrecise());
}

uint32_t OV_LOOP::NowMilliseconds()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(NowPrecise() * 1000.0));
}

} // namespace OvCore
