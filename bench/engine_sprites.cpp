// Sprite throughput of the engine alone: N textured 8 x 8 sprites per frame, each drawn with
// the exact call sequence of OV_SPRITE::Draw (push, identity, translate, three rotations,
// scale, activate, draw 4 vertices, pop), then OvRenderScene(35). Prints sprites per second
// and draw calls per frame. Run under Xvfb: xvfb-run -a engine_sprites [N] [frames] [depth bits]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "orvane_core.h"
#include "platform/win32.h"

namespace
{

struct Vertex
{
    float s, t, r, q, red, green, blue, alpha, nx, ny, nz, x, y, z, w;
};

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND OpenWindow(int width, int height)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "engine sprites";
    RegisterClassExA(&wc);
    return CreateWindowExA(0, "engine sprites", "engine sprites", WS_POPUP | WS_VISIBLE, 0, 0,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 30;
    const int depthBits = argc > 3 ? std::atoi(argv[3]) : 16;
    const int width = 800, height = 600;
    OvInitiation();
    HWND window = OpenWindow(width, height);
    OvHandle target{1, nullptr};
    if (!window || !OvRenderTargetCreate(&target, window, OV_MODE_NORMAL, 32, depthBits))
    {
        std::fprintf(stderr, "engine_sprites: no window or render target\n");
        return 1;
    }
    OvRenderTargetArea(target, 0, 0, width, height, 45, -1, 1, 0);
    OvRenderTargetActivate(target);
    OvRenderVsync(0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_BLENDING, 1);
    OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA);

    std::vector<uint8_t> white(8 * 8 * 4, 255);
    OvHandle texture{1, nullptr};
    OvTextureCreate(&texture);
    OvTextureLoadRGBAFromMemory(texture, white.data(), 8, 8);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_FILTER_NEAREST);
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, OV_FILTER_NEAREST);
    const Vertex sprite[4] = {{0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 1},
                              {1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 1, 8, 0, 0, 1},
                              {1, 1, 0, 1, 1, 1, 1, 1, 0, 0, 1, 8, 8, 0, 1},
                              {0, 1, 0, 1, 1, 1, 1, 1, 0, 0, 1, 0, 8, 0, 1}};
    std::vector<double> xs(count), ys(count);
    for (int i = 0; i < count; ++i)
    {
        xs[i] = std::rand() % (width - 8);
        ys[i] = std::rand() % (height - 8);
    }

    OvSetState(OV_STATE_DRAW_CALLS, 0);
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < frames; ++frame)
    {
        OvCameraOrtho(0, 0, width, height, 0);
        for (int i = 0; i < count; ++i)
        {
            OvMatrixPush();
            OvMatrixIdentity();
            OvMatrixTranslate(xs[i], ys[i], 0);
            OvMatrixRotate(0, 1, 0, 0);
            OvMatrixRotate(0, 0, 1, 0);
            OvMatrixRotate(0, 0, 0, 1);
            OvMatrixScale(1, 1, 1);
            OvTextureActivate(texture);
            OvDrawDataStruct(OV_PRIMITIVE_QUADS, 0, 4, sprite, nullptr);
            OvMatrixPop();
        }
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOUR | OV_SCENE_SWAP);
    }
    OvRenderScene(OV_SCENE_FLUSH);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto calls = *static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
    std::printf("%d sprites x %d frames: %.0f sprites/s, %.1f frames/s, %.1f draw calls/frame\n",
                count, frames, double(count) * frames / seconds, frames / seconds,
                double(calls) / frames);
    OvTextureDestroy(texture);
    OvRenderTargetDestroy(target);
    DestroyWindow(window);
    OvClosure();
    return 0;
}
