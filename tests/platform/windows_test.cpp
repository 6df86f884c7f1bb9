// Window classes, window creation, styles and layered attributes.
#include "platform/testing.h"
#include "platform/win32.h"
#include "recording_window.h"

#include <gtest/gtest.h>

namespace
{

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

WNDCLASSEXA PlainClass(const char* name)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return wc;
}

std::string XProperty(HWND hwnd, const char* property)
{
    return RunCommand("xprop -id " + std::to_string(PlatformTestX11Window(hwnd)) + " " + property);
}

} // namespace

TEST(WindowClasses, TakenNameFailsUntilUnregistered)
{
    WNDCLASSEXA wc = PlainClass("Orvane Core Framework");
    ATOM first = RegisterClassExA(&wc);
    ASSERT_NE(first, 0);

    WNDCLASSEXA sameNameOtherCase = PlainClass("ORVANE core framework");
    EXPECT_EQ(RegisterClassExA(&sameNameOtherCase), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));

    HWND hwnd = CreateWindowExA(0, "Orvane Core Framework", "t", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    // A class that still has windows stays registered.
    EXPECT_FALSE(UnregisterClassA("Orvane Core Framework", GetModuleHandleA(nullptr)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_HAS_WINDOWS));
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(UnregisterClassA("Orvane Core Framework", GetModuleHandleA(nullptr)));
    EXPECT_FALSE(UnregisterClassA("Orvane Core Framework", GetModuleHandleA(nullptr)));

    ATOM again = RegisterClassExA(&wc);
    EXPECT_NE(again, 0);
    EXPECT_NE(again, first);
    EXPECT_TRUE(UnregisterClassA(MAKEINTATOM(again), nullptr)); // null instance = program
}

TEST(WindowClasses, RejectsIncompleteDescriptions)
{
    WNDCLASSEXA wrongSize = PlainClass("wrong size");
    wrongSize.cbSize = sizeof(WNDCLASSEXA) - 4;
    EXPECT_EQ(RegisterClassExA(&wrongSize), 0);
    WNDCLASSEXA noProc = PlainClass("no proc");
    noProc.lpfnWndProc = nullptr;
    EXPECT_EQ(RegisterClassExA(&noProc), 0);
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
}

TEST(Windows, CreationAndDestructionMessagesAndUnknownClass)
{
    EXPECT_EQ(CreateWindowExA(0, "no such class", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));

    Recorded().clear();
    HWND hwnd = nullptr;
    {
        RecordingWindow window;
        hwnd = window.hwnd();
        ASSERT_TRUE(IsWindow(hwnd));
        EXPECT_FALSE(IsWindowVisible(hwnd)); // hidden until shown
    }
    EXPECT_FALSE(IsWindow(hwnd));
    std::vector<UINT> order;
    for (const RecordedMessage& each : Recorded())
        order.push_back(each.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(DestroyWindow(hwnd)); // a stale handle is refused
}

TEST(Windows, StylesAreStoredAndReadBack)
{
    RecordingWindow window(WS_EX_APPWINDOW | WS_EX_TOPMOST);
    HWND hwnd = window.hwnd();
    const LONG popup = LONG(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), popup);
    EXPECT_EQ(DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)), DWORD(WS_EX_APPWINDOW | WS_EX_TOPMOST));

    EXPECT_EQ(ShowWindow(hwnd, SW_SHOW), FALSE); // returns the previous visibility
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), LONG(popup | WS_VISIBLE));
    EXPECT_EQ(ShowWindow(hwnd, SW_HIDE), TRUE);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), popup);

    EXPECT_EQ(DWORD(SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW)),
              DWORD(WS_EX_APPWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), LONG(WS_EX_TOOLWINDOW));

    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0x1234);
    EXPECT_EQ(GetWindowLongA(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(Windows, ToolWindowLosesItsTaskbarButtonThroughHideAndShow)
{
    RecordingWindow window(WS_EX_APPWINDOW);
    HWND hwnd = window.hwnd();
    EXPECT_EQ(XProperty(hwnd, "_NET_WM_STATE").find("SKIP_TASKBAR"), std::string::npos);
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    std::string state = XProperty(hwnd, "_NET_WM_STATE");
    EXPECT_NE(state.find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos) << state;
    EXPECT_NE(state.find("_NET_WM_STATE_ABOVE"), std::string::npos) << state;
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW);
    EXPECT_EQ(XProperty(hwnd, "_NET_WM_STATE").find("SKIP_TASKBAR"), std::string::npos);
}

TEST(Windows, GeometryAndAdjustment)
{
    RecordingWindow window(0, 30, 40, 200, 100);
    HWND hwnd = window.hwnd();
    RECT rect{};
    ASSERT_TRUE(GetClientRect(hwnd, &rect));
    EXPECT_EQ(rect.right, 200);
    EXPECT_EQ(rect.bottom, 100);
    ASSERT_TRUE(MoveWindow(hwnd, 50, 60, 320, 240, TRUE));
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right, 370);
    EXPECT_EQ(rect.bottom, 300);

    POINT point{60, 70};
    ASSERT_TRUE(ScreenToClient(hwnd, &point));
    EXPECT_EQ(point.x, 10);
    EXPECT_EQ(point.y, 10);
    ASSERT_TRUE(ClientToScreen(hwnd, &point));
    EXPECT_EQ(point.x, 60);

    RECT adjusted{10, 20, 110, 220};
    ASSERT_TRUE(
        AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, FALSE, 0));
    EXPECT_EQ(adjusted.left, 10);
    EXPECT_EQ(adjusted.bottom, 220);

    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    EXPECT_EQ(rect.left, 50);
}

TEST(LayeredWindows, AlphaAndColourKeyAreKeptAndAlphaSetsOpacity)
{
    RecordingWindow window;
    HWND hwnd = window.hwnd();
    // Only layered windows take layered attributes.
    EXPECT_FALSE(SetLayeredWindowAttributes(hwnd, 0, 127, LWA_ALPHA));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_FALSE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));

    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW | WS_EX_LAYERED);
    EXPECT_FALSE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)); // none set yet
    ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(255, 0, 255), 127, LWA_ALPHA));
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    // 127/255 of the X opacity range.
    std::string opacity = XProperty(hwnd, "_NET_WM_WINDOW_OPACITY");
    EXPECT_NE(opacity.find(std::to_string(unsigned(127 / 255.0 * 0xFFFFFFFFu))), std::string::npos)
        << opacity;

    ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(0, 255, 0), 127, LWA_COLORKEY | LWA_ALPHA));
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(0, 255, 0));
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY | LWA_ALPHA));

    // Leaving the layered style discards the attributes and makes the window opaque.
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW);
    EXPECT_FALSE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    // SDL removes the opacity hint of a fully opaque window.
    opacity = XProperty(hwnd, "_NET_WM_WINDOW_OPACITY");
    EXPECT_NE(opacity.find("not found"), std::string::npos) << opacity;
}

TEST(Windows, DestroyingTheActiveWindowActivatesAndFocusesAnother)
{
    WNDCLASSEXA wc = PlainClass("focus hand-back");
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND main = CreateWindowExA(0, "focus hand-back", "main", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                                nullptr, nullptr, wc.hInstance, nullptr);
    HWND splash =
        CreateWindowExA(WS_EX_TOOLWINDOW, "focus hand-back", "splash", WS_POPUP | WS_VISIBLE, 10,
                        10, 32, 32, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(main && splash);
    SetActiveWindow(splash);
    SetFocus(splash);

    DestroyWindow(splash);
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);

    DestroyWindow(main);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    UnregisterClassA("focus hand-back", wc.hInstance);
}
