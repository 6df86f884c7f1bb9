// Test helpers: a window class whose procedure records every message it receives, and a
// bounded pump for messages that come from the X server.
#pragma once

#include "support/run_command.h"

#include "platform/win32.h"

#include <string>
#include <vector>

struct RecordedMessage
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages received by every RecordingWindow, in order.
std::vector<RecordedMessage>& Recorded();

// Only the recorded messages with these ids, in order.
std::vector<RecordedMessage> RecordedOf(std::initializer_list<UINT> messages);

// A registered class (name unique per instance) and one window of it; both are removed when
// the object goes out of scope.
class RecordingWindow
{
  public:
    explicit RecordingWindow(DWORD exStyle = 0, int x = 0, int y = 0, int width = 64,
                             int height = 48);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::string& className() const { return className_; }
    // Shows the window, brings it to the front and gives it the keyboard focus.
    void ShowAndFocus();

  private:
    std::string className_;
    HWND hwnd_ = nullptr;
};

// Peeks, translates and dispatches messages until `count` messages of the given ids have
// been recorded or a real-time guard of a few seconds runs out. Returns whether they came.
bool PumpUntilRecorded(std::initializer_list<UINT> messages, size_t count);

// Drains and dispatches everything waiting now.
void DrainMessages();

using OvTest::RunCommand;
