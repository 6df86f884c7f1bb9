#include "core/ov_loop.h"

#include "core/ov_input.h"

#include <algorithm>
#include <cmath>

namespace OvCore
{

namespace
{

// One tick timer: ticks when its period has accumulated, at most once per frame, keeping
// the remainder; a period of 0 or less ticks every frame.
void AdvanceTick(float period, float& accum, bool& tick, uint32_t& count)
{
    if (period > 0 && accum < period)
        return;
    tick = true;
    accum = period > 0 ? std::fmod(accum, period) : 0.0f;
    ++count;
}

} // namespace

OV_LOOP& Loop()
{
    static OV_LOOP loop;
    return loop;
}

// The period the loop paces to: none for zero, negative or NaN; at most a minute, so that a
// runaway value can neither spin nor sleep the program away (and converts to whole
// milliseconds without overflow).
double OV_LOOP::PacedPeriod() const
{
    constexpr double longest = 60000;
    if (!(framePeriod > 0))
        return 0;
    return std::min<double>(framePeriod, longest);
}

void OV_LOOP::Calibrate()
{
    waitOdd = waitEven = 0;
    const double period = PacedPeriod();
    if (period <= 0)
        return;
    // waitOdd ends as the last elapsed time below the period, waitEven as the first at or
    // above it: alternating them averages the period itself over the timer's granularity.
    const double start = NowPrecise();
    double elapsed = 0;
    while (elapsed < period)
    {
        elapsed = (NowPrecise() - start) * 1000;
        if (elapsed < period)
            waitOdd = static_cast<float>(elapsed);
        else
            waitEven = static_cast<float>(elapsed);
    }
}

bool OV_LOOP::RunFrameLoop(OV_FRAME_CALLBACK frameCallback, void* context)
{
    Calibrate();
    previousPrecise_ = NowPrecise();
    previousTime = static_cast<float>(previousPrecise_);
    rateAccum = 0;
    frameCount = renderCount = updateCount = 0;
    message.message = 0;
    renderAccum = 0;
    renderTick = true;
    updateAccum = 0;
    updateTick = true;
    bool oddFrame = false;

    // A change requested before the loop started: leave `running` false for the caller.
    if (!running)
        return true;

    while (running)
    {
        if (PumpMessage())
            continue;
        oddFrame = !oddFrame;
        RunFrame(frameCallback, context, oddFrame);
    }
    running = true;
    return true;
}

// Takes one waiting message of any window; false when the queue is empty.
bool OV_LOOP::PumpMessage()
{
    MSG next;
    if (!PeekMessageA(&next, nullptr, 0, 0, PM_REMOVE))
        return false;
    message = next;
    if (message.message == WM_QUIT)
    {
        running = false;
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void OV_LOOP::RunFrame(OV_FRAME_CALLBACK frameCallback, void* context, bool oddFrame)
{
    OV_INPUT& input = Input();
    input.SampleCursor();
    if (frameCallback)
        frameCallback(message.hwnd, context);
    if (clearInputEachFrame)
        input.EndFrame();
    if (clearCharsEachFrame)
        input.ClearChars();

    currentPrecise_ = NowPrecise();
    delta = static_cast<float>(currentPrecise_ - previousPrecise_);
    Pace(oddFrame);
    previousPrecise_ = currentPrecise_;
    currentTime = previousTime = static_cast<float>(currentPrecise_);
    AdvanceTimers();
}

// Waits out the rest of the frame period. The wait belongs to this frame: delta then spans
// one frame start to the next, and the next frame's work is measured from the end of the
// wait, so the next sleep is the period less that work.
void OV_LOOP::Pace(bool oddFrame)
{
    const double period = PacedPeriod();
    if (period <= 0)
        return;
    if (useSleep)
    {
        // delta may be anything a clock gives; the wait stays within [1, period] ms.
        const double wait = std::clamp(period - double(delta) * 1000, 1.0, std::max(1.0, period));
        Sleep(static_cast<DWORD>(std::isnan(wait) ? 1.0 : wait));
        currentPrecise_ = NowPrecise();
    }
    else
    {
        SpinToTarget(oddFrame ? waitOdd : waitEven);
    }
    delta = static_cast<float>(currentPrecise_ - previousPrecise_);
}

// Busy waiting spins to an absolute target, the previous frame start plus the threshold,
// and the next frame starts at that target rather than at whatever moment the spin noticed
// it: a late wake-up (a preempted spin, a coarse timer) does not push the frames after it,
// and delta is exactly the threshold whenever the frame's work fits. A frame whose work ran
// past the target starts at once.
void OV_LOOP::SpinToTarget(float thresholdMs)
{
    const double target = previousPrecise_ + thresholdMs / 1000.0;
    if (currentPrecise_ >= target)
        return;
    while (NowPrecise() < target)
    {
    }
    currentPrecise_ = target;
}

void OV_LOOP::AdvanceTimers()
{
    ++frameCount;
    rateAccum += delta;
    renderAccum += delta;
    renderTick = false;
    updateAccum += delta;
    updateTick = false;
    AdvanceTick(renderPeriod, renderAccum, renderTick, renderCount);
    AdvanceTick(updatePeriod, updateAccum, updateTick, updateCount);
    UpdateRates();
}

void OV_LOOP::UpdateRates()
{
    if (rateAccum < 1)
        return;
    framesPerSecond = frameCount / rateAccum;
    rendersPerSecond = renderCount / rateAccum;
    updatesPerSecond = updateCount / rateAccum;
    frameCount = renderCount = updateCount = 0;
    rateAccum = std::fmod(rateAccum, 1.0f);
}

} // namespace OvCore
