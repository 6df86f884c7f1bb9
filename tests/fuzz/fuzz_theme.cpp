// Fuzzes LoadTheme: the input is up to three theme files separated by "@@FILE@@" lines,
// written as a.theme, b.theme and c.theme into a scratch folder that is the working folder,
// so includes resolve among them (and loop). Theme "T" of a.theme is loaded into a fresh
// GUI_SYSTEM; whatever it holds afterwards must be numbers a box can use.
#include "gui/gui_system.h"
#include "gui/gui_theme_limits.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace OvCore::OV_GUI;

namespace
{

const char* const NAMES[3] = {"a.theme", "b.theme", "c.theme"};
char scratch[] = "/tmp/fuzz_theme_XXXXXX";

// The scratch folder goes when the fuzzer exits normally.
void RemoveScratchFolder()
{
    for (const char* name : NAMES)
        std::remove(name);
    std::remove(scratch);
}

void EnterScratchFolder()
{
    static bool entered = false;
    if (entered)
        return;
    if (!mkdtemp(scratch) || chdir(scratch) != 0)
        std::abort();
    std::atexit(RemoveScratchFolder);
    entered = true;
}

void WriteFile(const char* name, std::string_view text)
{
    FILE* file = std::fopen(name, "wb");
    if (!file)
        std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

void Check(bool good)
{
    if (!good)
        std::abort();
}

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
    EnterScratchFolder();
    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const char* name : NAMES)
    {
        const size_t end = input.find("@@FILE@@");
        WriteFile(name, input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 8);
    }
    GUI_SYSTEM gui;
    gui.LoadTheme("a.theme", "T");
    for (auto style : gui.Styles)
        CheckStyle(*style);
    Check(gui.Styles.Count() <= 3 * THEME_TABLE_LIMIT);
    return 0;
}
