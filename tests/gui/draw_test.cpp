// The drawing pass on a real window: the nine areas' seams, tiling and the colour filter,
// outlines, clipping with CutArea and cut margins, inherited unactive styles, the hook and
// the per-pixel-alpha double pass, and the caption's outline passes.
#include "gui/gui_support.h"

#include "app/ov_application.h"
#include "core/ov_window.h"
#include "gui/gui_draw.h"
#include "gui/gui_factories.h"
#include "gui/gui_layout.h"
#include "support/ovt_images.h"
#include "support/scene_fixture.h"
#include "support/window_fixture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

using namespace OvCore;
using namespace OvCore::OV_GUI;
using OvTest::Rgba;

namespace
{

constexpr Rgba GREY{128, 128, 128, 255};

class GuiDrawing : public OvTest::SuiteWindowTest<160, 120>
{
  protected:
    void SetUp() override
    {
        SuiteWindowTest::SetUp();
        gui.Window = Application().WindowNamed("test-window");
    }
    void TearDown() override
    {
        gui.Clear();
        SuiteWindowTest::TearDown();
    }

    Com::C_GUI_CONTROL* Add(CONTROL* parent, float x, float y, float w, float h,
                            STYLE_REF style = STYLE_REF())
    {
        auto* control =
            static_cast<Com::C_GUI_CONTROL*>(gui.AddControl(new Com::C_GUI_CONTROL, parent));
        control->Position = OV_VECTOR_F(x, y);
        control->Size = OV_VECTOR_F(w, h);
        control->StyleActive = control->StyleUnactive = style;
        return control;
    }
    // An untextured style of one colour.
    STYLE_REF Plain(const char* name, const Rgba& colour)
    {
        STYLE_REF style = gui.Styles.Get(name);
        for (auto& area : style->AreaColors)
            for (OV_VECTOR_F& corner : area)
                corner = OV_VECTOR_F(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 1);
        return style;
    }
    // A nearest-filtered, repeating texture of the image, destroyed with the GUI.
    OvHandle Texture(const char* name, const OvTest::Image& image)
    {
        OvHandle texture{1, nullptr};
        EXPECT_TRUE(OvTextureCreate(&texture));
        std::vector<uint8_t> rgba;
        for (const Rgba& p : image.pixels)
            rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
        EXPECT_TRUE(OvTextureLoadRGBAFromMemory(texture, rgba.data(), image.width, image.height));
        OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_FILTER_NEAREST);
        OvTextureParameter(OV_TEXTURE_MAG_FILTER, OV_FILTER_NEAREST);
        *gui.Textures.Get(name) = texture;
        return texture;
    }
    void Draw(bool perPixelAlpha = false)
    {
        Application().ClearScreen(0, 0, 0, 1);
        LayoutPass(gui);
        DrawPass(gui, perPixelAlpha);
    }
    // Counts the window's pixels that differ from `expected(x, y)`; names the first.
    static void ExpectPixels(const std::function<Rgba(int, int)>& expected)
    {
        const OvTest::Image image = Region(0, 0, WIDTH, HEIGHT);
        ASSERT_EQ(image.pixels.size(), size_t(WIDTH) * HEIGHT);
        int wrong = 0;
        std::string first;
        for (int y = 0; y < HEIGHT; ++y)
            for (int x = 0; x < WIDTH; ++x)
            {
                const Rgba want = expected(x, y), got = image.pixels[size_t(y) * WIDTH + x];
                if (!OvTest::Near(got, want, 4) && wrong++ == 0)
                {
                    std::ostringstream out;
                    out << "(" << x << ", " << y << ") is " << got << ", not " << want;
                    first = out.str();
                }
            }
        EXPECT_EQ(wrong, 0) << "first: " << first;
    }
    static bool Inside(int x, int y, int left, int top, int right, int bottom)
    {
        return left <= x && x < right && top <= y && y < bottom;
    }

    GUI_SYSTEM gui;
};

// Odd splits at an odd place: every pixel of the box belongs to exactly the area its grid
// lines give (no seam, no overlap), each area in its own colour times the filter.
TEST_F(GuiDrawing, NineAreasMeetWithoutSeamsAndTakeTheColourFilter)
{
    STYLE_REF style = gui.Styles.Get("grid");
    const float splits[4] = {3, 5, 7, 9};
    for (int i = 0; i < 4; ++i)
        style->AreaSplit[i] = splits[i];
    auto colourOf = [](int area) {
        return Rgba{uint8_t(20 + area * 25), uint8_t(240 - area * 20), 200, 255};
    };
    for (int area = 0; area < AREA_COUNT; ++area)
        for (OV_VECTOR_F& corner : style->AreaColors[area])
        {
            const Rgba c = colourOf(area);
            corner = OV_VECTOR_F(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1);
        }
    style->AreaColorFilter = OV_VECTOR_F(1, 1, 0.5f, 1);
    Add(nullptr, 13, 7, 101, 57, style);
    Draw();
    const int columns[4] = {13, 20, 105, 114}, rows[4] = {7, 10, 59, 64};
    ExpectPixels(
        [&](int x, int y)
        {
            for (int row = 0; row < 3; ++row)
                for (int column = 0; column < 3; ++column)
                    if (Inside(x, y, columns[column], rows[row], columns[column + 1],
                               rows[row + 1]))
                    {
                        Rgba c = colourOf(row * 3 + column);
                        c.b = 100;
                        return c;
                    }
            return OvTest::BLACK;
        });
}

// A tiled axis repeats the texture once per 32 pixels of the control, u from 0 to 4, and the
// offset shifts it by its share of a tile.
TEST_F(GuiDrawing, TiledAreasRepeatOverTheWholeControl)
{
    OvTest::Image stripes(2, 1, OvTest::RED);
    stripes.Fill(1, 0, 2, 1, OvTest::GREEN);
    STYLE_REF style = gui.Styles.Get("tiled");
    style->AreaTexture[AREA_MIDDLE] = Texture("stripes", stripes);
    style->AreaTiled[AREA_MIDDLE] = OV_VECTOR_F(32, 0);
    Add(nullptr, 0, 10, 128, 20, style);
    Draw();
    ExpectPixels(
        [](int x, int y)
        {
            if (!Inside(x, y, 0, 10, 128, 30))
                return OvTest::BLACK;
            return x % 32 < 16 ? OvTest::RED : OvTest::GREEN;
        });
    style->AreaOffset[AREA_MIDDLE] = OV_VECTOR_F(16, 0);
    Draw();
    ExpectPixels(
        [](int x, int y)
        {
            if (!Inside(x, y, 0, 10, 128, 30))
                return OvTest::BLACK;
            return x % 32 < 16 ? OvTest::GREEN : OvTest::RED;
        });
}

// As outlines, the left and bottom edges are pulled in by one pixel: the frame's lines lie
// on the box's first and last columns and rows, the inside stays empty.
TEST_F(GuiDrawing, OutlinesFallInsideTheBox)
{
    STYLE_REF style = Plain("frame", OvTest::WHITE);
    style->AsBorder = true;
    Add(nullptr, 10, 10, 20, 12, style);
    Draw();
    ExpectPixels(
        [](int x, int y)
        {
            if (!Inside(x, y, 10, 10, 30, 22) || Inside(x, y, 11, 11, 29, 21))
                return OvTest::BLACK;
            return OvTest::WHITE;
        });
}

// CutArea clips the children to the box shrunk by the cut margins, nested clips narrow, and
// without CutArea a child draws beyond its parent (inside its parent's clip).
TEST_F(GuiDrawing, ClipsNarrowFromParentToChild)
{
    CONTROL* outer = Add(nullptr, 10, 10, 60, 60, Plain("grey", GREY));
    outer->CutMarginLeft = outer->CutMarginTop = outer->CutMarginRight = outer->CutMarginBottom = 5;
    CONTROL* open = Add(outer, 10, 10, 20, 20, Plain("blue", OvTest::BLUE));
    open->CutArea = false;
    Add(open, 15, -5, 200, 10, Plain("red", OvTest::RED));       // beyond `open`, inside `outer`
    Add(outer, 40, 40, 100, 100, Plain("green", OvTest::GREEN)); // cut 5 inside `outer`
    Add(outer, -20, 45, 30, 10, Plain("white", OvTest::WHITE));  // cut 5 inside on the left
    Add(outer, 200, 5, 10, 10, Plain("white", OvTest::WHITE));   // all outside, drawn last
    Draw();
    ExpectPixels(
        [](int x, int y)
        {
            if (Inside(x, y, 35, 15, 65, 25))
                return OvTest::RED;
            if (Inside(x, y, 50, 50, 65, 65))
                return OvTest::GREEN;
            if (Inside(x, y, 20, 20, 40, 40))
                return OvTest::BLUE;
            if (Inside(x, y, 15, 55, 20, 65))
                return OvTest::WHITE;
            return Inside(x, y, 10, 10, 70, 70) ? GREY : OvTest::BLACK;
        });
    // The control clipped to nothing was sent a scissor of no width.
    const auto* scissor = static_cast<const int32_t*>(OvGetState(OV_STATE_SCISSOR_BOX));
    ASSERT_NE(scissor, nullptr);
    EXPECT_EQ(scissor[2], 0);
    EXPECT_EQ(scissor[3], 10);
}

// Under an inactive parent an active control draws with its unactive style and is told so;
// a control whose own style is missing draws nothing of its own but its hook still runs.
TEST_F(GuiDrawing, InactiveParentsMakeTheirChildrenDrawUnactive)
{
    CONTROL* parent = Add(nullptr, 0, 0, 100, 100, Plain("grey", GREY));
    parent->Active = false;
    Com::C_GUI_CONTROL* child = Add(parent, 10, 10, 20, 20);
    child->StyleActive = Plain("green", OvTest::GREEN);
    child->StyleUnactive = Plain("blue", OvTest::BLUE);
    Com::C_GUI_CONTROL* bare = Add(parent, 50, 10, 20, 20);
    bare->StyleActive = Plain("red", OvTest::RED); // its own style (active) is there, ...
    bare->StyleUnactive = STYLE_REF();             // ... the one it must draw with is not
    static int hooks;
    hooks = 0;
    bare->RenderProc = [](Com::C_GUI_CONTROL*) { ++hooks; };
    Draw();
    EXPECT_TRUE(child->DrawnInactive);
    EXPECT_TRUE(bare->DrawnInactive);
    EXPECT_EQ(hooks, 1);
    ExpectPixels(
        [](int x, int y)
        {
            if (Inside(x, y, 10, 10, 30, 30))
                return OvTest::BLUE;
            return Inside(x, y, 0, 0, 100, 100) ? GREY : OvTest::BLACK;
        });
    parent->Active = true;
    Draw();
    EXPECT_FALSE(child->DrawnInactive);
    EXPECT_EQ(PixelAt(20, 20), OvTest::GREEN);
    EXPECT_EQ(PixelAt(60, 20), OvTest::RED);
}

// The icon covers the style's IconRect from the box's top-left in the current colour (white
// after the caption); the hook runs moved to the children's clip origin plus ChildOffset.
TEST_F(GuiDrawing, IconsAndHooksArePlacedFromTheBox)
{
    STYLE_REF style = gui.Styles.Get("icon");
    for (auto& area : style->AreaColors)
        for (OV_VECTOR_F& corner : area)
            corner = OV_VECTOR_F(0, 0, 0, 1);
    const OV_VECTOR_F rect[4] = {{2, 3}, {10, 3}, {10, 9}, {2, 9}};
    std::copy(rect, rect + 4, style->IconRect);
    Com::C_GUI_CONTROL* control = Add(nullptr, 20, 20, 30, 30, style);
    control->Icon = Texture("icon", OvTest::Image(1, 1, OvTest::RED));
    control->CutMarginLeft = control->CutMarginTop = 3;
    control->ChildOffset = OV_VECTOR_F(0, -7, 0, 1);
    static double moved[2];
    control->RenderProc = [](Com::C_GUI_CONTROL*)
    {
        double matrix[16];
        OvMatrixSave(OV_MATRIX_MODELVIEW, matrix);
        moved[0] = matrix[12], moved[1] = matrix[13];
    };
    Draw();
    ExpectPixels([](int x, int y)
                 { return Inside(x, y, 22, 23, 30, 29) ? OvTest::RED : OvTest::BLACK; });
    EXPECT_EQ(moved[0], 23);
    EXPECT_EQ(moved[1], 16);
}

// With per-pixel alpha every control is drawn twice, first into the alpha channel, and the
// pass leaves the masks, blend and scissor as it promises; invisible subtrees are not drawn.
TEST_F(GuiDrawing, PerPixelAlphaDrawsEveryControlTwice)
{
    static std::vector<std::string> drawn;
    drawn.clear();
    auto note = [](Com::C_GUI_CONTROL* c) { drawn.push_back(c->Text.Text()); };
    Com::C_GUI_CONTROL* top = Add(nullptr, 0, 0, 50, 50, Plain("grey", GREY));
    Com::C_GUI_CONTROL* inner = Add(top, 5, 5, 10, 10);
    Com::C_GUI_CONTROL* hidden = Add(nullptr, 60, 0, 10, 10);
    Com::C_GUI_CONTROL* below = Add(hidden, 0, 0, 5, 5);
    hidden->Visible = false;
    top->Text = "top", inner->Text = "inner", hidden->Text = "hidden", below->Text = "below";
    for (Com::C_GUI_CONTROL* c : {top, inner, hidden, below})
        c->RenderProc = note;
    Draw(true);
    EXPECT_EQ(drawn, (std::vector<std::string>{"top", "inner", "top", "inner"}));
    const auto* mask = static_cast<const int32_t*>(OvGetState(OV_STATE_COLOUR_MASK));
    const auto* blend = static_cast<const int32_t*>(OvGetState(OV_STATE_BLEND));
    const auto* scissorTest = static_cast<const int32_t*>(OvGetState(OV_STATE_SCISSOR_TEST));
    ASSERT_TRUE(mask && blend && scissorTest);
    EXPECT_EQ(std::vector<int32_t>(mask, mask + 4), (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(blend[0], OV_BLEND_SOURCE_ALPHA);
    EXPECT_EQ(blend[1], OV_BLEND_ONE_MINUS_SOURCE_ALPHA);
    EXPECT_EQ(*scissorTest, 0);
    drawn.clear();
    Draw(false);
    EXPECT_EQ(drawn, (std::vector<std::string>{"top", "inner"}));
}

// The caption's outline is the text drawn quality x 4 times around the anchor at equal angle
// steps in the border colour, then the text once in its colour: at quality 2 the diagonal
// copies light pixels that the four straight ones leave dark.
TEST_F(GuiDrawing, CaptionOutlinesCircleTheTextAtEqualSteps)
{
    const std::vector<uint8_t> glyphs = OvTest::EncodeOvt(OvTest::Image(16, 16, OvTest::WHITE));
    const std::string descriptor = "common lineHeight=10 base=8 scaleW=16 scaleH=16\n"
                                   "char id=65 x=0 y=0 width=6 height=10 xadvance=6\n";
    OV_FONT& font = *gui.Fonts.Get("block");
    ASSERT_TRUE(font.LoadFromMemory(glyphs.data(), descriptor.data(), uint32_t(descriptor.size()),
                                    '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST, glyphs.size()));
    font.horizontalAlign = OV_FONT::ALIGN_RIGHT; // the style's alignment holds while it draws
    font.verticalAlign = OV_FONT::ALIGN_BOTTOM;
    STYLE_REF style = Plain("caption", OvTest::BLACK);
    style->TextFont = &font;
    style->TextOffset = OV_VECTOR(10, 10, 0, 0);
    style->TextColor = OV_VECTOR(0, 1, 0, 1);
    style->TextBorderColor = OV_VECTOR(1, 0, 0, 1);
    style->TextBorderSize = 3;
    Add(nullptr, 40, 40, 40, 30, style)->Text = "A";
    for (int quality : {2, 1})
    {
        style->TextBorderQuality = quality;
        Draw();
        ExpectPixels(
            [quality](int x, int y)
            {
                auto covered = [x, y](double left, double top) {
                    return left <= x + 0.5 && x + 0.5 < left + 6 && top <= y + 0.5 &&
                           y + 0.5 < top + 10;
                };
                if (covered(50, 50))
                    return OvTest::GREEN;
                for (int i = 0; i < quality * 4; ++i)
                {
                    const double angle = i * 2 * 3.14159265358979 / (quality * 4);
                    if (covered(50 + 3 * std::cos(angle), 50 + 3 * std::sin(angle)))
                        return OvTest::RED;
                }
                return OvTest::BLACK;
            });
    }
    EXPECT_EQ(font.horizontalAlign, OV_FONT::ALIGN_RIGHT); // and the font's own is back
    EXPECT_EQ(font.verticalAlign, OV_FONT::ALIGN_BOTTOM);
    const auto* colour = static_cast<const double*>(OvGetState(OV_STATE_DRAW_COLOUR));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(std::vector<double>(colour, colour + 4), (std::vector<double>{1, 1, 1, 1}));
}

// A caption that reaches past its box is cut at the box's edge, while the box itself drew
// without a scissor of its own.
TEST_F(GuiDrawing, CaptionsReachingPastTheBoxAreCut)
{
    const std::vector<uint8_t> glyphs = OvTest::EncodeOvt(OvTest::Image(16, 16, OvTest::WHITE));
    const std::string descriptor = "common lineHeight=10 base=8 scaleW=16 scaleH=16\n"
                                   "char id=65 x=0 y=0 width=6 height=10 xadvance=6\n";
    OV_FONT& font = *gui.Fonts.Get("block");
    ASSERT_TRUE(font.LoadFromMemory(glyphs.data(), descriptor.data(), uint32_t(descriptor.size()),
                                    '\n', OV_FILTER_NEAREST, OV_FILTER_NEAREST, glyphs.size()));
    STYLE_REF style = Plain("caption", GREY);
    style->TextFont = &font;
    style->TextColor = OV_VECTOR(0, 1, 0, 1);
    Add(nullptr, 20, 20, 10, 30, style)->Text = "AAA"; // 18 wide in a box 10 wide
    Add(nullptr, 60, 20, 30, 30, style)->Text = "A";   // fits
    Draw();
    ExpectPixels(
        [](int x, int y)
        {
            if (Inside(x, y, 20, 20, 30, 30) || Inside(x, y, 60, 20, 66, 30))
                return OvTest::GREEN;
            if (Inside(x, y, 20, 20, 30, 50) || Inside(x, y, 60, 20, 90, 50))
                return GREY;
            return OvTest::BLACK;
        });
}

// Controls that share one texture and one clip go to the engine's batch together: the draw
// calls of a frame do not grow with the number of controls.
TEST_F(GuiDrawing, ControlsSharingATextureShareDrawCalls)
{
    STYLE_REF style = gui.Styles.Get("atlas");
    const OvHandle atlas = Texture("atlas", OvTest::Image(4, 4, OvTest::WHITE));
    for (OvHandle& area : style->AreaTexture)
        area = atlas;
    style->AreaSplit[SPLIT_LEFT] = style->AreaSplit[SPLIT_TOP] = 2;
    CONTROL* panel = Add(nullptr, 0, 0, WIDTH, HEIGHT, style);
    panel->CutArea = false;
    std::vector<uint64_t> calls;
    for (int count : {10, 40})
    {
        while (panel->Node->children.size() < size_t(count))
        {
            const float i = float(panel->Node->children.size());
            Add(panel, 3 * i, 2 * i, 12, 10, style); // each clipped to its box, as by default
        }
        Application().ClearScreen(0, 0, 0, 1);
        LayoutPass(gui);
        const uint64_t before = OvTest::DrawCalls();
        DrawPass(gui, false);
        calls.push_back(OvTest::DrawCalls() - before);
    }
    EXPECT_LE(calls[0], 2u);
    EXPECT_EQ(calls[1], calls[0]);
}

// The scene step draws the GUI of a rendering frame after the views' draw sequence.
TEST_F(GuiDrawing, TheSceneStepDrawsTheGuiAfterTheScene)
{
    static std::vector<std::string> order;
    order.clear();
    GUI_SYSTEM& appGui = Application().gui;
    appGui.Window = gui.Window;
    auto* control = static_cast<Com::C_GUI_CONTROL*>(appGui.AddControl(new Com::C_GUI_CONTROL));
    control->RenderProc = [](Com::C_GUI_CONTROL*) { order.push_back("gui"); };
    Application().afterDrawHook = [] { order.push_back("after"); };
    OvTest::Step(true, false);
    EXPECT_TRUE(order.empty());
    OvTest::Step(false, true);
    EXPECT_EQ(order, (std::vector<std::string>{"after", "gui"}));
    Application().afterDrawHook = nullptr;
    Application().ReleaseAll();
    appGui.Window = nullptr;
}

// The shipped theme through the factories, the layout and the drawing pass: a window with a
// blue title bar carrying its caption in light text over a dark content area.
TEST_F(GuiDrawing, TheDefaultThemeDrawsAWindow)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(OV_SOURCE_DIR); // the theme names its files from here
    const bool loaded = gui.LoadTheme("themes/default.xml", "default");
    std::filesystem::current_path(previous);
    ASSERT_TRUE(loaded);
    const uint32_t flags = WINDOW_TITLE_BAR | WINDOW_CLOSE_BUTTON;
    ASSERT_TRUE(CreateWindow(gui, {"default", "w", {10, 10}, {140, 100}}, "Hello", flags,
                             {1, nullptr}, {}));
    Draw();
    const OvTest::Image bar = Region(60, 14, 40, 4), content = Region(20, 60, 100, 40);
    for (const Rgba& p : bar.pixels)
        EXPECT_GT(p.b, p.r + 30) << p;
    for (const Rgba& p : content.pixels)
        EXPECT_TRUE(p.r < 90 && p.g < 90 && p.b < 90 && p.r > 20) << p;
    const OvTest::Image caption = Region(12, 11, 40, 20);
    EXPECT_TRUE(std::any_of(caption.pixels.begin(), caption.pixels.end(),
                            [](const Rgba& p) { return p.r > 180 && p.g > 180 && p.b > 180; }));
    EXPECT_EQ(PixelAt(5, 5), OvTest::BLACK);
    EXPECT_EQ(PixelAt(155, 115), OvTest::BLACK);
}

} // namespace
