// Windows, push buttons and scroll planes driven by window messages through the layout and
// input passes: dragging and closing windows, button styles and reports, thumb sizes and
// content offsets.
#include "gui/widget_fixture.h"

#include "gui/gui_skin.h"
#include "gui/gui_widget_ops.h"

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class WindowBehaviour : public OvTest::WidgetTest
{
  protected:
    // The part of the window holding `content` tagged `tag`.
    static CONTROL* Part(CONTROL* content, const char* tag)
    {
        for (CONTROL_NODE& node : content->Node->parent->children)
            if (node.control->HasTag(tag))
                return node.control.get();
        return nullptr;
    }
};

TEST_F(WindowBehaviour, DraggingTheTitleBarMovesTheWindowAndReportsOnce)
{
    CONTROL* content =
        CreateWindow(gui, At(100, 100, 200, 150), "Title", WINDOW_TITLE_BAR, {1, nullptr}, {});
    Listen(content);
    Frame();
    const CONTROL* bar = Part(content, "bar");
    Drag(CentreX(*bar), CentreY(*bar), 5, -3);
    MoveTo(400, 400); // released: the window stays
    Frame();
    EXPECT_EQ(content->Parent()->Position, OV_VECTOR_F(105, 97));
    EXPECT_EQ(Heard(content, WINDOW_MOVED), 1);
    EXPECT_EQ(content->Parent()->Order, -1); // brought to the front
}

TEST_F(WindowBehaviour, TheCloseButtonRemovesTheWindowAfterItsContentHeard)
{
    CONTROL* content = CreateWindow(gui, At(100, 100, 200, 150, nullptr, "win"), "",
                                    WINDOW_CLOSE_BUTTON | WINDOW_MINIMISE_BUTTON, {1, nullptr}, {});
    AddProbe(content, 0, 0, 10, 10);
    static bool inTreeWhenHeard = false;
    static_cast<Com::C_GUI_CONTROL*>(content)->EventProc = [](Com::C_GUI_CONTROL* told)
    {
        if (told->Events & WINDOW_CLOSED)
            inTreeWhenHeard = told->System->Contains(told->Node);
    };
    Frame();
    const CONTROL* close = Part(content, "btnclose");
    EXPECT_EQ(Part(content, "btnmini")->BottomRight().x, close->TopLeft().x);
    const int destroyed = OvTest::PROBE::destroyed;
    MoveTo(CentreX(*close), CentreY(*close));
    Press();
    Frame();
    EXPECT_TRUE(inTreeWhenHeard);
    EXPECT_TRUE(gui.Root.children.empty());
    EXPECT_FALSE(gui.NamedControls.Find("win"));
    EXPECT_EQ(OvTest::PROBE::destroyed, destroyed + 1); // the subtree went too
}

TEST_F(WindowBehaviour, APushButtonSwapsStylesAndReportsEnterPressAndLeave)
{
    CONTROL* button = CreateButton(gui, At(10, 10, 80, 20), "OK", {1, nullptr});
    Listen(button);
    Frame();
    const STYLE_REF normal = StyleOf(gui, "test", "AreaActive");
    const STYLE_REF over = StyleOf(gui, "test", "AreaOver");
    ASSERT_NE(normal, over);
    MoveTo(30, 20);
    Frame();
    EXPECT_EQ(button->StyleActive, over);
    Click(30, 20);
    MoveTo(300, 300);
    Frame();
    EXPECT_EQ(button->StyleActive, normal);
    EXPECT_EQ(Heard(button, BUTTON_ENTERED), 1);
    EXPECT_EQ(Heard(button, BUTTON_CLICKED), 1);
    EXPECT_EQ(Heard(button, BUTTON_LEFT), 1);
}

class ScrollBehaviour : public OvTest::WidgetTest
{
  protected:
    // A plane showing 200 x 200 (bars 16 wide) of content `width` x `height`, laid out
    // twice so the thumbs have their sizes and boxes.
    void Build(float width, float height, float planeWidth = 216)
    {
        content = CreateScrollPlane(gui, At(0, 0, planeWidth, 216), 16, 16, width, height, {});
        auto track = content->Node->parent->children.begin();
        hThumb = static_cast<__scroll*>((++track)->children.front().control.get());
        vThumb = static_cast<__scroll*>((++track)->children.front().control.get());
        Frame();
        Frame();
    }
    void DragThumb(const CONTROL& thumb, int dx, int dy)
    {
        Drag(CentreX(thumb), CentreY(thumb), dx, dy);
    }

    CONTROL* content = nullptr;
    __scroll* hThumb = nullptr;
    __scroll* vThumb = nullptr;
};

TEST_F(ScrollBehaviour, ThumbShowsTheVisibleShareAndScrollsTheWholeContent)
{
    Build(800, 800);
    EXPECT_EQ(hThumb->Size.x, 50);
    DragThumb(*hThumb, 400, 0); // past the end: the thumb stops at 150
    EXPECT_EQ(hThumb->Position.x, 150);
    EXPECT_EQ(content->ChildOffset.x, -600);
    DragThumb(*hThumb, -70, 0); // the thumb ends where the cursor stops
    EXPECT_EQ(hThumb->Position.x, 80);
    EXPECT_EQ(content->ChildOffset.x, -320);
    DragThumb(*vThumb, 0, 400);
    EXPECT_EQ(vThumb->Position.y, 150);
    EXPECT_EQ(content->ChildOffset.y, -600);
}

TEST_F(ScrollBehaviour, SmallContentGetsAThumbAsLongAsTheTrackAndNeverMoves)
{
    Build(100, 100);
    EXPECT_EQ(hThumb->Size.x, hThumb->Parent()->Size.x);
    EXPECT_EQ(vThumb->Size.y, vThumb->Parent()->Size.y);
    DragThumb(*hThumb, 60, 0);
    DragThumb(*vThumb, 0, 60);
    EXPECT_EQ(hThumb->Position.x, 0);
    EXPECT_EQ(vThumb->Position.y, 0);
    EXPECT_EQ(content->ChildOffset, OV_VECTOR_F(0, 0, 0, 1));
}

TEST_F(ScrollBehaviour, NewContentSizeResetsThumbsAndOffset)
{
    Build(800, 100);
    DragThumb(*hThumb, 400, 0);
    ASSERT_TRUE(ScrollSetContentSize(content, 400, 600));
    EXPECT_EQ(hThumb->Position.x, 0);
    EXPECT_EQ(vThumb->ContentLength, 600);
    EXPECT_EQ(content->ChildOffset, OV_VECTOR_F(0, 0, 0, 1));
    Frame();
    EXPECT_EQ(hThumb->Size.x, 100);
    EXPECT_FALSE(ScrollSetContentSize(nullptr, 1, 1));
}

// A plane whose bar takes its whole width shows nothing: the thumb is empty, not NaN.
TEST_F(ScrollBehaviour, NoVisibleLengthGivesAnEmptyThumb)
{
    Build(0, 0, 16);
    EXPECT_EQ(hThumb->Size.x, 0);
}

} // namespace
