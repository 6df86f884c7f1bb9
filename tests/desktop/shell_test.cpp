// Message boxes and shell opens on named windows: the box answers through the platform's test
// handler, xdg-open is a stand-in that records what it was asked.
#include "core/ov_core_part.h"
#include "desktop/desktop_support.h"
#include "desktop/ov_shell.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvCore;

namespace
{

struct Shown
{
    HWND owner = HWND(1);
    std::string text, caption;
    UINT type = 0;
};
Shown shown;

int RecordBox(HWND owner, const char* text, const char* caption, UINT type)
{
    shown = Shown{owner, text, caption, type};
    return IDNO;
}

class DesktopShell : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        PlatformTestSetMessageBoxHandler(RecordBox);
        CorePart().windows.Get("dialogs")->title = "Owner Title";
    }
    void TearDown() override
    {
        PlatformTestSetMessageBoxHandler(nullptr);
        CorePart().windows.Remove(CorePart().windows.Find("dialogs"));
    }
};

TEST_F(DesktopShell, MessageBoxCaptions)
{
    EXPECT_EQ(IDNO, MessageBox("hello", nullptr, MB_YESNO, nullptr, 0));
    EXPECT_EQ("Orvane Core Application", shown.caption);
    EXPECT_EQ("hello", shown.text);
    EXPECT_EQ(nullptr, shown.owner);
    EXPECT_EQ(UINT(MB_YESNO), shown.type);

    ShowMessage("x", nullptr, MB_OK, "no such window", 0);
    EXPECT_EQ("Orvane Core Application", shown.caption);
    EXPECT_EQ(nullptr, shown.owner);

    MessageBox("x", nullptr, MB_OK, "dialogs", 0);
    EXPECT_EQ("Owner Title", shown.caption);
    MessageBox("x", "Given", MB_OK, "dialogs", 0);
    EXPECT_EQ("Given", shown.caption);
}

TEST_F(DesktopShell, ShellOpen)
{
    OvTest::StandInTools tools;
    tools.Add("xdg-open", "", 0);
    EXPECT_EQ(1, ShellOpen("/tmp/file.txt", nullptr, "no such window", 0));
    EXPECT_TRUE(tools.Runs("xdg-open").empty());

    EXPECT_GT(ShellOpen("/tmp/file.txt", nullptr, "dialogs", 0), 32);
    EXPECT_GT(ShellOpen("-rf", nullptr, nullptr, 0), 32);
    using Runs = std::vector<std::vector<std::string>>;
    EXPECT_EQ((Runs{{"/tmp/file.txt"}, {"./-rf"}}), tools.Runs("xdg-open"));

    tools.Add("xdg-open", "", 2);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ShellOpen("/missing", nullptr, nullptr, 0));
}

} // namespace
