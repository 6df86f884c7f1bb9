// A whole GUI screen from a layout file: examples/gui_demo.layout (copied beside the program
// with the default theme) describes a window with a title bar and buttons, a menu with a
// sub-menu, a push button that writes into a static, an edit box, a combo box, a list, check
// and option boxes, a scroll plane, a slider and a progress bar. The program only loads the
// theme and the layout and wires the procedures the layout names (SayHello, Typed, Chosen,
// SliderMoved, Quit); the scene step does the rest. Esc quits.
//   gui_demo [--screenshot file.png] [--frames N] [--report file]
//     --frames N        quits after N frames (with --screenshot: saves it at frame N, 30 when
//                       not given)
//     --report file     keeps the state of the screen in a text file, rewritten every ten
//                       frames and at the end: "box <name> x y w h" in window pixels for the
//                       named controls and the rows of the selection controls ("Checks.0"
//                       is the first check box's box), then "value <name> <value>" lines;
//                       a script or a test drives the demo with it
// The program's window opens at (40, 40), 640 x 480; the layout places the GUI window at
// (20, 20) in it, so every named control sits at a fixed place on the screen.
#include "app/ov_application.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "graphics/image_files.h"
#include "gui/gui_items.h"
#include "gui/gui_widget_ops.h"
#include "gui/layout.h"
#include "orvane_core.h"
#include "scene/ov_view.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace OvCore;
using namespace OvCore::OV_GUI;
using Com::C_GUI_CONTROL;

namespace
{

constexpr int32_t WIDTH = 640;
constexpr int32_t HEIGHT = 480;

struct Demo
{
    std::string screenshot;
    std::string report;
    long frames = 0; // 0: run until closed
    long frame = 0;
};

std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

CONTROL* Named(const char* name)
{
    CONTROL** control = Application().gui.NamedControls.Find(name).Get();
    return control ? *control : nullptr;
}

void SetStatus(const std::string& text)
{
    if (CONTROL* status = Named("Status"))
        status->Text = text.c_str();
}

// The push button and the menu entry of the same name.
void SayHello(C_GUI_CONTROL* control)
{
    if (!(control->Events & BUTTON_CLICKED))
        return;
    SetStatus("Hello from the layout file!");
    MenuCollapse(Named("Menu"));
}

void Quit(C_GUI_CONTROL* control)
{
    if (control->Events & BUTTON_CLICKED)
        Loop().running = false;
}

void Typed(C_GUI_CONTROL* control)
{
    OV_STRING value;
    if ((control->Events & EDIT_TYPED) && EditBoxGetText(control, value))
        SetStatus(std::string("You typed: ") + value.Text());
}

void Chosen(C_GUI_CONTROL* control)
{
    if (control->Events & COMBO_CHOSEN)
        SetStatus(std::string("Colour: ") + control->Text.Text());
}

// The slider drives the progress bar below it.
void SliderMoved(C_GUI_CONTROL* control)
{
    if (!(control->Events & SLIDER_MOVED_H))
        return;
    const float factor = SliderGetFactor(control);
    if (CONTROL* bar = Named("Progress"); bar && bar->Node && !bar->Node->children.empty())
        bar->Node->children.front().control->Size.x =
            (bar->Size.x - bar->CutMarginLeft - bar->CutMarginRight) * factor;
    std::ostringstream text;
    text << "Slider at " << int(factor * 100 + 0.5f) << "%";
    SetStatus(text.str());
}

// The state file of --report.
void ReportBox(std::ostream& out, const std::string& name, const CONTROL* control)
{
    if (!control)
        return;
    const OV_VECTOR_F &topLeft = control->TopLeft(), &bottomRight = control->BottomRight();
    out << "box " << name << " " << topLeft.x << " " << topLeft.y << " "
        << bottomRight.x - topLeft.x << " " << bottomRight.y - topLeft.y << "\n";
}

CONTROL* FirstChild(const CONTROL* control)
{
    return control && control->Node && !control->Node->children.empty()
               ? control->Node->children.front().control.get()
               : nullptr;
}

// The first control under `control` (or itself) carrying `tag`.
CONTROL* Tagged(CONTROL* control, const char* tag)
{
    if (!control || control->HasTag(tag))
        return control;
    for (CONTROL_NODE& child : control->Node->children)
        if (CONTROL* found = Tagged(child.control.get(), tag))
            return found;
    return nullptr;
}

// Rows of a container; `boxes` reports each row's box (a check or option box) instead.
void ReportRows(std::ostream& out, const char* name, CONTROL* container, bool boxes)
{
    std::vector<CONTROL*> rows;
    GetItems(container, rows);
    for (size_t i = 0; i < rows.size(); ++i)
        ReportBox(out, std::string(name) + "." + std::to_string(i),
                  boxes ? FirstChild(rows[i]) : rows[i]);
}

std::string SelectedTexts(const CONTROL* container)
{
    std::vector<CONTROL*> rows;
    GetSelectedItems(container, rows);
    std::string texts;
    for (const CONTROL* row : rows)
        texts += (texts.empty() ? "" : ",") + std::string(row->Text.Text());
    return texts;
}

void WriteReport(const std::string& path)
{
    std::ostringstream out;
    for (const char* name : {"Menu", "HelloButton", "Status", "Edit", "Combo", "List", "Checks",
                             "Options", "Scroll", "Slider", "Progress"})
        ReportBox(out, name, Named(name));
    ReportRows(out, "Checks", Named("Checks"), true);
    ReportRows(out, "Options", Named("Options"), true);
    ReportRows(out, "List", Tagged(Named("List"), "listbox"), false);
    ReportRows(out, "Combo", Tagged(Named("Combo"), "comboboxl"), false);
    ReportBox(out, "Slider.handle", FirstChild(FirstChild(Named("Slider"))));
    OV_STRING edited;
    EditBoxGetText(Named("Edit"), edited);
    const CONTROL* menuList = FirstChild(FirstChild(Named("Menu")));
    const CONTROL* option = GetSelectedOption(Named("Options"));
    out << "value Checks " << SelectedTexts(Named("Checks")) << "\n"
        << "value Options " << (option ? option->Text.Text() : "") << "\n"
        << "value List " << SelectedTexts(Tagged(Named("List"), "listbox")) << "\n"
        << "value Edit " << edited.Text() << "\n"
        << "value Slider " << SliderGetFactor(Named("Slider")) << "\n"
        << "value Combo " << (Named("Combo") ? Named("Combo")->Text.Text() : "") << "\n"
        << "value MenuOpen " << (menuList && menuList->Visible) << "\n"
        << "value Status " << (Named("Status") ? Named("Status")->Text.Text() : "") << "\n";
    const std::string partial = path + ".part"; // readers never see half a file
    std::ofstream(partial) << out.str();
    std::filesystem::rename(partial, path);
}

void Frame(HWND, void* context)
{
    Demo& demo = *static_cast<Demo*>(context);
    OV_APPLICATION& app = Application();
    if (Input().KeyPressed(VK_ESCAPE))
        Loop().running = false;
    app.ClearScreen(0.16, 0.18, 0.22, 1.0);
    OV_VIEW::End();
    app.SceneStep();
    ++demo.frame;
    if (!demo.report.empty() && demo.frame % 10 == 0)
        WriteReport(demo.report);
    if (demo.frames > 0 && demo.frame >= demo.frames)
    {
        if (!demo.screenshot.empty())
            SaveRenderImage(WIDTH, HEIGHT, demo.screenshot.c_str(), "png");
        Loop().running = false;
    }
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_SWAP);
}

void ReadOptions(const std::string& arguments, Demo& demo)
{
    std::istringstream words(arguments);
    std::string word;
    while (words >> word)
        if (word == "--screenshot")
            words >> demo.screenshot;
        else if (word == "--frames")
            words >> demo.frames;
        else if (word == "--report")
            words >> demo.report;
    if (!demo.screenshot.empty() && demo.frames <= 0)
        demo.frames = 30;
}

bool LoadScreen()
{
    GUI_SYSTEM& gui = Application().gui;
    static LAYOUT_PROCEDURES procedures; // the controls keep what they were given
    static LAYOUT_ICONS icons;
    *procedures.Get("SayHello") = SayHello;
    *procedures.Get("Quit") = Quit;
    *procedures.Get("Typed") = Typed;
    *procedures.Get("Chosen") = Chosen;
    *procedures.Get("SliderMoved") = SliderMoved;
    LAYOUT_NOTES notes;
    const bool loaded = gui.LoadTheme("themes/default.xml", "default") &&
                        LoadLayout("gui_demo.layout", "Demo", procedures, icons, gui, nullptr,
                                   nullptr, nullptr, &notes);
    for (const std::string& note : notes)
        std::fprintf(stderr, "gui_demo: %s\n", note.c_str());
    return loaded;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    Demo demo;
    ReadOptions(commandLine ? commandLine : "", demo);
    std::filesystem::current_path(ProgramFolder()); // the theme and layout lie beside it
    OvInitiation();
    OV_APPLICATION& app = Application();
    OV_WINDOW& window = *app.windows.Get("main");
    window.title = "GUI demo";
    window.width = WIDTH;
    window.height = HEIGHT;
    window.x = 40;
    window.y = 40;
    if (!window.OpenWindow())
        return 0;
    app.ActivateWindow("main");
    app.SetVsync(true);
    app.gui.Window = &window;
    if (!LoadScreen())
    {
        std::fprintf(stderr, "gui_demo: the theme or gui_demo.layout did not load\n");
        return 0;
    }
    Loop().RunFrameLoop(Frame, &demo);
    if (!demo.report.empty())
        WriteReport(demo.report);
    app.ReleaseAll();
    window.CloseWindow();
    OvClosure();
    return 1;
}
