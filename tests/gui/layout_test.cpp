// The layout pass: the nine areas' corners from the box, the splits, the margins and the
// offsets, fitting before the corners, styles by activity, and its place in the scene step.
#include "gui/gui_support.h"

#include "app/ov_application.h"
#include "gui/gui_layout.h"
#include "support/scene_fixture.h"

#include <array>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class Layout : public OvTest::GuiTest
{
  protected:
    CONTROL* Add(CONTROL* parent, float x, float y, float w, float h)
    {
        CONTROL* control = gui.AddControl(new CONTROL, parent);
        control->Position = OV_VECTOR_F(x, y);
        control->Size = OV_VECTOR_F(w, h);
        return control;
    }
    STYLE_REF Style(const char* name, float top, float bottom, float left, float right)
    {
        STYLE_REF style = gui.Styles.Get(name);
        const float splits[4] = {top, bottom, left, right};
        for (int i = 0; i < 4; ++i)
            style->AreaSplit[i] = splits[i];
        return style;
    }
    // The corners of an area as left, top, right, bottom, after checking that they form an
    // upright rectangle with w = 1.
    static std::array<float, 4> Box(const CONTROL& control, int area)
    {
        const OV_VECTOR_F* c = control.Areas[area];
        EXPECT_EQ(c[0].y, c[1].y);
        EXPECT_EQ(c[1].x, c[2].x);
        EXPECT_EQ(c[2].y, c[3].y);
        EXPECT_EQ(c[3].x, c[0].x);
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(c[corner].w, 1.0f);
        return {c[0].x, c[0].y, c[2].x, c[2].y};
    }
    using BOX = std::array<float, 4>;
};

TEST_F(Layout, AStyleWithoutSplitsMakesTheMiddleTheWholeBox)
{
    CONTROL* parent = Add(nullptr, 0, 0, 400, 300);
    CONTROL* control = Add(parent, 10, 20, 100, 50);
    control->StyleActive = Style("plain", 0, 0, 0, 0);
    LayoutPass(gui);
    EXPECT_EQ(control->TopLeft(), OV_VECTOR_F(10, 20));
    EXPECT_EQ(control->BottomRight(), OV_VECTOR_F(110, 70));
    EXPECT_EQ(Box(*control, AREA_TOP_LEFT), (BOX{10, 20, 10, 20}));
    EXPECT_EQ(Box(*control, AREA_TOP), (BOX{10, 20, 110, 20}));
    EXPECT_EQ(Box(*control, AREA_LEFT), (BOX{10, 20, 10, 70}));
    EXPECT_EQ(Box(*control, AREA_MIDDLE), (BOX{10, 20, 110, 70}));
    EXPECT_EQ(Box(*control, AREA_RIGHT), (BOX{110, 20, 110, 70}));
    EXPECT_EQ(Box(*control, AREA_BOTTOM), (BOX{10, 70, 110, 70}));
    EXPECT_EQ(Box(*control, AREA_BOTTOM_RIGHT), (BOX{110, 70, 110, 70}));
}

// Odd sizes and positions: every area starts exactly where its neighbour ends.
TEST_F(Layout, TheNineAreasTileTheBoxAtOddSizes)
{
    CONTROL* control = Add(nullptr, 13, 7, 101, 57);
    control->StyleActive = Style("framed", 3, 5, 7, 9);
    LayoutPass(gui);
    const float columns[4] = {13, 20, 105, 114}, rows[4] = {7, 10, 59, 64};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(Box(*control, row * 3 + column),
                      (BOX{columns[column], rows[row], columns[column + 1], rows[row + 1]}))
                << "area " << row * 3 + column;
}

TEST_F(Layout, PercentSplitsAndSplitsTooLargeForTheBox)
{
    CONTROL* control = Add(nullptr, 0, 0, 200, 100);
    STYLE_REF style = Style("cut", 300, 40, 25, 250);
    style->AreaSplitPercent[SPLIT_LEFT] = '%';
    control->StyleActive = style;
    LayoutPass(gui);
    EXPECT_EQ(Box(*control, AREA_TOP_LEFT), (BOX{0, 0, 50, 100})); // left 25% of 200, top cut
    EXPECT_EQ(Box(*control, AREA_BOTTOM_RIGHT), (BOX{50, 100, 200, 100})); // right 150, bottom 0
}

TEST_F(Layout, ChildrenArePlacedFromTheParentsInsetTopLeftAndOffsets)
{
    CONTROL* window = Add(nullptr, 40, 30, 300, 200);
    window->MarginLeft = 5;
    window->MarginTop = 24;
    window->MarginRight = 3;
    window->MarginBottom = 2;
    window->ChildOffset = OV_VECTOR_F(0, -600, 0, 1);
    CONTROL* content = Add(window, 10, 10, 50, 800);
    content->Offset = OV_VECTOR_F(2, 1, 0, 1);
    CONTROL* item = Add(content, 1, 1, 4, 4);
    LayoutPass(gui);
    EXPECT_EQ(window->TopLeft(), OV_VECTOR_F(45, 54));
    EXPECT_EQ(window->BottomRight(), OV_VECTOR_F(337, 228));
    EXPECT_EQ(content->TopLeft(), OV_VECTOR_F(45 + 10 + 2, 54 + 10 - 600 + 1));
    EXPECT_EQ(content->BottomRight(), OV_VECTOR_F(45 + 60 + 2, 54 + 810 - 600 + 1));
    EXPECT_EQ(item->TopLeft(), OV_VECTOR_F(57 + 1, -535 + 1));
}

// Fitting runs first, against the parent's size and margins (the window for top-level
// controls), so the corners follow the fitted box.
TEST_F(Layout, TheCornersFollowTheFittedBox)
{
    CONTROL* top = Add(nullptr, 0, 0, 100, 40);
    top->Behaviour = DOCK_TO_EDGE_RIGHT_INSIDE | DOCK_TO_EDGE_BOTTOM_INSIDE;
    top->MarginTop = 10;
    CONTROL* filled = Add(top, 0, 0, 0, 0);
    filled->Behaviour = FIT_TO_EDGE;
    LayoutPass(gui);
    EXPECT_EQ(top->TopLeft(), OV_VECTOR_F(700, 570));
    EXPECT_EQ(top->BottomRight(), OV_VECTOR_F(800, 600));
    EXPECT_EQ(filled->Size, OV_VECTOR_F(100, 30));
    EXPECT_EQ(filled->TopLeft(), OV_VECTOR_F(700, 570));
    EXPECT_EQ(filled->BottomRight(), OV_VECTOR_F(800, 600));
}

TEST_F(Layout, AnInactiveControlTakesTheSplitsOfItsUnactiveStyle)
{
    CONTROL* control = Add(nullptr, 0, 0, 100, 100);
    control->StyleActive = Style("on", 10, 10, 10, 10);
    control->StyleUnactive = Style("off", 20, 20, 20, 20);
    control->Active = false;
    LayoutPass(gui);
    EXPECT_EQ(Box(*control, AREA_MIDDLE), (BOX{20, 20, 80, 80}));
    control->Active = true;
    control->StyleActive = STYLE_REF();
    LayoutPass(gui);
    EXPECT_EQ(Box(*control, AREA_MIDDLE), (BOX{0, 0, 100, 100})); // no style, no splits
}

TEST_F(Layout, NothingIsLaidOutWithoutAWindowOrOutsideATree)
{
    CONTROL* control = Add(nullptr, 10, 10, 20, 20);
    control->Behaviour = INHERIT_SIZE;
    gui.Window = nullptr;
    LayoutPass(gui);
    LayoutControl(*control);
    EXPECT_EQ(control->BottomRight(), OV_VECTOR_F());
    EXPECT_EQ(control->Size, OV_VECTOR_F(20, 20));
    CONTROL loose;
    loose.Size = OV_VECTOR_F(5, 5);
    LayoutControl(loose);
    EXPECT_EQ(loose.BottomRight(), OV_VECTOR_F());
}

// The scene step lays out on updating frames only, before the input pass of the same frame:
// a control whose box was never computed is hovered in its first frame.
TEST_F(Layout, TheSceneStepLaysOutBeforeTheInputPass)
{
    GUI_SYSTEM& appGui = Application().gui;
    auto* probe = static_cast<OvTest::PROBE*>(appGui.AddControl(new OvTest::PROBE));
    probe->Position = OV_VECTOR_F(50, 60);
    probe->Size = OV_VECTOR_F(20, 20);
    appGui.Window = windowRecord;
    MoveTo(55, 65);
    OvTest::Step(false, false);
    EXPECT_EQ(probe->BottomRight(), OV_VECTOR_F());
    EXPECT_FALSE(probe->seen & MOUSE_OVER);
    OvTest::Step(true, false);
    EXPECT_EQ(probe->BottomRight(), OV_VECTOR_F(70, 80));
    EXPECT_TRUE(probe->seen & MOUSE_OVER);
    Application().ReleaseAll();
    appGui.Window = nullptr;
}

} // namespace
