// The control tree of a GUI_SYSTEM: attaching, taking out (at once or at the end of the
// pass), deleting what was taken out, events sent by hand, the stacking order, the names.
#include "gui/gui_system.h"

#include "graphics/image_files.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// Every node of the subtree, without recursion.
template <class F> void ForSubtree(CONTROL_NODE& top, F&& visit)
{
    std::vector<CONTROL_NODE*> pending{&top};
    while (!pending.empty())
    {
        CONTROL_NODE* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (CONTROL_NODE& child : node->children)
            pending.push_back(&child);
    }
}

} // namespace

bool LoadImageFile(OvHandle texture, const char* file)
{
    return LoadImageTexture(texture, file) != 0;
}

// Level by level, so a deep tree is freed without deep recursion.
CONTROL_NODE::~CONTROL_NODE()
{
    std::list<CONTROL_NODE> pending;
    pending.splice(pending.end(), children);
    while (!pending.empty())
    {
        pending.splice(pending.end(), pending.front().children);
        pending.pop_front();
    }
}

GUI_SYSTEM::GUI_SYSTEM()
{
    Root.control = std::make_unique<CONTROL>();
    Root.control->System = this;
    Root.control->Node = &Root;
    Root.inTree = true;
    ImageLoader = LoadImageFile;
    MouseMove = OV_VECTOR(0, 0, 0, 1);
}

GUI_SYSTEM::~GUI_SYSTEM()
{
    holds_ = 0;
    Clear();
}

GUI_SYSTEM::Hold::~Hold()
{
    if (--system_.holds_ == 0)
        system_.DeleteDetached();
}

CONTROL* GUI_SYSTEM::AddControl(CONTROL* control, CONTROL* parent)
{
    if (!control || control->Node)
        return nullptr;
    CONTROL_NODE* parentNode = parent ? parent->Node : &Root;
    if (!Contains(parentNode) || parentNode->depth >= DEPTH_LIMIT)
    {
        delete control;
        return nullptr;
    }
    CONTROL_NODE& node = parentNode->children.emplace_back();
    node.control.reset(control);
    node.parent = parentNode;
    node.depth = parentNode->depth + 1;
    node.inTree = true;
    control->System = this;
    control->Node = &node;
    return control;
}

void GUI_SYSTEM::SendEvent(CONTROL* control, uint32_t bits, uint32_t mode, bool checkTree,
                           bool clear)
{
    if (!control || (checkTree && control->Node && !Contains(control->Node)))
        return;
    Hold hold(*this);
    if ((mode & 0x2) && control->Active)
        control->Events |= bits;
    control->OnEvents();
    if (clear)
        control->Events = 0;
    if (!(mode & 0x1) || !control->Node)
        return;
    std::vector<CONTROL*> children;
    for (CONTROL_NODE& child : control->Node->children)
        children.push_back(child.control.get());
    for (CONTROL* child : children)
        SendEvent(child, bits, 3, false, true);
}

void GUI_SYSTEM::BringToFront(CONTROL* control, bool exclusive)
{
    if (!control || !control->Node || !control->Node->parent)
        return;
    std::list<CONTROL_NODE>& siblings = control->Node->parent->children;
    if (exclusive)
    {
        for (CONTROL_NODE& sibling : siblings)
            sibling.control->Order = 0;
        control->Order = -1;
        return;
    }
    float lowest = control->Order;
    for (CONTROL_NODE& sibling : siblings)
        lowest = std::min(lowest, sibling.control->Order);
    control->Order = lowest - 1;
}

bool GUI_SYSTEM::RemoveNamedControl(CONTROL* control)
{
    if (!control)
        return false;
    for (auto entry : NamedControls)
        if (*entry == control)
        {
            NamedControls.Remove(entry);
            RemoveControl(control);
            return true;
        }
    return false;
}

bool GUI_SYSTEM::RemoveControl(CONTROL* control)
{
    if (!control || control->Node == &Root || !Contains(control->Node))
        return false;
    Detach(control->Node);
    return true;
}

bool GUI_SYSTEM::Contains(const CONTROL_NODE* node) const
{
    return node && (node == &Root || (node->inTree && node->control->System == this));
}

void GUI_SYSTEM::QueueRemoval(CONTROL* control)
{
    if (control && control->Node && control->Node != &Root && Contains(control->Node))
        RemovalQueue.push_back(control->Node);
}

void GUI_SYSTEM::NameControl(const char* name, CONTROL* control)
{
    if (!name || !*name || !control)
        return;
    auto entry = NamedControls.Get(name);
    if (entry)
        *entry = control;
}

void GUI_SYSTEM::RemovalStep()
{
    // A node queued twice, or below another queued node, is out after the first removal.
    std::vector<CONTROL_NODE*> queue;
    queue.swap(RemovalQueue);
    Hold hold(*this);
    for (CONTROL_NODE* node : queue)
        if (Contains(node))
            Detach(node);
}

void GUI_SYSTEM::CleanNamedControls()
{
    for (auto entry = NamedControls.First(); entry;)
    {
        auto next = entry.Next();
        if (!*entry || !Contains((*entry)->Node))
            NamedControls.Remove(entry);
        entry = next;
    }
}

void GUI_SYSTEM::ProcessInput()
{
    InputPass();
    RemovalStep();
    CleanNamedControls();
}

// Out of the tree at once; the controls are deleted when no walk holds the system.
void GUI_SYSTEM::Detach(CONTROL_NODE* node)
{
    std::list<CONTROL_NODE>& siblings = node->parent->children;
    auto at = std::find_if(siblings.begin(), siblings.end(),
                           [node](const CONTROL_NODE& sibling) { return &sibling == node; });
    detached_.splice(detached_.end(), siblings, at);
    node->parent = nullptr;
    ForSubtree(*node, [](CONTROL_NODE& out) { out.inTree = false; });
    if (holds_ == 0)
        DeleteDetached();
}

// Nothing may point into what is deleted: the hovered control, the queue and the names
// forget it first.
void GUI_SYSTEM::DeleteDetached()
{
    if (detached_.empty())
        return;
    std::list<CONTROL_NODE> doomed;
    doomed.swap(detached_);
    std::unordered_set<const void*> gone;
    for (CONTROL_NODE& node : doomed)
        ForSubtree(node,
                   [&gone](CONTROL_NODE& out)
                   {
                       gone.insert(&out);
                       gone.insert(out.control.get());
                   });
    if (gone.count(Hovered))
        Hovered = nullptr;
    std::erase_if(RemovalQueue, [&gone](CONTROL_NODE* node) { return gone.count(node) > 0; });
    for (auto entry = NamedControls.First(); entry;)
    {
        auto next = entry.Next();
        if (gone.count(*entry))
            NamedControls.Remove(entry);
        entry = next;
    }
}

void GUI_SYSTEM::Clear()
{
    while (!Root.children.empty())
        Detach(&Root.children.front());
    RemovalQueue.clear();
    Hovered = nullptr;
    ClearTables();
}

void GUI_SYSTEM::RetireTexture(OvHandle texture)
{
    if ((texture.flags & 0xFF) == 0 && texture.object)
        retiredTextures_.push_back(texture);
}

void GUI_SYSTEM::ClearTables()
{
    NamedControls.Clear();
    Skins.Clear();
    Styles.Clear();
    for (auto entry : Textures)
        RetireTexture(*entry);
    Textures.Clear();
    for (OvHandle texture : retiredTextures_)
        OvTextureDestroy(texture);
    retiredTextures_.clear();
    Fonts.Clear();
}

} // namespace OV_GUI
} // namespace OvCore
