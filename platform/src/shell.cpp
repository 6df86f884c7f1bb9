// ShellExecuteA through xdg-open. xdg-open may wait for the program it starts: past the time
// limit only xdg-open itself is killed, and the open counts as done.
#include "child_process.h"
#include "platform/win32.h"

#include <string>
#include <strings.h>

namespace
{

const int kOpenTimeoutMilliseconds = 10000;

HINSTANCE Code(intptr_t code)
{
    return HINSTANCE(code);
}

} // namespace

extern "C" HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int)
{
    if (operation && operation[0] && strcasecmp(operation, "open") != 0)
        return Code(SE_ERR_NOASSOC);
    if (!file || !file[0])
        return Code(ERROR_FILE_NOT_FOUND);
    // A name that starts with '-' would read as an option.
    std::string target = file[0] == '-' ? std::string("./") + file : std::string(file);
    OvPlatform::ChildResult run =
        OvPlatform::RunChild({"xdg-open", target}, kOpenTimeoutMilliseconds, false);
    if (!run.started)
        return Code(SE_ERR_NOASSOC);
    if (run.timedOut || run.exitCode == 0)
        return Code(42);
    return Code(run.exitCode == 2 ? ERROR_FILE_NOT_FOUND : SE_ERR_NOASSOC);
}
