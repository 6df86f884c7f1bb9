// Font descriptors: the glyph records and texture coordinates read from descriptor text, and
// lines that must change nothing.
#include "graphics/font_descriptor.h"
#include "platform/gdiplus.h"
#include "support/peak_memory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace OvCore;

namespace
{

bool Parse(FONT_DESCRIPTOR& descriptor, const std::string& text)
{
    return ParseDescriptor(descriptor, text.data(), static_cast<uint32_t>(text.size()));
}

bool SameGlyphs(const FONT_DESCRIPTOR& a, const FONT_DESCRIPTOR& b)
{
    return std::memcmp(a.glyphs, b.glyphs, sizeof a.glyphs) == 0;
}

TEST(FontDescriptor, CharLinesFillTheirGlyphWithTextureCoordinates)
{
    FONT_DESCRIPTOR descriptor;
    ASSERT_TRUE(
        Parse(descriptor,
              "info face=\"DejaVu Sans\" size=16 bold=0\r\n"
              "common lineHeight=19 base=15 scaleW=128 scaleH=64 pages=1\r\n"
              "page id=0 file=\"font 16.png\"\r\n"
              "chars count=2\r\n"
              "char id=65 x=16 y=8 width=8 height=12 xoffset=-1 yoffset=3 xadvance=9 page=0\r\n"
              "char\tid=233  x=0\ty=32 width=4 height=16 xadvance=5\n"));
    EXPECT_EQ(descriptor.lineHeight, 19.0f);

    const FONT_GLYPH& a = descriptor.glyphs[65];
    EXPECT_EQ(a.width, 8.0f);
    EXPECT_EQ(a.height, 12.0f);
    EXPECT_EQ(a.xoffset, -1.0f);
    EXPECT_EQ(a.yoffset, 3.0f);
    EXPECT_EQ(a.xadvance, 9.0f);
    EXPECT_EQ(a.u0, 0.125f);
    EXPECT_EQ(a.u1, 0.1875f);
    EXPECT_EQ(a.v0, 0.125f);
    EXPECT_EQ(a.v1, 0.3125f);

    // Tabs and runs of spaces separate tokens; absent keys count as 0; codes above 127 are
    // ordinary table entries.
    const FONT_GLYPH& e = descriptor.glyphs[233];
    EXPECT_EQ(e.xoffset, 0.0f);
    EXPECT_EQ(e.xadvance, 5.0f);
    EXPECT_EQ(e.v0, 0.5f);
    EXPECT_EQ(e.v1, 0.75f);
    EXPECT_EQ(descriptor.glyphs[66].xadvance, 0.0f);
}

TEST(FontDescriptor, LinesOutsideTheTableOrWithWrongKeysChangeNothing)
{
    FONT_DESCRIPTOR descriptor;
    const FONT_DESCRIPTOR untouched;
    ASSERT_TRUE(Parse(descriptor, "common lineHeight=16 scaleW=128 scaleH=128\n"
                                  "char id=300 x=1 width=2 xadvance=3\n"
                                  "char id=-1 x=1 width=2 xadvance=3\n"
                                  "char id=256 width=2\n"
                                  "char id=99999999999999999999 width=2\n"
                                  "Char id=70 width=2\n"
                                  "chars id=71 width=2\n"
                                  "\"char id=72 width=2\"\n"));
    EXPECT_TRUE(SameGlyphs(descriptor, untouched));

    // Keys are matched exactly: other spellings leave the fields 0.
    ASSERT_TRUE(Parse(descriptor, "char id=80 Width=5 widths=6 xadvance =7 x=\n"));
    EXPECT_EQ(descriptor.glyphs[80].width, 0.0f);
    EXPECT_EQ(descriptor.glyphs[80].xadvance, 0.0f);
}

TEST(FontDescriptor, WithoutATextureSizeCoordinatesStayZero)
{
    // No "common" line, a zero texture size, and one given only after the char line: the
    // sizes are kept, and no coordinate is infinite or not a number.
    for (const char* text : {"char id=65 x=16 y=4 width=8 height=9 xadvance=9\n",
                             "common lineHeight=16 scaleW=0 scaleH=0\n"
                             "char id=65 x=16 y=4 width=8 height=9 xadvance=9\n",
                             "char id=65 x=16 y=4 width=8 height=9 xadvance=9\n"
                             "common lineHeight=16 scaleW=128 scaleH=128\n"})
    {
        FONT_DESCRIPTOR descriptor;
        ASSERT_TRUE(Parse(descriptor, text));
        const FONT_GLYPH& a = descriptor.glyphs[65];
        EXPECT_EQ(a.width, 8.0f) << text;
        EXPECT_EQ(a.xadvance, 9.0f) << text;
        for (float coordinate : {a.u0, a.v0, a.u1, a.v1})
            EXPECT_EQ(coordinate, 0.0f) << text;
    }

    // Extreme values saturate instead of overflowing.
    FONT_DESCRIPTOR descriptor;
    ASSERT_TRUE(Parse(descriptor, "common scaleW=1 scaleH=1\n"
                                  "char id=1 x=2147483647 width=2147483647 y=-99999999999\n"));
    EXPECT_TRUE(std::isfinite(descriptor.glyphs[1].u1));
    EXPECT_EQ(descriptor.glyphs[1].u1, 4294967294.0f);
    EXPECT_EQ(descriptor.glyphs[1].v0, -2147483648.0f);
}

TEST(FontDescriptor, ParsesOnlyTheGivenLengthAndRefusesNoText)
{
    FONT_DESCRIPTOR descriptor;
    EXPECT_FALSE(ParseDescriptor(descriptor, nullptr, 10));
    EXPECT_FALSE(ParseDescriptor(descriptor, "char id=65 xadvance=9", 0));

    // The length ends the text even without a terminator: "xadvance=95" is cut to "xadvance=9".
    const char text[] = "char id=65 xadvance=95";
    ASSERT_TRUE(ParseDescriptor(descriptor, text, sizeof text - 2));
    EXPECT_EQ(descriptor.glyphs[65].xadvance, 9.0f);
}

TEST(FontDescriptor, ReadsFilesAndFailsForMissingOnes)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ov_font_descriptor_" + std::to_string(getpid()));
    std::ofstream(path) << "common lineHeight=12 scaleW=64 scaleH=64\nchar id=48 x=32 width=16\n";
    FONT_DESCRIPTOR descriptor;
    EXPECT_TRUE(ReadDescriptor(descriptor, path.c_str()));
    EXPECT_EQ(descriptor.glyphs[48].u0, 0.5f);
    EXPECT_EQ(descriptor.glyphs[48].u1, 0.75f);
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadDescriptor(descriptor, path.c_str()));
    EXPECT_FALSE(ReadDescriptor(descriptor, nullptr));
}

// A hostile descriptor: millions of lines cost one line of memory at a time (they were all
// held at once, 1.5 GB for a 16 MB file), and a file past the largest is not read at all.
TEST(FontDescriptor, HostileTextsCostALineAtATimeAndLargeFilesAreRefused)
{
    std::string text;
    for (int i = 0; i < 1 << 21; ++i)
        text += "a\n";
    text += std::string("\r\0", 2) + "char id=65 xadvance=7"; // every line end there is
    FONT_DESCRIPTOR descriptor;
    const long idle = OvTest::ChildPeakKib([] {});
    const long parsing = OvTest::ChildPeakKib([&] { Parse(descriptor, text); });
    ASSERT_GT(idle, 0);
    if (OvTest::kPeakFollowsLiveMemory)
    {
        EXPECT_LT(parsing, idle + 32 * 1024);
    }
    ASSERT_TRUE(Parse(descriptor, text));
    EXPECT_EQ(descriptor.glyphs[65].xadvance, 7.0f);

    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ov_font_large_" + std::to_string(getpid()));
    const std::string last = "\nchar id=66 xadvance=5";
    std::string file(FONT_DESCRIPTOR_LARGEST_FILE - last.size(), '\n');
    file += last;
    std::ofstream(path, std::ios::binary) << file;
    EXPECT_TRUE(ReadDescriptor(descriptor, path.c_str()));
    EXPECT_EQ(descriptor.glyphs[66].xadvance, 5.0f);
    std::ofstream(path, std::ios::binary) << file << '\n';
    FONT_DESCRIPTOR untouched;
    EXPECT_FALSE(ReadDescriptor(untouched, path.c_str()));
    std::filesystem::remove(path);
}

// The shipped font: every glyph's rectangle lies in the texture, covers ink, and is ringed by
// the transparent padding that keeps filtering from bleeding in a neighbour.
TEST(FontDescriptor, ShippedFontMatchesItsTexture)
{
    FONT_DESCRIPTOR descriptor;
    ASSERT_TRUE(ReadDescriptor(descriptor, OV_SOURCE_DIR "/fonts/dejavu_sans_16.fnt"));
    EXPECT_EQ(descriptor.lineHeight, 19.0f);

    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    const std::wstring path =
        std::filesystem::path(OV_SOURCE_DIR "/fonts/dejavu_sans_16.png").wstring();
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromFile(path.c_str(), &bitmap), Ok);
    BitmapData data{};
    ASSERT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data),
              Ok);
    const int width = int(data.Width), height = int(data.Height);
    auto alpha = [&](int x, int y)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        return int(static_cast<const uint8_t*>(data.Scan0)[y * data.Stride + x * 4 + 3]);
    };

    for (int code : {int('A'), int('g'), int('@'), 0xe9, 0xff})
    {
        const FONT_GLYPH& glyph = descriptor.glyphs[code];
        ASSERT_GT(glyph.width, 0) << code;
        ASSERT_GT(glyph.xadvance, 0) << code;
        const int x0 = int(std::lround(glyph.u0 * width)), y0 = int(std::lround(glyph.v0 * height));
        const int x1 = int(std::lround(glyph.u1 * width)), y1 = int(std::lround(glyph.v1 * height));
        EXPECT_EQ(x1 - x0, int(glyph.width)) << code;
        EXPECT_EQ(y1 - y0, int(glyph.height)) << code;
        ASSERT_LE(x1, width);
        ASSERT_LE(y1, height);
        int ink = 0, border = 0;
        for (int y = y0 - 1; y <= y1; ++y)
            for (int x = x0 - 1; x <= x1; ++x)
                (x < x0 || y < y0 || x == x1 || y == y1 ? border : ink) += alpha(x, y);
        EXPECT_GT(ink, 0) << code;
        EXPECT_EQ(border, 0) << code;
    }
    // A space advances without ink.
    EXPECT_EQ(descriptor.glyphs[' '].width, 0.0f);
    EXPECT_GT(descriptor.glyphs[' '].xadvance, 0.0f);

    EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
    GdiplusShutdown(token);
}

} // namespace
