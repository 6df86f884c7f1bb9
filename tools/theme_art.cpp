// Draws the GUI's default theme: one 128 x 128 texture atlas of 16 x 16 cells (frames with a
// 4-pixel border for the nine-area styles, glyphs for title buttons and the combo arrow)
// written as default.png, and the theme file default.xml whose styles cut those cells into
// their nine areas and whose skin "default" names a style for every element of every
// composite. scripts/make-theme-art.sh converts the PNG into themes/default/default.ovt and
// puts the theme file at themes/default.xml.
//
// Usage: theme_art <output folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace
{

constexpr int ATLAS = 128;
constexpr int CELL = 16;
constexpr int BORDER = 4;

struct Rgba
{
    uint8_t r, g, b, a = 255;
};

class Atlas
{
  public:
    Atlas() : pixels_(ATLAS * ATLAS, Rgba{0, 0, 0, 0}) {}

    void Set(int cell, int x, int y, Rgba colour)
    {
        const int cx = cell % (ATLAS / CELL) * CELL, cy = cell / (ATLAS / CELL) * CELL;
        pixels_[size_t(cy + y) * ATLAS + cx + x] = colour;
    }
    // A frame: `edge` on the outer ring, `light` on the top and left of the next ring (or the
    // bottom and right when sunken), a vertical blend from `top` to `bottom` inside.
    void Frame(int cell, Rgba edge, Rgba light, Rgba top, Rgba bottom, bool sunken = false)
    {
        for (int y = 0; y < CELL; ++y)
            for (int x = 0; x < CELL; ++x)
            {
                const float t = float(y) / (CELL - 1);
                Rgba colour{uint8_t(top.r + (bottom.r - top.r) * t),
                            uint8_t(top.g + (bottom.g - top.g) * t),
                            uint8_t(top.b + (bottom.b - top.b) * t)};
                const bool outer = x == 0 || y == 0 || x == CELL - 1 || y == CELL - 1;
                const bool lit = sunken ? (x == CELL - 2 || y == CELL - 2) : (x == 1 || y == 1);
                Set(cell, x, y, outer ? edge : lit ? light : colour);
            }
    }
    // A glyph: white where `inside` holds for the pixel's centre, transparent elsewhere.
    template <class Inside> void Glyph(int cell, Inside inside)
    {
        for (int y = 0; y < CELL; ++y)
            for (int x = 0; x < CELL; ++x)
                if (inside(x + 0.5f, y + 0.5f))
                    Set(cell, x, y, Rgba{235, 238, 245});
    }
    bool Save(const std::string& path) const
    {
        return stbi_write_png(path.c_str(), ATLAS, ATLAS, 4, pixels_.data(), ATLAS * 4) != 0;
    }

  private:
    std::vector<Rgba> pixels_;
};

// The cells of the atlas.
enum Cell
{
    PANEL,
    BAR_ACTIVE,
    BAR_UNACTIVE,
    BUTTON,
    BUTTON_OVER,
    BUTTON_UNACTIVE,
    BOX,
    TRACK,
    THUMB,
    SELECTED,
    CHECK_OFF,
    CHECK_ON,
    HANDLE,
    GLYPH_CLOSE,
    GLYPH_FULL,
    GLYPH_MIN,
    GLYPH_ARROW,
    WHITE,
};

void Draw(Atlas& atlas)
{
    const Rgba edge{20, 22, 28};
    atlas.Frame(PANEL, edge, {78, 86, 102}, {52, 57, 68}, {44, 48, 58});
    atlas.Frame(BAR_ACTIVE, edge, {110, 150, 210}, {70, 104, 160}, {44, 72, 122});
    atlas.Frame(BAR_UNACTIVE, edge, {104, 108, 118}, {78, 82, 92}, {62, 66, 74});
    atlas.Frame(BUTTON, edge, {130, 140, 160}, {92, 100, 118}, {70, 76, 92});
    atlas.Frame(BUTTON_OVER, edge, {160, 176, 204}, {112, 126, 152}, {88, 100, 124});
    atlas.Frame(BUTTON_UNACTIVE, edge, {86, 90, 98}, {66, 68, 76}, {58, 60, 66});
    atlas.Frame(BOX, edge, {70, 76, 90}, {26, 28, 34}, {30, 32, 40}, true);
    atlas.Frame(TRACK, edge, {44, 46, 54}, {34, 36, 42}, {34, 36, 42}, true);
    atlas.Frame(THUMB, edge, {150, 160, 182}, {116, 126, 146}, {96, 104, 122});
    atlas.Frame(SELECTED, {44, 72, 122}, {80, 116, 176}, {62, 94, 148}, {54, 84, 136});
    atlas.Frame(CHECK_OFF, edge, {70, 76, 90}, {26, 28, 34}, {30, 32, 40}, true);
    atlas.Frame(CHECK_ON, edge, {70, 76, 90}, {26, 28, 34}, {30, 32, 40}, true);
    // The tick: two strokes, drawn over the sunken box.
    auto near = [](float x, float y, float ax, float ay, float bx, float by)
    {
        const float dx = bx - ax, dy = by - ay;
        const float t =
            std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
        return std::hypot(x - ax - t * dx, y - ay - t * dy) < 1.3f;
    };
    atlas.Glyph(CHECK_ON, [&](float x, float y)
                { return near(x, y, 4, 8, 7, 11) || near(x, y, 7, 11, 12, 4); });
    atlas.Glyph(HANDLE, [](float x, float y) { return std::hypot(x - 8, y - 8) < 6.5f; });
    atlas.Glyph(GLYPH_CLOSE, [&](float x, float y)
                { return near(x, y, 3, 3, 12, 12) || near(x, y, 12, 3, 3, 12); });
    atlas.Glyph(
        GLYPH_FULL, [](float x, float y)
        { return x > 2 && x < 14 && y > 2 && y < 14 && !(x > 4 && x < 12 && y > 6 && y < 12); });
    atlas.Glyph(GLYPH_MIN, [](float x, float y) { return x > 2 && x < 14 && y > 10 && y < 13; });
    atlas.Glyph(GLYPH_ARROW,
                [](float x, float y) { return y > 5 && y < 11 && std::fabs(x - 8) < (11 - y); });
    atlas.Glyph(WHITE, [](float, float) { return true; });
}

// The theme file.

const char* const AREAS[9] = {"TOP-LEFT", "TOP",         "TOP-RIGHT", "LEFT",        "MIDDLE",
                              "RIGHT",    "BOTTOM-LEFT", "BOTTOM",    "BOTTOM-RIGHT"};

std::string Number(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

std::string Uv(float u, float v)
{
    return Number(u / ATLAS) + ":" + Number(v / ATLAS);
}

// The corners of one area of a cell: columns and rows cut at the border.
std::string AreaCoords(int cell, int area)
{
    const float x0 = float(cell % (ATLAS / CELL) * CELL), y0 = float(cell / (ATLAS / CELL) * CELL);
    const float cuts[4] = {0, BORDER, CELL - BORDER, CELL};
    const int row = area / 3, column = area % 3;
    const float left = x0 + cuts[column], right = x0 + cuts[column + 1];
    const float top = y0 + cuts[row], bottom = y0 + cuts[row + 1];
    return "\t\t<AreaTexture Align=\"" + std::string(AREAS[area]) + "\" Name=\"default\" />\n" +
           "\t\t<AreaCoords Align=\"" + AREAS[area] + "\"><0 Value=\"" + Uv(left, top) +
           "\" /><1 Value=\"" + Uv(right, top) + "\" /><2 Value=\"" + Uv(right, bottom) +
           "\" /><3 Value=\"" + Uv(left, bottom) + "\" /></AreaCoords>\n";
}

// A style that draws a cell as nine areas with 4-pixel borders, and the caption settings.
std::string FrameStyle(const std::string& name, int cell, const std::string& text = "")
{
    std::string style = "\t<Style Name=\"" + name + "\">\n" + "\t\t<AreaSplit><Top Value=\"" +
                        Number(BORDER) + "\" /><Bottom Value=\"" + Number(BORDER) +
                        "\" /><Left Value=\"" + Number(BORDER) + "\" /><Right Value=\"" +
                        Number(BORDER) + "\" /></AreaSplit>\n";
    for (int area = 0; area < 9; ++area)
        style += AreaCoords(cell, area);
    return style + text + "\t</Style>\n";
}

// A style that draws a whole cell over the box (no borders): glyphs and the handle.
std::string PictureStyle(const std::string& name, int cell)
{
    const float x0 = float(cell % (ATLAS / CELL) * CELL), y0 = float(cell / (ATLAS / CELL) * CELL);
    return "\t<Style Name=\"" + name + "\">\n\t\t<AreaTexture Name=\"default\" />\n" +
           "\t\t<AreaCoords><0 Value=\"" + Uv(x0, y0) + "\" /><1 Value=\"" + Uv(x0 + CELL, y0) +
           "\" /><2 Value=\"" + Uv(x0 + CELL, y0 + CELL) + "\" /><3 Value=\"" + Uv(x0, y0 + CELL) +
           "\" /></AreaCoords>\n\t</Style>\n";
}

const std::string CAPTION = "\t\t<TextFont Name=\"default\" />\n"
                            "\t\t<TextOffset Value=\"6:4\" />\n"
                            "\t\t<TextColor Value=\"0.92:0.93:0.96:1\" />\n";
const std::string DIM_CAPTION = "\t\t<TextFont Name=\"default\" />\n"
                                "\t\t<TextOffset Value=\"6:4\" />\n"
                                "\t\t<TextColor Value=\"0.6:0.62:0.66:1\" />\n";

struct SkinEntry
{
    const char* element;
    const char* style;
};

// Every element the factories and the item operations ask a skin for.
constexpr SkinEntry SKIN[] = {
    {"Area", "Panel"},
    {"AreaActive", "Panel"},
    {"AreaUnactive", "PanelDim"},
    {"AreaBarActive", "Panel"},
    {"AreaBarUnactive", "PanelDim"},
    {"AreaOver", "ButtonOver"},
    {"BarActive", "TitleBar"},
    {"BarUnactive", "TitleBarDim"},
    {"ButtonActive", "Button"},
    {"ButtonUnactive", "ButtonDim"},
    {"ButtonClose", "GlyphClose"},
    {"ButtonFull", "GlyphFull"},
    {"ButtonMin", "GlyphMin"},
    {"BarBackH", "Track"},
    {"BarBackV", "Track"},
    {"BarFrontActiveH", "Thumb"},
    {"BarFrontUnactiveH", "Track"},
    {"BarFrontActiveV", "Thumb"},
    {"BarFrontUnactiveV", "Track"},
    {"BarH", "Track"},
    {"Barv", "Track"},
    {"BarV", "Track"},
    {"DragActive", "Handle"},
    {"DragUnactive", "Handle"},
    {"ListArea", "Box"},
    {"BoxActive", "Box"},
    {"BoxUnactive", "BoxDim"},
    {"IconActive", "GlyphArrow"},
    {"IconUnactive", "GlyphArrow"},
    {"CellActive", "Cell"},
    {"CellUnactive", "CellDim"},
    {"CellIUnactive", "CellDim"},
    {"CellOver", "ButtonOver"},
    {"CellSelected", "Selected"},
    {"CellActiveOn", "CheckOn"},
    {"CellActiveOff", "CheckOff"},
    {"CellUnactiveOn", "CheckOn"},
    {"CellUnactiveOff", "CheckOff"},
};

std::string Theme()
{
    std::string theme =
        "<Theme Name=\"default\">\n"
        "\t<Texture Name=\"default\" Type=\"OVT\" File=\"themes/default/default.ovt\" "
        "WrapS=\"CLAMP\" WrapT=\"CLAMP\" />\n"
        "\t<Font Name=\"default\" TexFile=\"themes/default/dejavu_sans_16.ovt\" "
        "MapFile=\"themes/default/dejavu_sans_16.fnt\" />\n";
    theme += FrameStyle("Panel", PANEL, CAPTION);
    theme += FrameStyle("PanelDim", PANEL, DIM_CAPTION);
    theme += FrameStyle("TitleBar", BAR_ACTIVE, CAPTION);
    theme += FrameStyle("TitleBarDim", BAR_UNACTIVE, DIM_CAPTION);
    theme += FrameStyle("Button", BUTTON, CAPTION);
    theme += FrameStyle("ButtonOver", BUTTON_OVER, CAPTION);
    theme += FrameStyle("ButtonDim", BUTTON_UNACTIVE, DIM_CAPTION);
    theme += FrameStyle("Box", BOX, CAPTION);
    theme += FrameStyle("BoxDim", BOX, DIM_CAPTION);
    theme += FrameStyle("Track", TRACK);
    theme += FrameStyle("Thumb", THUMB);
    theme += FrameStyle("Cell", BOX, CAPTION);
    theme += FrameStyle("CellDim", BOX, DIM_CAPTION);
    theme += FrameStyle("Selected", SELECTED, CAPTION);
    theme += FrameStyle("CheckOff", CHECK_OFF);
    theme += PictureStyle("CheckOn", CHECK_ON);
    theme += PictureStyle("Handle", HANDLE);
    theme += PictureStyle("GlyphClose", GLYPH_CLOSE);
    theme += PictureStyle("GlyphFull", GLYPH_FULL);
    theme += PictureStyle("GlyphMin", GLYPH_MIN);
    theme += PictureStyle("GlyphArrow", GLYPH_ARROW);
    theme += "\t<Skin Name=\"default\">\n";
    for (const SkinEntry& entry : SKIN)
        theme += "\t\t<Style Control=\"" + std::string(entry.element) + "\" Name=\"" + entry.style +
                 "\" />\n";
    return theme + "\t</Skin>\n</Theme>\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: theme_art <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    Atlas atlas;
    Draw(atlas);
    if (!atlas.Save(folder + "/default.png"))
    {
        std::fprintf(stderr, "theme_art: cannot write %s/default.png\n", folder.c_str());
        return 1;
    }
    FILE* file = std::fopen((folder + "/default.xml").c_str(), "wb");
    const std::string theme = Theme();
    if (!file || std::fwrite(theme.data(), 1, theme.size(), file) != theme.size())
    {
        std::fprintf(stderr, "theme_art: cannot write %s/default.xml\n", folder.c_str());
        if (file)
            std::fclose(file);
        return 1;
    }
    std::fclose(file);
    return 0;
}
