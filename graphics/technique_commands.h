// The handlers of the TechniqueShader commands, called by the engine with the operands of
// one command: keywords as 4-byte numbers, variables as pointer-sized addresses of host
// slots (docs/graphics.md says what each slot holds).
#pragma once

#include "orvane_core.h"

#include <cstdint>

namespace OvCore
{

// One command of the set: the name scripts call it by and the routine that runs it.
struct TechniqueCommand
{
    const char* name;      // upper case, as in the definition text ("CLEAR", "RECT", ...)
    OvMentaroProc handler; // called by the engine with the command's operands
};

// EXECUTE CLEAR PASS CANVAS RECT IMAGE COLOR BLEND PARAM ATTRIB, in that order.
extern const TechniqueCommand TECHNIQUE_COMMANDS[10];

// The engine blend factor of a keyword: 158 + (keyword - ZERO) for ZERO ..
// ONE_MINUS_CONSTANT_ALPHA, 0 for any other.
int32_t BlendFactorCode(uint32_t keyword);

} // namespace OvCore
