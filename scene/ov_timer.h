// OV_TIMER, a countdown the scene step advances by each frame's delta: when its remaining
// time runs out it calls its callback once and rests at 0 until given a new time. Programs
// keep them by name in Application().timers.
#pragma once

namespace OvCore
{

// Called once when a timer runs out.
typedef void (*OV_TIMER_CALLBACK)();

// A countdown in seconds with the routine it calls when it runs out.
struct OV_TIMER
{
    float remaining = 0;                  // seconds; 0 is idle
    OV_TIMER_CALLBACK callback = nullptr; // called when it runs out; null calls nothing

    // Counts `delta` seconds down; true when the timer ran out in this step (the callback,
    // if set, has then been called).
    bool Advance(float delta);
};

} // namespace OvCore
