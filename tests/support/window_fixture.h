// Fixtures for tests on real windows (Xvfb + Mesa), under the manual clock: the engine
// started for the suite, and one framework window for the suite whose render target is made
// active, reset to the default drawing state, returned to window coordinates (no view) and
// cleared black before each test; its pixels read back with y from the top.
#pragma once

#include "support/image.h"
#include "support/manual_clock.h"
#include "support/read_back.h"

#include <cstdint>

namespace OvTest
{

class EngineTest : public ManualClockTest
{
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
};

// The suite window's steps, shared by every size: opening it as "test-window", making it
// ready for a test, and closing it (the window records are cleared with it).
bool OpenSuiteWindow(int32_t width, int32_t height);
bool PrepareSuiteWindow();
void CloseSuiteWindow();

// The draw calls the engine has counted, after flushing what it holds.
uint64_t DrawCalls();

template <int32_t Width, int32_t Height> class SuiteWindowTest : public EngineTest
{
  protected:
    static constexpr int32_t WIDTH = Width;
    static constexpr int32_t HEIGHT = Height;

    static void SetUpTestSuite()
    {
        EngineTest::SetUpTestSuite();
        windowOpen = OpenSuiteWindow(WIDTH, HEIGHT);
    }

    static void TearDownTestSuite()
    {
        CloseSuiteWindow();
        EngineTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(windowOpen) << "needs an X display (run under xvfb-run)";
        ASSERT_TRUE(PrepareSuiteWindow());
    }

    // The pixel at window coordinates (x, y), y from the top.
    static Rgba PixelAt(int32_t x, int32_t y) { return ReadTargetPixel(x, HEIGHT - 1 - y); }
    // The w x h pixels from window coordinates (x, y), rows from the top.
    static Image Region(int32_t x, int32_t y, int32_t w, int32_t h)
    {
        return ReadTarget(x, HEIGHT - y - h, w, h);
    }

    static inline bool windowOpen = false;
};

// The window of the drawing tests, with a camera whose world units are its pixels.
using DrawingTest = SuiteWindowTest<128, 96>;

} // namespace OvTest
