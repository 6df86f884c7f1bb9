// The intro splash on a real X server: its window, the fade over about three seconds at any
// frame rate (manual clock), and its pixels read back against the engine's splash resource.
#include "support/read_back.h"
#include "support/window_fixture.h"

#include "app/ov_intro.h"
#include "core/ov_loop.h"

#include <algorithm>
#include <cmath>

using namespace OvCore;
using OvTest::Image;
using OvTest::ReadTargetPixel;
using OvTest::Rgba;

namespace
{

// An encoded image decoded by the engine, top row first.
Image DecodeImage(const void* data, size_t size)
{
    Image image;
    OvHandle texture{1, nullptr};
    if (!OvTextureCreate(&texture))
        return image;
    if (OvTextureLoadFromMemory(texture, data, 0, size))
        image = OvTest::TexturePixels(texture);
    OvTextureDestroy(texture);
    return image;
}

// The splash image as the engine library publishes it.
Image SplashImage()
{
    const HMODULE module = GetModuleHandleA("Orvane Core.dll");
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(1024));
    const HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    if (!data)
        return Image();
    return DecodeImage(LockResource(data), SizeofResource(module, resource));
}

struct Point
{
    int x, y;
};

// The brightest fully opaque pixel of the image: a point where the splash covers the window.
Point BrightestOpaque(const Image& image)
{
    Point best{-1, -1};
    int bestSum = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
        {
            const Rgba p = image.at(x, y);
            if (p.a == 255 && p.r + p.g + p.b > bestSum)
            {
                bestSum = p.r + p.g + p.b;
                best = {x, y};
            }
        }
    return best;
}

// The window's pixel under image point (x, y): read-back counts rows from the bottom.
Rgba WindowPixel(Point point)
{
    return ReadTargetPixel(point.x, OV_INTRO::HEIGHT - 1 - point.y);
}

void ExpectColour(const Rgba& pixel, const Rgba& expected, double factor, int tolerance = 3)
{
    EXPECT_NEAR(pixel.r, expected.r * factor, tolerance);
    EXPECT_NEAR(pixel.g, expected.g * factor, tolerance);
    EXPECT_NEAR(pixel.b, expected.b * factor, tolerance);
}

class IntroTest : public OvTest::EngineTest
{
  protected:
    void TearDown() override
    {
        if (intro.window.hwnd())
            CloseIntro(intro);
        PlatformTestSetAlphaVisualsAvailable(true);
        EngineTest::TearDown();
    }

    // Draws the splash at a fade angle into a cleared window, without presenting it.
    void DrawAt(float angle)
    {
        OvRenderScene(OV_SCENE_CLEAR_COLOUR);
        intro.angle = angle;
        DrawIntro(intro);
        OvRenderScene(OV_SCENE_FLUSH);
    }

    OV_INTRO intro;
};

TEST_F(IntroTest, SplashShowsTheResourceImageInATransparentTopmostToolWindow)
{
    const Image image = SplashImage();
    ASSERT_EQ(image.width, OV_INTRO::WIDTH);
    ASSERT_EQ(image.height, OV_INTRO::HEIGHT);
    const Point opaque = BrightestOpaque(image);
    ASSERT_GE(opaque.x, 0) << "the splash has no opaque pixel";
    ASSERT_EQ(image.at(0, 0).a, 0) << "the splash's corner should be transparent";

    ASSERT_TRUE(OpenIntro(intro));
    EXPECT_TRUE(intro.window.perPixelAlpha);
    EXPECT_EQ(
        *static_cast<const int32_t*>(OvRenderTargetGet(intro.window.target(), OV_TARGET_MODE)),
        OV_MODE_PER_PIXEL_ALPHA);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(intro.window.hwnd(), GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_EX_TOOLWINDOW); // no taskbar button
    EXPECT_EQ(intro.sprite.FrameCount(), 1);

    DrawAt(90); // the middle of the run: fully opaque
    const Rgba middle = WindowPixel(opaque);
    ExpectColour(middle, image.at(opaque.x, opaque.y), 1.0);
    EXPECT_EQ(middle.a, 255);
    EXPECT_EQ(WindowPixel({0, 0}).a, 0); // the desktop shows through the corner

    DrawAt(10); // fading in: 2 sin(10 degrees) of the colour over transparent black
    ExpectColour(WindowPixel(opaque), image.at(opaque.x, opaque.y), IntroAlpha(10));

    OvRenderScene(OV_SCENE_SWAP); // a per-pixel-alpha window presents like any other
    intro.sprite.Unload(false);
    intro.window.CloseWindow();
}

TEST_F(IntroTest, RefusedPerPixelAlphaStillShowsTheSplashInAnOpaqueWindow)
{
    PlatformTestSetAlphaVisualsAvailable(false);
    const Image image = SplashImage();
    const Point opaque = BrightestOpaque(image);
    ASSERT_GE(opaque.x, 0);

    ASSERT_TRUE(OpenIntro(intro));
    EXPECT_FALSE(intro.window.perPixelAlpha);
    EXPECT_EQ(
        *static_cast<const int32_t*>(OvRenderTargetGet(intro.window.target(), OV_TARGET_MODE)),
        OV_MODE_NORMAL);
    DrawAt(90);
    ExpectColour(WindowPixel(opaque), image.at(opaque.x, opaque.y), 1.0);
}

// What each pass of the splash's own frame routine left behind.
struct Passes
{
    OV_INTRO* intro;
    double frameTime;
    std::vector<float> alphas; // the opacity each pass drew with
    std::vector<float> angles; // the angle after each pass
};

void RecordingFrame(HWND window, void* context)
{
    Passes& passes = *static_cast<Passes*>(context);
    IntroFrame(window, passes.intro);
    passes.alphas.push_back(passes.intro->sprite.GetColor().w);
    passes.angles.push_back(passes.intro->angle);
    PlatformTestAdvanceTime(passes.frameTime);
}

TEST_F(IntroTest, FadeRunsAboutThreeSecondsAtAnyFrameRate)
{
    ASSERT_TRUE(OpenIntro(intro));
    EXPECT_TRUE(intro.window.perPixelAlpha);
    for (const double frameTime : {1.0 / 60, 1.0 / 25, 1.0 / 90})
    {
        SCOPED_TRACE(frameTime);
        intro.angle = 0;
        Loop().delta = 0;
        Passes passes{&intro, frameTime, {}, {}};
        Loop().RunFrameLoop(RecordingFrame, &passes);

        const size_t count = passes.angles.size();
        ASSERT_GE(count, 2u);
        EXPECT_EQ(passes.alphas.front(), 0.0f); // the first pass is invisible
        EXPECT_GE(passes.angles.back(), 180.0f);
        EXPECT_LT(passes.angles[count - 2], 180.0f);
        // The first pass sees no time; the loop ends in the pass that reaches 3 seconds.
        const double seconds = (count - 1) * frameTime;
        EXPECT_GE(seconds, 3.0 - 1e-6);
        EXPECT_LE(seconds, 3.0 + frameTime + 1e-9);
        // Fading in over the first half second, then opaque until the last half second.
        const size_t halfSecond = static_cast<size_t>(std::ceil(0.5 / frameTime)) + 1;
        EXPECT_TRUE(std::is_sorted(passes.alphas.begin(), passes.alphas.begin() + halfSecond));
        EXPECT_LT(passes.alphas[halfSecond / 2], 1.0f);
        EXPECT_EQ(passes.alphas[count / 2], 1.0f);
        EXPECT_LT(passes.alphas.back(), 0.5f);
    }
}

TEST_F(IntroTest, IntroStateRunsItsThreeSecondsAndRestoresTheCursor)
{
    const int cursorCount = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    PlatformTestSetTimeStepPerRead(0.006); // each clock read moves the manual time on
    const double start = PlatformTestTime();
    IntroState();
    const double elapsed = PlatformTestTime() - start;
    PlatformTestSetTimeStepPerRead(0);
    EXPECT_GE(elapsed, 3.0);
    EXPECT_LT(elapsed, 3.1);
    EXPECT_TRUE(Loop().running);
    EXPECT_EQ(ShowCursor(TRUE) - 1, cursorCount);
    ShowCursor(FALSE);
}

TEST_F(IntroTest, IntroIsSkippedWhenItsWindowCannotOpen)
{
    OV_WINDOW blocker; // holds the intro's window class
    blocker.title = "Orvane Core Intro";
    ASSERT_TRUE(blocker.OpenWindow());
    PlatformTestSetTimeStepPerRead(0.003);
    const double start = PlatformTestTime();
    IntroState();
    EXPECT_LT(PlatformTestTime() - start, 0.1);
    PlatformTestSetTimeStepPerRead(0);
    blocker.CloseWindow();
}

} // namespace
