// The time source behind the performance counter, the tick count and Sleep: CLOCK_MONOTONIC,
// or the manual clock of platform/testing.h. Private to platform/src.
#pragma once

#include <cstdint>

namespace OvPlatform
{

struct ClockState
{
    bool manual = false;
    int64_t manualNs = 0;
    int64_t stepPerReadNs = 0;
    bool counterAvailable = true;
};

ClockState& Clock();
// Nanoseconds since an arbitrary start (system start for the real clock). Reads through the
// Win32 calls advance the manual clock by its step; the platform's own bookkeeping (message
// times) reads without stepping, so it never disturbs a test's timing.
int64_t NowNs();
int64_t NowNsWithoutStep();

} // namespace OvPlatform
