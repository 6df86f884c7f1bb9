// Process-wide state shared by the parts of libovplatform: window classes, windows, the
// message queue hooks and SDL video start-up. Private to platform/src.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace OvPlatform
{

struct WindowClass
{
    std::string name;
    ATOM atom = 0;
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    int windowCount = 0;
};

struct LayeredAttributes
{
    bool set = false;
    COLORREF key = 0;
    BYTE alpha = 255;
    DWORD flags = 0;
};

struct GLFormat
{
    bool prepared = false;
    int colourBits = 0;
    int depthBits = 0;
    bool alpha = false;
};

struct Window
{
    HWND hwnd = nullptr;
    WindowClass* windowClass = nullptr;
    SDL_Window* sdl = nullptr;
    uint32_t sdlId = 0;
    DWORD style = 0; // without WS_VISIBLE, which `visible` holds
    DWORD exStyle = 0;
    bool visible = false;
    bool destroying = false;
    std::string title;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    LayeredAttributes layered;
    GLFormat format;
    char dc = 0; // its address is the window's device-context handle
};

// SDL video, started on first need. VideoReady() never starts it.
bool EnsureVideo();
bool VideoReady();

// Windows.
Window* LookupWindow(HWND hwnd);
Window* LookupWindowBySdlId(uint32_t sdlId);
Window* LookupWindowByDC(HDC hdc);
Window* AddWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND hwnd);
void RebindSdlId(Window& window, uint32_t oldId);
HWND FocusWindow();
void SetFocusWindow(HWND hwnd);
std::vector<HWND> AllWindows();

// Creates the SDL window for a record (hidden, borderless, OpenGL) with the styles applied.
SDL_Window* CreateNativeWindow(const Window& window, int x, int y, int width, int height);
// Applies the extended style's native effects (topmost, taskbar button, opacity).
void ApplyNativeStyles(Window& window, DWORD oldExStyle);
bool SkipsTaskbar(DWORD exStyle);

// Classes.
WindowClass* LookupClass(LPCSTR nameOrAtom, HINSTANCE instance);
HINSTANCE ProgramInstanceIfNull(HINSTANCE instance);

// Message queue.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PurgeMessages(HWND hwnd);
void TranslateSdlEvents();  // moves waiting SDL events into the input queue
void ServeConsoleControl(); // runs the console control handlers for a signal that came

// Tray icons of a window that is going away.
void RemoveTrayIcons(HWND owner);

// Keyboard state as seen through retrieved messages (GetKeyState-like).
void NoteKeyMessage(UINT message, WPARAM vk);
bool KeyIsDown(int vk);

} // namespace OvPlatform
