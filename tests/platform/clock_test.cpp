// The performance counter, tick count and Sleep, on the manual clock.
#include "platform/testing.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace
{

class ManualClock : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        PlatformTestUseManualClock(true);
        PlatformTestSetTime(10.0);
    }
    void TearDown() override
    {
        PlatformTestSetTimeStepPerRead(0);
        PlatformTestSetPerformanceCounterAvailable(true);
        PlatformTestUseManualClock(false);
    }

    static double CounterSeconds()
    {
        LARGE_INTEGER frequency{}, count{};
        EXPECT_TRUE(QueryPerformanceFrequency(&frequency));
        EXPECT_TRUE(QueryPerformanceCounter(&count));
        return double(count.QuadPart) / double(frequency.QuadPart);
    }
};

} // namespace

TEST_F(ManualClock, CounterTickCountAndSleepFollowIt)
{
    EXPECT_DOUBLE_EQ(CounterSeconds(), 10.0);
    EXPECT_EQ(GetTickCount(), 10000u);
    PlatformTestAdvanceTime(0.016);
    EXPECT_DOUBLE_EQ(CounterSeconds(), 10.016);
    EXPECT_EQ(GetTickCount(), 10016u);
    Sleep(250); // returns at once, the clock moves
    EXPECT_EQ(GetTickCount(), 10266u);
    EXPECT_DOUBLE_EQ(PlatformTestTime(), 10.266);
}

TEST_F(ManualClock, StepPerReadEndsBusyWaits)
{
    PlatformTestSetTimeStepPerRead(0.001);
    LARGE_INTEGER start{}, now{};
    QueryPerformanceCounter(&start);
    int reads = 0;
    do
    {
        QueryPerformanceCounter(&now);
        ++reads;
    } while (now.QuadPart - start.QuadPart < 16000000); // 16 ms
    EXPECT_EQ(reads, 16);

    // Queue bookkeeping reads the clock without stepping it.
    double before = PlatformTestTime();
    MSG msg{};
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER, 0, 0));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.time, DWORD(before * 1000));
    EXPECT_DOUBLE_EQ(PlatformTestTime(), before);
}

TEST_F(ManualClock, CounterCanBeMadeUnavailable)
{
    PlatformTestSetPerformanceCounterAvailable(false);
    LARGE_INTEGER value{};
    EXPECT_FALSE(QueryPerformanceFrequency(&value));
    EXPECT_FALSE(QueryPerformanceCounter(&value));
    EXPECT_EQ(GetTickCount(), 10000u); // the tick count remains
}

TEST(RealClock, CounterIsMonotonic)
{
    LARGE_INTEGER a{}, b{};
    ASSERT_TRUE(QueryPerformanceCounter(&a));
    ASSERT_TRUE(QueryPerformanceCounter(&b));
    EXPECT_GE(b.QuadPart, a.QuadPart);
}
