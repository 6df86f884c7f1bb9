// The table of live windows, keyed by handle and by SDL window id, and the focus record.
#include "platform/src/internal.h"

#include <map>
#include <unordered_map>

namespace OvPlatform
{
namespace
{

struct WindowTable
{
    std::map<HWND, std::unique_ptr<Window>> byHandle;
    std::unordered_map<uint32_t, HWND> bySdlId;
    uintptr_t nextHandle = 0x10000;
    HWND focus = nullptr;
};

// Never destroyed: programs may close windows from their own static destructors.
WindowTable& Table()
{
    static auto* table = new WindowTable;
    return *table;
}

} // namespace

Window* LookupWindow(HWND hwnd)
{
    auto found = Table().byHandle.find(hwnd);
    return found == Table().byHandle.end() ? nullptr : found->second.get();
}

Window* LookupWindowBySdlId(uint32_t sdlId)
{
    auto found = Table().bySdlId.find(sdlId);
    return found == Table().bySdlId.end() ? nullptr : LookupWindow(found->second);
}

Window* LookupWindowByDC(HDC hdc)
{
    for (auto& [hwnd, window] : Table().byHandle)
        if (reinterpret_cast<HDC>(&window->dc) == hdc)
            return window.get();
    return nullptr;
}

// Handles are never reused, so a stale handle can never reach a newer window.
Window* AddWindow(std::unique_ptr<Window> window)
{
    WindowTable& table = Table();
    window->hwnd = reinterpret_cast<HWND>(table.nextHandle);
    table.nextHandle += 0x10;
    table.bySdlId[window->sdlId] = window->hwnd;
    Window* added = window.get();
    table.byHandle[added->hwnd] = std::move(window);
    return added;
}

void RemoveWindow(HWND hwnd)
{
    WindowTable& table = Table();
    auto found = table.byHandle.find(hwnd);
    if (found == table.byHandle.end())
        return;
    table.bySdlId.erase(found->second->sdlId);
    if (table.focus == hwnd)
        table.focus = nullptr;
    table.byHandle.erase(found);
}

void RebindSdlId(Window& window, uint32_t oldId)
{
    Table().bySdlId.erase(oldId);
    Table().bySdlId[window.sdlId] = window.hwnd;
}

std::vector<HWND> AllWindows()
{
    std::vector<HWND> handles;
    for (auto& entry : Table().byHandle)
        handles.push_back(entry.first);
    return handles;
}

HWND FocusWindow()
{
    return Table().focus;
}

void SetFocusWindow(HWND hwnd)
{
    Table().focus = hwnd;
}

} // namespace OvPlatform
