// How theme elements are read: attributes as text (missing ones read as empty), typed values
// that change only the components given and only to finite, clamped numbers, the table
// entries a theme may create, and the style elements.
#pragma once

#include "core/ov_registry.h"
#include "formats/markup.h"
#include "graphics/ov_font.h"
#include "gui/gui_style.h"
#include "gui/gui_theme_limits.h"

namespace OvCore
{
namespace OV_GUI
{

// The value of the node's first attribute named `key`; "" when it has none.
const char* Attribute(const MARKUP_NODE& node, const char* key);

// Find-or-create in a table, refusing (null) a name the table cannot hold and new names
// beyond THEME_TABLE_LIMIT entries.
template <class T> OV_ENTRY<T> Entry(OV_REGISTRY<T>& table, const char* name)
{
    OV_ENTRY<T> found = table.Find(name);
    if (found || table.Count() >= THEME_TABLE_LIMIT)
        return found;
    return table.Get(name);
}

// Typed attribute values into fields: f floats and v doubles (components separated by ':'),
// h one float, i one integer. An empty or missing value changes nothing; components that are
// not finite are dropped, the others clamped to [low, high].
void ReadFloats(const char* text, OV_VECTOR_F& field, float low = -THEME_NUMBER_LIMIT,
                float high = THEME_NUMBER_LIMIT);
void ReadDoubles(const char* text, OV_VECTOR& field);
void ReadFloat(const char* text, float& field, float low, float high);
void ReadInteger(const char* text, int32_t& field, int32_t low, int32_t high);

// Applies the children of a Style element to a style. Read returns false when a table the
// style names would overflow (the load stops there).
class STYLE_READER
{
  public:
    // A reader that changes `style`, taking textures and fonts by name from the two tables.
    STYLE_READER(GUI_STYLE& style, OV_REGISTRY<OvHandle>& textures, OV_REGISTRY<OV_FONT>& fonts)
        : style_(style), textures_(textures), fonts_(fonts)
    {
    }
    // Applies one style element (AreaSplit, TextFont or another of a Style's children); unknown
    // names change nothing.
    bool Read(const MARKUP_NODE& element);

  private:
    void ReadSplit(const MARKUP_NODE& element);
    void ReadCorners(const MARKUP_NODE& element, OV_VECTOR_F corners[4]);
    void ReadCoords(const MARKUP_NODE& element);
    void ReadTexture(const MARKUP_NODE& element);
    bool ReadFont(const MARKUP_NODE& element);
    void ReadAlign(const MARKUP_NODE& element, int32_t& field, const char* const words[3]);
    void ReadBorder(const MARKUP_NODE& element);

    GUI_STYLE& style_;
    OV_REGISTRY<OvHandle>& textures_;
    OV_REGISTRY<OV_FONT>& fonts_;
};

// The engine parameters of a Texture element: nearest filters and repeating unless it says
// "LINEAR" or "CLAMP".
struct TEXTURE_PARAMETERS
{
    // The engine's values for OvTextureParameter: the minifying and magnifying filters
    // (nearest or linear) and the wrapping across and down (repeat or clamp).
    float minFilter, magFilter, wrapS, wrapT;
};
// The parameters a Texture element's MinFilter, MagFilter, WrapS and WrapT ask for.
TEXTURE_PARAMETERS TextureParametersOf(const MARKUP_NODE& element);

// The area an Align word names; MIDDLE for anything else.
int AreaOf(const char* align);

} // namespace OV_GUI
} // namespace OvCore
