// A frame script: runs the real frame loop (RunFrameLoop) for a fixed number of frames with
// one step of test code inside each, step i inside frame i (as the frame callback); messages
// posted by a step are handled before the next frame.
#pragma once

#include "core/ov_loop.h"

#include <functional>
#include <vector>

namespace OvTest
{

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

} // namespace OvTest
