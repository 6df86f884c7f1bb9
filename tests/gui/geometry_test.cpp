// Fit, inherit and dock against the window and against a parent, and the split sizes a
// style gives a box.
#include "gui/gui_support.h"

#include "gui/gui_geometry.h"

#include <cmath>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class Geometry : public OvTest::GuiTest
{
  protected:
    CONTROL* Add(CONTROL* parent, float x, float y, float w, float h, uint32_t behaviour)
    {
        CONTROL* control = gui.AddControl(new CONTROL, parent);
        control->Position = OV_VECTOR_F(x, y);
        control->Size = OV_VECTOR_F(w, h);
        control->Behaviour = behaviour;
        return control;
    }
};

TEST_F(Geometry, DocksInsideTheWindowsEdges)
{
    CONTROL* control =
        Add(nullptr, 3, 4, 100, 50, DOCK_TO_EDGE_RIGHT_INSIDE | DOCK_TO_EDGE_BOTTOM_INSIDE);
    ASSERT_TRUE(FitAndDock(*control));
    EXPECT_EQ(control->Position, OV_VECTOR_F(700, 550));
}

TEST_F(Geometry, CentralizeUsesTheParentsSizeAndMargins)
{
    CONTROL* parent = Add(nullptr, 0, 0, 200, 100, 0);
    parent->MarginLeft = 10;
    parent->MarginTop = 4;
    CONTROL* child = Add(parent, 0, 0, 50, 20, CENTRALIZE);
    ASSERT_TRUE(FitAndDock(*child));
    EXPECT_EQ(child->Position, OV_VECTOR_F(65, 36));
}

TEST_F(Geometry, FitToEdgeMovesThePositionIntoTheSizeOnce)
{
    CONTROL* parent = Add(nullptr, 0, 0, 300, 200, 0);
    CONTROL* child = Add(parent, 10, 20, 0, 0, FIT_TO_EDGE);
    for (int frame = 0; frame < 2; ++frame)
    {
        ASSERT_TRUE(FitAndDock(*child));
        EXPECT_EQ(child->Position, OV_VECTOR_F(0, 0));
        EXPECT_EQ(child->Size, OV_VECTOR_F(300, 200));
    }
}

TEST_F(Geometry, StepsRunInTheirOrder)
{
    // Inherit first, then dock outside the top-left: the docking sees the inherited size.
    CONTROL* parent = Add(nullptr, 0, 0, 120, 80, 0);
    parent->MarginBottom = 5;
    parent->MarginRight = 7;
    CONTROL* child = Add(parent, 9, 9, 1, 1, INHERIT_SIZE | DOCK_TO_EDGE_TOP | DOCK_TO_EDGE_LEFT);
    FitAndDock(*child);
    EXPECT_EQ(child->Position, OV_VECTOR_F(-120, -80));
    child->Behaviour = DOCK_TO_EDGE_BOTTOM | DOCK_TO_EDGE_RIGHT;
    FitAndDock(*child);
    EXPECT_EQ(child->Position, OV_VECTOR_F(113, 75));
}

TEST_F(Geometry, NoRoomWithoutAParentOrAWindow)
{
    CONTROL loose;
    EXPECT_FALSE(FitAndDock(loose));
    CONTROL* top = Add(nullptr, 0, 0, 1, 1, INHERIT_SIZE);
    gui.Window = nullptr;
    EXPECT_FALSE(FitAndDock(*top));
    EXPECT_EQ(top->Size, OV_VECTOR_F(1, 1));
}

TEST(StyleSplits, PercentagesAndLimits)
{
    GUI_STYLE style;
    style.AreaSplit[SPLIT_LEFT] = 25;
    style.AreaSplitPercent[SPLIT_LEFT] = '%';
    style.AreaSplit[SPLIT_RIGHT] = 190;
    style.AreaSplit[SPLIT_TOP] = 300;
    style.AreaSplit[SPLIT_BOTTOM] = 10;
    float splits[4];
    style.SplitsFor(200, 100, splits);
    EXPECT_EQ(splits[SPLIT_LEFT], 50);
    EXPECT_EQ(splits[SPLIT_RIGHT], 150); // width - left
    EXPECT_EQ(splits[SPLIT_TOP], 100);
    EXPECT_EQ(splits[SPLIT_BOTTOM], 0);
    style.SplitsFor(-5, NAN, splits); // a box of no size has no borders
    for (float split : splits)
        EXPECT_EQ(split, 0);
}

} // namespace
