// Render targets, frames and states on a real window: clearing, presenting, the reset bit,
// viewport fields, per-pixel alpha refusal and refused handles and codes.
#include "gl_fixture.h"

#include "platform/testing.h"

using namespace enginetest;

TEST_F(GlTest, ClearColourIsReadBack)
{
    OvSetState(262, 1, 0.5, 0, 1);
    OvRenderScene(2);
    EXPECT_TRUE(NearColour(PixelAt(0, 0), {255, 128, 0, 255}));
    EXPECT_TRUE(NearColour(PixelAt(kWidth - 1, kHeight - 1), {255, 128, 0, 255}));

    // Clearing inside a scissor rectangle leaves the rest alone.
    OvSetState(262, 0, 0, 1, 1);
    OvSetState(219, 0, 0, 8, 8);
    OvSetState(220, 1);
    OvRenderScene(2);
    OvSetState(220, 0);
    EXPECT_TRUE(NearColour(PixelAt(0, kHeight - 1), {0, 0, 255, 255}));
    EXPECT_TRUE(NearColour(PixelAt(20, 20), {255, 128, 0, 255}));
}

TEST_F(GlTest, FrameEndPresentsThenClearsAndResetBitRestoresDefaults)
{
    OvSetState(262, 0, 1, 0, 1);
    OvSetState(263, 0.2, 0.3, 0.4, 0.5);
    OvSetState(155, 164, 159);
    OvSetState(173, 175);
    OvRenderScene(99); // flush, swap, clear, reset
    EXPECT_TRUE(NearColour(PixelAt(3, 3), {0, 255, 0, 255}));
    const auto* colour = static_cast<const double*>(OvGetState(263));
    EXPECT_EQ(colour[0], 1.0);
    EXPECT_EQ(colour[3], 1.0);
    const auto* blend = static_cast<const int32_t*>(OvGetState(155));
    EXPECT_EQ(blend[0], 164);
    EXPECT_EQ(blend[1], 165);
    EXPECT_EQ(*static_cast<const int32_t*>(OvGetState(173)), 174);
}

TEST_F(GlTest, StatesKeepTheirValuesAndIgnoreUnknownCodes)
{
    OvSetState(155, 164, 999); // unknown factor: nothing changes
    const auto* blend = static_cast<const int32_t*>(OvGetState(155));
    EXPECT_EQ(blend[1], 165);
    OvSetState(173, 12345);
    EXPECT_EQ(*static_cast<const int32_t*>(OvGetState(173)), 174);
    OvSetState(219, 1, 2, -5, 4); // a negative size clips everything
    const auto* scissor = static_cast<const int32_t*>(OvGetState(219));
    EXPECT_EQ(scissor[2], 0);
    EXPECT_EQ(scissor[3], 4);
    OvSetState(9999, 1, 2, 3, 4);
    EXPECT_EQ(OvGetState(9999), nullptr);

    const auto* active = static_cast<const OvHandle*>(OvGetState(16));
    EXPECT_EQ(active->object, target_.object);
}

TEST_F(GlTest, ViewportFieldsApplyOnActivate)
{
    auto* width = static_cast<int32_t*>(OvRenderTargetGet(target_, 442));
    auto* height = static_cast<int32_t*>(OvRenderTargetGet(target_, 443));
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(*width, kWidth);
    EXPECT_EQ(*height, kHeight);
    EXPECT_EQ(*static_cast<const int32_t*>(OvRenderTargetGet(target_, 448)), 81);
    EXPECT_EQ(OvRenderTargetGet(target_, 444), nullptr);

    // Only the left half: a full-camera quad fills just that half.
    *width = kWidth / 2;
    OvRenderTargetActivate(target_);
    *width = kWidth;
    auto quad = Quad(0, 0, kWidth, kHeight, {1, 1, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    EXPECT_TRUE(NearColour(PixelAt(5, 10), {255, 255, 255, 255}));
    EXPECT_TRUE(NearColour(PixelAt(kWidth - 5, 10), {0, 0, 0, 255})); // mode 81 has no alpha
}

TEST_F(GlTest, EmptyAndStaleHandlesAreRefused)
{
    const OvHandle empty{1, nullptr};
    const OvHandle flagged{1, target_.object};
    EXPECT_FALSE(OvRenderTargetActivate(empty));
    EXPECT_FALSE(OvRenderTargetActivate(flagged));
    EXPECT_EQ(OvRenderTargetGet(empty, 440), nullptr);
    EXPECT_FALSE(OvRenderTargetArea(empty, 0, 0, 1, 1, 45, -1, 1, 0));
    EXPECT_FALSE(OvRenderTargetShare(target_, empty));
    EXPECT_TRUE(OvRenderTargetShare(target_, target_));

    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    EXPECT_FALSE(OvTextureCreate(&texture)); // still alive: not overwritten
    OvTextureDestroy(texture);
    EXPECT_EQ(OvTextureGet(texture, 258), nullptr); // stale copy
    EXPECT_EQ(OvTextureLock(texture, 0), nullptr);
    OvTextureDestroy(texture);
    EXPECT_FALSE(OvRenderTargetCreate(nullptr, window_, 81, 32, 16));
    OvHandle other{1, nullptr};
    EXPECT_FALSE(OvRenderTargetCreate(&other, window_, 83, 32, 16)); // unknown mode
    EXPECT_EQ(other.object, nullptr);
    EXPECT_FALSE(OvRenderTargetCreate(&other, nullptr, 81, 32, 16));
}

TEST_F(GlTest, VsyncNeedsAnActiveTarget)
{
    // Xvfb has no swap control, so only the answer's stability is checked here.
    const uint8_t first = OvRenderVsync(0);
    EXPECT_EQ(OvRenderVsync(0), first);
    OvHandle none{1, nullptr};
    OvRenderTargetDestroy(target_);
    target_ = none;
    EXPECT_FALSE(OvRenderVsync(0)); // no active target
    EXPECT_EQ(static_cast<const OvHandle*>(OvGetState(16))->object, nullptr);
}

TEST_F(GlTest, SurfacesGetTheDepthBufferTheyAskFor)
{
    // The fixture's window asks for 16 bits, as the framework's windows do.
    const auto* depth = static_cast<const int32_t*>(OvRenderTargetGet(target_, 447));
    ASSERT_NE(depth, nullptr);
    EXPECT_GE(*depth, 16);

    HWND second = OpenWindow("no depth", 16, 16);
    ASSERT_NE(second, nullptr);
    OvHandle flat{1, nullptr};
    ASSERT_TRUE(OvRenderTargetCreate(&flat, second, 81, 32, 0));
    EXPECT_EQ(*static_cast<const int32_t*>(OvRenderTargetGet(flat, 447)), 0);
    OvRenderTargetDestroy(flat);
    CloseWindow(second, "no depth");
}

TEST_F(GlTest, PerPixelAlphaIsRefusedWithoutAnAlphaVisual)
{
    HWND second = OpenWindow("alpha test", 16, 16);
    ASSERT_NE(second, nullptr);
    PlatformTestSetAlphaVisualsAvailable(false);
    OvHandle alpha{0, nullptr};
    EXPECT_FALSE(OvRenderTargetCreate(&alpha, second, 82, 32, 16));
    EXPECT_NE(alpha.flags & 0xFF, 0u);
    EXPECT_EQ(alpha.object, nullptr);
    PlatformTestSetAlphaVisualsAvailable(true);

    // The framework's fallback: the same window in mode 81 works, and the first target is
    // still the active one.
    ASSERT_TRUE(OvRenderTargetCreate(&alpha, second, 81, 32, 16));
    EXPECT_EQ(static_cast<const OvHandle*>(OvGetState(16))->object, target_.object);
    OvSetState(262, 0, 0, 1, 1);
    OvRenderScene(2);
    EXPECT_TRUE(NearColour(PixelAt(1, 1), {0, 0, 255, 255}));
    OvRenderTargetDestroy(alpha);
    CloseWindow(second, "alpha test");
}

TEST_F(GlTest, ModeChangesKeepTheTargetUsable)
{
    // Without an alpha visual the change to 82 is refused and the target stays in mode 81.
    PlatformTestSetAlphaVisualsAvailable(false);
    EXPECT_FALSE(OvRenderTargetChange(target_, 82));
    PlatformTestSetAlphaVisualsAvailable(true);
    EXPECT_EQ(*static_cast<const int32_t*>(OvRenderTargetGet(target_, 448)), 81);
    EXPECT_TRUE(OvRenderTargetChange(target_, 81)); // already so
    EXPECT_FALSE(OvRenderTargetChange(target_, 80));

    // Textures made before the change survive it: every context shares with the root.
    OvHandle texture{1, nullptr};
    ASSERT_TRUE(OvTextureCreate(&texture));
    const uint8_t red[4] = {255, 0, 0, 255};
    ASSERT_TRUE(OvTextureLoadRGBAFromMemory(texture, red, 1, 1));
    if (OvRenderTargetChange(target_, 82))
    { // where the display has an alpha visual
        EXPECT_EQ(*static_cast<const int32_t*>(OvRenderTargetGet(target_, 448)), 82);
        OvSetState(262, 0, 0, 0, 0.5);
        OvRenderScene(2);
        EXPECT_TRUE(NearColour(PixelAt(1, 1), {0, 0, 0, 128}));
    }
    OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    OvTextureActivate(texture);
    auto quad = Quad(0, 0, 4, 4, {1, 1, 1, 1});
    OvDrawDataStruct(11, 0, 4, quad.data(), nullptr);
    OvTextureUnactivate(58);
    EXPECT_TRUE(NearColour(PixelAt(1, 1), {255, 0, 0, 255}));
    OvTextureDestroy(texture);
}
