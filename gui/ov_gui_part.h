// The GUI's part of OV_APPLICATION: the GUI_SYSTEM of the program's window. Bind it by
// setting gui.Window (Application().gui.Window = Application().WindowNamed("main")); while
// it is bound the scene step lays it out after the update pass of every updating frame, then
// runs its input pass, removal step and clean-up of the named controls once per frame, draws
// it after the views of every rendering frame, and ReleaseAll empties it. Programs reach it
// as Application().gui; code below the composition root as GuiPart().
#pragma once

#include "gui/gui_system.h"

namespace OvCore
{

// The GUI the application holds and the steps the scene step runs on it.
class OV_GUI_PART
{
  public:
    // An unbound GUI with an empty tree.
    OV_GUI_PART() = default;
    // Not copied: there is one, inside the application.
    OV_GUI_PART(const OV_GUI_PART&) = delete;
    OV_GUI_PART& operator=(const OV_GUI_PART&) = delete;

    // The program window's GUI: bound by setting gui.Window; Application().gui.
    OV_GUI::GUI_SYSTEM gui;

    // The layout pass, when the GUI is bound to a window.
    void LayoutGui();
    // The input handling of one frame, when the GUI is bound to a window.
    void ProcessGuiInput();
    // The drawing pass, with the bound window's per-pixel alpha, when the GUI is bound.
    void DrawGui();
    // Deletes every control, empties the tables (textures destroyed, fonts freed); the GUI
    // stays bound to its window.
    void ReleaseGui();

  protected:
    // Destroyed only as part of the application.
    ~OV_GUI_PART() = default;
};

// The process's GUI part: the one inside Application(), bound by the composition root.
OV_GUI_PART& GuiPart();

} // namespace OvCore
