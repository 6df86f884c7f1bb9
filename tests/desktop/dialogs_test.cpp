// File and folder dialogs through a stand-in zenity (and kdialog) on PATH, and file listing.
#include "desktop/desktop_support.h"
#include "desktop/ov_dialogs.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace OvCore;

namespace
{

using Arguments = std::vector<std::string>;

bool Has(const Arguments& argv, const std::string& argument)
{
    return std::find(argv.begin(), argv.end(), argument) != argv.end();
}

class Dialogs : public ::testing::Test
{
  protected:
    OvTest::StandInTools tools;

    Arguments OnlyRun(const std::string& name)
    {
        auto runs = tools.Runs(name);
        EXPECT_EQ(1u, runs.size());
        return runs.empty() ? Arguments{} : runs[0];
    }
    // GetOpenFileNameA with a 260-byte buffer: its extended error, after checking it failed.
    DWORD FailedOpenError()
    {
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.lpstrFile = file;
        dialog.nMaxFile = MAX_PATH;
        EXPECT_FALSE(GetOpenFileNameA(&dialog));
        return CommDlgExtendedError();
    }
    char file[MAX_PATH] = {};

    // Nothing but the stand-ins on PATH (a real zenity must not answer).
    void OnlyStandIns() { setenv("PATH", (tools.Home().Path() + "/bin").c_str(), 1); }
};

TEST_F(Dialogs, OpenPassesFiltersChosenFirstAndTheInitialFolder)
{
    tools.Add("zenity", "/data/a.png\n", 0);
    OV_STRING out("stale");
    FileDialog(out, FILE_DIALOG_OPEN, "Images|*.png;*.jpg|All|*.*", 2, "/data", 0, nullptr, 0);
    EXPECT_STREQ("/data/a.png", out.Text());
    Arguments argv = OnlyRun("zenity");
    EXPECT_TRUE(Has(argv, "--file-selection"));
    EXPECT_FALSE(Has(argv, "--save"));
    EXPECT_TRUE(Has(argv, "--filename=/data/"));
    auto all = std::find(argv.begin(), argv.end(), "--file-filter=All | *.*");
    auto images = std::find(argv.begin(), argv.end(), "--file-filter=Images | *.png *.jpg");
    EXPECT_TRUE(all < images && images != argv.end());
}

TEST_F(Dialogs, SaveAsksBeforeOverwritingOnlyWithOptionOne)
{
    tools.Add("zenity", "/tmp/out.txt", 0);
    OV_STRING out;
    FileDialog(out, FILE_DIALOG_SAVE, "Text|*.txt", 0, nullptr, FILE_DIALOG_ASK_OVERWRITE, nullptr,
               0);
    EXPECT_STREQ("/tmp/out.txt", out.Text());
    FileDialog(out, FILE_DIALOG_SAVE, "Text|*.txt", 0, nullptr, 0, nullptr, 0);
    auto runs = tools.Runs("zenity");
    ASSERT_EQ(2u, runs.size());
    EXPECT_TRUE(Has(runs[0], "--save") && Has(runs[0], "--confirm-overwrite"));
    EXPECT_TRUE(Has(runs[1], "--save") && !Has(runs[1], "--confirm-overwrite"));
    // No initial folder: the current directory.
    EXPECT_TRUE(Has(runs[0], "--filename=" + std::filesystem::current_path().string() + "/"));
    EXPECT_STREQ("", FileDialog(out, 12, nullptr, 0, nullptr, 0, nullptr, 0).Text());
}

TEST_F(Dialogs, MultipleSelectionGivesEveryPath)
{
    tools.Add("zenity", "/d/a.txt\n/d/b.txt\n", 0);
    OV_STRING out;
    FileDialog(out, FILE_DIALOG_OPEN, nullptr, 0, "/d", FILE_DIALOG_MULTIPLE, nullptr, 0);
    EXPECT_STREQ("/d/a.txt\n/d/b.txt", out.Text());
    Arguments argv = OnlyRun("zenity");
    EXPECT_TRUE(Has(argv, "--multiple"));
}

TEST_F(Dialogs, CancelAndErrorAreToldApart)
{
    tools.Add("zenity", "", 1);
    EXPECT_EQ(0u, FailedOpenError());
    tools.Add("zenity", "", 255);
    EXPECT_EQ(DWORD(CDERR_DIALOGFAILURE), FailedOpenError());
    tools.Add("zenity", std::string(300, 'x'), 0);
    EXPECT_EQ(DWORD(FNERR_BUFFERTOOSMALL), FailedOpenError());
    EXPECT_EQ(302, int(uint8_t(file[0])) | int(uint8_t(file[1])) << 8);
}

TEST_F(Dialogs, KdialogIsTheSecondChoiceAndNeitherMeansCancelled)
{
    OnlyStandIns();
    OV_STRING out;
    EXPECT_STREQ("", BrowseFolder(out, "Pick", nullptr, 0).Text());
    EXPECT_EQ(0u, FailedOpenError());

    tools.Add("kdialog", "/home/k\n", 0);
    FileDialog(out, FILE_DIALOG_OPEN, "Text|*.txt", 0, "/home", 0, nullptr, 0);
    EXPECT_STREQ("/home/k", out.Text());
    EXPECT_EQ((Arguments{"--getopenfilename", "/home/", "*.txt|Text"}), OnlyRun("kdialog"));
}

TEST_F(Dialogs, BrowseFolderPicksAFolder)
{
    tools.Add("zenity", "/srv/maps\n", 0);
    OV_STRING out;
    EXPECT_STREQ("/srv/maps", BrowseFolder(out, "Pick a folder", "no window", 0).Text());
    Arguments argv = OnlyRun("zenity");
    EXPECT_TRUE(Has(argv, "--directory") && Has(argv, "--title=Pick a folder"));
}

TEST(ListFiles, MatchesWildcardsCaseInsensitivelyWithDirectoryFlags)
{
    OvTest::TempHome home;
    for (const char* name : {"b.txt", "a.TXT", "c.png"})
        std::ofstream(home.Path() + "/" + name) << "x";
    std::filesystem::create_directory(home.Path() + "/sub.txt");
    std::vector<OV_FILE_ENTRY> list(1);
    EXPECT_TRUE(ListFiles(list, (home.Path() + "/*.txt").c_str()));
    ASSERT_EQ(3u, list.size());
    EXPECT_STREQ("a.TXT", list[0].name.Text());
    EXPECT_STREQ("b.txt", list[1].name.Text());
    EXPECT_STREQ("sub.txt", list[2].name.Text());
    EXPECT_FALSE(list[0].directory);
    EXPECT_TRUE(list[2].directory);
    EXPECT_FALSE(ListFiles(list, (home.Path() + "/*.none").c_str()));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(ListFiles(list, (home.Path() + "\\?.png").c_str()));
    EXPECT_EQ(1u, list.size());
}

} // namespace
