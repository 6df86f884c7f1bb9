// Typed theme values and the style elements.
#include "gui/gui_theme_values.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

constexpr const char* AREA_WORDS[AREA_COUNT] = {
    "TOP-LEFT", "TOP",         "TOP-RIGHT", "LEFT",         "MIDDLE",
    "RIGHT",    "BOTTOM-LEFT", "BOTTOM",    "BOTTOM-RIGHT",
};
constexpr const char* HALIGN_WORDS[3] = {"LEFT", "CENTER", "RIGHT"};
constexpr const char* VALIGN_WORDS[3] = {"TOP", "MIDDLE", "BOTTOM"};
constexpr const char* SPLIT_NAMES[4] = {"Top", "Bottom", "Left", "Right"};
constexpr const char* CORNER_NAMES[4] = {"0", "1", "2", "3"};

template <class T> void Keep(T& field, double value, double low, double high)
{
    if (std::isfinite(value))
        field = static_cast<T>(std::clamp(value, low, high));
}

template <class T, class V> void ReadComponents(const char* text, V& field, char letter)
{
    T parsed[4] = {T(field.x), T(field.y), T(field.z), T(field.w)};
    if (!OV_STRING(text).ParseTyped(parsed, sizeof(parsed), letter))
        return;
    V result = field;
    Keep(result.x, parsed[0], -THEME_NUMBER_LIMIT, THEME_NUMBER_LIMIT);
    Keep(result.y, parsed[1], -THEME_NUMBER_LIMIT, THEME_NUMBER_LIMIT);
    Keep(result.z, parsed[2], -THEME_NUMBER_LIMIT, THEME_NUMBER_LIMIT);
    Keep(result.w, parsed[3], -THEME_NUMBER_LIMIT, THEME_NUMBER_LIMIT);
    field = result;
}

} // namespace

const char* Attribute(const MARKUP_NODE& node, const char* key)
{
    for (const MARKUP_ATTRIBUTE& attribute : node.attributes)
        if (attribute.key == key)
            return attribute.value.Text();
    return "";
}

void ReadFloats(const char* text, OV_VECTOR_F& field, float low, float high)
{
    OV_VECTOR_F parsed = field;
    ReadComponents<float>(text, parsed, 'f');
    field = OV_VECTOR_F(std::clamp(parsed.x, low, high), std::clamp(parsed.y, low, high),
                        std::clamp(parsed.z, low, high), std::clamp(parsed.w, low, high));
}

void ReadDoubles(const char* text, OV_VECTOR& field)
{
    ReadComponents<double>(text, field, 'v');
}

void ReadFloat(const char* text, float& field, float low, float high)
{
    float parsed = field;
    if (OV_STRING(text).ParseTyped(&parsed, sizeof(parsed), 'h'))
        Keep(field, parsed, low, high);
}

void ReadInteger(const char* text, int32_t& field, int32_t low, int32_t high)
{
    int32_t parsed = field;
    if (OV_STRING(text).ParseTyped(&parsed, sizeof(parsed), 'i'))
        field = std::clamp(parsed, low, high);
}

TEXTURE_PARAMETERS TextureParametersOf(const MARKUP_NODE& element)
{
    auto filter = [&element](const char* key)
    {
        return std::strcmp(Attribute(element, key), "LINEAR") == 0 ? OV_FILTER_LINEAR
                                                                   : OV_FILTER_NEAREST;
    };
    auto wrap = [&element](const char* key)
    { return std::strcmp(Attribute(element, key), "CLAMP") == 0 ? OV_WRAP_CLAMP : OV_WRAP_REPEAT; };
    return {float(filter("MinFilter")), float(filter("MagFilter")), float(wrap("WrapS")),
            float(wrap("WrapT"))};
}

int AreaOf(const char* align)
{
    for (int area = 0; area < AREA_COUNT; ++area)
        if (std::strcmp(align, AREA_WORDS[area]) == 0)
            return area;
    return AREA_MIDDLE;
}

bool STYLE_READER::Read(const MARKUP_NODE& element)
{
    const OV_STRING& name = element.name;
    if (name == "AreaSplit")
        ReadSplit(element);
    else if (name == "AreaColors")
        ReadCorners(element, style_.AreaColors[AreaOf(Attribute(element, "Align"))]);
    else if (name == "AreaCoords")
        ReadCoords(element);
    else if (name == "AreaTexture")
        ReadTexture(element);
    else if (name == "AreaColorFilter")
        ReadFloats(Attribute(element, "Value"), style_.AreaColorFilter);
    else if (name == "AsBorder")
        style_.AsBorder = std::strcmp(Attribute(element, "Mode"), "On") == 0;
    else if (name == "IconRect")
        ReadCorners(element, style_.IconRect);
    else if (name == "TextColor")
        ReadDoubles(Attribute(element, "Value"), style_.TextColor);
    else if (name == "TextFont")
        return ReadFont(element);
    else if (name == "TextHalign")
        ReadAlign(element, style_.TextHalign, HALIGN_WORDS);
    else if (name == "TextValign")
        ReadAlign(element, style_.TextValign, VALIGN_WORDS);
    else if (name == "TextOffset")
        ReadDoubles(Attribute(element, "Value"), style_.TextOffset);
    else if (name == "TextScale")
        ReadDoubles(Attribute(element, "Value"), style_.TextScale);
    else if (name == "TextBorder")
        ReadBorder(element);
    return true;
}

// A value ending in '%' marks its split a percentage for good; splits are never negative.
void STYLE_READER::ReadSplit(const MARKUP_NODE& element)
{
    for (const MARKUP_NODE& child : element.children)
        for (int split = 0; split < 4; ++split)
        {
            if (child.name != SPLIT_NAMES[split])
                continue;
            const char* value = Attribute(child, "Value");
            const size_t length = std::strlen(value);
            const bool percent = length > 0 && value[length - 1] == '%';
            if (percent)
                style_.AreaSplitPercent[split] = '%';
            ReadFloat(value, style_.AreaSplit[split], 0, percent ? 100 : THEME_NUMBER_LIMIT);
        }
}

void STYLE_READER::ReadCorners(const MARKUP_NODE& element, OV_VECTOR_F corners[4])
{
    for (const MARKUP_NODE& child : element.children)
        for (int corner = 0; corner < 4; ++corner)
            if (child.name == CORNER_NAMES[corner])
                ReadFloats(Attribute(child, "Value"), corners[corner]);
}

void STYLE_READER::ReadCoords(const MARKUP_NODE& element)
{
    const int area = AreaOf(Attribute(element, "Align"));
    ReadFloats(Attribute(element, "Tiled"), style_.AreaTiled[area]);
    ReadFloats(Attribute(element, "Offset"), style_.AreaOffset[area]);
    ReadCorners(element, style_.AreaCoords[area]);
}

void STYLE_READER::ReadTexture(const MARKUP_NODE& element)
{
    const char* name = Attribute(element, "Name");
    OvHandle& texture = style_.AreaTexture[AreaOf(Attribute(element, "Align"))];
    auto entry = *name ? textures_.Find(name) : OV_ENTRY<OvHandle>();
    texture = entry ? *entry : OvHandle{1, nullptr};
}

bool STYLE_READER::ReadFont(const MARKUP_NODE& element)
{
    auto font = Entry(fonts_, Attribute(element, "Name"));
    if (!font)
        return false;
    style_.TextFont = font.Get();
    return true;
}

void STYLE_READER::ReadAlign(const MARKUP_NODE& element, int32_t& field, const char* const words[3])
{
    const char* mode = Attribute(element, "Mode");
    for (int32_t i = 0; i < 3; ++i)
        if (std::strcmp(mode, words[i]) == 0)
            field = i - 1;
}

void STYLE_READER::ReadBorder(const MARKUP_NODE& element)
{
    ReadDoubles(Attribute(element, "Color"), style_.TextBorderColor);
    ReadFloat(Attribute(element, "Size"), style_.TextBorderSize, 0, THEME_BORDER_SIZE_LIMIT);
    ReadInteger(Attribute(element, "Quality"), style_.TextBorderQuality, 0,
                THEME_BORDER_QUALITY_LIMIT);
}

} // namespace OV_GUI
} // namespace OvCore
