#include "core/ov_window.h"

#include <algorithm>
#include <cstring>

namespace OvCore
{

namespace
{

// Borderless: the outer rectangle is the client rectangle.
constexpr DWORD WINDOW_STYLE = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT CLASS_STYLE = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
constexpr WORD ICON_RESOURCE = 1;

// Tray icon ids are unique in the process: each icon added takes the next one.
UINT nextTrayId = 0;

// Opacity 0..1 as the layered alpha byte; out-of-range (and NaN) opacities are clamped.
BYTE AlphaByte(float opacity)
{
    if (!(opacity > 0))
        return 0;
    return static_cast<BYTE>(std::min(opacity, 1.0f) * 255);
}

int32_t ReadTargetInt(const OvHandle& target, int32_t query)
{
    const void* field = OvRenderTargetGet(target, query);
    return field ? *static_cast<const int32_t*>(field) : 0;
}

bool IsEmpty(const OvHandle& handle)
{
    return (handle.flags & 0xFF) != 0 || handle.object == nullptr;
}

} // namespace

OV_WINDOW::OV_WINDOW() : title("Orvane Core Framework"), tray_{}, target_{1, nullptr}
{
    tray_.cbSize = sizeof(tray_);
    tray_.uCallbackMessage = TRAY_MESSAGE;
    ReadRefreshRate();
}

OV_WINDOW::~OV_WINDOW()
{
    CloseOrDetach();
}

// ---- styles and transparency ----------------------------------------------------------------

DWORD OV_WINDOW::ExtendedStyle(bool layered) const
{
    DWORD style = appWindow ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (topmost)
        style |= WS_EX_TOPMOST;
    if (layered)
        style |= WS_EX_LAYERED;
    return style;
}

void OV_WINDOW::SetExtendedStyle(bool layered)
{
    SetWindowLongA(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ExtendedStyle(layered)));
}

void OV_WINDOW::ApplyLayeredAttributes()
{
    const BYTE alpha = AlphaByte(opacity);
    const bool translucent = opacity < 1;
    if (translucent)
        SetLayeredWindowAttributes(hwnd_, colourKey, alpha, LWA_ALPHA);
    if (useColourKey)
        SetLayeredWindowAttributes(hwnd_, colourKey, alpha, LWA_COLORKEY);
    if (translucent && useColourKey)
        SetLayeredWindowAttributes(hwnd_, colourKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

void OV_WINDOW::ShowAndFocus()
{
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    SetActiveWindow(hwnd_);
}

// ---- render target ----------------------------------------------------------------------------

// Creates the target in the mode the record asks for. When per-pixel alpha is refused the
// window falls back to an opaque target (and keeps the layered style only for opacity or a
// colour key); perPixelAlpha then reads false.
bool OV_WINDOW::CreateRenderTarget()
{
    const int mode = perPixelAlpha ? OV_MODE_PER_PIXEL_ALPHA : OV_MODE_NORMAL;
    if (OvRenderTargetCreate(&target_, hwnd_, mode, colourBits, depthBits))
        return true;
    if (!perPixelAlpha)
        return false;
    perPixelAlpha = false;
    SetExtendedStyle(WantsLayered());
    return OvRenderTargetCreate(&target_, hwnd_, OV_MODE_NORMAL, colourBits, depthBits) != 0;
}

bool OV_WINDOW::SetRenderTargetArea()
{
    return OvRenderTargetArea(target_, 0, 0, width, height, 45, -1, 1, 0) != 0;
}

// The target already has the record's size and a mode matching perPixelAlpha.
bool OV_WINDOW::RenderTargetFits()
{
    const int32_t mode = ReadTargetInt(target_, OV_TARGET_MODE);
    const bool modeFits = perPixelAlpha ? mode != OV_MODE_NORMAL : mode != OV_MODE_PER_PIXEL_ALPHA;
    return ReadTargetInt(target_, OV_TARGET_VIEWPORT_WIDTH) == width &&
           ReadTargetInt(target_, OV_TARGET_VIEWPORT_HEIGHT) == height && modeFits;
}

// ---- tray icon ----------------------------------------------------------------------------------

void OV_WINDOW::FillTrayIcon()
{
    tray_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray_.uCallbackMessage = TRAY_MESSAGE;
    tray_.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(ICON_RESOURCE));
    std::memset(tray_.szTip, 0, sizeof(tray_.szTip));
    std::strncpy(tray_.szTip, title.Text(), sizeof(tray_.szTip) - 1);
}

void OV_WINDOW::AddTrayIcon()
{
    tray_.hWnd = hwnd_;
    tray_.uID = ++nextTrayId;
    FillTrayIcon();
    Shell_NotifyIconA(NIM_ADD, &tray_);
}

void OV_WINDOW::RemoveTrayIcon()
{
    tray_.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &tray_);
    tray_.hWnd = nullptr;
}

// ---- display ------------------------------------------------------------------------------------

void OV_WINDOW::ReadRefreshRate()
{
    refreshRate_ = 0;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    refreshRate_ = std::max(0, GetDeviceCaps(screen, VREFRESH));
    ReleaseDC(nullptr, screen);
}

void OV_WINDOW::RestoreDisplayMode()
{
    ChangeDisplaySettingsA(nullptr, 0);
    modeChanged_ = false;
}

void OV_WINDOW::SetDisplayMode(int mode, int refresh)
{
    if (mode == 0)
    {
        RestoreDisplayMode();
        ReadRefreshRate();
        return;
    }
    DEVMODEA settings;
    std::memset(&settings, 0, sizeof(settings));
    settings.dmSize = sizeof(settings);
    if (mode > 0)
    {
        settings.dmPelsWidth = static_cast<DWORD>(width);
        settings.dmPelsHeight = static_cast<DWORD>(height);
        settings.dmBitsPerPel = static_cast<DWORD>(colourBits);
        settings.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        modeChanged_ = true;
    }
    if (refresh > 0)
    {
        settings.dmDisplayFrequency = static_cast<DWORD>(refresh);
        settings.dmFields |= DM_DISPLAYFREQUENCY;
    }
    if (ChangeDisplaySettingsA(&settings, 0) != DISP_CHANGE_SUCCESSFUL)
        modeChanged_ = false;
    ReadRefreshRate();
}

void OV_WINDOW::UseFullScreenExtent()
{
    x = y = 0;
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    aspect = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    ReadRefreshRate();
}

void OV_WINDOW::UseWorkAreaExtent()
{
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return;
    x = area.left;
    y = area.top;
    width = area.right - area.left;
    height = area.bottom - area.top;
}

// ---- open, attach, apply, close, detach -------------------------------------------------------

bool OV_WINDOW::RegisterWindowClass(HINSTANCE module)
{
    WNDCLASSEXA windowClass;
    std::memset(&windowClass, 0, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CLASS_STYLE;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconA(module, MAKEINTRESOURCEA(ICON_RESOURCE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = title.Text();
    return RegisterClassExA(&windowClass) != 0;
}

bool OV_WINDOW::OpenWindow(const OvHandle* share)
{
    RECT rect = {x, y, x + width, y + height};
    HINSTANCE module = GetModuleHandleA(nullptr);
    // A taken class name means a window of this title is open: fail without touching it.
    if (!RegisterWindowClass(module))
        return false;
    instance_ = module;
    ReadRefreshRate();

    const DWORD exStyle = ExtendedStyle(perPixelAlpha || WantsLayered());
    AdjustWindowRectEx(&rect, WINDOW_STYLE, FALSE, exStyle);
    hwnd_ = CreateWindowExA(exStyle, title.Text(), title.Text(), WINDOW_STYLE, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                            instance_, nullptr);
    if (!hwnd_)
    {
        CloseWindow();
        return false;
    }
    ShowAsRecorded();
    if (!CreateRenderTarget() || !SetRenderTargetArea())
    {
        CloseWindow();
        return false;
    }
    if (share)
        OvRenderTargetShare(target_, *share);
    return true;
}

// What a window just made or attached takes from the record: its layered look, showing and
// focus, its tray icon.
void OV_WINDOW::ShowAsRecorded()
{
    if (WantsLayered())
        ApplyLayeredAttributes();
    if (visible)
        ShowAndFocus();
    if (trayIcon)
        AddTrayIcon();
}

bool OV_WINDOW::AttachWindow(HWND window, const OvHandle* share)
{
    if (!window || hwnd_)
        return false;
    hwnd_ = window;
    instance_ = GetModuleHandleA(nullptr);
    ReadRefreshRate();
    SetExtendedStyle(WantsLayered());
    ShowAsRecorded();
    attached_ = true;
    if (!CreateRenderTarget())
    {
        DetachWindow();
        return false;
    }
    if (share)
        OvRenderTargetShare(target_, *share);
    return true;
}

bool OV_WINDOW::ApplyWindow()
{
    if (!hwnd_)
        return false;
    ReadRefreshRate();
    const DWORD current = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE));
    // Windows moves a window between taskbar and tool-window only while it is hidden.
    const bool needsHide =
        (appWindow && (current & WS_EX_TOOLWINDOW)) || (!appWindow && (current & WS_EX_APPWINDOW));
    if (needsHide)
        ShowWindow(hwnd_, SW_HIDE);
    const bool layered = perPixelAlpha || WantsLayered();
    SetExtendedStyle(layered);
    if (layered)
        ApplyLayeredAttributes();
    if (needsHide)
        ShowWindow(hwnd_, SW_SHOW);
    MoveWindow(hwnd_, x, y, width, height, TRUE);

    if (tray_.hWnd)
    {
        if (trayIcon)
        {
            FillTrayIcon();
            Shell_NotifyIconA(NIM_MODIFY, &tray_);
        }
        else
            RemoveTrayIcon();
    }
    else if (trayIcon)
        AddTrayIcon();
    UpdateWindow(hwnd_);

    if (!RenderTargetFits())
    {
        OvRenderTargetChange(target_, perPixelAlpha ? OV_MODE_PER_PIXEL_ALPHA : OV_MODE_NORMAL);
        SetRenderTargetArea();
    }
    OvRenderTargetActivate(target_);
    return true;
}

// What close and detach share: display mode, render target, tray icon, handles.
void OV_WINDOW::ReleaseWindow()
{
    if (modeChanged_)
        RestoreDisplayMode();
    if (!IsEmpty(target_))
        OvRenderTargetDestroy(target_);
    target_ = OvHandle{1, nullptr};
    if (trayIcon && tray_.hWnd)
        RemoveTrayIcon();
    hwnd_ = nullptr;
    instance_ = nullptr;
    attached_ = false;
}

void OV_WINDOW::CloseWindow()
{
    HWND window = hwnd_;
    HINSTANCE module = instance_;
    ReleaseWindow();
    if (window)
        DestroyWindow(window);
    // Only a class this record registered: a record that failed to open must not take
    // the class away from the open window of the same title.
    if (module)
        UnregisterClassA(title.Text(), module);
}

void OV_WINDOW::DetachWindow()
{
    ReleaseWindow();
}

void OV_WINDOW::CloseOrDetach()
{
    if (attached_)
        DetachWindow();
    else if (hwnd_)
        CloseWindow();
}

} // namespace OvCore
