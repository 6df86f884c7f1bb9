// Turns a program's arguments into the Windows command-line string that WinMain receives:
// the arguments after the program name, separated by spaces, quoted so that Windows'
// own parsing rules give back the same arguments. Part of ovplatform_main (its `main` uses it);
// test_platform compiles it in.
#pragma once

#include <string>

std::string PlatformJoinCommandLine(int argc, const char* const* argv);
