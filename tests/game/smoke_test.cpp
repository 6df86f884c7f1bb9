// The built program started as a user starts it, from another folder, on the test's X
// display, and driven with real key presses through xdotool. Real time here, with generous
// deadlines: the intro alone lasts three seconds.
#include "support/run_command.h"

#include "game/program_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;
using OvTest::RunCommand;
namespace fs = std::filesystem;

const fs::path PROGRAM = fs::path(OV_BINARY_DIR) / "bin" / "tarnvale";

// The program as a child process started in `folder`; killed if a test leaves it running.
class Program
{
  public:
    explicit Program(const fs::path& folder)
    {
        pid_ = fork();
        if (pid_ == 0)
        {
            if (chdir(folder.c_str()) == 0)
                execl(PROGRAM.c_str(), PROGRAM.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Program()
    {
        if (pid_ > 0 && !status_)
        {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }

    // The exit code once the program has ended (-1 when a signal ended it); nothing while
    // it still runs.
    std::optional<int> Exited()
    {
        int status = 0;
        if (!status_ && pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_)
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return status_;
    }

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Polls `ready` every 50 ms until it holds or `seconds` have passed.
template <class Ready> bool WaitFor(double seconds, Ready ready)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!ready())
    {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The X window of the game once it has its 800 x 600 size (the game, not the intro).
std::string GameWindow()
{
    const std::string id = RunCommand("xdotool search --name '^Tarnvale$' 2>/dev/null | head -n1");
    if (id.empty())
        return "";
    const std::string geometry = RunCommand("xdotool getwindowgeometry " + id);
    return geometry.find("800x600") != std::string::npos ? id.substr(0, id.find('\n')) : "";
}

TEST(Smoke, StartedFromElsewhereItRunsBesideItsDataAndEscEndsItWithExitCode1)
{
    ASSERT_TRUE(fs::exists(PROGRAM)) << PROGRAM;
    const fs::path elsewhere = fs::temp_directory_path();
    Program program(elsewhere);
    ASSERT_GT(program.pid(), 0);

    std::string window;
    ASSERT_TRUE(WaitFor(30,
                        [&]
                        {
                            window = GameWindow();
                            return !window.empty() || program.Exited();
                        }));
    ASSERT_FALSE(program.Exited()) << "the program ended before its game window appeared";
    ASSERT_FALSE(window.empty());
    // It moved into its own folder, where data/ is.
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(program.pid()) + "/cwd"),
              PROGRAM.parent_path());

    // Keys other than Esc leave it running.
    RunCommand("xdotool windowfocus --sync " + window + " key --delay 50 w d Return");
    EXPECT_FALSE(WaitFor(1, [&] { return program.Exited().has_value(); }));

    RunCommand("xdotool windowfocus --sync " + window + " key Escape");
    ASSERT_TRUE(WaitFor(15, [&] { return program.Exited().has_value(); }));
    EXPECT_EQ(*program.Exited(), 1);
}

TEST(Smoke, InterruptOrTerminateEndsItThroughItsOwnShutDown)
{
    for (int signal : {SIGINT, SIGTERM})
    {
        Program program(fs::temp_directory_path());
        ASSERT_TRUE(WaitFor(30, [&] { return !GameWindow().empty() || program.Exited(); }));
        ASSERT_FALSE(program.Exited());
        kill(program.pid(), signal);
        ASSERT_TRUE(WaitFor(2, [&] { return program.Exited().has_value(); })) << signal;
        EXPECT_EQ(*program.Exited(), 1) << signal; // the normal shut-down's exit code
    }
}

TEST(Smoke, WithoutADisplayItEndsAtOnceSayingWhy)
{
    const std::string output = RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY " + PROGRAM.string() +
                                          " 2>&1; echo \"exit $?\"");
    EXPECT_NE(output.find("Orvane Core: no display"), std::string::npos) << output;
    EXPECT_NE(output.find("exit 0"), std::string::npos) << output;
}

TEST(Smoke, ProgramFolderIsWhereTheRunningProgramLies)
{
    const fs::path folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(folder / "test_game"));
    const fs::path before = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    EXPECT_TRUE(ChangeToProgramFolder());
    EXPECT_EQ(fs::current_path(), folder);
    fs::current_path(before);
}

} // namespace
