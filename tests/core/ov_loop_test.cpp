// The frame loop and the timer on the manual clock: ticks, pacing, rates and loop control.
#include "support/frame_script.h"
#include "support/manual_clock.h"

#include <cmath>

using namespace OvCore;
using OvTest::FrameScript;

namespace
{

using LoopTest = OvTest::ManualClockTest;

// A script of `count` frames that each take `seconds` of manual time and run `check` first.
std::vector<FrameScript::Step> FramesTaking(
    size_t count, double seconds, const std::function<void()>& check = [] {})
{
    return std::vector<FrameScript::Step>(count,
                                          [=]
                                          {
                                              check();
                                              PlatformTestAdvanceTime(seconds);
                                          });
}

TEST_F(LoopTest, TimerReadsTheCounterOrFallsBackToTheTickCount)
{
    PlatformTestSetTime(12.5);
    EXPECT_FLOAT_EQ(OV_LOOP::Now(), 12.5f);
    EXPECT_DOUBLE_EQ(OV_LOOP::NowPrecise(), 12.5);
    EXPECT_EQ(OV_LOOP::NowMilliseconds(), 12500u);

    PlatformTestSetPerformanceCounterAvailable(false);
    PlatformTestSetTime(7.2509);
    EXPECT_DOUBLE_EQ(OV_LOOP::NowPrecise(), 7.250); // milliseconds only
    PlatformTestSetPerformanceCounterAvailable(true);
}

TEST_F(LoopTest, RenderPeriodTicksEveryFifthFrameAtAHundredFramesPerSecond)
{
    OV_LOOP& loop = Loop();
    loop.renderPeriod = 0.05f;
    std::vector<bool> ticks;
    FrameScript(FramesTaking(21, 0.01, [&] { ticks.push_back(loop.renderTick); })).Run();

    // Frame n reads the tick computed at the end of frame n - 1; the first frame always
    // ticks. The float period 0.05f lies a hair above five float deltas of 0.01, so the
    // first wait may take a sixth frame; from then on the kept remainder ticks every fifth.
    ASSERT_EQ(ticks.size(), 21u);
    std::vector<size_t> tickFrames;
    for (size_t frame = 0; frame < ticks.size(); ++frame)
        if (ticks[frame])
            tickFrames.push_back(frame);
    ASSERT_GE(tickFrames.size(), 4u);
    EXPECT_EQ(tickFrames[0], 0u);
    EXPECT_GE(tickFrames[1], 5u);
    EXPECT_LE(tickFrames[1], 6u);
    for (size_t i = 2; i < tickFrames.size(); ++i)
        EXPECT_EQ(tickFrames[i] - tickFrames[i - 1], 5u) << "tick " << i;
    EXPECT_TRUE(loop.updateTick); // updatePeriod 0 ticks every frame
    EXPECT_NEAR(loop.delta, 0.01f, 1e-6f);
}

TEST_F(LoopTest, RatesAreCountedOverEachSecond)
{
    OV_LOOP& loop = Loop();
    loop.renderPeriod = 0.05f;
    loop.updatePeriod = 0.1f;
    FrameScript(FramesTaking(101, 0.01)).Run();
    EXPECT_NEAR(loop.framesPerSecond, 100, 1);
    EXPECT_NEAR(loop.rendersPerSecond, 20, 1);
    EXPECT_NEAR(loop.updatesPerSecond, 10, 1);
}

TEST_F(LoopTest, ZeroFramePeriodNeverWaits)
{
    OV_LOOP& loop = Loop();
    loop.useSleep = true; // a sleep would move the manual clock
    const size_t frames = FrameScript(FramesTaking(5, 0)).Run();
    EXPECT_EQ(frames, 5u);
    EXPECT_DOUBLE_EQ(PlatformTestTime(), START_TIME);
    EXPECT_EQ(loop.waitOdd, 0);
    EXPECT_EQ(loop.waitEven, 0);
    EXPECT_EQ(loop.delta, 0);
}

TEST_F(LoopTest, LoopThatMayNotRunReturnsAtOnceAndStaysStopped)
{
    OV_LOOP& loop = Loop();
    loop.running = false;
    bool ran = false;
    EXPECT_TRUE(
        loop.RunFrameLoop([](HWND, void* flag) { *static_cast<bool*>(flag) = true; }, &ran));
    EXPECT_FALSE(ran);
    EXPECT_FALSE(loop.running);
    EXPECT_TRUE(loop.renderTick); // the loop state was still reset for the frames to come
}

TEST_F(LoopTest, BusyWaitingAlternatesTheTwoCalibratedThresholds)
{
    OV_LOOP& loop = Loop();
    loop.framePeriod = 16.67f;
    PlatformTestSetTimeStepPerRead(0.0001); // every read of the counter takes 0.1 ms
    std::vector<float> deltas;
    FrameScript(FramesTaking(7, 0.002, [&] { deltas.push_back(loop.delta); })).Run();

    // Calibration spins one period: waitOdd is the last reading below it, waitEven the first
    // at or above it, so the two frames of a pair average the period within one reading.
    EXPECT_LT(loop.waitOdd, 16.67f);
    EXPECT_GE(loop.waitEven, 16.67f);
    EXPECT_LE(loop.waitEven - loop.waitOdd, 0.1001f);
    // Frames start waitOdd and waitEven apart in turn (the first delta is the one before
    // the loop); a few counter reads per frame add at most half a millisecond.
    ASSERT_EQ(deltas.size(), 7u);
    for (size_t frame = 1; frame < deltas.size(); ++frame)
    {
        const float expected = frame % 2 == 1 ? loop.waitOdd : loop.waitEven;
        EXPECT_GE(deltas[frame] * 1000, expected) << "frame " << frame;
        EXPECT_LT(deltas[frame] * 1000, expected + 0.5f) << "frame " << frame;
    }
}

TEST_F(LoopTest, BusyWaitingKeepsAnAbsoluteScheduleWhateverTheSpinOvershoots)
{
    OV_LOOP& loop = Loop();
    loop.framePeriod = 16.67f;
    // Coarse counter reads: each spin notices its target up to 0.7 ms late.
    PlatformTestSetTimeStepPerRead(0.0007);
    std::vector<double> starts;
    std::vector<float> deltas;
    FrameScript(FramesTaking(9, 0.003,
                             [&]
                             {
                                 starts.push_back(PlatformTestTime());
                                 deltas.push_back(loop.delta);
                             }))
        .Run();

    // Frame n starts within one read of the first start plus the thresholds of the frames
    // between: the lateness of one spin is not added to the next.
    ASSERT_EQ(starts.size(), 9u);
    double scheduled = starts[0];
    for (size_t frame = 1; frame < starts.size(); ++frame)
    {
        scheduled += (frame % 2 == 1 ? loop.waitOdd : loop.waitEven) / 1000.0;
        EXPECT_GE(starts[frame], scheduled) << "frame " << frame;
        EXPECT_LT(starts[frame], scheduled + 0.0015) << "frame " << frame;
        // delta is the scheduled spacing itself, without the spin's jitter.
        const float threshold = frame % 2 == 1 ? loop.waitOdd : loop.waitEven;
        EXPECT_NEAR(deltas[frame] * 1000, threshold, 0.01f) << "frame " << frame;
    }
}

TEST_F(LoopTest, SleepPacingSleepsTheRestOfThePeriodAndAtLeastOneMillisecond)
{
    OV_LOOP& loop = Loop();
    loop.framePeriod = 20;
    loop.useSleep = true;
    PlatformTestSetTimeStepPerRead(0.0001); // calibration spins on the counter
    std::vector<double> starts;
    FrameScript({
                    [&]
                    {
                        starts.push_back(PlatformTestTime());
                        PlatformTestAdvanceTime(0.005);
                    },
                    [&]
                    {
                        starts.push_back(PlatformTestTime());
                        PlatformTestAdvanceTime(0.030);
                    },
                    [&] { starts.push_back(PlatformTestTime()); },
                })
        .Run();
    ASSERT_EQ(starts.size(), 3u);
    // 5 ms of work then a 15 ms sleep (less the counter reads); 30 ms of work then 1 ms.
    EXPECT_NEAR(starts[1] - starts[0], 0.020, 0.0015);
    EXPECT_NEAR(starts[2] - starts[1], 0.031, 0.0015);
}

TEST_F(LoopTest, NanOrHugeFramePeriodsNeitherHangNorOverflow)
{
    OV_LOOP& loop = Loop();
    loop.useSleep = true;
    PlatformTestSetTimeStepPerRead(0.01); // calibration spins on the counter
    const auto frameSpacing = [&](float period)
    {
        loop.framePeriod = period;
        std::vector<double> starts;
        FrameScript(FramesTaking(2, 0, [&] { starts.push_back(PlatformTestTime()); })).Run();
        return starts.size() == 2 ? starts[1] - starts[0] : -1.0;
    };
    EXPECT_LT(frameSpacing(std::nanf("")), 0.1); // no pacing at all
    const double huge = frameSpacing(1e30f);     // paced to the longest period, a minute
    EXPECT_GT(huge, 59.0);
    EXPECT_LT(huge, 61.0);
}

} // namespace
