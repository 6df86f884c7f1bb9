#include "app/ov_intro.h"

#include "core/ov_loop.h"
#include "orvane_core.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace OvCore
{

namespace
{

// Where the engine library keeps the splash image.
constexpr const char* SPLASH_MODULE = "Orvane Core.dll";
constexpr WORD SPLASH_RESOURCE_ID = 1;
constexpr WORD SPLASH_RESOURCE_TYPE = 1024;

constexpr int32_t SCENE_PRESENT = OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOUR | OV_SCENE_SWAP;
constexpr int32_t SCENE_PRESENT_AND_RESET = SCENE_PRESENT | OV_SCENE_RESET_STATE;

void PlaceIntroWindow(OV_WINDOW& window)
{
    window.title = "Orvane Core Intro";
    window.appWindow = false;
    window.UseFullScreenExtent();
    window.x = window.width / 2 - OV_INTRO::WIDTH / 2;
    window.y = window.height / 2 - OV_INTRO::HEIGHT / 2;
    window.width = OV_INTRO::WIDTH;
    window.height = OV_INTRO::HEIGHT;
    window.colourBits = 32;
    window.depthBits = 16;
    window.perPixelAlpha = true;
    window.topmost = true;
}

// Transparent black clear colour and alpha blending, so the panel's own transparency shows.
void PrepareDrawing(const OV_WINDOW& window)
{
    OvRenderTargetActivate(window.target());
    OvRenderVsync(0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_CLEAR_COLOUR, 0, 0, 0, 0);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA);
}

// The image from the engine module's resources; a missing or empty resource leaves the
// sprite without frames (the splash window then stays clear).
void LoadSplashImage(OV_SPRITE& sprite)
{
    const HMODULE module = GetModuleHandleA(SPLASH_MODULE);
    if (!module)
        return;
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(SPLASH_RESOURCE_ID),
                                         MAKEINTRESOURCEA(SPLASH_RESOURCE_TYPE));
    if (!resource)
        return;
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const size_t size = SizeofResource(module, resource);
    if (data && size > 0)
    {
        const void* images[] = {data};
        const size_t sizes[] = {size};
        sprite.LoadFromMemory(images, 1, 1, OV_FILTER_LINEAR, OV_FILTER_LINEAR, 0, 0, -1, -1, 0, 0,
                              sizes);
    }
    if (loaded)
        FreeResource(loaded);
}

} // namespace

bool OpenIntro(OV_INTRO& intro)
{
    PlaceIntroWindow(intro.window);
    if (!intro.window.OpenWindow())
    {
        intro.window.perPixelAlpha = false;
        if (!intro.window.OpenWindow())
            return false;
    }
    PrepareDrawing(intro.window);
    LoadSplashImage(intro.sprite);
    return true;
}

float IntroAlpha(float angle)
{
    return std::min(1.0f, 2 * std::sin(angle * std::numbers::pi_v<float> / 180));
}

void DrawIntro(OV_INTRO& intro)
{
    OvCameraOrtho(0, 0, intro.window.width, intro.window.height, 0);
    intro.sprite.SetColor(1, 1, 1, IntroAlpha(intro.angle));
    intro.sprite.Draw(OV_VECTOR(0, 0, 0, 1), OV_VECTOR(0, 0, 0, 0), OV_VECTOR(1, 1, 1, 1));
}

void IntroFrame(HWND, void* context)
{
    OV_INTRO& intro = *static_cast<OV_INTRO*>(context);
    DrawIntro(intro);
    OV_LOOP& loop = Loop();
    intro.angle += loop.delta * OV_INTRO::DEGREES_PER_SECOND;
    if (intro.angle >= 180)
        loop.running = false;
    OvRenderScene(SCENE_PRESENT_AND_RESET);
}

void CloseIntro(OV_INTRO& intro)
{
    OvRenderScene(SCENE_PRESENT);
    intro.sprite.Unload(false);
    intro.window.CloseWindow();
}

void IntroState()
{
    OV_INTRO intro;
    if (!OpenIntro(intro))
        return;
    ShowCursor(FALSE);
    Loop().RunFrameLoop(IntroFrame, &intro);
    ShowCursor(TRUE);
    CloseIntro(intro);
}

} // namespace OvCore
