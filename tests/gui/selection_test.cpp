// List, check, option and combo boxes built by the factories with the default theme and
// driven by clicks through the layout and input passes: stacking, selection with and
// without Ctrl, the styles of each state, what the owners hear, the queries, taking rows
// out, and what the operations refuse.
#include "gui/gui_support.h"

#include "app/ov_application.h"
#include "gui/gui_draw.h"
#include "gui/gui_factories.h"
#include "gui/gui_items.h"
#include "gui/gui_layout.h"
#include "gui/gui_skin.h"
#include "orvane_core.h"
#include "support/pixels.h"
#include "support/window_fixture.h"

#include <cmath>
#include <filesystem>
#include <vector>

using namespace OvCore;
using namespace OvCore::OV_GUI;
using ROWS = std::vector<CONTROL*>;

namespace
{

std::vector<uint32_t> heard; // command bits an owner got

void Hear(Com::C_GUI_CONTROL* owner)
{
    if (owner->Events & 0x7800)
        heard.push_back(owner->Events & 0x7800);
}

// The theme's textures need the engine and a window for the suite.
class Selection : public OvTest::GuiTest
{
  protected:
    static void SetUpTestSuite()
    {
        OvInitiation();
        windowOpen = OvTest::OpenSuiteWindow(32, 32);
    }
    static void TearDownTestSuite()
    {
        OvTest::CloseSuiteWindow();
        OvClosure();
    }
    void SetUp() override
    {
        GuiTest::SetUp();
        heard.clear();
        ASSERT_TRUE(windowOpen && OvTest::PrepareSuiteWindow());
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(OV_SOURCE_DIR); // the theme names its files from here
        const bool loaded = gui.LoadTheme("themes/default.xml", "default");
        std::filesystem::current_path(previous);
        ASSERT_TRUE(loaded);
    }
    void Frame()
    {
        LayoutPass(gui);
        Pass();
    }
    void Click(int x, int y, bool ctrl = false)
    {
        if (ctrl)
            KeyDown(17);
        MoveTo(x, y);
        Press();
        Frame();
        Release();
        Frame();
        KeyUp(17);
    }
    STYLE_REF Style(const char* element) { return StyleOf(gui, "default", element); }
    static CONTROL* Child(const CONTROL* control)
    {
        return control->Node->children.front().control.get();
    }
    ROWS Selected(const CONTROL* container)
    {
        ROWS out{nullptr};
        GetSelectedItems(container, out);
        return out;
    }
    // A list box at (10, 10) with rows 20, 30 and 20 high: on screen at y 10, 30 and 60.
    void MakeList()
    {
        list = CreateListBox(gui, {"default", "list", {10, 10}, {200, 100}}, 10, 10, 0, 0, {});
        for (float height : {20.0f, 30.0f, 20.0f})
            rows.push_back(AddListItem("default", "row", height, list));
        ASSERT_TRUE(rows[0] && rows[1] && rows[2]);
        Frame();
    }
    float ListContentHeight() // the length the vertical thumb was given
    {
        for (CONTROL_NODE& part : list->Parent()->Node->children)
            if (part.control->HasTag("vscrollb"))
                return static_cast<__scroll*>(Child(part.control.get()))->ContentLength;
        return -1;
    }

    static inline bool windowOpen = false;
    CONTROL* list = nullptr;
    std::vector<__list*> rows;
};

TEST_F(Selection, ListRowsStackAndClicksSelectOneOrWithCtrlMore)
{
    MakeList();
    EXPECT_EQ(rows[1]->Position.y, 20);
    EXPECT_EQ(rows[2]->Position.y, 50);
    EXPECT_EQ(rows[1]->TopLeft(), OV_VECTOR_F(10, 30));
    EXPECT_EQ(rows[1]->BottomRight().x, list->BottomRight().x); // fitted to the content
    EXPECT_EQ(ListContentHeight(), 70);

    Click(50, 40);
    Click(50, 70);
    EXPECT_EQ(Selected(list), (ROWS{rows[2]}));
    EXPECT_EQ(rows[1]->StyleActive, Style("CellActive"));
    EXPECT_EQ(rows[2]->StyleActive, Style("CellSelected"));
    Click(50, 40, true);
    EXPECT_EQ(Selected(list), (ROWS{rows[1], rows[2]}));
    Click(50, 70, true); // a selected row unselects, the other stays
    EXPECT_EQ(Selected(list), (ROWS{rows[1]}));
    EXPECT_EQ(rows[2]->StyleActive, Style("CellOver"));
    ROWS others;
    GetUnselectedItems(list, others);
    EXPECT_EQ(others, (ROWS{rows[0], rows[2]}));
    Click(50, 20);
    EXPECT_EQ(Selected(list), (ROWS{rows[0]}));

    MoveTo(50, 70); // the cursor lights up unselected rows only
    Frame();
    EXPECT_EQ(rows[2]->StyleActive, Style("CellOver"));
    MoveTo(50, 20);
    Frame();
    EXPECT_EQ(rows[2]->StyleActive, Style("CellActive"));
    EXPECT_EQ(rows[0]->StyleActive, Style("CellSelected"));
}

TEST_F(Selection, CheckBoxesCentreTheirBoxesAndToggle)
{
    CONTROL* checks = CreateCheckBox(gui, {"default", "checks", {10, 150}, {200, 100}}, 0, 0, 0);
    CONTROL* first = AddCheckItem("default", "first", 20, {12, 12}, checks);
    CONTROL* second = AddCheckItem("default", "second", 24, {12, 12}, checks);
    ASSERT_TRUE(first && second);
    auto* box = static_cast<__check*>(Child(first));
    EXPECT_EQ(box->Position, OV_VECTOR_F(6, 6));
    EXPECT_EQ(Child(second)->Position, OV_VECTOR_F(6, 6));
    EXPECT_EQ(box->StyleActive, Style("CellActiveOff"));
    Frame();

    Click(20, 160);
    EXPECT_TRUE(box->Checked);
    EXPECT_EQ(box->StyleActive, Style("CellActiveOn"));
    EXPECT_EQ(box->StyleUnactive, Style("CellUnactiveOn"));
    EXPECT_EQ(Selected(checks), (ROWS{first}));
    Click(100, 160); // on the row beside the box: nothing
    Click(20, 160);
    EXPECT_FALSE(box->Checked);
    EXPECT_EQ(box->StyleUnactive, Style("CellUnactiveOff"));
    EXPECT_TRUE(Selected(checks).empty());
}

// Three 20-high rows with 10 x 10 boxes, each centred at (5, 5) in its row.
TEST_F(Selection, OneOptionAtATimeAndCtrlLeavesNone)
{
    auto* options = static_cast<Com::C_GUI_CONTROL*>(
        CreateOptionBox(gui, {"default", "options", {250, 10}, {200, 100}}, 0, 0, 0));
    options->EventProc = Hear;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(AddOptionItem("default", "option", 20, {10, 10}, options));
    ROWS all;
    GetItems(options, all);
    EXPECT_EQ(Child(all[2])->Position, OV_VECTOR_F(5, 5));
    Frame();

    Click(258, 38);
    EXPECT_EQ(GetSelectedOption(options), all[1]);
    Click(258, 58);
    EXPECT_EQ(GetSelectedOption(options), all[2]);
    EXPECT_EQ(Child(all[1])->StyleActive, Style("CellActiveOff"));
    EXPECT_EQ(Child(all[2])->StyleActive, Style("CellActiveOn"));
    Click(258, 58, true);
    EXPECT_EQ(GetSelectedOption(options), nullptr);
    ROWS unselected;
    GetUnselectedItems(options, unselected);
    EXPECT_EQ(unselected, all);
    EXPECT_EQ(heard, (std::vector<uint32_t>(3, OPTION_CLICKED)));
}

TEST_F(Selection, RowsComeOutRestackedAndBadInputIsRefused)
{
    MakeList();
    EXPECT_FALSE(RemoveItem(list, 3));
    EXPECT_FALSE(RemoveItem(list, -1));
    EXPECT_FALSE(RemoveItem(nullptr, 0));
    ASSERT_TRUE(RemoveItem(list, 1));
    EXPECT_EQ(rows[2]->Position.y, 20);
    EXPECT_EQ(ListContentHeight(), 70); // the content size stays
    ROWS out{list};
    GetItems(nullptr, out);
    EXPECT_TRUE(out.empty());

    CONTROL* checks = CreateCheckBox(gui, {"default", "checks", {10, 150}, {200, 100}}, 0, 0, 0);
    ASSERT_TRUE(CreateStatic(gui, {"default", "", {0, 0}, {10, 10}, checks}, ""));
    EXPECT_FALSE(ClearItems(Child(checks))); // not a container
    EXPECT_FALSE(AddListItem("default", "x", 20, checks));
    EXPECT_FALSE(AddCheckItem("default", "x", 20, {12, 12}, list));
    EXPECT_FALSE(AddListItem("default", "x", NAN, list));
    EXPECT_FALSE(AddListItem("default", "x", -1, list));
    EXPECT_FALSE(AddListItem("default", "x", ITEM_SIZE_LIMIT * 2, list));
    EXPECT_FALSE(AddCheckItem("default", "x", 20, {INFINITY, 12}, checks));
    EXPECT_TRUE(ClearItems(checks));
    EXPECT_EQ(CountItems(checks), 0u);

    while (CountItems(list) < ITEM_LIMIT)
        ASSERT_TRUE(AddListItem("default", "more", 1, list));
    EXPECT_FALSE(AddListItem("default", "one too many", 1, list));
    EXPECT_EQ(CountItems(list), ITEM_LIMIT);
    EXPECT_EQ(ListContentHeight(), 20 + 20 + ITEM_LIMIT - 2);
}

// A combo box at (20, 20), 100 x 20, whose list opens below it: items at y 40 and 60.
class Combo : public Selection
{
  protected:
    void SetUp() override
    {
        Selection::SetUp();
        box = static_cast<Com::C_GUI_CONTROL*>(CreateComboBox(
            gui, {"default", "combo", {20, 20}, {100, 20}}, {100, 60}, {8, 8}, {}, 0, 12));
        ASSERT_TRUE(box);
        box->EventProc = Hear;
        outer = Child(Child(box));
        items = static_cast<__combo*>(Child(outer));
        alpha = AddComboItem("default", "alpha", 20, box); // as a layout file adds them
        beta = AddComboItem("default", "beta", 20, items);
        ASSERT_TRUE(alpha && beta);
        Frame();
    }
    bool Open() const { return outer->Active && outer->Visible; }

    Com::C_GUI_CONTROL* box = nullptr;
    CONTROL* outer = nullptr;
    __combo* items = nullptr;
    __comboitem *alpha = nullptr, *beta = nullptr;
};

TEST_F(Combo, ChoosingAnItemClosesTheListAndShowsItsText)
{
    EXPECT_FALSE(Open());
    Click(50, 30);
    EXPECT_TRUE(Open());
    Click(50, 30); // pressing the box again keeps it open
    EXPECT_TRUE(Open());
    MoveTo(50, 65);
    Frame();
    EXPECT_EQ(beta->StyleActive, Style("CellOver"));
    Click(50, 65);
    EXPECT_FALSE(Open());
    EXPECT_STREQ(box->Text.Text(), "beta");
    EXPECT_EQ(beta->StyleActive, Style("CellActive"));
    EXPECT_EQ(Selected(items), (ROWS{beta}));
    EXPECT_EQ(heard, (std::vector<uint32_t>{COMBO_ENTERED, COMBO_OPENED, COMBO_OPENED, COMBO_LEFT,
                                            COMBO_CHOSEN}));
    ASSERT_TRUE(RemoveItem(items, 1)); // the list forgets the item it loses
    EXPECT_EQ(items->SelectedItem, nullptr);
}

TEST_F(Combo, APressElsewhereClosesTheList)
{
    Click(50, 30);
    MoveTo(300, 300);
    Frame();
    EXPECT_TRUE(Open()); // moving away alone does not close it
    Click(300, 300);
    EXPECT_FALSE(Open());
    EXPECT_STREQ(box->Text.Text(), "");
}

// On the 32 x 32 suite window the box fills the top 20 rows; its open list shows below it.
TEST_F(Combo, AnOpenListIsDrawnOutsideTheBox)
{
    gui.Window = Application().WindowNamed("test-window");
    box->Position = OV_VECTOR_F(0, 0);
    outer->Active = outer->Visible = true;
    Application().ClearScreen(0, 0, 0, 1);
    LayoutPass(gui);
    DrawPass(gui, false);
    EXPECT_NE(OvTest::ReadTargetPixel(10, 31 - 26), OvTest::BLACK);
    gui.Window = windowRecord;
}

// The program may empty the list from its callback while the chosen item is still running.
TEST_F(Combo, TheListMayBeClearedWhileAnItemReports)
{
    static CONTROL* doomed;
    doomed = items;
    box->EventProc = [](Com::C_GUI_CONTROL* owner)
    {
        if (owner->Events & COMBO_CHOSEN)
            ClearItems(doomed);
    };
    Click(50, 30);
    Click(50, 65);
    EXPECT_STREQ(box->Text.Text(), "beta");
    EXPECT_EQ(CountItems(items), 0u);
    EXPECT_EQ(items->SelectedItem, nullptr);
    Frame();
}

// The default theme names "CellIUnactive"; a skin that names only "CellUnactive" gives
// inactive items that one rather than the default style.
TEST_F(Combo, InactiveItemsFallBackToCellUnactive)
{
    EXPECT_EQ(alpha->StyleUnactive, Style("CellIUnactive"));
    *gui.Skins.Get("bare")->Get("CellUnactive") = "dim";
    __comboitem* item = AddComboItem("bare", "gamma", 20, items);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->StyleUnactive, gui.Styles.Find("dim"));
    EXPECT_FALSE(AddComboItem("default", "x", 20, outer)); // neither the list nor the box
}

} // namespace
