// Screen metrics, work area, display modes, refresh rate and the cursor (Xvfb screen
// 1280x1024x24).
#include "platform/win32.h"
#include "recording_window.h"

#include <gtest/gtest.h>

TEST(Display, ScreenSizeWorkAreaAndCurrentMode)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_GE(area.left, 0);
    EXPECT_LE(area.right, width);
    EXPECT_LE(area.bottom, height);
    EXPECT_GT(area.right - area.left, 0);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));

    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmSize, 156);
    EXPECT_EQ(int(mode.dmPelsWidth), width);
    EXPECT_EQ(int(mode.dmPelsHeight), height);
    EXPECT_EQ(mode.dmBitsPerPel, 32u); // 24-bit true colour reads as 32, as on Windows

    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), width);
    EXPECT_EQ(GetDeviceCaps(screen, VREFRESH), int(mode.dmDisplayFrequency));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST(Display, ModeChangesSucceedOnlyForTheModeInForce)
{
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = DWORD(GetSystemMetrics(SM_CXSCREEN));
    mode.dmPelsHeight = DWORD(GetSystemMetrics(SM_CYSCREEN));
    mode.dmBitsPerPel = 32;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_SUCCESSFUL);
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    EXPECT_NE(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_SUCCESSFUL);
    mode.dmSize = 20;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_BADMODE);
}

TEST(Display, WindowDeviceContextsReportTheirDisplay)
{
    RecordingWindow window;
    HDC dc = GetDC(window.hwnd());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(GetDeviceCaps(dc, VREFRESH), 0);
    EXPECT_EQ(ReleaseDC(window.hwnd(), dc), 1);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x1)), nullptr);
}

TEST(Cursor, PositionAndVisibilityCounter)
{
    ASSERT_TRUE(SetCursorPos(321, 123));
    POINT point{};
    ASSERT_TRUE(GetCursorPos(&point));
    EXPECT_EQ(point.x, 321);
    EXPECT_EQ(point.y, 123);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
}
