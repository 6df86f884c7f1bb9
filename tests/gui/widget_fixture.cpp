// The behaviour tests' fixture.
#include "gui/widget_fixture.h"

#include "gui/gui_skin.h"

#include <string>

namespace OvTest
{

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

constexpr uint32_t COMMAND_BITS = 0x800 | 0x1000 | 0x2000 | 0x4000;

} // namespace

void WidgetTest::Note(Com::C_GUI_CONTROL* owner)
{
    if (owner->Events & COMMAND_BITS)
        heard.push_back({owner, owner->Events & COMMAND_BITS});
}

void WidgetTest::SetUp()
{
    GuiTest::SetUp();
    heard.clear();
    GUI_SKIN& skin = *gui.Skins.Get("test");
    for (const char* element : {"AreaActive", "AreaOver", "AreaUnactive"})
        *skin.Get(element) = ("style-" + std::string(element)).c_str();
}

void WidgetTest::TearDown()
{
    heard.clear();
    GuiTest::TearDown();
}

PLACE WidgetTest::At(float x, float y, float w, float h, CONTROL* parent, const char* name)
{
    PLACE place;
    place.skin = "test";
    place.name = name;
    place.position = OV_VECTOR_F(x, y);
    place.size = OV_VECTOR_F(w, h);
    place.parent = parent;
    return place;
}

STYLE_REF WidgetTest::Style(const char* element)
{
    return StyleOf(gui, "test", element);
}

void WidgetTest::Frame()
{
    LayoutPass(gui);
    Pass();
}

void WidgetTest::Click(int x, int y)
{
    MoveTo(x, y);
    Press();
    Frame();
    Release();
    Frame();
}

void WidgetTest::Key(unsigned key)
{
    KeyDown(key);
    KeyUp(key);
}

int WidgetTest::CentreX(const CONTROL& control)
{
    return int((control.TopLeft().x + control.BottomRight().x) / 2);
}

int WidgetTest::CentreY(const CONTROL& control)
{
    return int((control.TopLeft().y + control.BottomRight().y) / 2);
}

void WidgetTest::Listen(CONTROL* owner)
{
    auto* listener = dynamic_cast<Com::C_GUI_CONTROL*>(owner);
    ASSERT_NE(listener, nullptr);
    listener->EventProc = Note;
}

int WidgetTest::Heard(const CONTROL* owner, uint32_t bit)
{
    int count = 0;
    for (const HEARD& note : heard)
        count += note.owner == owner && (note.bits & bit) ? 1 : 0;
    return count;
}

} // namespace OvTest
