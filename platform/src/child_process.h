// Runs a helper program (zenity, xdg-open, update-mime-database) from an argument vector found
// on PATH, never through a shell, and never waits for ever: past the time limit the child is
// killed. Private to platform/src.
#pragma once

#include <string>
#include <vector>

namespace OvPlatform
{

struct ChildResult
{
    bool started = false; // false when the program is not installed (or could not start)
    bool timedOut = false;
    int exitCode = -1;  // 128 + signal when killed by one
    std::string output; // standard output, at most kChildMaxOutput bytes
};

constexpr size_t kChildMaxOutput = 1u << 20;

ChildResult RunChild(const std::vector<std::string>& argv, int timeoutMilliseconds,
                     bool captureOutput);

} // namespace OvPlatform
