// The behaviour tests' fixture: composites built by the real factories with a skin whose
// elements name distinct styles, whole frames as the scene step runs them (layout, then
// input), and what the owners of composites heard (the command bits sent to them).
#pragma once

#include "gui/gui_factories.h"
#include "gui/gui_layout.h"
#include "gui/gui_support.h"

#include <cstdint>
#include <vector>

namespace OvTest
{

class WidgetTest : public GuiTest
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // A place in the skin "test" (each element X gives the style "style-X").
    OvCore::OV_GUI::PLACE At(float x, float y, float w, float h,
                             OvCore::OV_GUI::CONTROL* parent = nullptr, const char* name = nullptr);
    OvCore::OV_GUI::STYLE_REF Style(const char* element);

    void Frame();
    // A press and a release at (x, y), a frame each.
    void Click(int x, int y);
    void Key(unsigned key); // down and up before the next frame
    // The centre of a control's laid-out box.
    static int CentreX(const OvCore::OV_GUI::CONTROL& control);
    static int CentreY(const OvCore::OV_GUI::CONTROL& control);

    // `owner`, a C_GUI_CONTROL, notes the command bits (0x800 .. 0x4000) it is sent.
    static void Listen(OvCore::OV_GUI::CONTROL* owner);
    // How often `owner` heard `bit` since the test began.
    static int Heard(const OvCore::OV_GUI::CONTROL* owner, uint32_t bit);

    struct HEARD
    {
        const OvCore::OV_GUI::CONTROL* owner;
        uint32_t bits;
    };
    static void Note(OvCore::Com::C_GUI_CONTROL* owner);
    static inline std::vector<HEARD> heard;
};

} // namespace OvTest
