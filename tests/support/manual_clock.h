// A fixture that puts the process on the manual clock with a fresh loop and input record,
// so that time in a test moves only when the test moves it (platform/testing.h).
#pragma once

#include "platform/testing.h"

#include <gtest/gtest.h>

namespace OvTest
{

class ManualClockTest : public ::testing::Test
{
  protected:
    static constexpr double START_TIME = 100.0;

    void SetUp() override;
    void TearDown() override;

    // Messages left by an earlier test would reach this test's first frame.
    static void DrainMessages();
};

} // namespace OvTest
