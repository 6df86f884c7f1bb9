// Fuzzes LoadTheme: the input is up to three theme files separated by "@@FILE@@" lines,
// written as a.theme, b.theme and c.theme into a scratch folder that is the working folder,
// so includes resolve among them (and loop). Theme "T" of a.theme is loaded into a fresh
// GUI_SYSTEM; whatever it holds afterwards must be numbers a box can use.
#include "gui/gui_system.h"
#include "gui/gui_theme_limits.h"

#include "fuzz_files.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace OvCore::OV_GUI;

namespace
{

using FuzzFiles::Check;

void CheckStyle(const GUI_STYLE& style)
{
    for (int i = 0; i < 4; ++i)
        Check(style.AreaSplit[i] >= 0 && style.AreaSplit[i] <= THEME_NUMBER_LIMIT);
    for (const auto& corners : style.AreaColors)
        for (const auto& colour : corners)
            Check(std::isfinite(colour.x) && std::isfinite(colour.y) && std::isfinite(colour.z) &&
                  std::isfinite(colour.w));
    Check(std::isfinite(style.TextScale.x) && std::isfinite(style.TextOffset.y));
    Check(style.TextBorderQuality >= 0 && style.TextBorderQuality <= THEME_BORDER_QUALITY_LIMIT);
    Check(style.TextBorderSize >= 0 && style.TextBorderSize <= THEME_BORDER_SIZE_LIMIT);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFiles::WriteSplitInput(data, size, {"a.theme", "b.theme", "c.theme"});
    GUI_SYSTEM gui;
    gui.LoadTheme("a.theme", "T");
    for (auto style : gui.Styles)
        CheckStyle(*style);
    Check(gui.Styles.Count() <= 3 * THEME_TABLE_LIMIT);
    return 0;
}
