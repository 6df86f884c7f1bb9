// Checks made before a file reaches the decoders, for inputs the system's stb_image would
// mishandle (write out of bounds, read freed memory) instead of refusing. Only
// image_codec.cpp uses it, so every decode of the platform and of the engine passes them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OvPlatform
{

// False for a file the decoders must not see; true for everything else, including files
// that are not of a guarded format or that the decoders will refuse by themselves.
bool SafeToDecode(const uint8_t* bytes, size_t size);

} // namespace OvPlatform
