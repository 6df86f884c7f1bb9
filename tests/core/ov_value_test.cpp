#include "core/ov_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using OvCore::OV_NUMBER;
using OvCore::OV_VALUE;

TEST(OvNumber, ArithmeticAndComparisons)
{
    OV_NUMBER n = 7.5;
    n += 2.5;
    n *= OV_NUMBER(3);
    n -= 6;
    n /= 4;
    EXPECT_EQ(n, 6.0);
    EXPECT_EQ((OV_NUMBER(1) + OV_NUMBER(2)) * OV_NUMBER(4), 12);

    OV_NUMBER two = 2;
    EXPECT_TRUE(two == 2.0f);
    EXPECT_TRUE(two == int32_t{2});
    EXPECT_TRUE(two == uint32_t{2});
    EXPECT_TRUE(two == int16_t{2});
    EXPECT_TRUE(two == uint16_t{2});
    EXPECT_TRUE(two == int8_t{2});
    EXPECT_TRUE(two == uint8_t{2});
    EXPECT_TRUE(two != 3);
    EXPECT_FALSE(OV_NUMBER(2.5) == 2); // compared as doubles, not truncated
    EXPECT_TRUE(OV_NUMBER(0.5));
    EXPECT_FALSE(OV_NUMBER(0.0));
}

TEST(OvNumber, TruncatingConversions)
{
    EXPECT_EQ(OV_NUMBER(-2.9).ToInt32(), -2);
    EXPECT_EQ(OV_NUMBER(70000.7).ToInt16(), static_cast<int16_t>(70000));
    EXPECT_EQ(OV_NUMBER(258.9).ToByte(), 2);
    EXPECT_EQ(OV_NUMBER(1.1).ToFloat(), 1.1f);
    // Out of range and NaN are defined (x86's integer indefinite), not undefined behaviour.
    EXPECT_EQ(OV_NUMBER(3e9).ToInt32(), INT32_MIN);
    EXPECT_EQ(OV_NUMBER(-3e9).ToInt32(), INT32_MIN);
    EXPECT_EQ(OV_NUMBER(std::nan("")).ToInt32(), INT32_MIN);
    EXPECT_EQ(OV_NUMBER(std::numeric_limits<double>::infinity()).ToByte(), 0);
    EXPECT_EQ(OV_NUMBER(2147483647.9).ToInt32(), INT32_MAX);
    EXPECT_EQ(OV_NUMBER(-2147483648.9).ToInt32(), INT32_MIN);
}

TEST(OvValue, KindsAndPayloads)
{
    OV_VALUE value;
    EXPECT_EQ(value.GetKind(), OV_VALUE::EMPTY);
    EXPECT_EQ(value.GetNumber(), 0.0);
    EXPECT_EQ(value.GetString(), nullptr);

    value.SetString("text");
    EXPECT_EQ(value.GetKind(), OV_VALUE::STRING);
    ASSERT_NE(value.GetString(), nullptr);
    EXPECT_EQ(*value.GetString(), "text");
    EXPECT_EQ(value.GetNumber(), 0.0);

    value.SetNumber(4.5); // the string payload is released (LeakSanitizer checks)
    EXPECT_EQ(value.GetKind(), OV_VALUE::NUMBER);
    EXPECT_EQ(value.GetNumber(), 4.5);
    EXPECT_EQ(value.GetString(), nullptr);

    value.Clear();
    EXPECT_EQ(value.GetKind(), OV_VALUE::EMPTY);
    value.SetString(static_cast<const char*>(nullptr));
    EXPECT_EQ(*value.GetString(), "");
}

TEST(OvValue, EqualityAndDeepCopies)
{
    OV_VALUE a, b;
    EXPECT_TRUE(a == b);
    a.SetNumber(1);
    EXPECT_FALSE(a == b);
    b.SetNumber(1);
    EXPECT_TRUE(a == b);
    b.SetString("1");
    EXPECT_FALSE(a == b); // different kinds

    a.SetString("1");
    EXPECT_TRUE(a == b);
    OV_VALUE copy = a;
    a.SetString("changed");
    EXPECT_EQ(*copy.GetString(), "1");
    EXPECT_FALSE(a == copy);
}
