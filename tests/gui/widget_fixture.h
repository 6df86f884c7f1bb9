// The behaviour tests' fixture: composites built by the real factories with a skin "test"
// whose hover and normal styles differ, whole frames as the scene step runs them (layout,
// then input), and the command bits (0x800 .. 0x4000) the owners heard.
#pragma once

#include "gui/gui_factories.h"
#include "gui/gui_layout.h"
#include "gui/gui_support.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace OvTest
{

class WidgetTest : public GuiTest
{
  protected:
    using CONTROL = OvCore::OV_GUI::CONTROL;

    void SetUp() override
    {
        GuiTest::SetUp();
        heard.clear();
        *gui.Skins.Get("test")->Get("AreaOver") = "over";
        *gui.Skins.Get("test")->Get("AreaActive") = "normal";
    }

    static OvCore::OV_GUI::PLACE At(float x, float y, float w, float h, CONTROL* parent = nullptr,
                                    const char* name = nullptr)
    {
        return {"test", name, OvCore::OV_VECTOR_F(x, y), OvCore::OV_VECTOR_F(w, h), parent};
    }
    void Frame()
    {
        OvCore::OV_GUI::LayoutPass(gui);
        Pass();
    }
    void Click(int x, int y)
    {
        MoveTo(x, y);
        Press();
        Frame();
        Release();
        Frame();
    }
    // Pressed at (x, y) after a still frame, moved by (dx, dy) a frame later, released.
    void Drag(int x, int y, int dx, int dy)
    {
        MoveTo(x, y);
        Frame();
        Press();
        Frame();
        MoveTo(x + dx, y + dy);
        Frame();
        Release();
        Frame();
    }
    void Key(unsigned key)
    {
        KeyDown(key);
        KeyUp(key);
    }
    static int CentreX(const CONTROL& c) { return int((c.TopLeft().x + c.BottomRight().x) / 2); }
    static int CentreY(const CONTROL& c) { return int((c.TopLeft().y + c.BottomRight().y) / 2); }

    // The owner (a C_GUI_CONTROL) notes what it is sent from now on.
    static void Listen(CONTROL* owner)
    {
        dynamic_cast<OvCore::Com::C_GUI_CONTROL&>(*owner).EventProc =
            [](OvCore::Com::C_GUI_CONTROL* told)
        {
            if (const uint32_t bits = told->Events & 0x7800)
                heard.emplace_back(told, bits);
        };
    }
    static int Heard(const CONTROL* owner, uint32_t bit)
    {
        int count = 0;
        for (const auto& [who, bits] : heard)
            count += who == owner && (bits & bit);
        return count;
    }

    static inline std::vector<std::pair<const CONTROL*, uint32_t>> heard;
};

} // namespace OvTest
