// Loads a skin theme and a layout the way a program does, in a hidden window, and prints the
// control tree it made: one line per control, indented by depth, with its class, name, tag,
// position and size after the layout pass, style, behaviour flags and text. With --png it
// also draws the screen and saves it as a PNG. How a user debugs a layout file.
//
// Usage: ovlayout [--png out.png] [--size WIDTHxHEIGHT] <theme file> <theme> <layout file>
//                 <element>
// Paths inside the theme are read from the working folder. What the load stopped (include
// cycles, limits) goes to standard error.
// Exit codes: 0 loaded (and saved), 1 the theme, the layout or the picture failed, 2 wrong
// usage or no window.
#include "app/ov_application.h"
#include "graphics/image_files.h"
#include "gui/gui_draw.h"
#include "gui/gui_layout.h"
#include "gui/layout.h"
#include "orvane_core.h"
#include "scene/ov_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

struct OPTIONS
{
    const char* png = nullptr;
    int32_t width = 640;
    int32_t height = 480;
    const char* themeFile = nullptr;
    const char* theme = nullptr;
    const char* layoutFile = nullptr;
    const char* element = nullptr;
};

bool ParseOptions(int argc, char** argv, OPTIONS& options)
{
    const char* positional[4] = {};
    int count = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            options.png = argv[++i];
        else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc)
        {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 ||
                options.width < 1 || options.height < 1 || options.width > 8192 ||
                options.height > 8192)
                return false;
        }
        else if (count < 4)
            positional[count++] = argv[i];
        else
            return false;
    }
    options.themeFile = positional[0];
    options.theme = positional[1];
    options.layoutFile = positional[2];
    options.element = positional[3];
    return count == 4;
}

// "__window", "C_GUI_CONTROL": the class name without its namespaces.
std::string ClassName(const CONTROL& control)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(typeid(control).name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 ? demangled.get() : typeid(control).name();
    const size_t colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

const char* NameOf(GUI_SYSTEM& gui, const CONTROL* control)
{
    for (auto entry : gui.NamedControls)
        if (*entry == control)
            return entry.Name();
    return "";
}

// "-" for no style, "''" for the empty-named one a skin without the element gives.
const char* StyleName(const STYLE_REF& style)
{
    return !style ? "-" : *style.Name() ? style.Name() : "''";
}

// Line breaks and tabs written as escapes, so each control stays on one line.
std::string OneLine(const char* text)
{
    std::string out;
    for (const char* c = text; *c; ++c)
        out += *c == '\n' ? "\\n" : *c == '\t' ? "\\t" : std::string(1, *c);
    return out;
}

void PrintControl(GUI_SYSTEM& gui, const CONTROL& c, int depth)
{
    std::printf("%*s%s", depth * 2, "", ClassName(c).c_str());
    if (*NameOf(gui, &c))
        std::printf(" \"%s\"", NameOf(gui, &c));
    if (!c.Tag().empty())
        std::printf(" [%.*s]", int(c.Tag().size()), c.Tag().data());
    std::printf(" at %g,%g size %gx%g", c.Position.x, c.Position.y, c.Size.x, c.Size.y);
    std::printf(" style %s/%s", StyleName(c.StyleActive), StyleName(c.StyleUnactive));
    if (c.Behaviour)
        std::printf(" behaviour 0x%X", c.Behaviour);
    if (!c.Active || !c.Visible)
        std::printf("%s%s", c.Active ? "" : " inactive", c.Visible ? "" : " hidden");
    if (c.Text.Length())
        std::printf(" text \"%s\"", OneLine(c.Text.Text()).c_str());
    if (auto* owner = dynamic_cast<const Com::C_GUI_CONTROL*>(&c))
        if (owner->EventProc || owner->RenderProc)
            std::printf(" procedures");
    std::printf("\n");
}

void PrintTree(GUI_SYSTEM& gui, const CONTROL_NODE& node, int depth)
{
    for (const CONTROL_NODE& child : node.children)
    {
        PrintControl(gui, *child.control, depth);
        PrintTree(gui, child, depth + 1);
    }
}

// The procedures the layout named: none is bound here, so each is listed.
void PrintProcedures(LAYOUT_PROCEDURES& procedures)
{
    for (auto entry : procedures)
        std::printf("procedure %s (not bound by ovlayout)\n", entry.Name());
}

int Load(const OPTIONS& options, OV_WINDOW& window)
{
    GUI_SYSTEM gui;
    gui.Window = &window;
    if (!gui.LoadTheme(options.themeFile, options.theme))
    {
        std::fprintf(stderr, "ovlayout: %s: theme %s not loaded\n", options.themeFile,
                     options.theme);
        return 1;
    }
    LAYOUT_PROCEDURES procedures;
    LAYOUT_ICONS icons;
    LAYOUT_NOTES notes;
    const bool loaded = LoadLayout(options.layoutFile, options.element, procedures, icons, gui,
                                   nullptr, nullptr, nullptr, &notes);
    for (const std::string& note : notes)
        std::fprintf(stderr, "ovlayout: %s\n", note.c_str());
    if (!loaded)
    {
        std::fprintf(stderr, "ovlayout: %s: element %s not loaded\n", options.layoutFile,
                     options.element);
        return 1;
    }
    // As the first frames of a program would: the layout, one input pass (the behaviours size
    // the scroll thumbs), the layout again.
    LayoutPass(gui);
    gui.ProcessInput();
    LayoutPass(gui);
    PrintTree(gui, gui.Root, 0);
    PrintProcedures(procedures);
    if (!options.png)
        return 0;
    Application().ClearScreen(0.16, 0.18, 0.22, 1);
    DrawPass(gui, false);
    if (!SaveRenderImage(window.width, window.height, options.png, "png"))
    {
        std::fprintf(stderr, "ovlayout: %s: picture not saved\n", options.png);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    OPTIONS options;
    if (!ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: ovlayout [--png out.png] [--size WIDTHxHEIGHT] <theme file> "
                             "<theme> <layout file> <element>\n");
        return 2;
    }
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("ovlayout");
    window.title = "ovlayout";
    window.width = options.width;
    window.height = options.height;
    window.visible = false;
    if (!window.OpenWindow() || !app.ActivateWindow("ovlayout"))
    {
        std::fprintf(stderr, "ovlayout: no window (is there an X display?)\n");
        OvClosure();
        return 2;
    }
    OvRenderScene(OV_SCENE_RESET_STATE);
    OV_VIEW::End();
    const int result = Load(options, window);
    window.CloseWindow();
    app.windows.Clear();
    OvClosure();
    return result;
}
