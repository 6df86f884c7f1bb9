#include "core/ov_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

using namespace OvCore;

TEST(OvMath, DegreeConversions)
{
    EXPECT_DOUBLE_EQ(DegToRad(180.0), 3.141592653589793);
    EXPECT_DOUBLE_EQ(RadToDeg(3.141592653589793 / 2), 90.0);
    EXPECT_FLOAT_EQ(DegToRad(90.0f), 1.5707964f);
    EXPECT_FLOAT_EQ(RadToDeg(DegToRad(33.0f)), 33.0f);
}

TEST(OvMath, RandomTakesThousandStepsBelowX)
{
    std::srand(12345);
    std::set<double> seen;
    for (int i = 0; i < 20000; ++i)
    {
        double r = Random(2.0);
        ASSERT_GE(r, 0.0);
        ASSERT_LE(r, 1.998);
        double step = r / 2.0 * 1000.0;
        ASSERT_NEAR(step, std::round(step), 1e-9); // a multiple of x / 1000
        seen.insert(r);
    }
    EXPECT_GT(seen.size(), 900u);
    EXPECT_LE(seen.size(), 1000u);

    std::srand(7);
    double first = Random(1.0);
    std::srand(7);
    EXPECT_EQ(Random(1.0), first); // seeded by srand
}

TEST(OvMath, LerpClampsT)
{
    EXPECT_DOUBLE_EQ(Lerp(10, 20, 0.25), 12.5);
    EXPECT_DOUBLE_EQ(Lerp(10, 20, -1), 10);
    EXPECT_DOUBLE_EQ(Lerp(10, 20, 3), 20);
    EXPECT_DOUBLE_EQ(Lerp(5, -5, 0.5), 0);
}

TEST(OvMath, BitsLeastSignificantFirst)
{
    uint8_t bytes[3] = {0, 0, 0};
    SetBit(bytes, 0);
    SetBit(bytes, 9);
    SetBit(bytes, 23);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0x02);
    EXPECT_EQ(bytes[2], 0x80);
    EXPECT_TRUE(TestBit(bytes, 9));
    EXPECT_FALSE(TestBit(bytes, 8));
    ClearBit(bytes, 9);
    EXPECT_FALSE(TestBit(bytes, 9));
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_TRUE(TestBit(bytes, 23));
}

TEST(OvMath, ColourChannelsOfPackedABGR)
{
    const uint32_t packed = 0x80FF3300; // alpha 0x80, blue 0xFF, green 0x33, red 0x00
    EXPECT_DOUBLE_EQ(ColourChannel(packed, 'R'), 0.0);
    EXPECT_DOUBLE_EQ(ColourChannel(packed, 'g'), 0x33 / 255.0);
    EXPECT_DOUBLE_EQ(ColourChannel(packed, 'B'), 1.0);
    EXPECT_DOUBLE_EQ(ColourChannel(packed, 'a'), 0x80 / 255.0);
    EXPECT_DOUBLE_EQ(ColourChannel(packed, 'X'), 0.0);
}
