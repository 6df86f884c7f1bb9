// tools/ovlayout on the demo's layout and the default theme: it prints the control tree and
// draws the screen to a PNG that matches the committed reference
// (OV_UPDATE_REFERENCES=1 writes the reference instead).
#include "support/reference_image.h"
#include "support/run_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

const std::string REFERENCE = OV_TEST_DATA_DIR "/gui/gui_demo_reference.png";

std::string RunOvlayout(const std::string& arguments)
{
    return OvTest::RunCommand("cd " OV_SOURCE_DIR " && " OV_BINARY_DIR "/bin/ovlayout " +
                              arguments + " 2>&1; echo exit=$?");
}

TEST(Ovlayout, PrintsTheTreeAndDrawsTheDemoAsItsReference)
{
    const std::filesystem::path png = std::filesystem::temp_directory_path() / "ovlayout_demo.png";
    std::filesystem::remove(png);
    const std::string output = RunOvlayout("--png " + png.string() +
                                           " themes/default.xml default "
                                           "examples/gui_demo.layout Demo");
    EXPECT_NE(output.find("exit=0"), std::string::npos) << output;
    for (const char* line : {"C_GUI_CONTROL \"HelloButton\" at 0,36 size 140x28",
                             "__window [winarea] at 20,20 size 600x412", "[comboboxm]",
                             "C_GUI_CONTROL \"Status\"", "procedure SayHello"})
        EXPECT_NE(output.find(line), std::string::npos) << line << "\n" << output;

    const OvTest::Image picture = OvTest::LoadPng(png.string());
    ASSERT_EQ(picture.width, 640);
    ASSERT_EQ(picture.height, 480);
    const char* update = std::getenv("OV_UPDATE_REFERENCES");
    if (update && std::string(update) == "1")
    {
        ASSERT_TRUE(OvTest::SavePng(picture, REFERENCE));
    }
    EXPECT_TRUE(OvTest::MatchesReference(picture, OvTest::LoadPng(REFERENCE)));
    std::filesystem::remove(png);
}

TEST(Ovlayout, RefusesWhatItCannotLoad)
{
    EXPECT_NE(RunOvlayout("themes/default.xml default no-such.layout Demo").find("exit=1"),
              std::string::npos);
    EXPECT_NE(RunOvlayout("themes/default.xml").find("exit=2"), std::string::npos);
}

} // namespace
