// Shell_NotifyIconA. SDL2 has no notification-area API and there is no portable one on
// Linux desktops, so icons are records only: kept per (owner, id), updated and deleted as on
// Windows, removed with their owner window. Nothing shows on screen; docs/platform.md says so.
#include "platform/src/tray.h"

#include "platform/src/internal.h"

#include <algorithm>
#include <cstring>

namespace OvPlatform
{

std::vector<NOTIFYICONDATAA>& TrayIcons()
{
    static auto* icons = new std::vector<NOTIFYICONDATAA>;
    return *icons;
}

void RemoveTrayIcons(HWND owner)
{
    std::erase_if(TrayIcons(), [&](const NOTIFYICONDATAA& icon) { return icon.hWnd == owner; });
}

} // namespace OvPlatform

using namespace OvPlatform;

namespace
{

NOTIFYICONDATAA* FindIcon(HWND owner, UINT id)
{
    for (NOTIFYICONDATAA& icon : TrayIcons())
        if (icon.hWnd == owner && icon.uID == id)
            return &icon;
    return nullptr;
}

// Copies the fields the flags name; a short (version 1) record has a 64-byte tip.
void Update(NOTIFYICONDATAA& icon, const NOTIFYICONDATAA& data)
{
    if (data.uFlags & NIF_MESSAGE)
        icon.uCallbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON)
        icon.hIcon = data.hIcon;
    if (data.uFlags & NIF_TIP)
    {
        size_t tipSize = data.cbSize >= offsetof(NOTIFYICONDATAA, szTip) + sizeof(data.szTip)
                             ? sizeof(data.szTip)
                             : 64;
        std::memset(icon.szTip, 0, sizeof(icon.szTip));
        std::memcpy(icon.szTip, data.szTip, tipSize);
        icon.szTip[tipSize - 1] = '\0';
    }
    icon.uFlags |= data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

} // namespace

extern "C" BOOL WINAPI Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data)
{
    if (!data || data->cbSize < NOTIFYICONDATAA_V1_SIZE)
        return FALSE;
    NOTIFYICONDATAA* icon = FindIcon(data->hWnd, data->uID);
    switch (message)
    {
    case NIM_ADD:
    {
        if (icon || !IsWindow(data->hWnd))
            return FALSE;
        NOTIFYICONDATAA added{};
        added.cbSize = sizeof(NOTIFYICONDATAA);
        added.hWnd = data->hWnd;
        added.uID = data->uID;
        Update(added, *data);
        TrayIcons().push_back(added);
        return TRUE;
    }
    case NIM_MODIFY:
        if (!icon)
            return FALSE;
        Update(*icon, *data);
        return TRUE;
    case NIM_DELETE:
        if (!icon)
            return FALSE;
        std::erase_if(TrayIcons(), [&](const NOTIFYICONDATAA& each) { return &each == icon; });
        return TRUE;
    default:
        return FALSE;
    }
}
