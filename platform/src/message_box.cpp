// MessageBoxA on SDL's message box: the buttons and icon of the type, owned by the SDL window
// behind the owner handle. Tests replace the box with a handler (platform/testing.h), since
// nothing can click SDL's box headless.
#include "internal.h"
#include "platform/testing.h"

#include <SDL2/SDL.h>

namespace
{

PlatformTestMessageBoxHandler testHandler = nullptr;

struct ButtonSet
{
    int count;
    SDL_MessageBoxButtonData buttons[3];
};

ButtonSet ButtonsFor(UINT type)
{
    const Uint32 enter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    const Uint32 esc = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    switch (type & 0xF)
    {
    case MB_OKCANCEL:
        return {2, {{enter, IDOK, "OK"}, {esc, IDCANCEL, "Cancel"}}};
    case MB_ABORTRETRYIGNORE:
        return {3, {{enter, IDABORT, "Abort"}, {0, IDRETRY, "Retry"}, {esc, IDIGNORE, "Ignore"}}};
    case MB_YESNOCANCEL:
        return {3, {{enter, IDYES, "Yes"}, {0, IDNO, "No"}, {esc, IDCANCEL, "Cancel"}}};
    case MB_YESNO:
        return {2, {{enter, IDYES, "Yes"}, {esc, IDNO, "No"}}};
    case MB_RETRYCANCEL:
        return {2, {{enter, IDRETRY, "Retry"}, {esc, IDCANCEL, "Cancel"}}};
    default:
        return {1, {{enter | esc, IDOK, "OK"}}};
    }
}

Uint32 IconFlags(UINT type)
{
    switch (type & 0xF0)
    {
    case MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

} // namespace

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (owner && !OvPlatform::LookupWindow(owner))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "Error";
    if (testHandler)
        return testHandler(owner, shownText, shownCaption, type);
    OvPlatform::Window* window = owner ? OvPlatform::LookupWindow(owner) : nullptr;
    ButtonSet set = ButtonsFor(type);
    SDL_MessageBoxData data{};
    data.flags = IconFlags(type);
    data.window = window ? window->sdl : nullptr;
    data.title = shownCaption;
    data.message = shownText;
    data.numbuttons = set.count;
    data.buttons = set.buttons;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0)
        return 0;
    // Closing the box without a button gives -1: the escape button's answer, as on Windows.
    if (pressed < 0)
        for (int i = 0; i < set.count; ++i)
            if (set.buttons[i].flags & SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT)
                pressed = set.buttons[i].buttonid;
    return pressed;
}

void PlatformTestSetMessageBoxHandler(PlatformTestMessageBoxHandler handler)
{
    testHandler = handler;
}
