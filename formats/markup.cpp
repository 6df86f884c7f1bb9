// Ownership of the markup tree: appending, removing and tearing down nodes.
#include "formats/markup.h"

namespace OvCore
{

MARKUP_NODE::~MARKUP_NODE()
{
    // Lift each child's children into this list before the child goes, so every node is
    // destroyed childless and teardown never recurses, however deep the document is.
    while (!children.empty())
    {
        children.splice(children.end(), children.front().children);
        children.pop_front();
    }
}

MARKUP_NODE& MARKUP_NODE::AppendChild()
{
    MARKUP_NODE& child = children.emplace_back();
    child.parent = this;
    return child;
}

bool MARKUP_NODE::RemoveChild(const MARKUP_NODE* child)
{
    for (auto it = children.begin(); it != children.end(); ++it)
    {
        if (&*it == child)
        {
            children.erase(it);
            return true;
        }
    }
    return false;
}

} // namespace OvCore
