// The engine's own program for batches that mix two textures: positions, one texture
// coordinate and a colour as the fixed pipeline reads them, and a texture slot per vertex
// (-1 none, 0 or 1 the texture units), modulated as the fixed pipeline modulates.
#pragma once

#include "gl/renderer.h"

namespace ov::gl
{

// Compiles and links the program in the current context; false (nothing kept) when this
// OpenGL cannot.
bool buildBatchProgram(SharedBatchProgram& program);

} // namespace ov::gl
