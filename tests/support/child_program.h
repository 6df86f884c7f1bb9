// A built program started by a test as a user starts it (its own process, a folder of its
// own, arguments), and polling with a deadline for what it should do meanwhile.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace OvTest
{

class CHILD_PROGRAM
{
  public:
    // Started in `folder` with `arguments`; killed by the destructor if it still runs.
    CHILD_PROGRAM(const std::filesystem::path& program, const std::filesystem::path& folder,
                  const std::vector<std::string>& arguments = {});
    ~CHILD_PROGRAM();
    CHILD_PROGRAM(const CHILD_PROGRAM&) = delete;
    CHILD_PROGRAM& operator=(const CHILD_PROGRAM&) = delete;

    pid_t pid() const { return pid_; }
    // The exit code once the program has ended (-1 when a signal ended it); nothing while
    // it still runs.
    std::optional<int> Exited();

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Polls `ready` every 50 ms until it holds or `seconds` have passed.
template <class Ready> bool WaitFor(double seconds, Ready ready)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!ready())
    {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace OvTest
