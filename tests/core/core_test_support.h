// Shared by the window, input and loop tests: a fixture that puts the process on the manual
// clock with a fresh loop and input record, and a frame script that runs the real frame loop
// for a fixed number of frames with one step of test code inside each.
#pragma once

#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace OvCoreTest
{

class ManualClockTest : public ::testing::Test
{
protected:
    static constexpr double START_TIME = 100.0;

    void SetUp() override
    {
        PlatformTestUseManualClock(true);
        PlatformTestSetTime(START_TIME);
        PlatformTestSetTimeStepPerRead(0);
        OvCore::Loop() = OvCore::OV_LOOP();
        OvCore::Input() = OvCore::OV_INPUT();
        DrainMessages();
    }

    void TearDown() override
    {
        PlatformTestSetTimeStepPerRead(0);
        DrainMessages();
    }

    // Messages left by an earlier test would reach this test's first frame.
    static void DrainMessages()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
        }
    }
};

// Runs RunFrameLoop until every step has run, step i inside frame i (as the frame callback);
// messages posted by a step are handled before the next frame.
class FrameScript
{
public:
    using Step = std::function<void()>;

    explicit FrameScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

    // The number of frames that ran.
    size_t Run()
    {
        OvCore::Loop().RunFrameLoop(&FrameScript::Frame, this);
        return next_;
    }

private:
    static void Frame(HWND, void* context)
    {
        auto* script = static_cast<FrameScript*>(context);
        if (script->next_ < script->steps_.size())
            script->steps_[script->next_++]();
        if (script->next_ >= script->steps_.size())
            OvCore::Loop().running = false;
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
};

} // namespace OvCoreTest
