// Window classes: RegisterClassExA and UnregisterClassA. Classes are name-keyed records,
// compared without regard to case, one namespace per module instance.
#include "platform/src/internal.h"

#include <strings.h>
#include <vector>

namespace OvPlatform
{
namespace
{

std::vector<std::unique_ptr<WindowClass>>& Classes()
{
    static auto* classes = new std::vector<std::unique_ptr<WindowClass>>;
    return *classes;
}

ATOM nextAtom = 0xC000; // Windows numbers registered classes from 0xC000 up

bool Matches(const WindowClass& windowClass, LPCSTR nameOrAtom, HINSTANCE instance)
{
    if (windowClass.instance != instance)
        return false;
    if (IS_INTRESOURCE(nameOrAtom))
        return windowClass.atom == ATOM(reinterpret_cast<ULONG_PTR>(nameOrAtom));
    return strcasecmp(windowClass.name.c_str(), nameOrAtom) == 0;
}

} // namespace

HINSTANCE ProgramInstanceIfNull(HINSTANCE instance)
{
    return instance ? instance : GetModuleHandleA(nullptr);
}

WindowClass* LookupClass(LPCSTR nameOrAtom, HINSTANCE instance)
{
    if (!nameOrAtom)
        return nullptr;
    instance = ProgramInstanceIfNull(instance);
    for (auto& windowClass : Classes())
        if (Matches(*windowClass, nameOrAtom, instance))
            return windowClass.get();
    return nullptr;
}

} // namespace OvPlatform

using namespace OvPlatform;

extern "C" ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc)
{
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpfnWndProc || !wc->lpszClassName ||
        IS_INTRESOURCE(wc->lpszClassName) || wc->lpszClassName[0] == '\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    HINSTANCE instance = ProgramInstanceIfNull(wc->hInstance);
    if (LookupClass(wc->lpszClassName, instance))
    {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = wc->lpszClassName;
    windowClass->atom = nextAtom++;
    windowClass->instance = instance;
    windowClass->proc = wc->lpfnWndProc;
    windowClass->style = wc->style;
    windowClass->icon = wc->hIcon;
    windowClass->cursor = wc->hCursor;
    Classes().push_back(std::move(windowClass));
    return Classes().back()->atom;
}

extern "C" BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE hInstance)
{
    WindowClass* windowClass = LookupClass(className, hInstance);
    if (!windowClass)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (windowClass->windowCount > 0)
    {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    std::erase_if(Classes(), [&](const auto& entry) { return entry.get() == windowClass; });
    return TRUE;
}
