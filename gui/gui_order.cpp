// The stable exchange sort of siblings by Order.
#include "gui/gui_order.h"

#include <utility>

namespace OvCore
{
namespace OV_GUI
{

namespace
{

// Swaps the neighbours at i and i + 1 when the earlier has the smaller Order. NaN compares
// false both ways, so it never moves: the sort still ends.
bool SwapIfBehind(std::vector<CONTROL_NODE*>& nodes, size_t i)
{
    if (!(nodes[i]->control->Order < nodes[i + 1]->control->Order))
        return false;
    std::swap(nodes[i], nodes[i + 1]);
    return true;
}

} // namespace

std::vector<CONTROL_NODE*> SortedChildren(CONTROL_NODE& node)
{
    std::vector<CONTROL_NODE*> nodes;
    nodes.reserve(node.children.size());
    for (CONTROL_NODE& child : node.children)
        nodes.push_back(&child);
    if (nodes.size() < 2)
        return nodes;
    bool swapped = true;
    while (swapped)
    {
        swapped = false;
        for (size_t i = 0; i + 1 < nodes.size(); ++i)
            swapped |= SwapIfBehind(nodes, i);
        for (size_t i = nodes.size() - 1; i-- > 0;)
            swapped |= SwapIfBehind(nodes, i);
    }
    return nodes;
}

} // namespace OV_GUI
} // namespace OvCore
