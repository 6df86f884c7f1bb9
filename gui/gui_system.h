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
    std::unique_ptr<CONTROL> control;
    CONTROL_NODE* parent = nullptr;
    std::list<CONTROL_NODE> children;
    uint32_t depth = 0;  // the root is 0, its children 1, ...
    bool inTree = false; // cleared on the whole subtree when it is taken out

    CONTROL_NODE() = default;
    ~CONTROL_NODE();
    CONTROL_NODE(const CONTROL_NODE&) = delete;
    CONTROL_NODE& operator=(const CONTROL_NODE&) = delete;
};

// A skin: element name ("AreaActive", "ButtonClose", ...) to style name.
using GUI_SKIN = OV_REGISTRY<OV_STRING>;

// Loads a non-engine image file into a texture made with OvTextureCreate; true when loaded.
typedef bool (*IMAGE_LOADER)(OvHandle texture, const char* file);
// The loader every GUI_SYSTEM starts with: PNG, BMP, JPEG, TGA and GIF files.
bool LoadImageFile(OvHandle texture, const char* file);

class GUI_SYSTEM
{
  public:
    static constexpr uint32_t DEFAULT_CORRECTION_MASK = MOUSE_PRESSED | MOUSE_ENTER | MOUSE_OVER;
    // Levels below the root a control may sit at, so every walk of the tree stays shallow.
    static constexpr uint32_t DEPTH_LIMIT = 256;

    GUI_SYSTEM();
    ~GUI_SYSTEM();
    GUI_SYSTEM(const GUI_SYSTEM&) = delete;
    GUI_SYSTEM& operator=(const GUI_SYSTEM&) = delete;

    // The window whose GUI this is (its size is the screen of the GUI); none until bound.
    OV_WINDOW* Window = nullptr;
    CONTROL_NODE Root; // holds the root control
    std::vector<CONTROL_NODE*> RemovalQueue;
    CONTROL* Hovered = nullptr;
    OV_VECTOR LastMouse;
    OV_VECTOR MouseMove;
    OV_REGISTRY<GUI_STYLE> Styles;
    OV_REGISTRY<GUI_SKIN> Skins;
    OV_REGISTRY<CONTROL*> NamedControls;
    OV_REGISTRY<OvHandle> Textures;
    OV_REGISTRY<OV_FONT> Fonts;
    IMAGE_LOADER ImageLoader = nullptr;
    uint32_t CorrectionMask = DEFAULT_CORRECTION_MASK;

    CONTROL* RootControl() const { return Root.control.get(); }

    // Appends the control under `parent` (the root when null) and takes it over; returns it.
    // Null, deleting nothing, for a null control or one already attached; null, deleting the
    // control, when `parent` is not in this tree or already DEPTH_LIMIT levels deep.
    CONTROL* AddControl(CONTROL* control, CONTROL* parent = nullptr);
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
    void InputPass();
    void RemovalStep();
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
        explicit Hold(GUI_SYSTEM& system) : system_(system) { ++system_.holds_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
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
