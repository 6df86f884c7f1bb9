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

// The most pixels a well-formed file of `size` bytes can describe, by the densest coding of
// the format its first bytes name. A header announcing more announces data the file cannot
// hold; the decoders would allocate the whole image and make the rest up.
uint64_t MostPixelsCoded(const uint8_t* bytes, size_t size);

} // namespace OvPlatform
