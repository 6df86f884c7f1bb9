// OV_TIMER, a countdown the scene step advances by each frame's delta: when its remaining
// time runs out it calls its callback once and rests at 0 until given a new time. Programs
// keep them by name in Application().timers.
#pragma once

namespace OvCore
{

typedef void (*OV_TIMER_CALLBACK)();

struct OV_TIMER
{
    float remaining = 0; // seconds; 0 is idle
    OV_TIMER_CALLBACK callback = nullptr;

    // Counts `delta` seconds down; true when the timer ran out in this step (the callback,
    // if set, has then been called).
    bool Advance(float delta);
};

} // namespace OvCore
