// Shell commands for tests that drive or inspect the X server (xdotool, xprop, xwininfo).
#pragma once

#include <string>

namespace OvTest
{

// Runs the command through the shell and returns its standard output (empty when it could
// not be started).
std::string RunCommand(const std::string& command);

} // namespace OvTest
