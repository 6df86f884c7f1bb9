// The shipped font (fonts/dejavu_sans_16) loaded from its PNG and descriptor and drawn on a
// real window: its glyphs land where the descriptor puts them, and a line of text is saved
// as a PNG picture (OV_BINARY_DIR/text.png, the source of docs/text.png).
#include "support/read_back.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/image_files.h"
#include "graphics/ov_font.h"

#include <algorithm>
#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

constexpr const char* FONT_PNG = OV_SOURCE_DIR "/fonts/dejavu_sans_16.png";
constexpr const char* FONT_FNT = OV_SOURCE_DIR "/fonts/dejavu_sans_16.fnt";
constexpr const char* LINE = "The quick brown fox jumps over the lazy dog. 0123456789";

class ShippedFontTest : public SuiteWindowTest<500, 40>
{
  protected:
    static constexpr Rgba BACKGROUND{30, 36, 46, 255};

    void SetUp() override
    {
        SuiteWindowTest::SetUp();
        Application().ClearScreen(BACKGROUND.r / 255.0, BACKGROUND.g / 255.0, BACKGROUND.b / 255.0,
                                  1);
        ASSERT_TRUE(font.LoadImage(FONT_PNG, FONT_FNT, '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST));
    }

    // The window's pixels, rows from the top, alpha made opaque.
    static std::vector<Rgba> Window()
    {
        std::vector<Rgba> pixels = Region(0, 0, WIDTH, HEIGHT).pixels;
        for (Rgba& pixel : pixels)
            pixel.a = 255;
        return pixels;
    }

    struct Box
    {
        int32_t left = WIDTH, top = HEIGHT, right = -1, bottom = -1; // right, bottom inclusive
    };

    // Where the ink is: pixels clearly brighter than the background.
    static Box InkBox(const std::vector<Rgba>& pixels)
    {
        Box box;
        for (int32_t y = 0; y < HEIGHT; ++y)
            for (int32_t x = 0; x < WIDTH; ++x)
                if (!Near(pixels[size_t(y) * WIDTH + x], BACKGROUND, 40))
                {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y);
                    box.bottom = std::max(box.bottom, y);
                }
        return box;
    }

    OV_FONT font;
};

TEST_F(ShippedFontTest, AGlyphLandsWhereItsDescriptorPutsIt)
{
    // l: 2 x 12 pixels, set in by (1, 3), a solid stem.
    font.Draw("l", OV_VECTOR(100, 10), OV_VECTOR(1, 1, 1, 1), OV_VECTOR(0, 0, 0, 0));
    const std::vector<Rgba> pixels = Window();
    const Box box = InkBox(pixels);
    EXPECT_GE(box.left, 101);
    EXPECT_LE(box.right, 102);
    EXPECT_GE(box.top, 13);
    EXPECT_LE(box.bottom, 24);
    int32_t stem = 0;
    for (int32_t y = 13; y < 25; ++y)
        stem += Near(pixels[size_t(y) * WIDTH + 101], WHITE, 60) ||
                Near(pixels[size_t(y) * WIDTH + 102], WHITE, 60);
    EXPECT_GE(stem, 11);
}

TEST_F(ShippedFontTest, ALineOfTextDrawsAsMeasuredAndIsSavedAsAPicture)
{
    const OV_VECTOR size = font.Measure(LINE);
    EXPECT_EQ(size, OV_VECTOR(468, 19, 0, 1)); // the sum of the advances; the line height
    font.Draw(LINE, OV_VECTOR(16, 10), OV_VECTOR(1, 1, 1, 1), OV_VECTOR(0, 0, 0, 0));
    const std::vector<Rgba> pixels = Window();
    const Box box = InkBox(pixels);
    EXPECT_GE(box.left, 15); // T is set in by -1
    EXPECT_LE(box.right, 16 + 468);
    EXPECT_GE(box.right, 16 + 468 - 12);
    EXPECT_GE(box.top, 10 + 3); // capitals start 3 below the top of the line
    EXPECT_LE(box.bottom, 10 + 19);
    EXPECT_GE(box.bottom, 10 + 16); // q, j, y and g reach below the baseline

    OvHandle picture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&picture));
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(picture, pixels.data(), WIDTH, HEIGHT));
    const std::string path = std::string(OV_BINARY_DIR) + "/text.png";
    EXPECT_TRUE(SaveTextureImage(picture, path.c_str(), "png"));
    OvHandle reloaded{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&reloaded));
    ASSERT_EQ(LoadImageTexture(reloaded, path.c_str()), 1);
    const Image saved = TexturePixels(reloaded);
    ASSERT_FALSE(saved.empty());
    EXPECT_TRUE(saved.pixels == pixels);
    OvTextureDestroy(reloaded);
    OvTextureDestroy(picture);
}

} // namespace
