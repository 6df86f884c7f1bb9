#include "desktop/ov_shell.h"

#include "core/ov_core_part.h"
#include "platform/win32.h"

namespace OvCore
{

namespace
{
const char* const kDefaultCaption = "Orvane Core Application";
}

int MessageBox(const char* text, const char* caption, uint32_t type, const char* windowName,
               int32_t windowNumber)
{
    OV_WINDOW* window = windowName ? CorePart().WindowNamed(windowName, windowNumber) : nullptr;
    if (!caption)
        caption = window ? window->title.Text() : kDefaultCaption;
    return MessageBoxA(window ? window->hwnd() : nullptr, text, caption, type);
}

intptr_t ShellOpen(const char* file, const char* parameters, const char* windowName,
                   int32_t windowNumber)
{
    OV_WINDOW* window = nullptr;
    if (windowName)
    {
        window = CorePart().WindowNamed(windowName, windowNumber);
        if (!window)
            return 1;
    }
    HINSTANCE result =
        ShellExecuteA(window ? window->hwnd() : nullptr, "OPEN", file, parameters, "", SW_SHOW);
    return intptr_t(result);
}

} // namespace OvCore
