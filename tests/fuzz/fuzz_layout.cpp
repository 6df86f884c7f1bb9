// Fuzzes LoadLayout: the input is up to two layout files separated by a "@@FILE@@" line,
// written as main.layout and second.layout into a scratch folder that is the working folder,
// so Include resolves between them (and may loop). Element "L" of main.layout is loaded into
// a GUI bound to an 800 x 600 window record and laid out; the tree must stay within the
// bounds of one load and whole.
#include "core/ov_window.h"
#include "gui/gui_layout.h"
#include "gui/layout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

const char* const NAMES[2] = {"main.layout", "second.layout"};
char scratch[] = "/tmp/fuzz_layout_XXXXXX";

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

void Clicked(Com::C_GUI_CONTROL* control)
{
    control->Order += 1;
}

// Controls in the subtree; every node must be linked to its parent and its control.
uint32_t CountTree(const CONTROL_NODE& node, uint32_t depth)
{
    Check(depth <= GUI_SYSTEM::DEPTH_LIMIT);
    uint32_t count = 0;
    for (const CONTROL_NODE& child : node.children)
    {
        Check(child.parent == &node && child.control && child.control->Node == &child);
        count += 1 + CountTree(child, depth + 1);
    }
    return count;
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
    OV_WINDOW window;
    window.width = 800;
    window.height = 600;
    GUI_SYSTEM gui;
    gui.Window = &window;
    LAYOUT_PROCEDURES procedures;
    LAYOUT_ICONS icons;
    *procedures.Get("clicked") = Clicked;
    LAYOUT_NOTES notes;
    LoadLayout("main.layout", "L", procedures, icons, gui, nullptr, nullptr, nullptr, &notes);
    LayoutPass(gui);
    // The largest composite (a combo box) is 12 controls; a load makes at most ELEMENTS.
    Check(CountTree(gui.Root, 0) <= 12 * LAYOUT_LIMITS::ELEMENTS);
    gui.Clear();
    return 0;
}
