// The process-wide message queue: PostMessageA, PostQuitMessage, PeekMessageA,
// TranslateMessage, DispatchMessageA, SendMessageA and DefWindowProcA. As on Windows, posted
// messages come before input messages (translated from SDL events), and WM_QUIT from
// PostQuitMessage comes when neither is left.
#include "platform/src/clock.h"
#include "platform/src/internal.h"

#include <array>
#include <deque>

using namespace OvPlatform;

namespace
{

struct Queue
{
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending = false;
    int quitCode = 0;
    std::array<bool, 256> keyDown{};
};

Queue& TheQueue()
{
    static auto* queue = new Queue;
    return *queue;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{hwnd, message, wParam, lParam, DWORD(NowNsWithoutStep() / 1000000), POINT{0, 0}};
    if (VideoReady())
        GetCursorPos(&msg.pt);
    return msg;
}

bool Wanted(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    bool windowMatches =
        !hwnd || (hwnd == reinterpret_cast<HWND>(-1) ? msg.hwnd == nullptr : msg.hwnd == hwnd);
    bool inRange = (filterMin == 0 && filterMax == 0) ||
                   (msg.message >= filterMin && msg.message <= filterMax);
    return windowMatches && inRange;
}

bool Take(std::deque<MSG>& queue, LPMSG out, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    for (auto it = queue.begin(); it != queue.end(); ++it)
    {
        if (!Wanted(*it, hwnd, filterMin, filterMax))
            continue;
        *out = *it;
        if (remove)
            queue.erase(it);
        return true;
    }
    return false;
}

} // namespace

namespace OvPlatform
{

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TheQueue().input.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void PurgeMessages(HWND hwnd)
{
    std::erase_if(TheQueue().posted, [&](const MSG& msg) { return msg.hwnd == hwnd; });
    std::erase_if(TheQueue().input, [&](const MSG& msg) { return msg.hwnd == hwnd; });
}

void NoteKeyMessage(UINT message, WPARAM vk)
{
    if (vk > 255)
        return;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        TheQueue().keyDown[vk] = true;
    else if (message == WM_KEYUP || message == WM_SYSKEYUP)
        TheQueue().keyDown[vk] = false;
}

bool KeyIsDown(int vk)
{
    return vk >= 0 && vk < 256 && TheQueue().keyDown[size_t(vk)];
}

} // namespace OvPlatform

extern "C" BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == HWND_BROADCAST)
    {
        for (HWND each : AllWindows())
            TheQueue().posted.push_back(MakeMessage(each, message, wParam, lParam));
        return TRUE;
    }
    if (hwnd && !IsWindow(hwnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    TheQueue().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int exitCode)
{
    TheQueue().quitPending = true;
    TheQueue().quitCode = exitCode;
}

// WM_QUIT from PostQuitMessage ignores the window and range filters, as on Windows.
extern "C" BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                                    UINT removeFlags)
{
    if (!msg)
        return FALSE;
    ServeConsoleControl();
    TranslateSdlEvents();
    Queue& queue = TheQueue();
    bool remove = removeFlags & PM_REMOVE;
    if (Take(queue.posted, msg, hwnd, filterMin, filterMax, remove) ||
        Take(queue.input, msg, hwnd, filterMin, filterMax, remove))
    {
        if (remove)
            NoteKeyMessage(msg->message, msg->wParam);
        return TRUE;
    }
    if (queue.quitPending)
    {
        *msg = MakeMessage(nullptr, WM_QUIT, WPARAM(queue.quitCode), 0);
        if (remove)
            queue.quitPending = false;
        return TRUE;
    }
    return FALSE;
}

// Printable characters arrive from the window system's text input as WM_CHAR already; what
// TranslateMessage adds are the control characters Windows makes from keys: Enter, Backspace,
// Tab, Escape and Ctrl+letter.
extern "C" BOOL WINAPI TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return FALSE;
    WPARAM character = 0;
    switch (msg->wParam)
    {
    case VK_RETURN:
        character = '\r';
        break;
    case VK_BACK:
        character = '\b';
        break;
    case VK_TAB:
        character = '\t';
        break;
    case VK_ESCAPE:
        character = 0x1B;
        break;
    default:
        if (msg->wParam >= 'A' && msg->wParam <= 'Z' && KeyIsDown(VK_CONTROL) &&
            !KeyIsDown(VK_MENU))
            character = msg->wParam - 'A' + 1;
        break;
    }
    if (!character)
        return FALSE;
    PostMessageA(msg->hwnd, WM_CHAR, character, msg->lParam);
    return TRUE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    Window* window = LookupWindow(msg->hwnd);
    if (!window || !window->proc)
        return 0;
    return window->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

extern "C" LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = LookupWindow(hwnd);
    if (!window || !window->proc)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(hwnd, message, wParam, lParam);
}

extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam,
                                          LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

extern "C" LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29))) // Alt+F4
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0)
        {
        case SC_CLOSE:
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}
