// Windows, push buttons and scroll planes driven by window messages through the layout and
// input passes: dragging and closing windows, button styles and reports, thumb sizes and
// content offsets.
#include "gui/widget_fixture.h"

#include "gui/gui_widget_ops.h"

#include <cmath>

using namespace OvCore;
using namespace OvCore::OV_GUI;

namespace
{

class WindowBehaviour : public OvTest::WidgetTest
{
  protected:
    // The part of `window`'s area tagged `tag`.
    static CONTROL* Part(CONTROL* content, const char* tag)
    {
        for (CONTROL_NODE& node : content->Parent()->Node->children)
            if (node.control->HasTag(tag))
                return node.control.get();
        return nullptr;
    }
};

TEST_F(WindowBehaviour, DraggingTheTitleBarMovesTheWindowAndReportsOnce)
{
    CONTROL* content = CreateWindow(gui, At(100, 100, 200, 150), "Title", WINDOW_TITLE_BAR,
                                    OvHandle{1, nullptr}, MARGINS{});
    ASSERT_NE(content, nullptr);
    Listen(content);
    CONTROL* window = content->Parent();
    Frame();
    const CONTROL* bar = Part(content, "bar");
    MoveTo(CentreX(*bar), CentreY(*bar));
    Frame();
    Press();
    Frame();
    MoveTo(CentreX(*bar) + 5, CentreY(*bar) - 3);
    Frame();
    Release();
    Frame();
    MoveTo(CentreX(*bar) + 40, CentreY(*bar) + 40); // released: the window stays
    Frame();

    EXPECT_EQ(window->Position, OV_VECTOR_F(105, 97));
    EXPECT_EQ(Heard(content, WINDOW_MOVED), 1);
    EXPECT_EQ(window->Order, -1); // brought to the front
}

TEST_F(WindowBehaviour, TheCloseButtonRemovesTheWindowAfterItsContentHeard)
{
    CONTROL* content =
        CreateWindow(gui, At(100, 100, 200, 150, nullptr, "win"), "",
                     WINDOW_CLOSE_BUTTON | WINDOW_MINIMISE_BUTTON, OvHandle{1, nullptr}, MARGINS{});
    ASSERT_NE(content, nullptr);
    AddProbe(content, 0, 0, 10, 10);
    static bool inTreeWhenHeard;
    inTreeWhenHeard = false;
    static_cast<Com::C_GUI_CONTROL*>(content)->EventProc = [](Com::C_GUI_CONTROL* told)
    {
        if (told->Events & WINDOW_CLOSED)
            inTreeWhenHeard = told->System->Contains(told->Node);
    };
    Frame();
    const CONTROL* minimise = Part(content, "btnmini");
    const CONTROL* close = Part(content, "btnclose");
    EXPECT_EQ(minimise->BottomRight().x, close->TopLeft().x); // 32 to its left
    const int destroyedBefore = OvTest::PROBE::destroyed;
    MoveTo(CentreX(*close), CentreY(*close));
    Press();
    Frame();

    EXPECT_TRUE(inTreeWhenHeard);
    EXPECT_TRUE(gui.Root.children.empty());
    EXPECT_FALSE(gui.NamedControls.Find("win"));
    EXPECT_EQ(OvTest::PROBE::destroyed, destroyedBefore + 1); // the subtree went too
}

TEST_F(WindowBehaviour, APushButtonSwapsStylesAndReportsEnterPressAndLeave)
{
    CONTROL* button = CreateButton(gui, At(10, 10, 80, 20), "OK", OvHandle{1, nullptr});
    ASSERT_NE(button, nullptr);
    Listen(button);
    Frame();
    ASSERT_NE(Style("AreaOver"), Style("AreaActive"));
    EXPECT_EQ(button->StyleActive, Style("AreaActive"));

    MoveTo(30, 20);
    Frame();
    EXPECT_EQ(button->StyleActive, Style("AreaOver"));
    Press();
    Frame();
    Release();
    MoveTo(300, 300);
    Frame();
    EXPECT_EQ(button->StyleActive, Style("AreaActive"));
    EXPECT_EQ(Heard(button, BUTTON_ENTERED), 1);
    EXPECT_EQ(Heard(button, BUTTON_CLICKED), 1);
    EXPECT_EQ(Heard(button, BUTTON_LEFT), 1);
}

class ScrollBehaviour : public OvTest::WidgetTest
{
  protected:
    // A plane showing 200 x 200 (bars 16 wide) of content `width` x `height`, laid out
    // twice so the thumbs have their sizes and boxes.
    void Build(float width, float height)
    {
        content = CreateScrollPlane(gui, At(0, 0, 216, 216), 16, 16, width, height, MARGINS{});
        ASSERT_NE(content, nullptr);
        CONTROL* outer = content->Parent();
        for (CONTROL_NODE& node : outer->Node->children)
        {
            if (node.control->HasTag("hscrollb"))
                hThumb = static_cast<__scroll*>(node.children.front().control.get());
            if (node.control->HasTag("vscrollb"))
                vThumb = static_cast<__scroll*>(node.children.front().control.get());
        }
        Frame();
        Frame();
    }
    // Presses the thumb at its centre and drags it by (dx, dy).
    void Drag(const CONTROL& thumb, int dx, int dy)
    {
        const int x = CentreX(thumb), y = CentreY(thumb);
        MoveTo(x, y);
        Frame();
        Press();
        Frame();
        MoveTo(x + dx, y + dy);
        Frame();
        Release();
        Frame();
    }

    CONTROL* content = nullptr;
    __scroll* hThumb = nullptr;
    __scroll* vThumb = nullptr;
};

TEST_F(ScrollBehaviour, ThumbShowsTheVisibleShareAndScrollsTheWholeContent)
{
    Build(800, 800);
    EXPECT_EQ(hThumb->Size.x, 50);
    Drag(*hThumb, 400, 0); // past the end: the thumb stops at 150
    EXPECT_EQ(hThumb->Position.x, 150);
    EXPECT_EQ(content->ChildOffset.x, -600);
    Drag(*hThumb, -70, 0); // the thumb ends where the cursor stops
    EXPECT_EQ(hThumb->Position.x, 80);
    EXPECT_EQ(content->ChildOffset.x, -320);

    EXPECT_EQ(vThumb->Size.y, 50);
    Drag(*vThumb, 0, 400);
    EXPECT_EQ(vThumb->Position.y, 150);
    EXPECT_EQ(content->ChildOffset.y, -600);
}

TEST_F(ScrollBehaviour, SmallContentGetsAThumbAsLongAsTheTrackAndNeverMoves)
{
    Build(100, 100);
    EXPECT_EQ(hThumb->Size.x, hThumb->Parent()->Size.x);
    EXPECT_EQ(vThumb->Size.y, vThumb->Parent()->Size.y);
    Drag(*hThumb, 60, 0);
    Drag(*vThumb, 0, 60);
    EXPECT_EQ(hThumb->Position.x, 0);
    EXPECT_EQ(vThumb->Position.y, 0);
    EXPECT_EQ(content->ChildOffset, OV_VECTOR_F(0, 0, 0, 1));
}

TEST_F(ScrollBehaviour, NewContentSizeResetsThumbsAndOffset)
{
    Build(800, 100);
    Drag(*hThumb, 400, 0);
    ASSERT_TRUE(ScrollSetContentSize(content, 400, 600));
    EXPECT_EQ(hThumb->Position.x, 0);
    EXPECT_EQ(hThumb->ContentLength, 400);
    EXPECT_EQ(vThumb->ContentLength, 600);
    EXPECT_EQ(content->ChildOffset, OV_VECTOR_F(0, 0, 0, 1));
    Frame();
    EXPECT_EQ(hThumb->Size.x, 100);
    EXPECT_FALSE(ScrollSetContentSize(nullptr, 1, 1));
}

// A plane whose bar takes its whole width shows nothing: the thumb is empty, not NaN.
TEST_F(ScrollBehaviour, NoVisibleLengthGivesAnEmptyThumb)
{
    content = CreateScrollPlane(gui, At(0, 0, 16, 100), 16, 16, 0, 0, MARGINS{});
    ASSERT_NE(content, nullptr);
    Frame();
    auto* thumb = static_cast<__scroll*>(
        content->Parent()->Node->children.back().children.front().control.get());
    ASSERT_TRUE(thumb->HasTag("vscrollf"));
    const auto& hTrack = *std::next(content->Parent()->Node->children.begin(), 1);
    const auto* hThumbOf = static_cast<__scroll*>(hTrack.children.front().control.get());
    EXPECT_EQ(hThumbOf->Size.x, 0);
    EXPECT_FALSE(std::isnan(thumb->Size.y));
}

} // namespace
