// OV_WINDOW, the framework's drawing surface: a record describing a borderless top-level
// window (position, size, colour and depth bits, transparency, taskbar and tray presence)
// that owns the engine render target made on it. Fill the fields, then OpenWindow (or
// AttachWindow to a window made elsewhere); change fields and ApplyWindow; CloseWindow (or
// DetachWindow) at the end. Records live by name in the application's window registry.
#pragma once

#include "core/ov_string.h"
#include "orvane_core.h"
#include "platform/win32.h"

#include <cstdint>

namespace OvCore
{

// A borderless top-level window and the engine render target on it; fields are read on open and
// apply.
struct OV_WINDOW
{
    // Notification-area icon messages arrive with this id.
    static constexpr UINT TRAY_MESSAGE = 0x8000;

    OV_WINDOW();
    // A record owns the window it opened (or the render target it made on an attached one):
    // dropping it open closes (or detaches) it, and it cannot be copied.
    ~OV_WINDOW();
    OV_WINDOW(const OV_WINDOW&) = delete;
    OV_WINDOW& operator=(const OV_WINDOW&) = delete;

    int32_t width = 1;          // client width in pixels
    int32_t height = 1;         // client height in pixels
    float aspect = 1.0f;        // set only by UseFullScreenExtent
    int32_t x = 0;              // screen position of the client area
    int32_t y = 0;              // (x, y): screen pixels of the client area's top left
    int32_t colourBits = 32;    // colour bits of the render target and of a display mode
    int32_t depthBits = 16;     // depth-buffer bits of the render target
    bool visible = true;        // show, bring to front and focus on open
    bool appWindow = true;      // taskbar button; false makes a tool window
    bool trayIcon = false;      // show an icon in the notification area
    OV_STRING title;            // also the window class name
    float opacity = 1.0f;       // whole-window alpha, 0..1
    COLORREF colourKey = 0;     // the transparent colour, 0x00BBGGRR, when useColourKey is set
    bool useColourKey = false;  // pixels of colourKey are transparent
    bool perPixelAlpha = false; // render target with an alpha channel, layered window
    bool topmost = false;       // stays above ordinary windows

    // Creates class, window and render target; `share` is a render target whose resources
    // the new one shares, or null. False when any step fails; what was made is undone.
    bool OpenWindow(const OvHandle* share = nullptr);
    // Binds the record to a window made elsewhere and creates the render target on it.
    // False for a record that is already open or attached: close or detach it first.
    bool AttachWindow(HWND window, const OvHandle* share = nullptr);
    // Re-applies styles, transparency, position, size, tray icon and render-target size.
    // False only for a record that is not open.
    bool ApplyWindow();
    // Releases the render target and tray icon, restores a changed display mode and destroys the
    // window.
    void CloseWindow();
    // Releases what AttachWindow bound; the window itself stays.
    void DetachWindow();
    // CloseWindow for a window the record opened, DetachWindow for an attached one.
    void CloseOrDetach();

    // Mode 0 restores the desktop's mode; a positive mode switches the display to
    // width x height at colourBits; a positive refresh also requests that rate in Hz.
    void SetDisplayMode(int mode, int refresh);
    // Sets the record to the whole primary screen (position 0, 0 and its size) and its aspect;
    // ApplyWindow makes it so.
    void UseFullScreenExtent();
    // Sets the record to the desktop's work area (the screen less the taskbar); unchanged when that
    // cannot be read.
    void UseWorkAreaExtent();

    // The window; null while the record is neither open nor attached.
    HWND hwnd() const { return hwnd_; }
    // The engine render target on the window; an empty handle while closed.
    const OvHandle& target() const { return target_; }
    // True for a window bound by AttachWindow rather than opened by the record.
    bool attached() const { return attached_; }
    // True while the display runs in a mode SetDisplayMode switched to.
    bool modeChanged() const { return modeChanged_; }
    // The display's refresh rate in Hz, read at construction, open, attach, apply and mode changes;
    // 0 when unknown.
    int32_t refreshRate() const { return refreshRate_; }

  private:
    DWORD ExtendedStyle(bool layered) const;
    bool WantsLayered() const { return opacity < 1 || useColourKey; }
    void SetExtendedStyle(bool layered);
    void ApplyLayeredAttributes();
    bool RegisterWindowClass(HINSTANCE module);
    bool CreateRenderTarget();
    bool SetRenderTargetArea();
    bool RenderTargetFits();
    void ReadRefreshRate();
    void RestoreDisplayMode();
    void FillTrayIcon();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void ShowAndFocus();
    void ShowAsRecorded();
    void ReleaseWindow();

    NOTIFYICONDATAA tray_;
    OvHandle target_;
    bool attached_ = false;
    HWND hwnd_ = nullptr;
    HINSTANCE instance_ = nullptr;
    bool modeChanged_ = false;
    int32_t refreshRate_ = 0;
};

// The window procedure shared by every framework window: input messages feed OV_INPUT, a
// close request ends the frame loop, system commands other than restore are swallowed.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace OvCore
