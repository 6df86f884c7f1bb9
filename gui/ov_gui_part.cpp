// The GUI's per-frame step and release.
#include "gui/ov_gui_part.h"

#include "core/ov_window.h"
#include "gui/gui_draw.h"
#include "gui/gui_layout.h"

namespace OvCore
{

void OV_GUI_PART::LayoutGui()
{
    OV_GUI::LayoutPass(gui);
}

void OV_GUI_PART::ProcessGuiInput()
{
    if (gui.Window)
        gui.ProcessInput();
}

void OV_GUI_PART::DrawGui()
{
    if (gui.Window)
        OV_GUI::DrawPass(gui, gui.Window->perPixelAlpha);
}

void OV_GUI_PART::ReleaseGui()
{
    gui.Clear();
}

} // namespace OvCore
