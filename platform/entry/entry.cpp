// The process entry for programs written against WinMain (library ovplatform_main): builds
// the command line as the Windows C runtime does and calls the program's WinMain.
#include "platform/entry/command_line.h"
#include "platform/win32.h"

#include <string>

int main(int argc, char** argv)
{
    std::string commandLine = PlatformJoinCommandLine(argc, argv);
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
