#include "core/ov_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using OvCore::OV_STRING;

namespace
{

std::vector<std::string> Tokens(const std::unique_ptr<OV_STRING[]>& tokens, uint32_t count)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; i < count; ++i)
        out.emplace_back(tokens[i].Text());
    return out;
}

std::vector<std::string> SplitText(const char* text, const char* delimiters,
                                   const char* quotes = nullptr)
{
    uint32_t count = 99;
    auto tokens = OV_STRING(text).Split(delimiters, count, quotes);
    return Tokens(tokens, count);
}

using Strings = std::vector<std::string>;

TEST(OvString, WideTextIsUtf8WhateverTheLocaleAndMalformedTextIsRefused)
{
    const OV_STRING text(L"f\u00fc \u20ac \U0001F600");
    EXPECT_STREQ(text.Text(), "f\xc3\xbc \xe2\x82\xac \xf0\x9f\x98\x80");
    wchar_t back[16] = {};
    ASSERT_TRUE(text.ToWide(back, 16));
    EXPECT_EQ(std::wstring(back), L"f\u00fc \u20ac \U0001F600");

    for (const char* malformed : {"\xc3", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "a\x80"})
        EXPECT_FALSE(OV_STRING(malformed).ToWide(back, 16)) << malformed;
    const wchar_t lone[] = {L'a', wchar_t(0xD800), 0};
    EXPECT_STREQ(OV_STRING(lone).Text(), "");
}

} // namespace

TEST(OvString, AssignmentCopiesAndIgnoresNull)
{
    OV_STRING text("abc");
    text = static_cast<const char*>(nullptr);
    EXPECT_EQ(text, "abc");

    OV_STRING copy(text);
    copy = "changed";
    EXPECT_EQ(text, "abc");

    text.Assign("abcdef", 4);
    EXPECT_EQ(text, "abcd");
    text.Assign("xy", 10); // capped at the source's length
    EXPECT_EQ(text, "xy");
    EXPECT_EQ(text.Length(), 2u);

    text.Clear();
    EXPECT_STREQ(text.Text(), "");
    EXPECT_FALSE(text == static_cast<const char*>(nullptr));
    EXPECT_EQ(OV_STRING(static_cast<const char*>(nullptr)), "");
}

TEST(OvString, FormatAndNumberAppends)
{
    OV_STRING text;
    ASSERT_TRUE(text.Format("%s-%03d", "id", 7));
    EXPECT_EQ(text, "id-007");
    // A format reading this string's own text still sees the old content.
    ASSERT_TRUE(text.Format("[%s]", text.Text()));
    EXPECT_EQ(text, "[id-007]");

    OV_STRING numbers;
    numbers += 1.5;
    numbers += ",";
    numbers += 100.0;
    numbers += ",";
    numbers += 3.14159265358979;
    numbers += ",";
    numbers += int32_t{-42};
    numbers += ",";
    numbers += uint32_t{4000000000u};
    numbers += OV_STRING("!");
    EXPECT_EQ(numbers, "1.5,100,3.1415927,-42,4000000000!");
}

TEST(OvString, WideConversionFitsOrRefuses)
{
    OV_STRING text(L"wide");
    EXPECT_EQ(text, "wide");

    wchar_t exact[5];
    ASSERT_TRUE(text.ToWide(exact, 5));
    EXPECT_EQ(std::wstring(exact), L"wide");

    wchar_t small[4] = {L'?', L'?', L'?', L'?'};
    EXPECT_FALSE(text.ToWide(small, 4)); // no room for the terminator
    EXPECT_EQ(small[3], L'?');
    EXPECT_FALSE(text.ToWide(nullptr, 10));
    EXPECT_FALSE(text.ToWide(exact, 0));
}

TEST(OvString, Find)
{
    OV_STRING text("abcabc");
    uint32_t index = 99;
    ASSERT_TRUE(text.Find(0, "bc", index));
    EXPECT_EQ(index, 1u);
    ASSERT_TRUE(text.Find(2, "bc", index));
    EXPECT_EQ(index, 4u);
    EXPECT_FALSE(text.Find(5, "bc", index));
    EXPECT_FALSE(text.Find(6, "c", index));
    EXPECT_FALSE(text.Find(0, nullptr, index));
}

TEST(OvString, NextTokenWalksSeparators)
{
    OV_STRING text("1:2:3");
    OV_STRING token;
    EXPECT_EQ(text.NextToken(token, ":", 0), 2u);
    EXPECT_EQ(token, "1");
    EXPECT_EQ(text.NextToken(token, ":", 2), 4u);
    EXPECT_EQ(token, "2");
    EXPECT_EQ(text.NextToken(token, ":", 4), 0u);
    EXPECT_EQ(token, "3");

    OV_STRING words("one<>two");
    EXPECT_EQ(words.NextToken(token, "<>", 0), 5u);
    EXPECT_EQ(token, "one");

    EXPECT_EQ(text.NextToken(token, ":", 6), 0u); // beyond the end
    EXPECT_EQ(token, "");
    // An empty separator cannot advance: the rest is the last token.
    EXPECT_EQ(text.NextToken(token, "", 2), 0u);
    EXPECT_EQ(token, "2:3");
    EXPECT_EQ(text.NextToken(token, nullptr, 0), 0u);

    // The token may be the string itself.
    EXPECT_EQ(text.NextToken(text, ":", 2), 4u);
    EXPECT_EQ(text, "2");
}

TEST(OvString, ReplaceAllAndReplaceChar)
{
    OV_STRING text("a-b-c");
    OV_STRING result;
    EXPECT_EQ(text.ReplaceAll(result, "-", "+-+"), 2u);
    EXPECT_EQ(result, "a+-+b+-+c");
    EXPECT_EQ(text, "a-b-c");

    EXPECT_EQ(OV_STRING("aaaa").ReplaceAll(result, "aaa", "b"), 1u);
    EXPECT_EQ(result, "ba");

    EXPECT_EQ(text.ReplaceAll(result, "", "x"), 0u);
    EXPECT_EQ(result, "a-b-c");
    EXPECT_EQ(text.ReplaceAll(result, "-", nullptr), 2u);
    EXPECT_EQ(result, "abc");

    EXPECT_EQ(text.ReplaceAll(text, "b", "BB"), 1u); // into itself
    EXPECT_EQ(text, "a-BB-c");

    EXPECT_EQ(text.ReplaceChar('-', '_'), 2u);
    EXPECT_EQ(text, "a_BB_c");
    EXPECT_EQ(text.ReplaceChar('z', 'y'), 0u);
}

TEST(OvString, UnescapeKnownAndUnknownEscapes)
{
    OV_STRING text(R"(\a\b\f\n\r\t\v\'\"\\\?|\x41\x7a|)");
    text.Unescape();
    EXPECT_EQ(text, "\a\b\f\n\r\t\v\'\"\\?|Az|");

    OV_STRING unknown(R"(C:\dir\q)");
    unknown.Unescape();
    EXPECT_EQ(unknown, R"(C:\dir\q)");

    OV_STRING trailing("end\\");
    trailing.Unescape();
    EXPECT_EQ(trailing, "end");

    // \x needs two hex digits; a short one at the end reads nothing past it.
    OV_STRING shortHex("a\\x4");
    shortHex.Unescape();
    EXPECT_EQ(shortHex, "a\\x4");
    OV_STRING badHex("\\xg1");
    badHex.Unescape();
    EXPECT_EQ(badHex, "\\xg1");

    OV_STRING zero("ab\\0cd");
    zero.Unescape();
    EXPECT_EQ(zero, "ab"); // the zero byte ends the text
}

TEST(OvString, SplitDropsEmptyTokens)
{
    EXPECT_EQ(SplitText("a,,b", ","), (Strings{"a", "b"}));
    EXPECT_EQ(SplitText(",a,", ","), (Strings{"a"}));
    EXPECT_EQ(SplitText(",,a", ","), (Strings{"a"}));
    EXPECT_EQ(SplitText("x", ","), (Strings{"x"}));
    EXPECT_EQ(SplitText("ab,c d", ", "), (Strings{"ab", "c", "d"}));
    EXPECT_EQ(SplitText("", ","), Strings{});
    EXPECT_EQ(SplitText(",,,", ","), Strings{});
    EXPECT_EQ(SplitText("a,b", nullptr), (Strings{"a,b"}));
}

TEST(OvString, SplitKeepsQuotedDelimiters)
{
    EXPECT_EQ(SplitText(R"(x,"a,b",y)", ",", "\""), (Strings{"x", R"("a,b")", "y"}));
    EXPECT_EQ(SplitText(R"("a b" 'c d')", " ", "\"'"), (Strings{R"("a b")", "'c d'"}));
    // An unclosed quote still ends at the end of the text: nothing is lost.
    EXPECT_EQ(SplitText(R"(a,"b,c)", ",", "\""), (Strings{"a", R"("b,c)"}));
}

TEST(OvString, SplitBufferReadsOnlyItsLength)
{
    // Exactly sized, not terminated, with a zero byte inside: ASan catches any read past it.
    const char source[] = {'k', '=', 'v', '\0', 'n', ';', 'm'};
    std::vector<char> bytes(source, source + sizeof source);
    uint32_t count = 0;
    auto tokens =
        OV_STRING::SplitBuffer(bytes.data(), static_cast<uint32_t>(bytes.size()), ";=", count);
    EXPECT_EQ(Tokens(tokens, count), (Strings{"k", "v", "n", "m"}));
    EXPECT_EQ(std::memcmp(bytes.data(), source, sizeof source), 0);

    tokens = OV_STRING::SplitBuffer(nullptr, 5, ",", count);
    EXPECT_EQ(count, 0u);
}

TEST(OvString, TypeLetterAndSize)
{
    EXPECT_EQ(OV_STRING("12x").TypeSize(), 1u);
    EXPECT_EQ(OV_STRING("123x").TypeSize(), 2u);
    EXPECT_EQ(OV_STRING("1234x").TypeSize(), 2u);
    EXPECT_EQ(OV_STRING("5").TypeSize(), 0u);
    EXPECT_EQ(OV_STRING("i").TypeSize(), 0u); // a suffix needs something before it
    EXPECT_EQ(OV_STRING("1q").TypeSize(), 0u);
    const struct
    {
        const char* text;
        char letter;
        uint32_t size;
    } cases[] = {{"1b", 'b', 1}, {"1c", 'c', 1}, {"1s", 's', 2}, {"1w", 'w', 2},  {"1d", 'd', 4},
                 {"1h", 'h', 4}, {"1i", 'i', 4}, {"1r", 'r', 8}, {"1f", 'f', 16}, {"1v", 'v', 32}};
    for (const auto& c : cases)
    {
        OV_STRING text(c.text);
        EXPECT_EQ(text.TypeLetter(), c.letter) << c.text;
        EXPECT_EQ(text.TypeSize(), c.size) << c.text;
    }
    EXPECT_EQ(OV_STRING("1q").TypeLetter(), '\0');
}

TEST(OvString, ParseTypedScalars)
{
    int8_t c = 0;
    ASSERT_TRUE(OV_STRING("-5c").ParseTyped(&c, sizeof c));
    EXPECT_EQ(c, -5);
    uint8_t b = 0;
    ASSERT_TRUE(OV_STRING("0xC8b").ParseTyped(&b, sizeof b));
    EXPECT_EQ(b, 200);
    int16_t s = 0;
    ASSERT_TRUE(OV_STRING("-300s").ParseTyped(&s, sizeof s));
    EXPECT_EQ(s, -300);
    uint16_t w = 0;
    ASSERT_TRUE(OV_STRING("65535w").ParseTyped(&w, sizeof w));
    EXPECT_EQ(w, 65535);
    int32_t i = 0;
    ASSERT_TRUE(OV_STRING("0x10i").ParseTyped(&i, sizeof i));
    EXPECT_EQ(i, 16);
    uint32_t d = 0;
    ASSERT_TRUE(OV_STRING("4000000000d").ParseTyped(&d, sizeof d));
    EXPECT_EQ(d, 4000000000u);
    float h = 0;
    ASSERT_TRUE(OV_STRING("1.5h").ParseTyped(&h, sizeof h));
    EXPECT_EQ(h, 1.5f);
    double r = 0;
    ASSERT_TRUE(OV_STRING("-2.25e3r").ParseTyped(&r, sizeof r));
    EXPECT_EQ(r, -2250.0);
    // The letter may be given instead; then the whole text is the number.
    ASSERT_TRUE(OV_STRING("077").ParseTyped(&i, sizeof i, 'i'));
    EXPECT_EQ(i, 63);
    // Unparsable text is 0, as strtol gives it.
    ASSERT_TRUE(OV_STRING("zzi").ParseTyped(&i, sizeof i));
    EXPECT_EQ(i, 0);
}

TEST(OvString, ParseTypedSaturatesLike32BitLong)
{
    int32_t i = 0;
    ASSERT_TRUE(OV_STRING("99999999999i").ParseTyped(&i, sizeof i));
    EXPECT_EQ(i, INT32_MAX);
    ASSERT_TRUE(OV_STRING("-99999999999i").ParseTyped(&i, sizeof i));
    EXPECT_EQ(i, INT32_MIN);
    uint32_t d = 0;
    ASSERT_TRUE(OV_STRING("-1d").ParseTyped(&d, sizeof d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    ASSERT_TRUE(OV_STRING("99999999999d").ParseTyped(&d, sizeof d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    ASSERT_TRUE(OV_STRING("-99999999999d").ParseTyped(&d, sizeof d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    uint8_t b = 0;
    ASSERT_TRUE(OV_STRING("0x1FFb").ParseTyped(&b, sizeof b)); // truncated to a byte
    EXPECT_EQ(b, 0xFF);
}

TEST(OvString, ParseTypedVectors)
{
    float f[4] = {9, 9, 9, 9};
    ASSERT_TRUE(OV_STRING("1.5:2:3f").ParseTyped(f, sizeof f));
    EXPECT_EQ(f[0], 1.5f);
    EXPECT_EQ(f[1], 2.0f);
    EXPECT_EQ(f[2], 3.0f);
    EXPECT_EQ(f[3], 9.0f); // untouched

    double v[5] = {0, 0, 0, 0, 7};
    ASSERT_TRUE(OV_STRING("1:2:3:4:5v").ParseTyped(v, sizeof v));
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(v[3], 4.0);
    EXPECT_EQ(v[4], 7.0); // the fifth component is ignored

    // Two floats fit in a two-float destination; three do not, and nothing is written.
    float pair[2] = {5, 5};
    ASSERT_TRUE(OV_STRING("1:2f").ParseTyped(pair, sizeof pair));
    EXPECT_EQ(pair[1], 2.0f);
    EXPECT_FALSE(OV_STRING("3:4:5f").ParseTyped(pair, sizeof pair));
    EXPECT_EQ(pair[0], 1.0f);
}

TEST(OvString, ParseTypedHex)
{
    uint8_t bytes[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    ASSERT_TRUE(OV_STRING("1234x").ParseTyped(bytes, sizeof bytes));
    EXPECT_EQ(bytes[0], 0x34);
    EXPECT_EQ(bytes[1], 0x12);
    EXPECT_EQ(bytes[2], 0xEE);

    // Odd length: the leading digit is a byte of its own; nothing before the text is read.
    ASSERT_TRUE(OV_STRING("abCx").ParseTyped(bytes, sizeof bytes));
    EXPECT_EQ(bytes[0], 0xBC);
    EXPECT_EQ(bytes[1], 0x0A);
    ASSERT_TRUE(OV_STRING("7x").ParseTyped(bytes, 1));
    EXPECT_EQ(bytes[0], 0x07);
    ASSERT_TRUE(OV_STRING("1a2").ParseTyped(bytes, 2, 'x'));
    EXPECT_EQ(bytes[0], 0xA2);
    EXPECT_EQ(bytes[1], 0x01);

    // Non-digits count as 0.
    ASSERT_TRUE(OV_STRING("zz1Gx").ParseTyped(bytes, sizeof bytes));
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[1], 0x00);
}

TEST(OvString, ParseTypedRefusesBadInput)
{
    uint8_t out[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    const uint8_t untouched[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(OV_STRING("12q").ParseTyped(out, sizeof out)); // not a type letter
    EXPECT_FALSE(OV_STRING("i").ParseTyped(out, sizeof out));   // too short for a suffix
    EXPECT_FALSE(OV_STRING("").ParseTyped(out, sizeof out));
    EXPECT_FALSE(OV_STRING("").ParseTyped(out, sizeof out, 'i')); // nothing to parse
    EXPECT_FALSE(OV_STRING("12").ParseTyped(out, sizeof out, 'q'));
    EXPECT_FALSE(OV_STRING("5i").ParseTyped(out, 3)); // does not fit
    EXPECT_FALSE(OV_STRING("5r").ParseTyped(out, 7));
    EXPECT_FALSE(OV_STRING("123456x").ParseTyped(out, 2));
    EXPECT_FALSE(OV_STRING("12345x").ParseTyped(out, 2)); // odd: three bytes
    EXPECT_FALSE(OV_STRING("5i").ParseTyped(nullptr, 4));
    EXPECT_EQ(std::memcmp(out, untouched, sizeof out), 0);
}

TEST(OvString, ParseTypedNeverWritesPastTheDestination)
{
    // Truncated and malformed literals of every letter, parsed into exactly the room the
    // literal claims; a guard after it must survive.
    const char* bodies[] = {"", ":", "::::::", "-", "0x", "1e999", "1:2:3:4:5:6", "\\", "x"};
    for (char letter : std::string("bcdfhirsvwx"))
    {
        for (const char* body : bodies)
        {
            OV_STRING text(body);
            text += std::string(1, letter).c_str();
            uint32_t room = text.TypeSize();
            std::vector<uint8_t> out(room + 4, 0xEE);
            text.ParseTyped(out.data(), room);
            for (uint32_t i = room; i < out.size(); ++i)
                ASSERT_EQ(out[i], 0xEE) << text.Text() << " wrote past its " << room << " bytes";
        }
    }
}
