#include "gl_fixture.h"

#include "support/read_back.h"

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

OvTest::Image GlTest::ReadRegion(int x, int y, int width, int height)
{
    OvTest::Image pixels = OvTest::ReadTarget(x, y, width, height);
    OvTextureUnactivate(58);
    return pixels;
}

Rgba GlTest::PixelAt(int x, int yFromTop)
{
    const Rgba pixel = OvTest::ReadTargetPixel(x, kHeight - 1 - yFromTop);
    OvTextureUnactivate(58); // the read-back's texture leaves no binding behind
    return pixel;
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
    const int deltas[4] = {actual.r - expected.r, actual.g - expected.g, actual.b - expected.b,
                           actual.a - expected.a};
    for (int delta : deltas)
        if (std::abs(delta) > tolerance)
            return testing::AssertionFailure() << "got " << actual << ", expected " << expected;
    return testing::AssertionSuccess();
}

} // namespace enginetest
