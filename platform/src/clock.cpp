// QueryPerformanceCounter, QueryPerformanceFrequency, GetTickCount and Sleep.
#include "platform/src/clock.h"

#include "platform/win32.h"

#include <cerrno>
#include <ctime>
#include <sched.h>

namespace OvPlatform
{

ClockState& Clock()
{
    static ClockState state;
    return state;
}

int64_t NowNs()
{
    int64_t now = NowNsWithoutStep();
    if (Clock().manual)
        Clock().manualNs += Clock().stepPerReadNs;
    return now;
}

int64_t NowNsWithoutStep()
{
    if (Clock().manual)
        return Clock().manualNs;
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

} // namespace OvPlatform

using namespace OvPlatform;

namespace
{
constexpr int64_t kCounterFrequency = 1000000000; // the counter counts nanoseconds
}

extern "C" BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency || !Clock().counterAvailable)
        return FALSE;
    frequency->QuadPart = kCounterFrequency;
    return TRUE;
}

extern "C" BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count || !Clock().counterAvailable)
        return FALSE;
    count->QuadPart = NowNs();
    return TRUE;
}

extern "C" DWORD WINAPI GetTickCount(void)
{
    return DWORD(NowNs() / 1000000); // wraps after 49.7 days, as on Windows
}

extern "C" void WINAPI Sleep(DWORD milliseconds)
{
    if (Clock().manual)
    {
        Clock().manualNs += int64_t(milliseconds) * 1000000;
        return;
    }
    if (milliseconds == 0)
    {
        sched_yield();
        return;
    }
    timespec wait{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR)
    {
    }
}
