// The numbered states of OvSetState / OvGetState and the reset of the drawing state.
#pragma once

#include <cstdint>

namespace ov
{

void setState(int32_t state, const double values[4]);
void* stateStorage(int32_t state);
// Colour (1,1,1,1), blend (164, 165) and 174, no texture, no shader, scissor off, full
// colour mask: the state every draw routine of the framework returns to.
void resetDrawState();

} // namespace ov
