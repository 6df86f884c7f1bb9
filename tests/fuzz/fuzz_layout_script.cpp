// Fuzzes RunScript: the input is one script, run against a small tree of named composites
// (a window, a menu with a sub-menu, a progress bar, an edit box, a slider, a scroll plane
// and a combo box) in a GUI bound to an 800 x 600 window record. Afterwards every text and
// tag must lie within the script limits and the tree must still be whole.
#include "core/ov_window.h"
#include "gui/gui_factories.h"
#include "gui/layout_script.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

void Check(bool good)
{
    if (!good)
        std::abort();
}

CONTROL* BuildTree(GUI_SYSTEM& gui)
{
    const OvHandle none{0, nullptr};
    CONTROL* content = CreateWindow(gui, {"", "win", {10, 10}, {300, 200}}, "W", 0xF, none, {});
    CONTROL* menu = CreateMenu(gui, {"", "menu", {0, 0}, {60, 20}, content}, "M", none, 0x80);
    AddSubMenu(gui, {"", "sub", {}, {80, 20}, menu}, "S", none, 0x200);
    CreateProgressBar(gui, {"", "bar", {0, 30}, {100, 10}, content}, {1, 1, 2, 2});
    CreateEditBox(gui, {"", "edit", {0, 50}, {100, 20}, content}, "text", true);
    CreateSlider(gui, {"", "slider", {0, 80}, {100, 20}, content});
    CreateScrollPlane(gui, {"", "plane", {120, 0}, {100, 100}, content}, 10, 10, 200, 300, {});
    CreateComboBox(gui, {"", "combo", {0, 110}, {100, 20}, content}, {100, 60}, {10, 0}, {}, 0x80,
                   20);
    return content;
}

void CheckTree(const CONTROL_NODE& node, uint32_t depth)
{
    Check(depth <= GUI_SYSTEM::DEPTH_LIMIT);
    for (const CONTROL_NODE& child : node.children)
    {
        const CONTROL& control = *child.control;
        Check(child.parent == &node && control.Node == &child);
        Check(control.Text.Length() <= 2 * SCRIPT_LIMITS::TEXT_BYTES);
        Check(control.Extend.count <= SCRIPT_LIMITS::TEXT_BYTES + 16);
        CheckTree(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OV_WINDOW window;
    window.width = 800;
    window.height = 600;
    GUI_SYSTEM gui;
    gui.Window = &window;
    CONTROL* self = BuildTree(gui);
    Check(self != nullptr);
    const std::string script(reinterpret_cast<const char*>(data), size);
    RunScript(self, script.c_str(), gui);
    CheckTree(gui.Root, 0);
    gui.Clear();
    return 0;
}
