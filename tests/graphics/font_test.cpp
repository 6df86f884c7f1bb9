// Fonts: measuring with and without a descriptor, loading and releasing, and text drawn on a
// real window (glyph placement, line breaks, the grid font, alignments, one draw call per
// string) checked pixel by pixel.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_font.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace OvCore;
using namespace OvTest;

namespace
{

// A 16 x 16 glyph texture: the left half white, the right half green.
Image GlyphTexture()
{
    Image image(16, 16, WHITE);
    image.Fill(8, 0, 16, 16, GREEN);
    return image;
}

// 'A' is a solid 6 x 10 block of white, 'B' a 4 x 6 white block set in by (1, 2), 'G' a
// 6 x 10 block of green, ' ' only advances, and code 200 a 2 x 2 block.
const std::string DESCRIPTOR =
    "info face=\"test\" size=10\r\n"
    "common lineHeight=10 base=8 scaleW=16 scaleH=16\r\n"
    "char id=65 x=0 y=0 width=6 height=10 xadvance=6\r\n"
    "char id=66 x=0 y=0 width=4 height=6 xoffset=1 yoffset=2 xadvance=6\r\n"
    "char id=71 x=8 y=0 width=6 height=10 xadvance=6\r\n"
    "char id=32 x=0 y=0 width=0 height=0 xadvance=5\r\n"
    "char id=200 x=0 y=0 width=2 height=2 xadvance=3\r\n";

struct Rect
{
    int32_t x, y, w, h;
    bool Contains(int32_t px, int32_t py) const
    {
        return px >= x && px < x + w && py >= y && py < y + h;
    }
};

class FontDrawingTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        texture = EncodeOvt(GlyphTexture());
    }

    bool LoadTestFont(OV_FONT& font, char lineBreak = '\n')
    {
        return font.LoadFromMemory(texture.data(), DESCRIPTOR.data(), uint32_t(DESCRIPTOR.size()),
                                   lineBreak, OV_FILTER_NEAREST, OV_FILTER_NEAREST, texture.size());
    }

    // Every pixel of the window is lit (not black) exactly inside the rectangles.
    static void ExpectLitExactly(const std::vector<Rect>& rects, const std::string& what)
    {
        const std::vector<Rgba> pixels = Region(0, 0, WIDTH, HEIGHT).pixels;
        ASSERT_EQ(pixels.size(), size_t(WIDTH) * HEIGHT);
        int wrong = 0;
        std::string first;
        for (int32_t y = 0; y < HEIGHT; ++y)
            for (int32_t x = 0; x < WIDTH; ++x)
            {
                bool expected = false;
                for (const Rect& r : rects)
                    expected = expected || r.Contains(x, y);
                const bool lit = !Near(pixels[size_t(y) * WIDTH + x], BLACK, 8);
                if (lit != expected && wrong++ == 0)
                    first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        EXPECT_EQ(wrong, 0) << what << ": first wrong pixel at " << first;
    }

    void Clear() { Application().ClearScreen(0, 0, 0, 1); }

    std::vector<uint8_t> texture;
};

const OV_VECTOR ONE(1, 1, 1, 1);
const OV_VECTOR NO_TURN(0, 0, 0, 0);

// ---- Measuring --------------------------------------------------------------------------------

TEST(FontMeasure, ADescriptorGivesAdvancesPlusLetterSpacingAndTheLineHeight)
{
    OV_FONT font;
    font.descriptor = std::make_unique<FONT_DESCRIPTOR>();
    FONT_DESCRIPTOR& d = *font.descriptor;
    d.glyphs['A'].xadvance = 10;
    d.glyphs['B'].xadvance = 12;
    d.glyphs[200].xadvance = 7;
    d.letterSpacing = 1;
    d.lineHeight = 16;

    EXPECT_EQ(font.Measure("AB"), OV_VECTOR(24, 16, 0, 1));
    // The empty line between two breaks adds no height; the widest line wins.
    EXPECT_EQ(font.Measure("AB\n\nA"), OV_VECTOR(24, 32, 0, 1));
    EXPECT_EQ(font.Measure("A\n"), OV_VECTOR(11, 16, 0, 1));
    // Codes above 127 index the table as unsigned values.
    EXPECT_EQ(font.Measure("\xC8\xC8"), OV_VECTOR(16, 16, 0, 1));
    EXPECT_EQ(font.Measure(""), OV_VECTOR(0, 0, 0, 1));
    EXPECT_EQ(font.Measure(nullptr), OV_VECTOR(0, 0, 0, 1));

    d.lineSpacing = 4;
    d.lineBreak = '|';
    EXPECT_EQ(font.Measure("A|AB"), OV_VECTOR(24, 40, 0, 1));
}

TEST(FontMeasure, WithoutADescriptorTheEnginesGridMetricsApply)
{
    OvSetState(OV_STATE_GLYPH_WIDTH, 8);
    OvSetState(OV_STATE_GLYPH_HEIGHT, 12);
    OvSetState(OV_STATE_LETTER_SPACING, 1);
    OvSetState(OV_STATE_LINE_SPACING, 2);
    OvSetState(OV_STATE_LINE_BREAK, '\n');
    OV_FONT font;
    EXPECT_EQ(font.Measure("ab\n\xF0"), OV_VECTOR(18, 28, 0, 1));
    OvSetState(OV_STATE_LINE_BREAK, '/');
    EXPECT_EQ(font.Measure("ab/c"), OV_VECTOR(18, 28, 0, 1));
    OvClosure(); // back to the engine's defaults: 16 x 16 cells, no spacing, line feed
    EXPECT_EQ(font.Measure("ab\nc"), OV_VECTOR(32, 32, 0, 1));
}

// ---- Loading ----------------------------------------------------------------------------------

TEST_F(FontDrawingTest, LoadingFromMemoryMakesTextureListAndDescriptor)
{
    OV_FONT font;
    ASSERT_TRUE(LoadTestFont(font));
    EXPECT_EQ(font.loaded, 1);
    ASSERT_NE(font.descriptor, nullptr);
    EXPECT_EQ(font.descriptor->glyphs['A'].xadvance, 6.0f);
    EXPECT_NE(OvTextureGet(font.texture, OV_TEXTURE_WIDTH), nullptr);
    EXPECT_NE(font.displayList.object, nullptr);

    ASSERT_TRUE(LoadTestFont(font)); // loading again lets go of the first texture and list

    // A descriptor of length 0 is no descriptor: the grid font.
    ASSERT_TRUE(font.LoadFromMemory(texture.data(), DESCRIPTOR.data(), 0, '\n', OV_FILTER_NEAREST,
                                    OV_FILTER_NEAREST));
    EXPECT_EQ(font.descriptor, nullptr);

    const OvHandle last = font.texture;
    font.Unload();
    EXPECT_EQ(font.loaded, 0);
    EXPECT_EQ(font.texture.object, nullptr);
    EXPECT_EQ(font.displayList.object, nullptr);
    EXPECT_EQ(OvTextureGet(last, OV_TEXTURE_WIDTH), nullptr);
    font.Draw("A", OV_VECTOR(10, 10), ONE, NO_TURN); // nothing to draw with
    ExpectLitExactly({}, "unloaded");
}

TEST_F(FontDrawingTest, FailedLoadsLeaveNothingBehind)
{
    OV_FONT font;
    EXPECT_FALSE(font.Load(nullptr, nullptr, '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST));
    EXPECT_FALSE(
        font.LoadFromMemory(nullptr, nullptr, 0, '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST));
    EXPECT_FALSE(font.LoadImage(nullptr, nullptr, '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST));
    EXPECT_FALSE(
        font.Load("/nonexistent/font.ovt", nullptr, '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST));
    EXPECT_FALSE(font.LoadImage("/nonexistent/font.png", nullptr, '\n', OV_FILTER_NEAREST,
                                OV_FILTER_NEAREST));
    EXPECT_EQ(font.texture.object, nullptr);

    // The texture loads but the descriptor cannot be read: the texture goes again.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("ov-font-" + std::to_string(::getpid()) + ".ovt"))
                                 .string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(texture.data()), std::streamsize(texture.size()));
    EXPECT_FALSE(font.Load(path.c_str(), "/nonexistent/font.fnt", '\n', OV_FILTER_NEAREST,
                           OV_FILTER_NEAREST));
    std::filesystem::remove(path);
    EXPECT_EQ(font.loaded, 0);
    EXPECT_EQ(font.texture.object, nullptr);
    EXPECT_EQ(font.descriptor, nullptr);
}

TEST_F(FontDrawingTest, TheRegistryReleasesItsFonts)
{
    OV_FONT& font = *Application().fonts.Get("caption");
    ASSERT_TRUE(LoadTestFont(font));
    const OvHandle glyphs = font.texture;
    EXPECT_EQ(Application().fonts.Get("caption").Get(), &font);
    Application().ReleaseAll();
    EXPECT_FALSE(Application().fonts.Access(OV_ACCESS_FIND, "caption"));
    EXPECT_EQ(OvTextureGet(glyphs, OV_TEXTURE_WIDTH), nullptr);
}

// ---- Drawing ----------------------------------------------------------------------------------

TEST_F(FontDrawingTest, GlyphsSitAtTheirOffsetsWithTheirTextureRectangles)
{
    OV_FONT font;
    ASSERT_TRUE(LoadTestFont(font));
    // A at x 20, B (set in by 1, 2) after 6, a space of 5, code 200, G after 3; the second
    // line 10 lower.
    font.Draw("AB \xC8G\nA", OV_VECTOR(20, 30), ONE, NO_TURN);
    ExpectLitExactly(
        {{20, 30, 6, 10}, {27, 32, 4, 6}, {37, 30, 2, 2}, {40, 30, 6, 10}, {20, 40, 6, 10}},
        "placement");
    EXPECT_EQ(PixelAt(22, 35), WHITE);
    EXPECT_EQ(PixelAt(42, 35), GREEN); // G's rectangle lies in the green half

    // The drawing colour tints the glyphs; scale and the caller's transform apply.
    Clear();
    OvSetState(OV_STATE_DRAW_COLOUR, 0, 0, 1, 1);
    OvMatrixPush();
    OvMatrixTranslate(4, 0, 0);
    font.Draw("A", OV_VECTOR(10, 10), OV_VECTOR(2, 2, 1, 1), NO_TURN);
    OvMatrixPop();
    OvSetState(OV_STATE_DRAW_COLOUR, 1, 1, 1, 1);
    ExpectLitExactly({{14, 10, 12, 20}}, "scaled");
    EXPECT_EQ(PixelAt(20, 20), BLUE);
}

TEST_F(FontDrawingTest, TheLineBreakGivenAtLoadBreaksDrawnAndMeasuredLines)
{
    OV_FONT font;
    ASSERT_TRUE(LoadTestFont(font, '|'));
    EXPECT_EQ(font.Measure("A|AA"), OV_VECTOR(12, 20, 0, 1));
    font.Draw("A|AA", OV_VECTOR(10, 10), ONE, NO_TURN);
    ExpectLitExactly({{10, 10, 6, 10}, {10, 20, 12, 10}}, "top-left");
    Clear();
    font.horizontalAlign = OV_FONT::ALIGN_RIGHT;
    font.Draw("A|AA", OV_VECTOR(40, 10), ONE, NO_TURN);
    ExpectLitExactly({{34, 10, 6, 10}, {28, 20, 12, 10}}, "right");
}

TEST_F(FontDrawingTest, EveryAlignmentPlacesEachLineAboutThePosition)
{
    OV_FONT font;
    ASSERT_TRUE(LoadTestFont(font));
    const int32_t px = 64, py = 48;
    const int32_t widths[2] = {12, 6}; // "AA" and "A", each line 10 high
    for (int32_t vertical = -1; vertical <= 1; ++vertical)
        for (int32_t horizontal = -1; horizontal <= 1; ++horizontal)
        {
            Clear();
            font.verticalAlign = vertical;
            font.horizontalAlign = horizontal;
            font.Draw("AA\nA", OV_VECTOR(px, py), ONE, NO_TURN);
            std::vector<Rect> lines;
            for (int32_t i = 0; i < 2; ++i)
            {
                const int32_t x = horizontal == -1  ? 0
                                  : horizontal == 0 ? -widths[i] / 2
                                                    : -widths[i];
                const int32_t y = i * 10 - (vertical + 1) * 10; // top 0, middle -10, bottom -20
                lines.push_back({px + x, py + y, widths[i], 10});
            }
            ExpectLitExactly(lines, "vertical " + std::to_string(vertical) + ", horizontal " +
                                        std::to_string(horizontal));
        }

    // Three lines centred vertically: 30 pixels, 15 above and 15 below the position.
    Clear();
    font.verticalAlign = OV_FONT::ALIGN_MIDDLE;
    font.horizontalAlign = OV_FONT::ALIGN_LEFT;
    font.Draw("A\nA\nA", OV_VECTOR(px, py), ONE, NO_TURN);
    ExpectLitExactly({{px, py - 15, 6, 30}}, "three lines centred");
}

TEST_F(FontDrawingTest, AStringOfOneTextureIsOneDrawCall)
{
    OV_FONT font;
    ASSERT_TRUE(LoadTestFont(font));
    const uint64_t before = DrawCalls();
    font.Draw("AAAA AAAA", OV_VECTOR(0, 0), ONE, NO_TURN);
    EXPECT_EQ(DrawCalls() - before, 1u);
    font.verticalAlign = OV_FONT::ALIGN_MIDDLE; // three lines, each under its own transform
    font.Draw("AB\nAB\nAB", OV_VECTOR(60, 60), ONE, NO_TURN);
    EXPECT_EQ(DrawCalls() - before, 2u);
}

TEST_F(FontDrawingTest, WithoutADescriptorTheTextureIsASixteenBySixteenGrid)
{
    // 4-pixel cells: 'A' (column 1, row 4) white, 'B' (column 2, row 4) green.
    Image grid(64, 64, Rgba{0, 0, 0, 0});
    grid.Fill(4, 16, 8, 20, WHITE);
    grid.Fill(8, 16, 12, 20, GREEN);
    const std::vector<uint8_t> file = EncodeOvt(grid);
    OV_FONT font;
    ASSERT_TRUE(font.LoadFromMemory(file.data(), nullptr, 0, '\n', OV_FILTER_NEAREST,
                                    OV_FILTER_NEAREST, file.size()));
    ASSERT_EQ(font.descriptor, nullptr);

    OvSetState(OV_STATE_GLYPH_WIDTH, 4);
    OvSetState(OV_STATE_GLYPH_HEIGHT, 4);
    font.Draw("AB\nA", OV_VECTOR(10, 10), ONE, NO_TURN);
    ExpectLitExactly({{10, 10, 8, 4}, {10, 14, 4, 4}}, "4-pixel cells");
    EXPECT_EQ(PixelAt(15, 11), GREEN);

    // Larger glyphs and spacing take effect at once, as Measure sees them.
    Clear();
    OvSetState(OV_STATE_GLYPH_WIDTH, 8);
    OvSetState(OV_STATE_GLYPH_HEIGHT, 8);
    OvSetState(OV_STATE_LETTER_SPACING, 2);
    font.Draw("AB", OV_VECTOR(10, 10), ONE, NO_TURN);
    ExpectLitExactly({{10, 10, 8, 8}, {20, 10, 8, 8}}, "8-pixel glyphs");
    EXPECT_EQ(font.Measure("AB"), OV_VECTOR(20, 8, 0, 1));
    OvSetState(OV_STATE_GLYPH_WIDTH, 16);
    OvSetState(OV_STATE_GLYPH_HEIGHT, 16);
    OvSetState(OV_STATE_LETTER_SPACING, 0);
}

TEST_F(FontDrawingTest, HostileDescriptorsAndHandlesDrawNothingWrong)
{
    // No common line, ids out of range, huge and negative values: nothing outside the glyph
    // table, no division by zero, and glyphs without texture coordinates still draw.
    const std::string hostile = "char id=300 x=1 width=5 height=5 xadvance=5\n"
                                "char id=-1 x=1 width=5 height=5 xadvance=5\n"
                                "char id=65 x=99999999999 width=4 height=4 xadvance=4\n"
                                "common lineHeight=4 scaleW=0 scaleH=0\n"
                                "char id=66 x=4 width=4 height=4 xadvance=-4\n";
    OV_FONT font;
    ASSERT_TRUE(font.LoadFromMemory(texture.data(), hostile.data(), uint32_t(hostile.size()), '\n',
                                    242, 242, texture.size()));
    EXPECT_EQ(font.descriptor->glyphs['A'].u1, 0.0f);
    font.Draw("ABA", OV_VECTOR(10, 10), ONE, NO_TURN); // B steps back: the second A is on the first
    ExpectLitExactly({{10, 10, 8, 4}}, "hostile");

    // Stale and empty lists, null strings and descriptors.
    OvHandle list{1, nullptr};
    ASSERT_TRUE(OvGenerateFont(&list, nullptr));
    const OvHandle same = list;
    ASSERT_TRUE(OvGenerateFont(&list, font.descriptor.get())); // regenerated in place
    EXPECT_EQ(list.object, same.object);
    OvDisplaylistDestroy(list);
    OvDrawFont(list, "A");
    OvDrawFont(font.displayList, nullptr);
    OvDisplaylistDestroy(list);
    EXPECT_FALSE(OvGenerateFont(nullptr, nullptr));
    ExpectLitExactly({{10, 10, 8, 4}}, "after stale handles");
}

} // namespace
