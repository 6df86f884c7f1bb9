// Path lookup in a markup tree. A path is segments separated by "/"; a segment is a name
// ("Theme"), "." (the current node and its siblings) or ".." (the parent's siblings),
// followed by modifiers after "#": "new", "last", "prev", "next", "id:N". Segments are
// resolved one after another in a loop, so a path of any length costs no stack.
#include "formats/markup.h"
#include "formats/markup_text.h"

#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace OvCore
{
namespace
{

struct PathSegment
{
    std::string_view name;
    unsigned long index = 0; // which match: 0 is the first one scanned
    bool fromLast = false;   // scan backwards
    bool forceNew = false;   // create even when a match exists
};

void ApplyModifier(std::string_view modifier, PathSegment& segment)
{
    if (modifier == "new")
        segment.forceNew = true;
    else if (modifier == "last")
        segment.fromLast = true;
    else if (modifier == "next")
        ++segment.index;
    else if (modifier == "prev")
        segment.index -= segment.index > 0 ? 1 : 0;
    else if (modifier.substr(0, 3) == "id:")
        segment.index = std::strtoul(std::string(modifier.substr(3)).c_str(), nullptr, 0);
}

PathSegment ReadSegment(std::string_view text)
{
    PathSegment segment;
    std::size_t mark = text.find('#');
    segment.name = text.substr(0, mark);
    while (mark != std::string_view::npos)
    {
        std::size_t next = text.find('#', mark + 1);
        ApplyModifier(
            text.substr(mark + 1, next == std::string_view::npos ? next : next - mark - 1),
            segment);
        mark = next;
    }
    return segment;
}

bool IsSelf(const PathSegment& segment)
{
    return segment.name == ".";
}

bool IsUp(const PathSegment& segment)
{
    return segment.name == "..";
}

// The node whose children the segment scans (and where mode 0 creates); null when there is
// none: ".." from a node without grandparent, "." from a root.
MARKUP_NODE* ScanOwner(MARKUP_NODE* current, const PathSegment& segment)
{
    if (IsSelf(segment))
        return current->parent;
    if (IsUp(segment))
        return current->parent ? current->parent->parent : nullptr;
    return current;
}

using NodeIterator = std::list<MARKUP_NODE>::iterator;

// Counts the candidates from `from` on (backwards with `fromLast`) and returns the one whose
// count is the segment's index. `named` counts only nodes with the segment's name.
MARKUP_NODE* ScanFrom(std::list<MARKUP_NODE>& list, NodeIterator from, const PathSegment& segment,
                      bool named)
{
    unsigned long count = 0;
    for (NodeIterator it = from; it != list.end();)
    {
        if ((!named || MarkupView(it->name) == segment.name) && count++ == segment.index)
            return &*it;
        if (segment.fromLast)
            it = it == list.begin() ? list.end() : std::prev(it);
        else
            ++it;
    }
    return nullptr;
}

NodeIterator PositionOf(std::list<MARKUP_NODE>& list, const MARKUP_NODE* node)
{
    for (NodeIterator it = list.begin(); it != list.end(); ++it)
    {
        if (&*it == node)
            return it;
    }
    return list.end();
}

MARKUP_NODE* FindCandidate(MARKUP_NODE* current, MARKUP_NODE* owner, const PathSegment& segment)
{
    if (IsSelf(segment))
    {
        // The scan starts at the current node itself; a root has no siblings to step to.
        if (segment.index == 0)
            return current;
        if (!owner)
            return nullptr;
        return ScanFrom(owner->children, PositionOf(owner->children, current), segment, false);
    }
    if (!owner || owner->children.empty())
        return nullptr;
    std::list<MARKUP_NODE>& list = owner->children;
    NodeIterator from = segment.fromLast ? std::prev(list.end()) : list.begin();
    return ScanFrom(list, from, segment, !IsUp(segment));
}

} // namespace

MARKUP_NODE* MARKUP_NODE::FindNode(const char* path, int mode, MARKUP_NODE* start)
{
    if (!path)
        return nullptr;
    MARKUP_NODE* current = start ? start : this;
    std::string_view rest = path;
    for (;;)
    {
        std::size_t slash = rest.find('/');
        bool lastSegment = slash == std::string_view::npos;
        PathSegment segment = ReadSegment(rest.substr(0, slash));
        rest = lastSegment ? std::string_view() : rest.substr(slash + 1);

        MARKUP_NODE* owner = ScanOwner(current, segment);
        MARKUP_NODE* found = segment.forceNew ? nullptr : FindCandidate(current, owner, segment);
        if (found && !lastSegment)
        {
            current = found;
            continue;
        }
        if (found && mode == MARKUP_REMOVE)
        {
            if (owner)
                owner->RemoveChild(found);
            return nullptr;
        }
        if (found)
            return found;
        if (mode != MARKUP_CREATE || !owner)
            return nullptr;
        current = &owner->AppendChild();
        MarkupAssign(current->name, segment.name);
        if (lastSegment)
            return current;
    }
}

MARKUP_ATTRIBUTE* MARKUP_NODE::FindAttribute(const char* path, const char* key, int mode,
                                             MARKUP_NODE* start)
{
    MARKUP_NODE* node = FindNode(path, mode, start);
    if (!node || !key)
        return nullptr;
    for (MARKUP_ATTRIBUTE& attribute : node->attributes)
    {
        if (attribute.key == key)
            return &attribute;
    }
    MARKUP_ATTRIBUTE& added = node->attributes.emplace_back();
    added.key = key;
    return &added;
}

} // namespace OvCore
