// Desktop services: counts its runs in the registry (value "Runs" of the key
// Software\\Orvane\\DesktopDemo under HKEY_CURRENT_USER), asks for a file with the open dialog
// and shows the chosen path, or that none was chosen, in a message box. Needs no window.
#include "desktop/ov_dialogs.h"
#include "desktop/ov_registry_access.h"
#include "desktop/ov_shell.h"

#include <string>

using namespace OvCore;

namespace
{

// The run count stored from the last run, plus one, written back.
DWORD CountThisRun()
{
    HKEY key = RegistryKey(HKEY_CURRENT_USER, "Software\\Orvane\\DesktopDemo", REGISTRY_CREATE);
    DWORD runs = 0, type = 0, size = sizeof runs;
    if (!key || !RegistryRead(key, "Runs", &type, &runs, &size) || type != REG_DWORD)
        runs = 0;
    ++runs;
    if (key)
        RegistryWrite(key, "Runs", REG_DWORD, &runs, sizeof runs);
    return runs;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    DWORD runs = CountThisRun();
    OV_STRING path;
    FileDialog(path, FILE_DIALOG_OPEN, "All files|*|Text|*.txt", 0, nullptr, 0, nullptr, 0);
    std::string text = "Run " + std::to_string(runs) + " of this demo.\n" +
                       (path.Length() ? "You chose: " + std::string(path.Text())
                                      : std::string("No file was chosen."));
    MessageBox(text.c_str(), "Desktop demo", MB_OK | MB_ICONINFORMATION, nullptr, 0);
    return 0;
}
