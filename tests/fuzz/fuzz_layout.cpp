// Fuzzes LoadLayout: the input is up to two layout files separated by a "@@FILE@@" line,
// written as main.layout and second.layout into a scratch folder that is the working folder,
// so Include resolves between them (and may loop). Element "L" of main.layout is loaded into
// a GUI bound to an 800 x 600 window record and laid out; the tree must stay within the
// bounds of one load and whole.
#include "core/ov_window.h"
#include "gui/gui_layout.h"
#include "gui/layout.h"

#include "fuzz_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

using FuzzFiles::Check;

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
    FuzzFiles::WriteSplitInput(data, size, {"main.layout", "second.layout"});
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
