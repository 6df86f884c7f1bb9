// Releasing engine objects: each kind's OpenGL side, what is active, and at closure all of
// them at once.
#pragma once

#include "base/objects.h"

namespace ov
{

void releaseTexture(Texture& texture);
void releaseVertexBuffer(VertexBuffer& buffer);
void releaseShader(Shader& shader);
void destroyAllObjects();

} // namespace ov
