// Message boxes and opening files with the shell, owned by a named window of the window
// registry (looked up by name, never created).
#pragma once

#include <cstdint>

namespace OvCore
{

// The MessageBoxA answer (IDOK...). With no caption the found window's title is the caption,
// else "Orvane Core Application"; an unknown window name leaves the box without owner.
int MessageBox(const char* text, const char* caption, uint32_t type, const char* windowName,
               int32_t windowNumber);
// MessageBox under the name the window operations know it by; the same box and answer.
inline int ShowMessage(const char* text, const char* caption, uint32_t type, const char* windowName,
                       int32_t windowNumber)
{
    return MessageBox(text, caption, type, windowName, windowNumber);
}

// ShellExecuteA's result (greater than 32 on success); 1, opening nothing, when a window name
// is given and not found.
intptr_t ShellOpen(const char* file, const char* parameters, const char* windowName,
                   int32_t windowNumber);

} // namespace OvCore
