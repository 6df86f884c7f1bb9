#include "support/manual_clock.h"

#include "core/ov_input.h"
#include "core/ov_loop.h"

namespace OvTest
{

void ManualClockTest::SetUp()
{
    PlatformTestUseManualClock(true);
    PlatformTestSetTime(START_TIME);
    PlatformTestSetTimeStepPerRead(0);
    OvCore::Loop() = OvCore::OV_LOOP();
    OvCore::Input() = OvCore::OV_INPUT();
    DrainMessages();
}

void ManualClockTest::TearDown()
{
    PlatformTestSetTimeStepPerRead(0);
    DrainMessages();
}

void ManualClockTest::DrainMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
    }
}

} // namespace OvTest
