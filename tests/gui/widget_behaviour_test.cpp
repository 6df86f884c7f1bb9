// Edit boxes, sliders and menus driven by window messages through the layout and input
// passes: typing and caret keys, masking, the blink, edit mode and where typed keys go;
// slider factors and drags; menus opening, keeping their parents open and closing.
#include "gui/widget_fixture.h"

#include "gui/gui_widget_ops.h"

#include <cmath>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

constexpr unsigned KEY_BACKSPACE = 8, KEY_HOME = 36, KEY_LEFT = 37, KEY_RIGHT = 39, KEY_DELETE = 46;

class EditBehaviour : public OvTest::WidgetTest
{
  protected:
    CONTROL* Box(float y, const char* text = "", bool password = false)
    {
        CONTROL* owner = CreateEditBox(gui, At(10, y, 200, 20), text, password);
        Listen(owner);
        return owner;
    }
    static std::string Value(CONTROL* owner)
    {
        OV_STRING value;
        EXPECT_TRUE(EditBoxGetText(owner, value));
        return value.Text();
    }
    static std::string Shown(CONTROL* owner)
    {
        return owner->Node->children.front().control->Text.Text();
    }
};

TEST_F(EditBehaviour, TypingGoesInAtTheCaretAndBackspaceTakesItOut)
{
    CONTROL* box = Box(10);
    Frame();
    Click(50, 20);
    EXPECT_EQ(Heard(box, EDIT_ENTERED), 1);
    Type("ab");
    Frame();
    Key(KEY_LEFT);
    Frame();
    Type("c");
    Frame();
    EXPECT_EQ(Value(box), "acb");
    EXPECT_EQ(Shown(box), "ac|b");
    Key(KEY_BACKSPACE);
    Type("\b"); // the character a Backspace key also types
    Frame();
    Frame();
    EXPECT_EQ(Value(box), "ab");
    EXPECT_EQ(Shown(box), "a|b");
    EXPECT_EQ(Heard(box, EDIT_TYPED), 2);
    EXPECT_EQ(Heard(box, EDIT_KEYS), 2);

    Key(KEY_HOME);
    Frame();
    Key(KEY_DELETE);
    Frame();
    Key(KEY_RIGHT);
    Frame();
    EXPECT_EQ(Value(box), "b");
}

TEST_F(EditBehaviour, PasswordModeMasksAroundTheCaret)
{
    CONTROL* box = Box(10, "xyz", true);
    EXPECT_EQ(Shown(box), "***");
    ASSERT_TRUE(EditBoxEditMode(box, true));
    Key(KEY_HOME);
    Frame();
    Key(KEY_RIGHT);
    Frame();
    Frame();
    EXPECT_EQ(Shown(box), "*|**");
    ASSERT_TRUE(EditBoxPasswordMode(box, false));
    EXPECT_EQ(Shown(box), "xyz");
    EXPECT_FALSE(EditBoxPasswordMode(nullptr, true));
}

TEST_F(EditBehaviour, TabsLineEndsAndZeroBytesAreNotTyped)
{
    CONTROL* box = Box(10);
    EditBoxEditMode(box, true);
    Type("a\tb\r\nc\0d", 8);
    Frame();
    EXPECT_EQ(Value(box), "abcd");
}

TEST_F(EditBehaviour, TheCaretBlinksEveryHalfSecond)
{
    CONTROL* box = Box(10, "v");
    EditBoxEditMode(box, true);
    SetFrameTime(0.25f);
    std::string seen;
    for (int frame = 0; frame < 5; ++frame)
    {
        Frame();
        seen += Shown(box) + " ";
    }
    EXPECT_EQ(seen, "v| v| v v v| ");
}

TEST_F(EditBehaviour, ClickingElsewhereLeavesEditModeOnceAndKeysThenGoNowhere)
{
    CONTROL* first = Box(10, "one");
    CONTROL* second = Box(40, "two");
    Frame();
    Click(50, 20);
    Type("1");
    Frame();
    Click(50, 50); // into the second box
    EXPECT_EQ(Heard(first, EDIT_LEFT), 1);
    EXPECT_EQ(Shown(first), "one1");
    Type("2");
    Frame();
    EXPECT_EQ(Value(first), "one1");
    EXPECT_EQ(Value(second), "two2");

    Click(500, 500); // on nothing
    Click(600, 500);
    EXPECT_EQ(Heard(second, EDIT_LEFT), 1);
    Type("x");
    Frame();
    Click(50, 20); // back in: what was typed meanwhile is gone
    Frame();
    EXPECT_EQ(Value(first), "one1");
    EXPECT_EQ(Value(second), "two2");
}

// Switched off, a box in edit mode can no longer be clicked out of: it leaves edit mode.
TEST_F(EditBehaviour, ASwitchedOffBoxLeavesEditModeAndTakesNoKeys)
{
    CONTROL* box = Box(10, "v");
    EditBoxEditMode(box, true);
    Frame();
    box->Active = false;
    Type("k");
    Frame();
    box->Active = true;
    Type("m");
    Frame();
    EXPECT_EQ(Value(box), "v");
    EXPECT_EQ(Shown(box), "v");
}

TEST_F(EditBehaviour, TheValueStopsAtItsLimit)
{
    CONTROL* box = Box(10);
    const std::string longText(EDIT_VALUE_LIMIT + 10, 'q');
    ASSERT_TRUE(EditBoxSetText(box, longText.c_str()));
    EXPECT_EQ(Value(box).size(), EDIT_VALUE_LIMIT);
    EditBoxEditMode(box, true);
    Type("more");
    Frame();
    EXPECT_EQ(Value(box).size(), EDIT_VALUE_LIMIT);
    EXPECT_FALSE(EditBoxSetText(CreateButton(gui, At(0, 0, 5, 5), "", {1, nullptr}), "x"));
}

using SliderBehaviour = OvTest::WidgetTest;

TEST_F(SliderBehaviour, FactorPlacesTheHandleAndReadsItBack)
{
    CONTROL* slider = CreateSlider(gui, At(50, 50, 100, 20));
    ASSERT_NE(slider, nullptr);
    ASSERT_TRUE(SliderSetFactor(slider, 0.5f)); // before any layout
    const CONTROL* handle = slider->Node->children.front().children.front().control.get();
    EXPECT_EQ(handle->Position.x, 45);
    EXPECT_FLOAT_EQ(SliderGetFactor(slider), 45.0f / 80);
    SliderSetFactor(slider, 7);
    EXPECT_EQ(handle->Position.x, 80);
    SliderSetFactor(slider, NAN);
    EXPECT_EQ(handle->Position.x, 0);
}

TEST_F(SliderBehaviour, DraggingMovesTheHandleUnderTheCursor)
{
    CONTROL* slider = CreateSlider(gui, At(50, 50, 100, 20));
    Listen(slider);
    const CONTROL* handle = slider->Node->children.front().children.front().control.get();
    Drag(120, 60, 0, 0);
    EXPECT_EQ(handle->Position.x, 60); // centred on the cursor
    Drag(120, 60, 300, 0);
    EXPECT_EQ(handle->Position.x, 80);
    MoveTo(60, 60); // released: the handle stays
    Frame();
    EXPECT_EQ(handle->Position.x, 80);
    EXPECT_EQ(Heard(slider, SLIDER_MOVED_H), 4); // each frame of the two drags

    MoveTo(120, 60);
    Press();
    Frame();
    slider->Active = false; // the release goes unseen: the drag still ends
    Release();
    Frame();
    slider->Active = true;
    MoveTo(60, 60);
    Frame();
    EXPECT_EQ(handle->Position.x, 60);
}

// A vertical slider as thick as long: the handle has no room, the factor stays 0.
TEST_F(SliderBehaviour, AHandleAsLongAsTheTrackGivesFactorZero)
{
    CONTROL* slider = CreateSlider(gui, At(0, 0, 20, 20));
    ASSERT_TRUE(slider->Node->children.front().control->HasTag("vbar"));
    SliderSetFactor(slider, 1);
    EXPECT_EQ(SliderGetFactor(slider), 0);
    EXPECT_EQ(SliderGetFactor(nullptr), 0);
}

class MenuBehaviour : public OvTest::WidgetTest
{
  protected:
    static CONTROL* List(CONTROL* menuButton)
    {
        return menuButton->Node->children.front().children.front().control.get();
    }
    static bool Open(CONTROL* menuButton)
    {
        const CONTROL* list = List(menuButton);
        return list->Active && list->Visible;
    }
};

// File at (10, 10) opens its list below it; the list's first entry, Recent, opens its own
// list to its right, holding one button.
TEST_F(MenuBehaviour, SubMenusKeepTheirParentsOpenAndAClickElsewhereClosesBoth)
{
    CONTROL* file = CreateMenu(gui, At(10, 10, 80, 20), "File", {1, nullptr}, DOCK_TO_EDGE_BOTTOM);
    CONTROL* recent =
        AddSubMenu(gui, At(0, 0, 100, 20, file), "Recent", {1, nullptr}, DOCK_TO_EDGE_RIGHT);
    ASSERT_NE(AddMenuButton(gui, At(0, 0, 100, 20, recent), "a.txt", {1, nullptr}), nullptr);
    Listen(file);
    Frame();
    Click(20, 20);
    EXPECT_TRUE(Open(file));
    EXPECT_EQ(Heard(file, MENU_OPENED), 1);

    Click(20, 40); // on Recent, inside File's list
    EXPECT_TRUE(Open(recent));
    EXPECT_TRUE(Open(file));
    MoveTo(150, 40); // into Recent's list
    Frame();
    EXPECT_TRUE(Open(recent));
    EXPECT_TRUE(Open(file));

    Click(400, 400);
    EXPECT_FALSE(Open(recent));
    EXPECT_FALSE(Open(file));
}

// Sub-menus as deep as the tree takes, each list 5 pixels below the one holding it: a press
// on the innermost entry closes every outer list (the cursor is off their menus) and the
// innermost list opens them again, one enclosing list after another.
TEST_F(MenuBehaviour, ThePressedInnermostSubMenuKeepsEveryListOpenAndCollapseClosesAll)
{
    std::vector<CONTROL*> menus{
        CreateMenu(gui, At(10, 10, 80, 5), "", {1, nullptr}, DOCK_TO_EDGE_BOTTOM)};
    while (CONTROL* inner = AddSubMenu(gui, At(0, 0, 80, 5, menus.back()), "", {1, nullptr},
                                       DOCK_TO_EDGE_BOTTOM))
        menus.push_back(inner);
    ASSERT_GT(menus.size(), 50u);
    for (CONTROL* menu : menus)
        ASSERT_TRUE(MenuExpand(menu));
    Frame();
    const CONTROL& innermost = *menus.back()->Node->children.front().control;
    Click(CentreX(innermost), CentreY(innermost));
    for (CONTROL* menu : menus)
        EXPECT_TRUE(Open(menu));

    ASSERT_TRUE(MenuCollapse(menus.front()));
    for (CONTROL* menu : menus)
        EXPECT_FALSE(Open(menu));
    EXPECT_FALSE(MenuExpand(CreateButton(gui, At(0, 0, 5, 5), "", {1, nullptr})));
}

} // namespace
