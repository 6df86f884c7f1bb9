// examples/gui_demo driven as a person drives it: real clicks, drags and key presses through
// the X server (xdotool) on the program's own window, each change checked in the pixels of
// the window (ImageMagick's import) and in the values the demo reports (--report).
#include "support/child_program.h"
#include "support/reference_image.h"
#include "support/run_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace
{

namespace fs = std::filesystem;
using OvTest::RunCommand;
using OvTest::WaitFor;

const fs::path PROGRAM = fs::path(OV_BINARY_DIR) / "bin" / "gui_demo";

struct BOX
{
    int x = 0, y = 0, w = 0, h = 0;
    int cx() const { return x + w / 2; }
    int cy() const { return y + h / 2; }
};

// The demo's report: its boxes and values, as last written.
struct REPORT
{
    std::map<std::string, BOX> boxes;
    std::map<std::string, std::string> values;
};

REPORT ReadReport(const fs::path& path)
{
    REPORT report;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string kind, name;
        words >> kind >> name;
        if (kind == "box")
        {
            double x, y, w, h;
            words >> x >> y >> w >> h;
            report.boxes[name] = {int(x), int(y), int(w), int(h)};
        }
        else if (kind == "value")
        {
            std::string value;
            std::getline(words >> std::ws, value);
            report.values[name] = value;
        }
    }
    return report;
}

class GuiDemoByHand : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(PROGRAM)) << PROGRAM;
        folder = fs::temp_directory_path() / ("gui_demo_x_" + std::to_string(getpid()));
        fs::create_directories(folder);
        reportPath = folder / "report.txt";
        program = std::make_unique<OvTest::CHILD_PROGRAM>(
            PROGRAM, folder, std::vector<std::string>{"--report", reportPath.string()});
        ASSERT_TRUE(WaitFor(
            30,
            [&]
            {
                window = RunCommand("xdotool search --name '^GUI demo$' 2>/dev/null | head -n1");
                window = window.substr(0, window.find('\n'));
                return (!window.empty() && fs::exists(reportPath)) || program->Exited();
            }));
        ASSERT_FALSE(program->Exited()) << "the demo ended before its window appeared";
        RunCommand("xdotool windowfocus --sync " + window);
        report = ReadReport(reportPath);
        before = Screenshot();
        ASSERT_FALSE(before.empty());
    }
    void TearDown() override
    {
        program.reset();
        fs::remove_all(folder);
    }

    OvTest::Image Screenshot()
    {
        const fs::path png = folder / "screen.png";
        RunCommand("import -window " + window + " png:" + png.string() + " 2>/dev/null");
        return OvTest::LoadPng(png.string());
    }
    void Xdo(const std::string& actions) { RunCommand("xdotool " + actions); }
    void ClickAt(int x, int y)
    {
        Xdo("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
            " sleep 0.1 click 1 sleep 0.1");
    }
    void Click(const std::string& box) { ClickAt(Box(box).cx(), Box(box).cy()); }
    BOX Box(const std::string& name)
    {
        EXPECT_TRUE(report.boxes.count(name)) << name;
        return report.boxes[name];
    }
    // Waits until the demo reports `name` as `value` (a prefix when `prefix`).
    ::testing::AssertionResult Reports(const std::string& name, const std::string& value)
    {
        const bool seen = WaitFor(5,
                                  [&]
                                  {
                                      report = ReadReport(reportPath);
                                      return report.values[name] == value;
                                  });
        if (seen)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << name << " is \"" << report.values[name] << "\", not \"" << value << "\"";
    }
    // Whether the box's pixels now differ from the first screenshot's: at least 12 of them
    // by more than 48 in a channel, so the change can be seen.
    bool Changed(const BOX& box)
    {
        const OvTest::Image now = Screenshot();
        if (now.width != before.width || now.height != before.height)
            return false;
        int changed = 0;
        for (int y = std::max(box.y, 0); y < std::min(box.y + box.h, now.height); ++y)
            for (int x = std::max(box.x, 0); x < std::min(box.x + box.w, now.width); ++x)
            {
                const OvTest::Rgba &a = before.at(x, y), &b = now.at(x, y);
                changed += std::abs(a.r - b.r) > 48 || std::abs(a.g - b.g) > 48 ||
                           std::abs(a.b - b.b) > 48;
            }
        return changed >= 12;
    }

    fs::path folder, reportPath;
    std::unique_ptr<OvTest::CHILD_PROGRAM> program;
    std::string window;
    REPORT report;
    OvTest::Image before;
};

TEST_F(GuiDemoByHand, ChecksTypesDragsChoosesAndOpensTheMenu)
{
    // A check box: its box lights up and the row counts as selected.
    Click("Checks.0");
    EXPECT_TRUE(Reports("Checks", "Sound")); // its text, leading spaces aside
    EXPECT_TRUE(Changed(Box("Checks.0")));

    // The edit box: a click enters edit mode, typing appends at the caret.
    Click("Edit");
    Xdo("type --delay 60 abc");
    EXPECT_TRUE(Reports("Edit", "type hereabc"));
    EXPECT_TRUE(Changed(Box("Edit")));

    // The slider: the handle dragged to the right end of its track.
    const BOX handle = Box("Slider.handle"), slider = Box("Slider");
    Xdo("mousemove --window " + window + " " + std::to_string(handle.cx()) + " " +
        std::to_string(handle.cy()) + " sleep 0.1 mousedown 1 sleep 0.1 mousemove --window " +
        window + " " + std::to_string(slider.x + slider.w - 2) + " " + std::to_string(handle.cy()) +
        " sleep 0.2 mouseup 1 sleep 0.1");
    EXPECT_TRUE(WaitFor(5,
                        [&]
                        {
                            report = ReadReport(reportPath);
                            return std::atof(report.values["Slider"].c_str()) > 0.9;
                        }))
        << report.values["Slider"];
    EXPECT_TRUE(Changed({slider.x + slider.w - handle.w, slider.y, handle.w, handle.h}));

    // The combo box: its list drops down; choosing an item closes it onto the box.
    Click("Combo");
    EXPECT_TRUE(WaitFor(3, [&] { return Changed(Box("Combo.1")); }));
    Click("Combo.2");
    EXPECT_TRUE(Reports("Combo", "Blue"));
    EXPECT_TRUE(WaitFor(3, [&] { return !Changed(Box("Combo.1")); })); // the list is gone

    // The menu: a press opens its list below the button.
    const BOX menu = Box("Menu");
    Click("Menu");
    EXPECT_TRUE(Reports("MenuOpen", "1"));
    EXPECT_TRUE(Changed({menu.x, menu.y + menu.h, 140, 72}));

    Xdo("key --window " + window + " Escape");
    ASSERT_TRUE(WaitFor(10, [&] { return program->Exited().has_value(); }));
    EXPECT_EQ(*program->Exited(), 1);
    report = ReadReport(reportPath); // written once more at the end
    EXPECT_EQ(report.values["Edit"], "type hereabc");
    EXPECT_EQ(report.values["Combo"], "Blue");
}

} // namespace
