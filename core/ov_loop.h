// The frame loop of the framework: one process-wide OV_LOOP that pumps window messages and,
// whenever the queue is empty, runs one frame (cursor sample, frame callback, input edges
// cleared, delta measured, frame paced, render and update ticks advanced, rates counted).
// Every state routine runs one loop; clearing `running` ends it. Also the timer (`Now`).
#pragma once

#include "platform/win32.h"

#include <cstdint>

namespace OvCore
{

// Called once per frame with the window of the last message and the loop's context.
typedef void (*OV_FRAME_CALLBACK)(HWND window, void* context);
// Notification-area icon messages of a framework window.
typedef void (*OV_TRAY_HOOK)(HWND window, WPARAM wParam, LPARAM lParam);
// Application messages (0x8001..0xBFFE) and, before the default procedure, all others.
typedef void (*OV_MESSAGE_HOOK)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The frame loop's control record: timing, pacing, tick flags, rates and hooks; one per process,
// reached through Loop().
struct OV_LOOP
{
    float waitOdd = 0;       // busy-wait thresholds in ms, used on alternate frames
    float waitEven = 0;      // the other threshold, used on the frames between
    float renderAccum = 0;   // seconds since the last render tick
    bool renderTick = false; // true in the frame after a render period elapsed
    float updateAccum = 0;   // seconds since the last update tick
    bool updateTick = false; // true in the frame after an update period elapsed
    float previousTime = 0;  // seconds, see Now()
    float currentTime = 0;   // seconds, the timer at the end of this frame's pacing
    float delta = 0;         // the frame time that callbacks read, seconds
    // Measured rates of frames, render ticks and update ticks per second, renewed about once a
    // second.
    float framesPerSecond = 0;
    float rendersPerSecond = 0;
    float updatesPerSecond = 0;
    // Seconds since the three rates were last computed.
    float rateAccum = 0;
    float framePeriod = 0;  // ms; 0 runs frames back to back; paced at most a minute
    float renderPeriod = 0; // seconds; 0 or less ticks every frame
    float updatePeriod = 0; // seconds between update ticks; 0 or less ticks every frame
    bool useSleep = false;  // pace with Sleep instead of busy waiting
    // Frames, render ticks and update ticks since the rates were last computed.
    uint32_t frameCount = 0;
    uint32_t renderCount = 0;
    uint32_t updateCount = 0;
    // Clear the input edges after each frame callback.
    bool clearInputEachFrame = true;
    bool clearCharsEachFrame = true; // empty the typed-character queue after each frame
    MSG message = {};                // the window message last taken from the queue
    bool running = true;             // clearing it ends the loop after the current frame
    OV_TRAY_HOOK trayHook = nullptr; // called for notification-icon messages; null for none
    OV_MESSAGE_HOOK appMessageHook = nullptr; // called for application messages; null for none
    OV_MESSAGE_HOOK defaultHook = nullptr;    // called before the default window procedure

    // Seconds since system start on the high-resolution timer (the tick count where there
    // is none), as float, as double, and as integer milliseconds. The loop measures in
    // double: a float from system start has 8 ms steps after a day of uptime.
    static float Now();
    static double NowPrecise();
    static uint32_t NowMilliseconds();

    // Measures waitOdd and waitEven for the current framePeriod (spins one period).
    void Calibrate();
    // Pumps messages and runs frames until `running` is cleared or the quit message
    // arrives; `running` is true again afterwards. Returns at once, leaving `running`
    // false, when it is already false. Always returns true.
    bool RunFrameLoop(OV_FRAME_CALLBACK frameCallback, void* context);

  private:
    double previousPrecise_ = 0; // the precise forms of previousTime and currentTime
    double currentPrecise_ = 0;

    bool PumpMessage();
    void RunFrame(OV_FRAME_CALLBACK frameCallback, void* context, bool oddFrame);
    double PacedPeriod() const;
    void Pace(bool oddFrame);
    void SpinToTarget(float thresholdMs);
    void AdvanceTimers();
    void UpdateRates();
};

// The process-wide loop record, created on first use.
OV_LOOP& Loop();

} // namespace OvCore
