// The start and end of a program built on the framework, so that a program's WinMain is one
// call: it starts the engine, sets up the "main" window and the input record, registers the
// program's states, opens "main", runs the states, closes "main" and shuts the engine down.
//
//   int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
//   {
//       const OvCore::OV_STATE_DEFINITION states[] = {{"intro", OvCore::IntroState},
//                                                     {"game", GameState}};
//       return OvCore::RunProgram("Tarnvale", states, 2, commandLine);
//   }
#pragma once

#include "app/ov_state.h"

#include <cstdint>

namespace OvCore
{

// Registers `count` states in order (find-or-create under their names, index 0), starts
// with the first, and runs them. Returns 1 after a normal shut-down and 0 when "main" could
// not be opened (then nothing is shut down: the process is ending). `title` names "main"
// (and its window class); `commandLine` may be null.
int RunProgram(const char* title, const OV_STATE_DEFINITION* states, int32_t count,
               const char* commandLine);

} // namespace OvCore
