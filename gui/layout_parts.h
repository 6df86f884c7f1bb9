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

// What one LoadLayout shares across its nested elements and includes: the caller's tables,
// system and notes, and the counts the limits are checked against.
struct LAYOUT_LOAD
{
    LAYOUT_PROCEDURES& procedures;    // the caller's procedures by name (EventProc, RenderProc)
    LAYOUT_ICONS& icons;              // the caller's icon textures by name
    GUI_SYSTEM& system;               // where the controls are created
    LAYOUT_NOTES* notes;              // what was cut or not followed; null: not kept
    uint32_t elements = 0;            // elements handled so far, against LAYOUT_LIMITS::ELEMENTS
    uint32_t includes = 0;            // included loads so far, against LAYOUT_LIMITS::INCLUDES
    uint32_t nesting = 0;             // element levels open now, against LAYOUT_LIMITS::NESTING
    std::vector<std::string> loading; // "file" + "#" + element path of each load in progress

    // Adds `line` to the notes, when the caller keeps them.
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
    // Reads the attributes of the element `node`.
    explicit LAYOUT_ELEMENT(MARKUP_NODE& node) : node_(node) {}
    // The element itself.
    MARKUP_NODE& Node() { return node_; }
    // The element's name, which is its node kind ("Window", "Button", ...).
    const char* Kind() const { return node_.name.Text(); }
    // The attribute's value as written; "" when it is absent.
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
    CONTROL* control = nullptr; // the new control (the factory's result); null: none made
    bool eventProc = false;     // the kind takes an EventProc attribute
    bool renderProc = false;    // the kind takes a RenderProc attribute
    bool onLoad = true;         // the kind runs its OnLoad script
    bool children = false;      // the kind's nested elements become its children
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
