// The GUI tests' shared fixture.
#include "gui/gui_support.h"

#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "core/ov_window.h"

namespace OvTest
{

using namespace OvCore;
using namespace OvCore::OV_GUI;

int PROBE::destroyed = 0;

PROBE::~PROBE()
{
    ++destroyed;
}

void PROBE::OnEvents()
{
    seen = Events;
    ++calls;
    if (log_)
        log_->push_back(name_);
    if (onEvents)
        onEvents(*this);
}

void PlaceBox(CONTROL& control, float x, float y, float w, float h)
{
    control.Position = OV_VECTOR_F(x, y);
    control.Size = OV_VECTOR_F(w, h);
    control.Areas[0][0] = OV_VECTOR_F(x, y);
    control.Areas[8][2] = OV_VECTOR_F(x + w, y + h);
}

void GuiTest::SetUp()
{
    windowRecord = new OV_WINDOW;
    windowRecord->width = 800;
    windowRecord->height = 600;
    gui.Window = windowRecord;
    Input().ClearInput(true);
    Input().cursor = POINT{0, 0};
}

void GuiTest::TearDown()
{
    gui.Clear();
    delete windowRecord;
    Input().ClearInput(true);
    Input().ClearChars();
    Loop().delta = 0;
}

PROBE* GuiTest::AddProbe(CONTROL* parent, float x, float y, float w, float h, const char* name)
{
    auto* probe = static_cast<PROBE*>(gui.AddControl(new PROBE(&log, name), parent));
    if (probe)
        PlaceBox(*probe, x, y, w, h);
    return probe;
}

void GuiTest::MoveTo(int x, int y)
{
    Input().cursor = POINT{x, y};
}

void GuiTest::Press()
{
    WindowProcedure(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, 0);
}

void GuiTest::Release()
{
    WindowProcedure(nullptr, WM_LBUTTONUP, 0, 0);
}

void GuiTest::KeyDown(unsigned key)
{
    WindowProcedure(nullptr, WM_KEYDOWN, key, 0);
}

void GuiTest::KeyUp(unsigned key)
{
    WindowProcedure(nullptr, WM_KEYUP, key, 0);
}

void GuiTest::Type(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        WindowProcedure(nullptr, WM_CHAR, static_cast<unsigned char>(text[i]), 0);
}

void GuiTest::SetFrameTime(float seconds)
{
    Loop().delta = seconds;
}

void GuiTest::Pass()
{
    gui.ProcessInput();
    Input().EndFrame();
    Input().ClearChars();
}

} // namespace OvTest
