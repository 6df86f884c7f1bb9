// The factories' part trees: tags, flags, margins and styles from the skin, title-button
// placement, default styles for missing skins, combo list docking, menu stacking and the
// undoing of a composite that cannot be attached whole.
#include "gui/gui_support.h"

#include "gui/gui_factories.h"
#include "gui/gui_geometry.h"
#include "gui/gui_skin.h"

#include <iterator>

using namespace OvCore;
using namespace OvCore::OV_GUI;
using OvCore::Com::C_GUI_CONTROL;

namespace
{

class SkinBinding : public OvTest::GuiTest
{
  protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        GUI_SKIN& skin = *gui.Skins.Get("k");
        for (const char* element : {"AreaActive", "AreaBarActive", "ButtonClose", "ButtonMin",
                                    "AreaOver", "Barv", "BarV", "ListArea"})
            *skin.Get(element) = (std::string("style-") + element).c_str();
    }
    STYLE_REF Named(const char* element)
    {
        return gui.Styles.Find((std::string("style-") + element).c_str());
    }
    static CONTROL* Child(const CONTROL* control, size_t i)
    {
        if (!control || control->Node->children.size() <= i)
            return nullptr;
        return std::next(control->Node->children.begin(), long(i))->control.get();
    }
    PLACE At(float x, float y, float w, float h, CONTROL* parent = nullptr,
             const char* name = nullptr)
    {
        return PLACE{"k", name, OV_VECTOR_F(x, y), OV_VECTOR_F(w, h), parent};
    }
    // Fit and dock the subtree under the control, as the layout pass does, parents first.
    static void Dock(CONTROL* control)
    {
        FitAndDock(*control);
        for (CONTROL_NODE& child : control->Node->children)
            Dock(child.control.get());
    }
};

TEST_F(SkinBinding, WindowWithCloseAndMinimiseButtons)
{
    CONTROL* content = CreateWindow(gui, At(100, 50, 300, 200, nullptr, "w"), "Title",
                                    WINDOW_CLOSE_BUTTON | WINDOW_MINIMISE_BUTTON,
                                    OvHandle{1, nullptr}, {1, 2, 3, 4});
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(*gui.NamedControls.Find("w"), content);
    CONTROL* window = content->Parent();
    EXPECT_TRUE(window->HasTag("winarea"));
    EXPECT_NE(dynamic_cast<__window*>(window), nullptr);
    EXPECT_EQ(window->MarginTop, 24);
    EXPECT_EQ(window->CutMarginTop, -24);
    EXPECT_EQ(window->StyleActive, Named("AreaBarActive"));
    EXPECT_EQ(Child(window, 0), content); // the content comes first; no title bar
    EXPECT_NE(dynamic_cast<C_GUI_CONTROL*>(content), nullptr);
    EXPECT_EQ(content->Behaviour, FIT_TO_EDGE);
    EXPECT_EQ(content->MarginBottom, 2);
    EXPECT_EQ(content->MarginRight, 4);

    CONTROL* close = Child(window, 1);
    CONTROL* minimise = Child(window, 2);
    ASSERT_EQ(window->Node->children.size(), 3u);
    EXPECT_TRUE(close->HasTag("btnclose"));
    EXPECT_TRUE(minimise->HasTag("btnmini"));
    EXPECT_EQ(close->Behaviour, 0x840u);
    EXPECT_EQ(Child(close, 0)->StyleActive, Named("ButtonClose"));
    EXPECT_EQ(Child(minimise, 0)->StyleUnactive, Named("ButtonMin"));
    EXPECT_FALSE(Child(close, 0)->Hitable);
    Dock(window);
    // The right edge, and 32 to its left: the box starts at x + MarginLeft.
    EXPECT_EQ(close->Position.x + close->MarginLeft, 300 - 32);
    EXPECT_EQ(minimise->Position.x + minimise->MarginLeft, 300 - 64);
    EXPECT_EQ(close->Position.y, -24);
}

TEST_F(SkinBinding, WindowWithEveryPartAndWithoutAny)
{
    CONTROL* content =
        CreateWindow(gui, At(0, 0, 200, 100), "Title", 0xF, OvHandle{1, nullptr}, {});
    CONTROL* window = content->Parent();
    ASSERT_EQ(window->Node->children.size(), 5u);
    CONTROL* bar = Child(window, 1);
    EXPECT_TRUE(bar->HasTag("bar"));
    EXPECT_EQ(bar->Behaviour, 0x50u);
    EXPECT_EQ(bar->Size, OV_VECTOR_F(200, 24));
    EXPECT_EQ(bar->Text, "Title");
    const char* tags[] = {"btnclose", "btnfull", "btnmini"};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE(Child(window, 2 + i)->HasTag(tags[i]));
        EXPECT_EQ(Child(window, 2 + i)->MarginRight, 32.0f * i);
    }

    CONTROL* plain = CreateWindow(gui, At(0, 0, 200, 100), "", 0, OvHandle{1, nullptr}, {});
    EXPECT_EQ(plain->Parent()->MarginTop, 0);
    EXPECT_EQ(plain->Parent()->StyleActive, Named("AreaActive"));
    EXPECT_EQ(plain->Parent()->Node->children.size(), 1u);
}

TEST_F(SkinBinding, MissingSkinsAndElementsGiveTheDefaultStyle)
{
    EXPECT_FALSE(gui.Styles.Find(""));
    PLACE place = At(0, 0, 10, 10);
    place.skin = "no such skin";
    CONTROL* label = CreateStatic(gui, place, "hi");
    ASSERT_TRUE(label->StyleActive);
    EXPECT_EQ(label->StyleActive, gui.Styles.Find(""));
    EXPECT_EQ(label->StyleUnactive, label->StyleActive);
    EXPECT_EQ(label->StyleActive->AreaColors[AREA_MIDDLE][2], OV_VECTOR_F(1, 1, 1, 1));
    EXPECT_EQ(label->StyleActive->AreaTexture[AREA_MIDDLE].object, nullptr);
    EXPECT_TRUE(gui.Skins.Find("no such skin"));
    EXPECT_EQ(StyleOf(gui, "k", "Unlisted"), gui.Styles.Find(""));
}

TEST_F(SkinBinding, ScrollPlaneAndListBoxParts)
{
    CONTROL* content = CreateListBox(gui, At(0, 0, 200, 100), 12, 10, 400, 800, {1, 1, 1, 1});
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->HasTag("listbox"));
    CONTROL* outer = content->Parent();
    EXPECT_TRUE(outer->HasTag("scrollarea"));
    EXPECT_NE(dynamic_cast<__default*>(outer), nullptr);
    EXPECT_EQ(outer->MarginRight, 12);
    EXPECT_EQ(outer->MarginBottom, 10);
    EXPECT_EQ(outer->CutMarginBottom, -10);
    CONTROL* hTrack = Child(outer, 1);
    CONTROL* vTrack = Child(outer, 2);
    EXPECT_TRUE(hTrack->HasTag("hscrollb"));
    EXPECT_EQ(hTrack->Behaviour, 0x8Cu);
    EXPECT_EQ(hTrack->Size.y, 10);
    EXPECT_TRUE(vTrack->HasTag("vscrollb"));
    EXPECT_EQ(vTrack->Behaviour, 0x203u);
    auto* vThumb = dynamic_cast<__scroll*>(Child(vTrack, 0));
    ASSERT_NE(vThumb, nullptr);
    EXPECT_TRUE(vThumb->HasTag("vscrollf"));
    EXPECT_EQ(vThumb->ContentLength, 800);
    EXPECT_EQ(vThumb->Behaviour, INHERIT_WIDTH);
    EXPECT_EQ(Child(hTrack, 0)->Behaviour, INHERIT_HEIGHT);
}

TEST_F(SkinBinding, ComboListDocksBelowUnlessGivenAnotherDock)
{
    auto listOuter = [this](uint32_t dock)
    {
        CONTROL* box = CreateComboBox(gui, At(0, 0, 100, 20), OV_VECTOR_F(100, 80),
                                      OV_VECTOR_F(10, 0), {}, dock, 16);
        CONTROL* face = Child(box, 0);
        EXPECT_TRUE(face->HasTag("comboboxm"));
        EXPECT_TRUE(Child(face, 1)->HasTag("comboboxic"));
        EXPECT_EQ(Child(face, 1)->Behaviour, 0x2800u);
        EXPECT_EQ(Child(face, 1)->Size, OV_VECTOR_F(16, 16));
        return Child(face, 0);
    };
    CONTROL* below = listOuter(0x40);
    EXPECT_EQ(below->Behaviour, DOCK_TO_EDGE_BOTTOM);
    EXPECT_FALSE(below->Active);
    EXPECT_FALSE(below->Visible);
    EXPECT_NE(dynamic_cast<__combo*>(Child(below, 0)), nullptr);
    EXPECT_TRUE(Child(below, 0)->HasTag("comboboxl"));
    EXPECT_EQ(listOuter(0x140)->Behaviour, 0x140u);
    EXPECT_EQ(listOuter(0x4000)->Behaviour, DOCK_TO_EDGE_BOTTOM);
}

TEST_F(SkinBinding, MenuEntriesStackInTheList)
{
    CONTROL* menu =
        CreateMenu(gui, At(0, 0, 60, 20), "File", OvHandle{1, nullptr}, DOCK_TO_EDGE_BOTTOM);
    ASSERT_NE(menu, nullptr);
    CONTROL* list = Child(Child(menu, 0), 0);
    EXPECT_TRUE(list->HasTag("menulist"));
    EXPECT_FALSE(list->Visible);
    EXPECT_EQ(list->StyleActive, Named("ListArea"));
    CONTROL* a = AddMenuButton(gui, At(0, 0, 90, 20, menu), "Open", OvHandle{1, nullptr});
    CONTROL* b =
        AddSubMenu(gui, At(0, 0, 90, 20, menu), "Recent", OvHandle{1, nullptr}, DOCK_TO_EDGE_RIGHT);
    CONTROL* c = AddMenuButton(gui, At(0, 0, 120, 30, menu), "Quit", OvHandle{1, nullptr});
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->Position.y, 0);
    EXPECT_EQ(b->Position.y, 20);
    EXPECT_EQ(c->Position.y, 40);
    EXPECT_EQ(list->Size, OV_VECTOR_F(120, 70));
    EXPECT_EQ(a->Size.x, 120); // restacked to the last width
    EXPECT_TRUE(b->HasTag("menuitem"));
    EXPECT_EQ(Child(Child(b, 0), 0)->Behaviour, DOCK_TO_EDGE_RIGHT);
    EXPECT_EQ(AddMenuButton(gui, At(0, 0, 10, 10, a), "x", OvHandle{1, nullptr}),
              nullptr); // not a menu
}

TEST_F(SkinBinding, SmallComposites)
{
    CONTROL* vertical = CreateSlider(gui, At(0, 0, 20, 100));
    EXPECT_TRUE(Child(vertical, 0)->HasTag("vbar"));
    EXPECT_EQ(Child(vertical, 0)->StyleActive, Named("Barv"));
    EXPECT_EQ(Child(vertical, 0)->StyleUnactive, Named("BarV"));
    CONTROL* handle = Child(Child(vertical, 0), 0);
    EXPECT_EQ(handle->Size, OV_VECTOR_F(20, 20));
    EXPECT_EQ(handle->Behaviour, DOCK_TO_CENTER);
    CONTROL* horizontal = CreateSlider(gui, At(0, 0, 100, 20));
    EXPECT_TRUE(Child(horizontal, 0)->HasTag("hbar"));
    EXPECT_EQ(Child(Child(horizontal, 0), 0)->Position, OV_VECTOR_F(40, 0));

    CONTROL* checks = CreateCheckBox(gui, At(0, 0, 100, 50), 5, 7, 3);
    EXPECT_TRUE(checks->HasTag("checkbox"));
    EXPECT_EQ(checks->Size.y, 62);
    EXPECT_TRUE(CreateOptionBox(gui, At(0, 0, 1, 1), 0, 0, 0)->HasTag("optionbox"));

    auto* edit =
        dynamic_cast<__edit*>(Child(CreateEditBox(gui, At(0, 0, 100, 20), "abc", true), 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text, "***");
    EXPECT_EQ(edit->Before, "abc");
    EXPECT_TRUE(edit->HasTag("editbox"));

    auto* face = dynamic_cast<__button*>(
        Child(CreateButton(gui, At(0, 0, 50, 20), "OK", OvHandle{1, nullptr}), 0));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->HoverStyle, Named("AreaOver"));
    EXPECT_EQ(face->NormalStyle, Named("AreaActive"));
    EXPECT_FALSE(face->StyleActive);

    CONTROL* progress = CreateProgressBar(gui, At(0, 0, 100, 10), {1, 2, 3, 4});
    EXPECT_EQ(progress->CutMarginRight, 4);
    EXPECT_EQ(Child(progress, 0)->Position, OV_VECTOR_F(3, 0));
    EXPECT_FALSE(Child(progress, 0)->Hitable);
    EXPECT_EQ(CreateGroup(gui, At(0, 0, 1, 1), "G")->Text, "G");
}

TEST_F(SkinBinding, ACompositeThatCannotBeAttachedWholeLeavesNothing)
{
    CONTROL* deep = nullptr;
    for (uint32_t depth = 1; depth < GUI_SYSTEM::DEPTH_LIMIT; ++depth)
        deep = gui.AddControl(new CONTROL, deep);
    const size_t before = deep->Node->children.size();
    // The window fits, its content does not.
    EXPECT_EQ(CreateWindow(gui, At(0, 0, 10, 10, deep, "late"), "", 0xF, OvHandle{1, nullptr}, {}),
              nullptr);
    EXPECT_EQ(deep->Node->children.size(), before);
    EXPECT_FALSE(gui.NamedControls.Find("late"));
    CONTROL* last = gui.AddControl(new CONTROL, deep);
    EXPECT_EQ(CreateStatic(gui, At(0, 0, 1, 1, last), ""), nullptr); // not even the first part
}

} // namespace
