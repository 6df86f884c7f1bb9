// The stacking order of siblings: the order in which the input pass and the renderer visit
// them, back to front, so the last one visited is the frontmost.
#pragma once

#include "gui/gui_system.h"

#include <vector>

namespace OvCore
{
namespace OV_GUI
{

// The children of `node` sorted by Order, largest first, by a stable exchange sort (forward
// and backward passes of neighbour swaps until none is needed): equal Orders keep tree order.
std::vector<CONTROL_NODE*> SortedChildren(CONTROL_NODE& node);

} // namespace OV_GUI
} // namespace OvCore
