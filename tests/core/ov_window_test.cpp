// Framework windows on a real X server: pixels cleared through the application and read
// back through the engine, sizes, styles, transparency, the per-pixel-alpha fallback, tray
// icons and the end of the frame loop when a window closes.
#include "support/frame_script.h"
#include "support/read_back.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "core/ov_window.h"

#include <cstring>

using namespace OvCore;
using OvTest::FrameScript;
using OvTest::Near;
using OvTest::ReadTargetPixel;
using OvTest::Rgba;

namespace
{

void ExpectPixel(const Rgba& pixel, const Rgba& expected)
{
    EXPECT_TRUE(Near(pixel, expected, 2)) << pixel << ", expected " << expected;
}

int32_t TargetInt(const OV_WINDOW& window, int32_t query)
{
    const auto* field = static_cast<const int32_t*>(OvRenderTargetGet(window.target(), query));
    return field ? *field : -1;
}

DWORD ExtendedStyleOf(const OV_WINDOW& window)
{
    return static_cast<DWORD>(GetWindowLongA(window.hwnd(), GWL_EXSTYLE));
}

class WindowTest : public OvTest::EngineTest
{
  protected:
    void TearDown() override
    {
        for (OV_WINDOW* window : opened)
            window->CloseWindow();
        PlatformTestSetAlphaVisualsAvailable(true);
        EngineTest::TearDown();
    }

    // A record of `width` x `height` with a title unique to the test, not yet opened.
    OV_WINDOW& Record(const char* name, int32_t width = 64, int32_t height = 48)
    {
        OV_WINDOW& window = *Application().windows.Get(name);
        window.title = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        window.title += "/";
        window.title += name;
        window.width = width;
        window.height = height;
        opened.push_back(&window);
        return window;
    }

    std::vector<OV_WINDOW*> opened;
};

TEST_F(WindowTest, ClearedWindowReadsBackItsColour)
{
    OV_WINDOW& window = Record("clear", 64, 48);
    window.x = 10;
    window.y = 20;
    ASSERT_TRUE(window.OpenWindow());
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window.hwnd(), &rect));
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right - rect.left, 64);
    EXPECT_EQ(rect.bottom - rect.top, 48);
    EXPECT_EQ(TargetInt(window, OV_TARGET_MODE), OV_MODE_NORMAL);

    OV_APPLICATION& app = Application();
    ASSERT_TRUE(app.ActivateWindow("clear"));
    app.ClearScreen(0.2, 0.4, 0.6, 1.0);
    ExpectPixel(ReadTargetPixel(32, 24), {51, 102, 153});
    app.ClearScreen(0xFF336699u); // packed 0xAABBGGRR: red 0x99, green 0x66, blue 0x33
    ExpectPixel(ReadTargetPixel(0, 0), {0x99, 0x66, 0x33});
    ExpectPixel(ReadTargetPixel(63, 47), {0x99, 0x66, 0x33});
}

TEST_F(WindowTest, ApplyWindowResizesTheWindowAndItsRenderTarget)
{
    OV_WINDOW& window = Record("resize", 64, 48);
    ASSERT_TRUE(window.OpenWindow());
    window.width = 120;
    window.height = 90;
    window.x = 30;
    ASSERT_TRUE(window.ApplyWindow());

    RECT client;
    ASSERT_TRUE(GetClientRect(window.hwnd(), &client));
    EXPECT_EQ(client.right - client.left, 120);
    EXPECT_EQ(client.bottom - client.top, 90);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window.hwnd(), &rect));
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(TargetInt(window, OV_TARGET_VIEWPORT_WIDTH), 120);
    EXPECT_EQ(TargetInt(window, OV_TARGET_VIEWPORT_HEIGHT), 90);

    OV_APPLICATION& app = Application();
    ASSERT_TRUE(app.ActivateWindow("resize"));
    // The drawable takes the new size when a frame is presented, as after any frame.
    OvRenderScene(OV_SCENE_SWAP);
    app.ClearScreen(0.0, 1.0, 0.0, 1.0);
    ExpectPixel(ReadTargetPixel(119, 89), {0, 255, 0});

    OV_WINDOW unopened;
    EXPECT_FALSE(unopened.ApplyWindow());
}

TEST_F(WindowTest, ClosingTheWindowEndsTheFrameLoop)
{
    OV_WINDOW& window = Record("close");
    ASSERT_TRUE(window.OpenWindow());
    const size_t frames = FrameScript({
                                          [&] { PostMessageA(window.hwnd(), WM_CLOSE, 0, 0); },
                                          [] {},
                                          [] {},
                                      })
                              .Run();
    EXPECT_EQ(frames, 1u);
    EXPECT_TRUE(Loop().running);

    HWND hwnd = window.hwnd();
    window.CloseWindow();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window.hwnd(), nullptr);
    ASSERT_TRUE(window.OpenWindow()); // a closed record opens again
}

TEST_F(WindowTest, SecondWindowWithTheSameTitleFailsToOpen)
{
    OV_WINDOW& first = Record("first");
    OV_WINDOW& second = Record("second");
    second.title = first.title;
    ASSERT_TRUE(first.OpenWindow());
    EXPECT_FALSE(second.OpenWindow());
    EXPECT_EQ(second.hwnd(), nullptr);

    // Closing the failed record leaves the open window and its class alone.
    second.CloseWindow();
    EXPECT_TRUE(IsWindow(first.hwnd()));
    EXPECT_FALSE(second.OpenWindow());

    first.CloseWindow();
    EXPECT_TRUE(second.OpenWindow());
}

TEST_F(WindowTest, OpacityAndColourKeyMakeTheWindowLayered)
{
    struct Case
    {
        float opacity;
        bool useColourKey;
        BYTE alpha;
        DWORD flags; // of the last attributes set
    };
    const Case cases[] = {
        {0.5f, false, 127, LWA_ALPHA},
        {1.7f, true, 255, LWA_COLORKEY},
        {-0.5f, false, 0, LWA_ALPHA},
        {0.5f, true, 127, LWA_COLORKEY | LWA_ALPHA},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.opacity);
        OV_WINDOW& window = Record("layered");
        window.opacity = c.opacity;
        window.useColourKey = c.useColourKey;
        window.colourKey = RGB(1, 2, 3);
        ASSERT_TRUE(window.OpenWindow());
        EXPECT_TRUE(ExtendedStyleOf(window) & WS_EX_LAYERED);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window.hwnd(), &key, &alpha, &flags));
        EXPECT_EQ(alpha, c.alpha);
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(key, RGB(1, 2, 3));
        window.CloseWindow();
    }

    OV_WINDOW& opaque = Record("opaque");
    ASSERT_TRUE(opaque.OpenWindow());
    EXPECT_FALSE(ExtendedStyleOf(opaque) & WS_EX_LAYERED);
}

TEST_F(WindowTest, RefusedPerPixelAlphaFallsBackToAnOpaqueTarget)
{
    PlatformTestSetAlphaVisualsAvailable(false);
    OV_WINDOW& window = Record("alpha");
    window.perPixelAlpha = true;
    ASSERT_TRUE(window.OpenWindow());
    EXPECT_FALSE(window.perPixelAlpha);
    EXPECT_EQ(TargetInt(window, OV_TARGET_MODE), OV_MODE_NORMAL);
    EXPECT_FALSE(ExtendedStyleOf(window) & WS_EX_LAYERED);

    // Whole-window opacity keeps its layered style through the fallback.
    OV_WINDOW& translucent = Record("translucent");
    translucent.perPixelAlpha = true;
    translucent.opacity = 0.5f;
    ASSERT_TRUE(translucent.OpenWindow());
    EXPECT_TRUE(ExtendedStyleOf(translucent) & WS_EX_LAYERED);
}

TEST_F(WindowTest, TaskbarAndTopmostStylesFollowTheRecord)
{
    OV_WINDOW& window = Record("styles");
    window.appWindow = false;
    window.topmost = true;
    ASSERT_TRUE(window.OpenWindow());
    EXPECT_EQ(ExtendedStyleOf(window), DWORD(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(GetWindowLongA(window.hwnd(), GWL_STYLE),
              LONG(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) | LONG(WS_VISIBLE));

    window.appWindow = true;
    window.topmost = false;
    ASSERT_TRUE(window.ApplyWindow());
    EXPECT_EQ(ExtendedStyleOf(window), DWORD(WS_EX_APPWINDOW));
    EXPECT_TRUE(IsWindowVisible(window.hwnd())); // hidden for the change, shown again
}

TEST_F(WindowTest, TrayIconComesAndGoesWithTheRecord)
{
    const int before = PlatformTestTrayIconCount();
    OV_WINDOW& window = Record("tray");
    window.trayIcon = true;
    ASSERT_TRUE(window.OpenWindow());
    ASSERT_EQ(PlatformTestTrayIconCount(), before + 1);

    // Find the icon's id: the only one this window owns.
    UINT firstId = 0;
    NOTIFYICONDATAA icon;
    for (UINT id = 0; id < 1000 && firstId == 0; ++id)
        if (PlatformTestTrayIcon(window.hwnd(), id, &icon))
            firstId = id;
    ASSERT_NE(firstId, 0u);
    EXPECT_STREQ(icon.szTip, window.title.Text());
    EXPECT_EQ(icon.uCallbackMessage, OV_WINDOW::TRAY_MESSAGE);

    window.trayIcon = false;
    ASSERT_TRUE(window.ApplyWindow());
    EXPECT_EQ(PlatformTestTrayIconCount(), before);

    window.trayIcon = true;
    ASSERT_TRUE(window.ApplyWindow());
    EXPECT_EQ(PlatformTestTrayIconCount(), before + 1);
    EXPECT_FALSE(PlatformTestTrayIcon(window.hwnd(), firstId, &icon));
    EXPECT_TRUE(PlatformTestTrayIcon(window.hwnd(), firstId + 1, &icon)); // a new id

    window.CloseWindow();
    EXPECT_EQ(PlatformTestTrayIconCount(), before);
}

TEST_F(WindowTest, NamedWindowOperationsFindWindowsByName)
{
    OV_APPLICATION& app = Application();
    EXPECT_GT(app.width, 0);
    EXPECT_FLOAT_EQ(app.aspect, float(app.width) / float(app.height));

    OV_WINDOW& window = Record("named", 101, 51);
    app.windows.Get("named", 3); // a later entry of the same name is not the one found
    ASSERT_TRUE(app.CenterWindow("named", 7));
    EXPECT_EQ(window.x, app.width / 2 - 50);
    EXPECT_EQ(window.y, app.height / 2 - 25);

    EXPECT_FALSE(app.CenterWindow("missing"));
    EXPECT_FALSE(app.ActivateWindow("missing"));
    EXPECT_FALSE(app.ViewWindow("missing"));
    EXPECT_FALSE(app.ActivateWindow(nullptr));
}

TEST_F(WindowTest, ARecordDroppedOpenClosesItsWindowAndFreesItsTitle)
{
    OV_WINDOW& window = Record("dropped");
    ASSERT_TRUE(window.OpenWindow());
    HWND hwnd = window.hwnd();
    const OV_STRING title = window.title;
    opened.clear();
    Application().windows.Remove(Application().windows.Find("dropped"));
    EXPECT_FALSE(IsWindow(hwnd));
    OV_WINDOW again;
    again.title = title;
    EXPECT_TRUE(again.OpenWindow()); // the class went with the window
}

TEST_F(WindowTest, AttachAndDetachLeaveTheWindowAlive)
{
    // A window made by someone else, on a class of its own.
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ov-attach-test";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED, "ov-attach-test", "attach", WS_POPUP, 0, 0, 32, 32,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);

    OV_WINDOW attached;
    attached.width = attached.height = 32;
    attached.topmost = true;
    ASSERT_TRUE(attached.AttachWindow(hwnd));
    EXPECT_TRUE(attached.attached());
    EXPECT_EQ(attached.hwnd(), hwnd);
    EXPECT_EQ(ExtendedStyleOf(attached), DWORD(WS_EX_APPWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(TargetInt(attached, OV_TARGET_MODE), OV_MODE_NORMAL);

    // Attaching again, or attaching an opened record, is refused: neither loses its window.
    EXPECT_FALSE(attached.AttachWindow(hwnd));
    OV_WINDOW& open = Record("open");
    ASSERT_TRUE(open.OpenWindow());
    HWND own = open.hwnd();
    EXPECT_FALSE(open.AttachWindow(hwnd));
    EXPECT_EQ(open.hwnd(), own);
    EXPECT_TRUE(!open.attached() && IsWindow(own));

    attached.DetachWindow();
    EXPECT_FALSE(attached.attached());
    EXPECT_EQ(attached.hwnd(), nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
    DestroyWindow(hwnd);
    UnregisterClassA("ov-attach-test", windowClass.hInstance);
}

} // namespace
