// GUI_SYSTEM, the GUI of one window: the tree of controls under a root control, the queue of
// nodes to take out at the end of a pass, the hovered control and the cursor of the last
// pass, the tables that themes fill (styles, skins, textures, fonts) and the named controls.
//
// Ownership: the system owns every control attached to it. A control handed to AddControl
// belongs to the system from then on, and the system deletes it when its node leaves the
// tree (the removal step, RemoveNamedControl, Clear) or when the system is destroyed. A
// subtree taken out while a pass or a callback is running is deleted when the outermost
// running pass ends, so a handler may remove its own window. Controls never attached are
// the caller's.
#pragma once

#include "core/ov_registry.h"
#include "core/ov_vector.h"
#include "graphics/ov_font.h"
#include "gui/gui_control.h"
#include "gui/gui_style.h"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

namespace OvCore
{

struct OV_WINDOW;

namespace OV_GUI
{

// A node of the control tree: the control it holds (owned), its parent and its children in
// order (the same shape as a markup tree).
struct CONTROL_NODE
{
    std::unique_ptr<CONTROL> control; // the control, owned; the root node's is the root control
    CONTROL_NODE* parent = nullptr;   // the parent node; null for the root
    std::list<CONTROL_NODE> children; // child nodes in tree order (the order they were added)
    uint32_t depth = 0;               // the root is 0, its children 1, ...
    bool inTree = false;              // cleared on the whole subtree when it is taken out

    // An empty node, in no tree.
    CONTROL_NODE() = default;
    // Deletes its control and its whole subtree without recursing, however deep it is.
    ~CONTROL_NODE();
    // Not copied: the children point back at their parent node.
    CONTROL_NODE(const CONTROL_NODE&) = delete;
    CONTROL_NODE& operator=(const CONTROL_NODE&) = delete;
};

// A skin: element name ("AreaActive", "ButtonClose", ...) to style name.
using GUI_SKIN = OV_REGISTRY<OV_STRING>;

// Loads a non-engine image file into a texture made with OvTextureCreate; true when loaded.
typedef bool (*IMAGE_LOADER)(OvHandle texture, const char* file);
// The loader every GUI_SYSTEM starts with: PNG, BMP, JPEG, TGA and GIF files.
bool LoadImageFile(OvHandle texture, const char* file);

// The GUI of one window: its control tree, its input pass and its theme tables.
class GUI_SYSTEM
{
  public:
    // The bits CorrectionMask starts with: only the hovered control keeps a press, an enter and
    // the cursor's being over it.
    static constexpr uint32_t DEFAULT_CORRECTION_MASK = MOUSE_PRESSED | MOUSE_ENTER | MOUSE_OVER;
    // Levels below the root a control may sit at, so every walk of the tree stays shallow.
    static constexpr uint32_t DEPTH_LIMIT = 256;

    // An empty tree under a fresh root control, no window, the image loader LoadImageFile.
    GUI_SYSTEM();
    // Deletes every control and empties the tables (textures destroyed in the engine).
    ~GUI_SYSTEM();
    // Not copied: the system owns its controls and engine textures.
    GUI_SYSTEM(const GUI_SYSTEM&) = delete;
    GUI_SYSTEM& operator=(const GUI_SYSTEM&) = delete;

    // The window whose GUI this is (its size is the screen of the GUI); none until bound.
    OV_WINDOW* Window = nullptr;
    // The tree's root node; it holds the root control, the parent of every top-level control.
    CONTROL_NODE Root;
    // Nodes QueueRemoval queued, taken out with their subtrees by the removal step.
    std::vector<CONTROL_NODE*> RemovalQueue;
    // The frontmost hitable control under the cursor, found by the latest input pass; null
    // for none.
    CONTROL* Hovered = nullptr;
    // The cursor in window pixels at the end of the last input pass (x, y, 0, 1).
    OV_VECTOR LastMouse;
    // The cursor now minus LastMouse, computed at the start of each input pass.
    OV_VECTOR MouseMove;
    // Styles by name, filled by themes; a control's styles are entries of this table.
    OV_REGISTRY<GUI_STYLE> Styles;
    // Skins by name, each naming the style of every element of the composites.
    OV_REGISTRY<GUI_SKIN> Skins;
    // Controls by the names layouts and factories gave them; entries whose control left the
    // tree are dropped every frame.
    OV_REGISTRY<CONTROL*> NamedControls;
    // Theme textures by name, owned: destroyed in the engine with the system.
    OV_REGISTRY<OvHandle> Textures;
    // Theme fonts by name, owned and freed with the system.
    OV_REGISTRY<OV_FONT> Fonts;
    // Reads a theme texture whose Type is not "OVT"; null leaves such textures empty.
    IMAGE_LOADER ImageLoader = nullptr;
    // Event bits the correction step clears from every control except the hovered one and
    // the NonCorrected ones.
    uint32_t CorrectionMask = DEFAULT_CORRECTION_MASK;

    // The root control: never null, never drawn; top-level controls are its children.
    CONTROL* RootControl() const { return Root.control.get(); }

    // Appends the control under `parent` (the root when null) and takes it over; returns it.
    // Null, deleting nothing, for a null control or one already attached; null, deleting the
    // control, when `parent` is not in this tree or already DEPTH_LIMIT levels deep.
    CONTROL* AddControl(CONTROL* control, CONTROL* parent = nullptr);
    // A new T attached under `parent` as AddControl does; null when it could not be attached.
    template <class T> T* Add(CONTROL* parent = nullptr)
    {
        return static_cast<T*>(AddControl(new T, parent));
    }
    // Mode 0x2 ORs `bits` into an active control's Events, then OnEvents runs; `clear` zeroes
    // Events after it; mode 0x1 repeats for the whole subtree (mode 3, cleared). With
    // `checkTree`, a control whose node is not in this tree is left alone.
    void SendEvent(CONTROL* control, uint32_t bits, uint32_t mode, bool checkTree, bool clear);
    // Plain: Order = the smallest Order among the siblings (itself too) - 1. Exclusive: every
    // sibling 0, the control -1. Nothing for a control without a parent.
    void BringToFront(CONTROL* control, bool exclusive);
    // Erases the control's NamedControls entry and takes its subtree out at once; false,
    // changing nothing, when the control has no entry.
    bool RemoveNamedControl(CONTROL* control);
    // True for the root node and the nodes below it.
    bool Contains(const CONTROL_NODE* node) const;
    // Takes the control's subtree out at once (its NamedControls entries go with it); false
    // for the root and for controls not in this tree.
    bool RemoveControl(CONTROL* control);
    // Takes the control's subtree out at the end of the pass.
    void QueueRemoval(CONTROL* control);
    // Enters the control in NamedControls, replacing an earlier entry of that name.
    void NameControl(const char* name, CONTROL* control);

    // The per-frame steps that follow the layout pass, in order.

    // Sets every control's event bits from the input record, finds the hovered control,
    // applies the correction and delivers (OnEvents, parent first); nothing without a window.
    void InputPass();
    // Takes out the subtrees of the queued nodes still in the tree; empties the queue.
    void RemovalStep();
    // Drops the NamedControls entries whose control is no longer in the tree.
    void CleanNamedControls();
    // The three in one frame, as the scene step runs them.
    void ProcessInput();

    // Reads the theme `theme` of the theme file `path` into the tables (gui/gui_theme.cpp).
    bool LoadTheme(const char* path, const char* theme);

    // Empties the tree (deleting its controls), the tables and the queue; textures are
    // destroyed in the engine, fonts freed. The window binding and the loader stay.
    void Clear();

    // A walk that calls out holds one: subtrees taken out meanwhile wait until the last
    // hold ends.
    class Hold
    {
      public:
        // Holds `system` until the destructor.
        explicit Hold(GUI_SYSTEM& system) : system_(system) { ++system_.holds_; }
        // Not copied: each hold is released once.
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        // Ends the hold; the last one deletes the subtrees taken out meanwhile.
        ~Hold();

      private:
        GUI_SYSTEM& system_;
    };

  private:
    friend class THEME_READER;

    void Detach(CONTROL_NODE* node);
    void DeleteDetached();
    void ClearTables();
    void RetireTexture(OvHandle texture);

    std::list<CONTROL_NODE> detached_; // taken out while held
    std::vector<OvHandle> retiredTextures_;
    int holds_ = 0;
};

} // namespace OV_GUI
} // namespace OvCore
