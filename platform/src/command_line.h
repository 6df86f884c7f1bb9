// Turns a program's arguments into the Windows command-line string that WinMain receives:
// the arguments after the program name, separated by spaces, quoted so that Windows'
// own parsing rules give back the same arguments. Used by the `main` of ovplatform_main.
#pragma once

#include <string>

std::string PlatformJoinCommandLine(int argc, const char* const* argv);
