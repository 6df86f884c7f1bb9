// Running a checked program: each command's handler gets its operands in a buffer of their
// own, keywords as 4-byte numbers and variables as the addresses held in the host's slots.
#pragma once

#include <cstdint>
#include <vector>

#include "mentaro/handlers.h"
#include "mentaro/program_format.h"

namespace ov::mentaro
{

// Runs the statements (already checked against the slots) with the handlers of their list's
// commands; commands without one are skipped. Returns the number of handlers called. Needs
// nothing of the list: a handler may free it, or the program's bytes, while the run goes on.
int32_t runProgram(const std::vector<Statement>& statements,
                   const std::vector<OvMentaroProc>& handlers, void* const* slots);

} // namespace ov::mentaro
