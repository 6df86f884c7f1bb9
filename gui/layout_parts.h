// The pieces of the layout reader (gui/layout.h): the state one load shares across its
// nested elements and includes, the attribute forms of an element, and the node kinds.
#pragma once

#include "gui/gui_factories.h"
#include "gui/layout.h"

#include <string>
#include <vector>

namespace OvCore
{
namespace OV_GUI
{

struct LAYOUT_LOAD
{
    LAYOUT_PROCEDURES& procedures;
    LAYOUT_ICONS& icons;
    GUI_SYSTEM& system;
    LAYOUT_NOTES* notes;
    uint32_t elements = 0;
    uint32_t includes = 0;
    uint32_t nesting = 0;
    std::vector<std::string> loading; // "file" + "#" + element path of each load in progress

    void Note(const std::string& line)
    {
        if (notes)
            notes->push_back(line);
    }
};

// One layout element's attributes in their forms; an absent attribute reads as empty.
class LAYOUT_ELEMENT
{
  public:
    explicit LAYOUT_ELEMENT(MARKUP_NODE& node) : node_(node) {}
    MARKUP_NODE& Node() { return node_; }
    const char* Kind() const { return node_.name.Text(); }
    const char* Text(const char* key);
    // Up to four numbers separated by ":" over `fallback`; `fallback` when empty.
    OV_VECTOR_F Vector(const char* key, OV_VECTOR_F fallback = OV_VECTOR_F());
    // One float; 0 when empty.
    float Number(const char* key);
    // On exactly for "On".
    bool Switch(const char* key);
    // The text of the first unnamed child; empty when there is none.
    OV_STRING Content();
    // Top, bottom, left, right from the vector form, 0 where not written.
    MARGINS Margins(const char* key);

  private:
    MARKUP_NODE& node_;
};

// What creating one element gave: the control (null when nothing was made) and which of the
// procedures, the OnLoad script and the children its kind honours.
struct LAYOUT_BUILT
{
    CONTROL* control = nullptr;
    bool eventProc = false;
    bool renderProc = false;
    bool onLoad = true;
    bool children = false;
};

// Creates the control of an element of a known kind (Include excluded); `known` is false for
// element names that are no kind.
LAYOUT_BUILT BuildElement(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent, bool& known);
// Item and Menu, decided by the parent's tag.
LAYOUT_BUILT BuildItem(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent);
LAYOUT_BUILT BuildMenu(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element, CONTROL* parent);
// The icon table's texture for the Icon attribute (a zero handle for none).
OvHandle IconOf(LAYOUT_LOAD& load, LAYOUT_ELEMENT& element);
// Unescapes the control's Text (captions may write \n and the other escapes).
void UnescapeText(CONTROL* control);

// The children of `start` as layout nodes under `parent`.
void LoadChildren(LAYOUT_LOAD& load, const char* path, MARKUP_NODE& start, CONTROL* parent,
                  MARKUP_NODE& document);
// One load of the element `elementPath` of `path` (or of `start` in `document`).
bool LoadFrom(LAYOUT_LOAD& load, const char* path, const char* elementPath, MARKUP_NODE* start,
              CONTROL* parent, MARKUP_NODE* document);

} // namespace OV_GUI
} // namespace OvCore
