// Notification-area icon records and their callback messages.
#include "platform/testing.h"
#include "platform/win32.h"
#include "recording_window.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

NOTIFYICONDATAA Icon(HWND owner, UINT id, const char* tip)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_APP;
    data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
    return data;
}

} // namespace

TEST(TrayIcons, AddModifyDeleteKeepRecordsPerOwnerAndId)
{
    RecordingWindow window;
    int before = PlatformTestTrayIconCount();
    NOTIFYICONDATAA data = Icon(window.hwnd(), 0, "Tarnvale");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data)); // the same (owner, id) twice
    NOTIFYICONDATAA second = Icon(window.hwnd(), 1, "second");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &second));
    EXPECT_EQ(PlatformTestTrayIconCount(), before + 2);

    NOTIFYICONDATAA change{};
    change.cbSize = sizeof change;
    change.hWnd = window.hwnd();
    change.uID = 0;
    change.uFlags = NIF_TIP;
    std::strcpy(change.szTip, "renamed");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &change));
    NOTIFYICONDATAA stored{};
    ASSERT_TRUE(PlatformTestTrayIcon(window.hwnd(), 0, &stored));
    EXPECT_STREQ(stored.szTip, "renamed");
    EXPECT_EQ(stored.uCallbackMessage, UINT(WM_APP)); // untouched by a tip-only change

    NOTIFYICONDATAA remove{};
    remove.cbSize = sizeof remove;
    remove.hWnd = window.hwnd();
    remove.uID = 0;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &remove));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &remove));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &remove));
    EXPECT_FALSE(PlatformTestTrayIcon(window.hwnd(), 0, nullptr));
    EXPECT_TRUE(PlatformTestTrayIcon(window.hwnd(), 1, nullptr));
}

TEST(TrayIcons, RefusesBadRecordsAndGoesWithItsOwner)
{
    HWND owner = nullptr;
    {
        RecordingWindow window;
        owner = window.hwnd();
        NOTIFYICONDATAA tooShort = Icon(owner, 3, "x");
        tooShort.cbSize = 8;
        EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &tooShort));
        NOTIFYICONDATAA data = Icon(owner, 3, "x");
        ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    }
    EXPECT_FALSE(PlatformTestTrayIcon(owner, 3, nullptr));
    NOTIFYICONDATAA orphan = Icon(owner, 4, "x");
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &orphan));
}

TEST(TrayIcons, ClicksArriveAsTheCallbackMessage)
{
    RecordingWindow window;
    NOTIFYICONDATAA data = Icon(window.hwnd(), 9, "Tarnvale");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    Recorded().clear();
    ASSERT_TRUE(PlatformTestClickTrayIcon(window.hwnd(), 9, WM_LBUTTONUP));
    DrainMessages();
    auto calls = RecordedOf({WM_APP});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].hwnd, window.hwnd());
    EXPECT_EQ(calls[0].wParam, WPARAM(9));
    EXPECT_EQ(calls[0].lParam, LPARAM(WM_LBUTTONUP));
    EXPECT_FALSE(PlatformTestClickTrayIcon(window.hwnd(), 10, WM_LBUTTONUP));
}
