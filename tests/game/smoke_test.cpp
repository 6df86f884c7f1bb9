// The built program started as a user starts it, from another folder, on the test's X
// display, and driven with real key presses through xdotool. Real time here, with generous
// deadlines: the intro alone lasts three seconds.
#include "support/child_program.h"
#include "support/run_command.h"

#include "game/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <csignal>

namespace
{

using OvTest::RunCommand;
using OvTest::WaitFor;
namespace fs = std::filesystem;

const fs::path PROGRAM = fs::path(OV_BINARY_DIR) / "bin" / "tarnvale";

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
    OvTest::CHILD_PROGRAM program(PROGRAM, elsewhere);
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
        OvTest::CHILD_PROGRAM program(PROGRAM, fs::temp_directory_path());
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
