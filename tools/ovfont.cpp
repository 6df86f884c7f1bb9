// Rasterises a TrueType/OpenType font at one pixel size into a glyph texture (PNG, white
// glyphs whose coverage is the alpha) and a descriptor text file with info/common/page/char
// lines, the form OV_FONT reads (graphics/font_descriptor.h). Character codes 0-255 are
// Latin-1, so code c is drawn from Unicode code point c.
//
// Usage: ovfont <font file> <pixel size> <output base> [--chars=32-126,160-255]
//               [--width=256] [--padding=1]
// writes <output base>.png and <output base>.fnt.
// Exit codes: 0 written, 1 the font cannot be read or rendered, the glyphs do not fit or an
// output cannot be written, 2 wrong usage.
#include <ft2build.h>
#include FT_FREETYPE_H

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct Options
{
    const char* fontPath = nullptr;
    int pixelSize = 0;
    std::string outputBase;
    std::vector<bool> wanted = std::vector<bool>(256, false);
    int textureWidth = 256;
    int padding = 1;
};

struct Glyph
{
    int code = 0;
    int width = 0;
    int height = 0;
    int xoffset = 0;
    int yoffset = 0;
    int xadvance = 0;
    std::vector<uint8_t> coverage; // width x height, one byte per pixel
    int x = 0;                     // place in the texture
    int y = 0;
};

struct FontMetrics
{
    std::string face;
    int lineHeight = 0;
    int base = 0;
};

int Fail(const std::string& what)
{
    std::fprintf(stderr, "ovfont: %s\n", what.c_str());
    return 1;
}

bool ParseInt(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// "32-126,160-255" or single codes "65,66"; every code within 0..255.
bool ParseRanges(const std::string& text, std::vector<bool>& wanted)
{
    std::fill(wanted.begin(), wanted.end(), false);
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string range = text.substr(start, comma - start);
        const size_t dash = range.find('-');
        int first = 0, last = 0;
        if (!ParseInt(range.substr(0, dash).c_str(), 0, 255, first) ||
            !ParseInt(dash == std::string::npos ? range.c_str() : range.c_str() + dash + 1, 0, 255,
                      last) ||
            first > last)
            return false;
        for (int code = first; code <= last; ++code)
            wanted[code] = true;
        start = comma + 1;
    }
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc < 4)
        return false;
    options.fontPath = argv[1];
    options.outputBase = argv[3];
    if (!ParseInt(argv[2], 4, 256, options.pixelSize) ||
        !ParseRanges("32-126,160-255", options.wanted))
        return false;
    for (int i = 4; i < argc; ++i)
    {
        const std::string argument = argv[i];
        bool ok = false;
        if (argument.rfind("--chars=", 0) == 0)
            ok = ParseRanges(argument.substr(8), options.wanted);
        else if (argument.rfind("--width=", 0) == 0)
            ok = ParseInt(argument.c_str() + 8, 16, 8192, options.textureWidth);
        else if (argument.rfind("--padding=", 0) == 0)
            ok = ParseInt(argument.c_str() + 10, 0, 16, options.padding);
        if (!ok)
            return false;
    }
    return true;
}

int Rounded26_6(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

// Renders one character; false when the font has no glyph for it.
bool RenderGlyph(FT_Face face, int code, int base, Glyph& glyph)
{
    if (FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) == 0 ||
        FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.rows != 0 && (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch <= 0))
        return false;
    glyph.code = code;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.xoffset = slot->bitmap_left;
    glyph.yoffset = base - slot->bitmap_top;
    glyph.xadvance = Rounded26_6(slot->advance.x);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int row = 0; row < glyph.height; ++row)
        std::memcpy(&glyph.coverage[static_cast<size_t>(row) * glyph.width],
                    bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch, glyph.width);
    return true;
}

struct FreeTypeLibrary
{
    FT_Library handle = nullptr;
    ~FreeTypeLibrary()
    {
        if (handle != nullptr)
            FT_Done_FreeType(handle);
    }
};

struct FreeTypeFace
{
    FT_Face handle = nullptr;
    ~FreeTypeFace()
    {
        if (handle != nullptr)
            FT_Done_Face(handle);
    }
};

// The family, with the style unless it is the regular one.
std::string FaceName(FT_Face face)
{
    std::string name = face->family_name ? face->family_name : "";
    const char* style = face->style_name;
    if (style != nullptr && std::strcmp(style, "Book") != 0 && std::strcmp(style, "Regular") != 0)
        name = name + " " + style;
    return name;
}

bool RenderFont(const Options& options, FontMetrics& metrics, std::vector<Glyph>& glyphs,
                std::string& error)
{
    FreeTypeLibrary library;
    FreeTypeFace face;
    if (FT_Init_FreeType(&library.handle) != 0)
    {
        error = "FreeType does not start";
        return false;
    }
    if (FT_New_Face(library.handle, options.fontPath, 0, &face.handle) != 0)
    {
        error = std::string(options.fontPath) + ": not a font FreeType can read";
        return false;
    }
    if (FT_Select_Charmap(face.handle, FT_ENCODING_UNICODE) != 0 ||
        FT_Set_Pixel_Sizes(face.handle, 0, static_cast<FT_UInt>(options.pixelSize)) != 0)
    {
        error = std::string(options.fontPath) + ": no Unicode character map or no such size";
        return false;
    }
    metrics.face = FaceName(face.handle);
    metrics.base = Rounded26_6(face.handle->size->metrics.ascender);
    metrics.lineHeight = Rounded26_6(face.handle->size->metrics.height);
    for (int code = 0; code < 256; ++code)
    {
        Glyph glyph;
        if (options.wanted[code] && RenderGlyph(face.handle, code, metrics.base, glyph))
            glyphs.push_back(std::move(glyph));
    }
    return true;
}

int NextPowerOfTwo(int value)
{
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

// Shelf packing, tallest glyphs first; returns the texture height (a power of two), or 0
// when a glyph is wider than the texture.
int PackGlyphs(std::vector<Glyph>& glyphs, int textureWidth, int padding)
{
    std::vector<Glyph*> order;
    for (Glyph& glyph : glyphs)
        order.push_back(&glyph);
    std::stable_sort(order.begin(), order.end(),
                     [](const Glyph* a, const Glyph* b) { return a->height > b->height; });
    int x = padding, y = padding, shelfHeight = 0;
    for (Glyph* glyph : order)
    {
        if (glyph->width + 2 * padding > textureWidth)
            return 0;
        if (x + glyph->width + padding > textureWidth)
        {
            x = padding;
            y += shelfHeight + padding;
            shelfHeight = 0;
        }
        glyph->x = x;
        glyph->y = y;
        x += glyph->width + padding;
        shelfHeight = std::max(shelfHeight, glyph->height);
    }
    return NextPowerOfTwo(y + shelfHeight + padding);
}

std::vector<uint8_t> DrawTexture(const std::vector<Glyph>& glyphs, int width, int height)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4, 0);
    for (const Glyph& glyph : glyphs)
        for (int row = 0; row < glyph.height; ++row)
            for (int column = 0; column < glyph.width; ++column)
            {
                uint8_t* pixel =
                    &rgba[(static_cast<size_t>(glyph.y + row) * width + glyph.x + column) * 4];
                pixel[0] = pixel[1] = pixel[2] = 255;
                pixel[3] = glyph.coverage[static_cast<size_t>(row) * glyph.width + column];
            }
    return rgba;
}

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteDescriptor(const std::string& path, const Options& options, const FontMetrics& metrics,
                     const std::vector<Glyph>& glyphs, int textureHeight)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fprintf(file,
                 "info face=\"%s\" size=%d bold=0 italic=0 charset=\"\" unicode=0 stretchH=100 "
                 "smooth=1 aa=1 padding=0,0,0,0 spacing=%d,%d\r\n",
                 metrics.face.c_str(), options.pixelSize, options.padding, options.padding);
    std::fprintf(file, "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=1 packed=0\r\n",
                 metrics.lineHeight, metrics.base, options.textureWidth, textureHeight);
    std::fprintf(file, "page id=0 file=\"%s.png\"\r\n", FileName(options.outputBase).c_str());
    std::fprintf(file, "chars count=%zu\r\n", glyphs.size());
    for (const Glyph& glyph : glyphs)
        std::fprintf(file,
                     "char id=%d x=%d y=%d width=%d height=%d xoffset=%d yoffset=%d xadvance=%d "
                     "page=0 chnl=15\r\n",
                     glyph.code, glyph.x, glyph.y, glyph.width, glyph.height, glyph.xoffset,
                     glyph.yoffset, glyph.xadvance);
    const bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: ovfont <font file> <pixel size 4-256> <output base> "
                             "[--chars=32-126,160-255] [--width=256] [--padding=1]\n");
        return 2;
    }
    FontMetrics metrics;
    std::vector<Glyph> glyphs;
    std::string error;
    if (!RenderFont(options, metrics, glyphs, error))
        return Fail(error);
    if (glyphs.empty())
        return Fail("the font has none of the requested characters");
    const int textureHeight = PackGlyphs(glyphs, options.textureWidth, options.padding);
    if (textureHeight == 0 || textureHeight > 8192)
        return Fail("the glyphs do not fit a texture " + std::to_string(options.textureWidth) +
                    " pixels wide; give a larger --width");

    const std::vector<uint8_t> rgba = DrawTexture(glyphs, options.textureWidth, textureHeight);
    const std::string png = options.outputBase + ".png";
    if (!stbi_write_png(png.c_str(), options.textureWidth, textureHeight, 4, rgba.data(),
                        options.textureWidth * 4))
        return Fail(png + ": cannot be written");
    const std::string descriptor = options.outputBase + ".fnt";
    if (!WriteDescriptor(descriptor, options, metrics, glyphs, textureHeight))
        return Fail(descriptor + ": cannot be written");
    std::printf("%s, %s: %zu glyphs, texture %dx%d, line height %d\n", png.c_str(),
                descriptor.c_str(), glyphs.size(), options.textureWidth, textureHeight,
                metrics.lineHeight);
    return 0;
}
