// Preparing windows for OpenGL contexts: pixel formats, alpha visuals and the refusal switch.
#include "platform/native.h"
#include "platform/testing.h"
#include "platform/win32.h"
#include "recording_window.h"

#include <gtest/gtest.h>

namespace
{

int XDepth(HWND hwnd)
{
    std::string info = RunCommand("xwininfo -id " + std::to_string(PlatformTestX11Window(hwnd)));
    size_t at = info.find("Depth:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

} // namespace

TEST(NativeWindows, UnknownHandlesHaveNoNativeWindow)
{
    EXPECT_EQ(PlatformNativeWindow(nullptr), nullptr);
    EXPECT_FALSE(PlatformPrepareGLWindow(nullptr, {32, 16, false}));
}

TEST(NativeWindows, AlphaFormatGetsADepth32VisualUnderTheSameHandle)
{
    RecordingWindow window(WS_EX_LAYERED | WS_EX_TOPMOST, 40, 50, 64, 32);
    HWND hwnd = window.hwnd();
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(XDepth(hwnd), 24);
    ASSERT_TRUE(PlatformPrepareGLWindow(hwnd, {32, 16, true}));
    EXPECT_EQ(XDepth(hwnd), 32);
    EXPECT_NE(PlatformNativeWindow(hwnd), nullptr);
    // Everything the handle stands for carries over to the new native window.
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.right - rect.left, 64);
    EXPECT_EQ(DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)), DWORD(WS_EX_LAYERED | WS_EX_TOPMOST));

    // Preparing the same format again keeps the native window.
    unsigned long xwindow = PlatformTestX11Window(hwnd);
    ASSERT_TRUE(PlatformPrepareGLWindow(hwnd, {32, 16, true}));
    EXPECT_EQ(PlatformTestX11Window(hwnd), xwindow);

    ASSERT_TRUE(PlatformPrepareGLWindow(hwnd, {32, 24, false}));
    EXPECT_EQ(XDepth(hwnd), 24);
}

TEST(NativeWindows, AlphaIsRefusedWithoutAlphaVisuals)
{
    RecordingWindow window;
    PlatformTestSetAlphaVisualsAvailable(false);
    EXPECT_FALSE(PlatformPrepareGLWindow(window.hwnd(), {32, 16, true}));
    EXPECT_TRUE(PlatformPrepareGLWindow(window.hwnd(), {32, 16, false}));
    PlatformTestSetAlphaVisualsAvailable(true);
    EXPECT_TRUE(PlatformPrepareGLWindow(window.hwnd(), {32, 16, true}));
}
