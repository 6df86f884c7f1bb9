#include "gl_fixture.h"

#include <cstdlib>
#include <cstring>

namespace enginetest
{

namespace
{

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

HWND GlTest::OpenWindow(const char* className, int width, int height)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc))
        return nullptr;
    return CreateWindowExA(0, className, className, WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void GlTest::CloseWindow(HWND hwnd, const char* className)
{
    if (hwnd)
        DestroyWindow(hwnd);
    UnregisterClassA(className, GetModuleHandleA(nullptr));
}

void GlTest::SetUp()
{
    OvInitiation();
    window_ = OpenWindow("engine test", kWidth, kHeight);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(OvRenderTargetCreate(&target_, window_, 81, 32, 16));
    ASSERT_TRUE(OvRenderTargetArea(target_, 0, 0, kWidth, kHeight, 45, -1, 1, 0));
    ASSERT_TRUE(OvRenderTargetActivate(target_));
    OvSetState(108, 1);
    OvSetState(262, 0, 0, 0, 0);
    OvSetState(263, 1, 1, 1, 1);
    OvSetState(154, 1);
    OvSetState(155, 164, 165);
    OvCameraOrtho(0, 0, kWidth, kHeight, 0);
    OvRenderScene(2);
}

void GlTest::TearDown()
{
    OvRenderTargetDestroy(target_);
    CloseWindow(window_, "engine test");
    OvClosure();
}

std::vector<uint8_t> GlTest::ReadRegion(int x, int y, int width, int height)
{
    OvHandle texture{1, nullptr};
    std::vector<uint8_t> pixels;
    if (!OvTextureCreate(&texture))
        return pixels;
    if (OvTextureFromRender(texture, x, y, width, height, 1))
    {
        const auto* locked = static_cast<const uint8_t*>(OvTextureLock(texture, 1));
        const auto* bytes = static_cast<const int32_t*>(OvTextureGet(texture, 261));
        if (locked && bytes)
            pixels.assign(locked, locked + *bytes);
        OvTextureUnlock(texture, 0);
    }
    OvTextureDestroy(texture);
    OvTextureUnactivate(58);
    return pixels;
}

Rgba GlTest::PixelAt(int x, int yFromTop)
{
    const auto pixels = ReadRegion(x, kHeight - 1 - yFromTop, 1, 1);
    if (pixels.size() != 4)
        return {-1, -1, -1, -1};
    return {pixels[0], pixels[1], pixels[2], pixels[3]};
}

uint64_t GlTest::DrawCalls()
{
    OvRenderScene(OV_SCENE_FLUSH);
    return *static_cast<const uint64_t*>(OvGetState(OV_STATE_DRAW_CALLS));
}

std::array<Vertex, 4> Quad(float x, float y, float width, float height, std::array<float, 4> c)
{
    const float xs[4] = {x, x + width, x + width, x};
    const float ys[4] = {y, y, y + height, y + height};
    const float us[4] = {0, 1, 1, 0};
    const float vs[4] = {0, 0, 1, 1};
    std::array<Vertex, 4> quad{};
    for (int i = 0; i < 4; ++i)
        quad[i] = Vertex{us[i], vs[i], 0, 1, c[0], c[1], c[2], c[3], 0, 0, 1, xs[i], ys[i], 0, 1};
    return quad;
}

testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance)
{
    for (int i = 0; i < 4; ++i)
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return testing::AssertionFailure()
                   << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ", "
                   << actual[3] << "), expected (" << expected[0] << ", " << expected[1] << ", "
                   << expected[2] << ", " << expected[3] << ")";
    return testing::AssertionSuccess();
}

} // namespace enginetest
