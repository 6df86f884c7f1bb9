// Frame buffers on a real window: drawing into one and reading its texture, the viewport and
// the window coming back, nesting, copies from inside, swapped textures, mipmaps shown by
// minified pixels, and refused sizes, formats and handles.
#include "gl_fixture.h"

#include "support/read_back.h"

using namespace enginetest;
using OvTest::Image;

namespace
{

constexpr std::array<float, 4> kGreen{0, 1, 0, 1};
constexpr std::array<float, 4> kWhite{1, 1, 1, 1};

void DrawQuad(float x, float y, float width, float height, std::array<float, 4> colour)
{
    auto quad = Quad(x, y, width, height, colour);
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
}

int32_t Query(OvHandle frameBuffer, int32_t query)
{
    const auto* value = static_cast<const int32_t*>(OvFrameBufferGet(frameBuffer, query));
    return value ? *value : -1;
}

OvHandle TextureOf(OvHandle frameBuffer)
{
    const auto* texture = static_cast<const OvHandle*>(OvFrameBufferGet(frameBuffer, 451));
    return texture ? *texture : OvHandle{1, nullptr};
}

// Activates the frame buffer with a y-down camera over it and clears it to `r, g, b`.
void BeginDrawing(OvHandle frameBuffer, double r, double g, double b)
{
    ASSERT_TRUE(OvFrameBufferActivate(frameBuffer));
    OvCameraOrtho(0, 0, Query(frameBuffer, 449), Query(frameBuffer, 450), 0);
    OvSetState(262, r, g, b, 1);
    OvRenderScene(2);
    OvSetState(262, 0, 0, 0, 0);
}

} // namespace

class FrameBufferTest : public GlTest
{
  protected:
    void TearDown() override
    {
        OvFrameBufferDestroy(frameBuffer_);
        GlTest::TearDown();
    }

    void EndDrawing(OvHandle frameBuffer)
    {
        OvFrameBufferUnactivate(frameBuffer);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    }

    OvHandle frameBuffer_{1, nullptr};
};

TEST_F(FrameBufferTest, DrawnPixelsLandInItsTextureAndTheWindowComesBack)
{
    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 32, 16, 0, 0));
    EXPECT_EQ(Query(frameBuffer_, 449), 32);
    EXPECT_EQ(Query(frameBuffer_, 450), 16);
    EXPECT_TRUE(OvFrameBufferUseFBO(frameBuffer_));
    BeginDrawing(frameBuffer_, 1, 0, 0);
    DrawQuad(0, 0, 16, 16, kGreen); // the left half, under a camera over the frame buffer
    // A copy from the render target inside a frame buffer reads the frame buffer.
    const Rgba inside = OvTest::ReadTargetPixel(20, 5);
    OvTextureUnactivate(58);
    EndDrawing(frameBuffer_);
    EXPECT_TRUE(NearColour(inside, {255, 0, 0, 255}));

    const Image pixels = OvTest::TexturePixels(TextureOf(frameBuffer_));
    ASSERT_EQ(pixels.width, 32);
    EXPECT_TRUE(NearColour(pixels.at(3, 3), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(pixels.at(28, 12), {255, 0, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(40, 40), {0, 0, 0, 255})) << "the window was drawn into";

    // The window's own viewport is back: a quad over the window camera covers all of it.
    DrawQuad(0, 0, kWidth, kHeight, kWhite);
    EXPECT_TRUE(NearColour(PixelAt(kWidth - 2, kHeight - 2), {255, 255, 255, 255}));

    // Its texture draws like any other.
    OvFrameBufferActivateTexture(frameBuffer_);
    DrawQuad(0, 0, 32, 16, kWhite);
    OvTextureUnactivate(58);
    EXPECT_TRUE(NearColour(PixelAt(28, 8), {255, 0, 0, 255}));
}

TEST_F(FrameBufferTest, NestedFrameBuffersEndInnermostFirst)
{
    OvHandle inner{1, nullptr};
    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 16, 16, 1, 0));
    ASSERT_TRUE(OvFrameBufferCreate(&inner, 8, 8, 0, 0));
    BeginDrawing(frameBuffer_, 0, 0, 1);
    EXPECT_FALSE(OvFrameBufferActivate(frameBuffer_)) << "already active";
    BeginDrawing(inner, 1, 0, 0);
    OvFrameBufferUnactivate(frameBuffer_); // not the innermost: nothing ends
    DrawQuad(0, 0, 8, 8, kGreen);
    OvFrameBufferUnactivate(inner);
    OvCameraOrtho(0, 0, 16, 16, 0);
    DrawQuad(8, 8, 8, 8, kWhite); // back in the outer one, with its 16 x 16 viewport
    EndDrawing(frameBuffer_);

    const Image outer = OvTest::TexturePixels(TextureOf(frameBuffer_));
    EXPECT_TRUE(NearColour(outer.at(12, 3), {255, 255, 255, 255})); // rows from the bottom
    EXPECT_TRUE(NearColour(outer.at(3, 3), {0, 0, 255, 255}));
    EXPECT_TRUE(NearColour(OvTest::TexturePixels(TextureOf(inner)).at(4, 4), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(4, 4), {0, 0, 0, 255}));
    OvFrameBufferDestroy(inner);
}

TEST_F(FrameBufferTest, SwappedTexturesAreDrawnIntoAndStayTheCallers)
{
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    ASSERT_TRUE(OvTextureLoadEmpty(texture, 8, 4, 0));
    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 16, 16, 0, 0));
    const OvHandle own = TextureOf(frameBuffer_);
    ASSERT_TRUE(OvFrameBufferSwapTexture(frameBuffer_, texture));
    EXPECT_EQ(Query(frameBuffer_, 449), 8);
    EXPECT_EQ(Query(frameBuffer_, 450), 4);
    EXPECT_EQ(TextureOf(frameBuffer_).object, texture.object);
    BeginDrawing(frameBuffer_, 0, 1, 0);
    EXPECT_FALSE(OvFrameBufferSwapTexture(frameBuffer_, own)) << "refused while active";
    EndDrawing(frameBuffer_);
    EXPECT_TRUE(NearColour(OvTest::TexturePixels(texture).at(7, 3), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColour(OvTest::TexturePixels(own).at(7, 3), {0, 0, 0, 0}));

    OvFrameBufferDestroy(frameBuffer_);
    EXPECT_EQ(OvTextureGet(own, 258), nullptr) << "its own texture goes with it";
    ASSERT_NE(OvTextureGet(texture, 258), nullptr) << "a swapped-in one stays";

    // A frame buffer on a caller's texture refuses to draw once that texture is gone.
    ASSERT_TRUE(OvFrameBufferCreateFromTexture(&frameBuffer_, texture, 0));
    EXPECT_EQ(Query(frameBuffer_, 449), 8);
    OvTextureDestroy(texture);
    EXPECT_FALSE(OvFrameBufferActivate(frameBuffer_));
}

TEST_F(FrameBufferTest, MipmapsAreBuiltFromWhatWasDrawnAndUsedWhenMinified)
{
    // One-pixel black and white stripes, drawn back at an eighth of their size.
    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 64, 64, 0, 0));
    BeginDrawing(frameBuffer_, 0, 0, 0);
    for (int x = 0; x < 64; x += 2)
        DrawQuad(float(x), 0, 1, 64, kWhite);
    EndDrawing(frameBuffer_);
    auto drawMinified = [&]
    {
        OvFrameBufferActivateTexture(frameBuffer_);
        DrawQuad(0, 0, 8, 8, kWhite);
        const Rgba pixel = PixelAt(3, 3);
        OvTextureUnactivate(58);
        return pixel;
    };
    OvFrameBufferActivateTexture(frameBuffer_);
    OvTextureParameter(237, 242);
    const Rgba sampled = drawMinified();
    EXPECT_TRUE(sampled.r < 10 || sampled.r > 245) << sampled; // one stripe, picked

    OvFrameBufferMipmap(frameBuffer_);
    EXPECT_TRUE(NearColour(drawMinified(), {128, 128, 128, 255}, 8));
}

TEST_F(FrameBufferTest, TheNearestFlagKeepsPixelsHardWhenScaledUp)
{
    // A 2 x 1 picture, red then green, stretched over 20 pixels: linear filtering blends
    // the middle, nearest keeps its two halves.
    auto middleOf = [&](int32_t flag)
    {
        OvHandle frameBuffer{1, nullptr};
        EXPECT_TRUE(OvFrameBufferCreate(&frameBuffer, 2, 1, 0, flag));
        BeginDrawing(frameBuffer, 0, 1, 0);
        DrawQuad(0, 0, 1, 1, {1, 0, 0, 1});
        EndDrawing(frameBuffer);
        OvFrameBufferActivateTexture(frameBuffer);
        DrawQuad(0, 0, 20, 4, kWhite);
        OvTextureUnactivate(58);
        OvFrameBufferDestroy(frameBuffer);
        return PixelAt(8, 2);
    };
    const Rgba linear = middleOf(0);
    EXPECT_GT(linear.g, 40) << linear;
    EXPECT_GT(linear.r, 40) << linear;
    EXPECT_TRUE(NearColour(middleOf(OV_FRAME_BUFFER_NEAREST), {255, 0, 0, 255}));
}

TEST_F(FrameBufferTest, BadSizesFormatsAndHandlesAreRefused)
{
    OvHandle refused{1, nullptr};
    EXPECT_FALSE(OvFrameBufferCreate(&refused, 0, 16, 0, 0));
    EXPECT_FALSE(OvFrameBufferCreate(&refused, 16, -1, 0, 0));
    EXPECT_FALSE(OvFrameBufferCreate(&refused, 1 << 20, 16, 0, 0)); // beyond any device
    EXPECT_FALSE(OvFrameBufferCreate(&refused, 16, 16, 7, 0));
    EXPECT_FALSE(OvFrameBufferCreate(nullptr, 16, 16, 0, 0));
    EXPECT_EQ(refused.object, nullptr);
    EXPECT_EQ(refused.flags, 1u);

    OvHandle blank{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&blank)); // no pixels yet
    EXPECT_FALSE(OvFrameBufferCreateFromTexture(&refused, blank, 0));
    EXPECT_EQ(OvFrameBufferGet(blank, 449), nullptr) << "a texture is no frame buffer";

    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 4, 4, 0, 0));
    EXPECT_FALSE(OvFrameBufferCreate(&frameBuffer_, 4, 4, 0, 0)) << "a live handle is not refilled";
    EXPECT_EQ(OvFrameBufferGet(frameBuffer_, 452), nullptr);
    const OvHandle destroyed = frameBuffer_;
    OvFrameBufferDestroy(frameBuffer_);
    EXPECT_FALSE(OvFrameBufferActivate(destroyed));
    EXPECT_FALSE(OvFrameBufferUseFBO(destroyed));
    EXPECT_EQ(OvFrameBufferGet(destroyed, 449), nullptr);
    EXPECT_FALSE(OvFrameBufferSwapTexture(destroyed, blank));
    OvTextureDestroy(blank);
}

TEST_F(FrameBufferTest, DestroyingAnActiveFrameBufferSendsDrawsBackToTheWindow)
{
    ASSERT_TRUE(OvFrameBufferCreate(&frameBuffer_, 16, 16, 0, 0));
    BeginDrawing(frameBuffer_, 0, 0, 1);
    OvFrameBufferDestroy(frameBuffer_);
    OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    DrawQuad(0, 0, kWidth, kHeight, kWhite);
    EXPECT_TRUE(NearColour(PixelAt(kWidth - 2, kHeight - 2), {255, 255, 255, 255}));
}
