// The cursor in window and view coordinates and the mouse over a sprite, from window and
// view records in the application's registries and an input record set by the test.
#include "scene/ov_cursor.h"

#include "app/ov_application.h"
#include "core/ov_input.h"

#include <gtest/gtest.h>

using namespace OvCore;

namespace
{

class CursorTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Input() = OV_INPUT();
        Input().cursor = POINT{130, 90};
        OV_WINDOW& window = *Application().windows.Get("cursor-window", 3);
        window.x = 100;
        window.y = 50;
        OV_VIEW& view = *Application().views.Get("cursor-view");
        view.viewPosition = OV_VECTOR(1000, 2000);
        OV_SPRITE& sprite = *Application().sprites.Get("cursor-sprite");
        sprite.width = 20;
        sprite.height = 10;
        sprite.originX = 10;
        sprite.originY = 5;
    }
    void TearDown() override
    {
        OV_APPLICATION& app = Application();
        app.windows.Remove(app.windows.Find("cursor-window", 3));
        app.views.Clear();
        app.currentView = OV_ENTRY<OV_VIEW>();
        app.sprites.Remove(app.sprites.Find("cursor-sprite"));
        Input() = OV_INPUT();
    }
};

TEST_F(CursorTest, WindowAndViewCoordinates)
{
    EXPECT_EQ(CursorX(nullptr, 0), 130);
    EXPECT_EQ(CursorY(nullptr, 0), 90);
    EXPECT_EQ(CursorX("cursor-window", 0), 30); // found by name whatever the index
    EXPECT_EQ(CursorY("cursor-window", 0), 40);
    EXPECT_EQ(CursorX("no-such-window", 0), 0);

    EXPECT_DOUBLE_EQ(CursorX("cursor-window", 0, "cursor-view", 0), 1030);
    EXPECT_DOUBLE_EQ(CursorY("cursor-window", 0, "cursor-view", 0), 2040);
    EXPECT_DOUBLE_EQ(CursorX("cursor-window", 0, nullptr, 0), 30); // no current view
    Application().currentView = Application().views.Find("cursor-view");
    EXPECT_DOUBLE_EQ(CursorY("cursor-window", 0, nullptr, 0), 2040);
    EXPECT_DOUBLE_EQ(CursorX("cursor-window", 0, "no-such-view", 0), 30);

    EXPECT_EQ(CursorVector("cursor-window", 0), OV_VECTOR(30, 40, 0, 1));
    EXPECT_EQ(CursorVector("no-such-window", 0), OV_VECTOR(0, 0, 0, 1));
    EXPECT_EQ(CursorVector("cursor-window", 0, "cursor-view", 0), OV_VECTOR(1030, 2040, 0, 1));
    EXPECT_EQ(CursorVector("no-such-window", 0, "cursor-view", 0), OV_VECTOR(0, 0, 0, 1));

    EXPECT_TRUE(CursorInRect(30, 40, 30, 40, "cursor-window", 0)); // bounds inclusive
    EXPECT_FALSE(CursorInRect(31, 0, 100, 100, "cursor-window", 0));
    EXPECT_TRUE(CursorInRect(130, 90, 200, 200, nullptr, 0));
    EXPECT_FALSE(CursorInRect(0, 0, 129, 200, nullptr, 0));
}

TEST_F(CursorTest, TheSpriteRectangleStaysAtTheWindowOriginWhateverThePosition)
{
    // The window is at (100, 50); the sprite's frame runs from (-10, -5) to (10, 5) in window
    // coordinates, lower edges inside, upper edges outside.
    const auto cursorAt = [](int x, int y) { Input().cursor = POINT{100 + x, 50 + y}; };
    const OV_VECTOR far(300, 400, 0, 1); // takes no part in the test
    cursorAt(0, 0);
    EXPECT_FALSE(MouseDownOnSprite("cursor-window", "cursor-sprite", far, 1)); // no button
    Input().OnButtonDown(OV_INPUT::SLOT_LEFT);
    EXPECT_TRUE(MouseDownOnSprite("cursor-window", "cursor-sprite", far, 1));
    EXPECT_TRUE(MousePressedOnSprite("cursor-window", "cursor-sprite", OV_VECTOR(), 1));
    EXPECT_FALSE(MouseReleasedOnSprite("cursor-window", "cursor-sprite", far, 1));
    EXPECT_FALSE(MouseDownOnSprite("cursor-window", "cursor-sprite", far, 2));
    EXPECT_FALSE(MouseDownOnSprite("no-such-window", "cursor-sprite", far, 1));
    EXPECT_FALSE(MouseDownOnSprite("cursor-window", "no-such-sprite", far, 1));

    const struct
    {
        int x, y;
        bool inside;
    } points[] = {{-10, -5, true}, {9, 4, true}, {10, 0, false}, {0, 5, false}, {-11, 0, false}};
    for (const auto& point : points)
    {
        cursorAt(point.x, point.y);
        EXPECT_EQ(MouseDownOnSprite("cursor-window", "cursor-sprite", far, 1), point.inside)
            << point.x << ", " << point.y;
    }

    cursorAt(0, 0);
    Input().OnButtonUp(OV_INPUT::SLOT_LEFT);
    EXPECT_TRUE(MouseReleasedOnSprite("cursor-window", "cursor-sprite", far, 1));
    EXPECT_FALSE(MouseDownOnSprite("cursor-window", "cursor-sprite", far, 1));
}

} // namespace
