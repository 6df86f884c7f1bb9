// LoadTheme: one named theme of a theme file into the tables of a GUI_SYSTEM, its includes
// first where they stand. Theme files are written by hand and trusted for nothing: files,
// includes, elements and table entries are counted against fixed limits, numbers that are
// not finite are ignored and the others clamped to what a box can use.
#include "gui/gui_system.h"
#include "gui/gui_theme_limits.h"
#include "gui/gui_theme_values.h"

#include "formats/byte_buffer.h"
#include "formats/markup.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// The first top-level Theme element with that Name.
const MARKUP_NODE* FindTheme(const MARKUP_NODE& document, const char* theme)
{
    for (const MARKUP_NODE& node : document.children)
        if (node.name == "Theme" && std::strcmp(Attribute(node, "Name"), theme) == 0)
            return &node;
    return nullptr;
}

bool ReadBounded(const char* path, ByteBuffer& buffer)
{
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > THEME_FILE_LIMIT)
        return false;
    return buffer.LoadFile(path);
}

// What names an include in the chain of includes: the file's real path and the theme.
std::string IncludeKey(const char* path, const char* theme)
{
    std::error_code error; // realpath's answer, on every system
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    return (error ? std::string(path) : real.string()) + '\n' + theme;
}

} // namespace

// One reading of a theme with all its includes: the chain of themes being read (a theme met
// again in it is a cycle) and what has been spent of the limits.
class THEME_READER
{
  public:
    explicit THEME_READER(GUI_SYSTEM& system) : system_(system) {}

    bool Load(const char* path, const char* theme)
    {
        if (!path || !theme || chain_.size() >= THEME_INCLUDE_DEPTH || ++files_ > THEME_FILE_COUNT)
            return false;
        const std::string key = IncludeKey(path, theme);
        for (const std::string& open : chain_)
            if (open == key)
                return false;
        ByteBuffer buffer;
        MARKUP_NODE document;
        if (!ReadBounded(path, buffer) ||
            !document.Parse(reinterpret_cast<const char*>(buffer.start), buffer.count, " \t\n\r",
                            true))
            return false;
        const MARKUP_NODE* found = FindTheme(document, theme);
        if (!found)
            return false;
        chain_.push_back(key);
        const bool complete = ReadElements(*found);
        chain_.pop_back();
        return complete;
    }

  private:
    bool ReadElements(const MARKUP_NODE& theme)
    {
        for (const MARKUP_NODE& element : theme.children)
        {
            if (++elements_ > THEME_ELEMENT_COUNT || !ReadElement(element))
                return false;
        }
        return true;
    }

    // False stops the load: a failing include or a full table.
    bool ReadElement(const MARKUP_NODE& element)
    {
        if (element.name == "Include")
            return Load(Attribute(element, "File"), Attribute(element, "Theme"));
        if (element.name == "Texture")
            return ReadTexture(element);
        if (element.name == "Font")
            return ReadFont(element);
        if (element.name == "Style")
            return ReadStyle(element);
        if (element.name == "Skin")
            return ReadSkin(element);
        return true;
    }

    bool ReadTexture(const MARKUP_NODE& element)
    {
        auto entry = Entry(system_.Textures, Attribute(element, "Name"));
        if (!entry)
            return false;
        OvHandle texture = LoadTexture(element);
        system_.RetireTexture(*entry);
        *entry = texture;
        return true;
    }

    // A texture that does not load is not kept: the styles that name it go without.
    OvHandle LoadTexture(const MARKUP_NODE& element)
    {
        OvHandle texture{1, nullptr};
        if (!OvTextureCreate(&texture))
            return OvHandle{1, nullptr};
        const char* file = Attribute(element, "File");
        const bool loaded = std::strcmp(Attribute(element, "Type"), "OVT") == 0
                                ? OvTextureLoad(texture, file, 1) != 0
                                : system_.ImageLoader && system_.ImageLoader(texture, file);
        if (!loaded)
        {
            OvTextureDestroy(texture);
            return OvHandle{1, nullptr};
        }
        const TEXTURE_PARAMETERS parameters = TextureParametersOf(element);
        OvTextureActivate(texture);
        OvTextureParameter(OV_TEXTURE_MIN_FILTER, parameters.minFilter);
        OvTextureParameter(OV_TEXTURE_MAG_FILTER, parameters.magFilter);
        OvTextureParameter(OV_TEXTURE_WRAP_ACROSS, parameters.wrapS);
        OvTextureParameter(OV_TEXTURE_WRAP_DOWN, parameters.wrapT);
        OvTextureUnactivate(OV_TEXTURE_2D);
        return texture;
    }

    bool ReadFont(const MARKUP_NODE& element)
    {
        auto font = Entry(system_.Fonts, Attribute(element, "Name"));
        if (!font)
            return false;
        const char* map = Attribute(element, "MapFile");
        const TEXTURE_PARAMETERS parameters = TextureParametersOf(element);
        font->Load(Attribute(element, "TexFile"), *map ? map : nullptr, '\n',
                   int32_t(parameters.minFilter), int32_t(parameters.magFilter));
        return true;
    }

    bool ReadStyle(const MARKUP_NODE& element)
    {
        auto style = Entry(system_.Styles, Attribute(element, "Name"));
        if (!style)
            return false;
        const char* inherit = Attribute(element, "Inherit");
        if (*inherit)
        {
            auto parent = Entry(system_.Styles, inherit);
            if (!parent)
                return false;
            *style = *parent;
        }
        STYLE_READER reader{*style, system_.Textures, system_.Fonts};
        for (const MARKUP_NODE& child : element.children)
            if (!reader.Read(child))
                return false;
        return true;
    }

    bool ReadSkin(const MARKUP_NODE& element)
    {
        auto skin = Entry(system_.Skins, Attribute(element, "Name"));
        if (!skin)
            return false;
        for (const MARKUP_NODE& child : element.children)
        {
            if (child.name != "Style")
                continue;
            auto slot = Entry(*skin, Attribute(child, "Control"));
            if (!slot)
                return false;
            *slot = Attribute(child, "Name");
        }
        return true;
    }

    GUI_SYSTEM& system_;
    std::vector<std::string> chain_;
    unsigned files_ = 0;
    unsigned elements_ = 0;
};

bool GUI_SYSTEM::LoadTheme(const char* path, const char* theme)
{
    THEME_READER reader(*this);
    return reader.Load(path, theme);
}

} // namespace OV_GUI
} // namespace OvCore
