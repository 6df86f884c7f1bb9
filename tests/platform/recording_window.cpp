#include "recording_window.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace
{

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Recorded().push_back({hwnd, message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int classCounter = 0;

} // namespace

std::vector<RecordedMessage>& Recorded()
{
    static std::vector<RecordedMessage> messages;
    return messages;
}

std::vector<RecordedMessage> RecordedOf(std::initializer_list<UINT> messages)
{
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& each : Recorded())
        for (UINT wanted : messages)
            if (each.message == wanted)
                found.push_back(each);
    return found;
}

RecordingWindow::RecordingWindow(DWORD exStyle, int x, int y, int width, int height)
    : className_("Recording window " + std::to_string(++classCounter))
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className_.c_str();
    RegisterClassExA(&wc);
    hwnd_ = CreateWindowExA(exStyle, className_.c_str(), className_.c_str(),
                            WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

RecordingWindow::~RecordingWindow()
{
    if (IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}

void RecordingWindow::ShowAndFocus()
{
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    SetActiveWindow(hwnd_);
}

bool PumpUntilRecorded(std::initializer_list<UINT> messages, size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (RecordedOf(messages).size() < count)
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

void DrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}
