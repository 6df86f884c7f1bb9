// The engine's numeric codes translated to OpenGL values; nullopt for a code the engine
// does not know, which its callers then ignore.
#pragma once

#include <cstdint>
#include <optional>

namespace ov::gl
{

std::optional<uint32_t> blendFactor(int32_t code);      // 158-172
std::optional<uint32_t> blendEquation(int32_t code);    // 174-178
std::optional<uint32_t> primitiveMode(int32_t code);    // 4-11
std::optional<uint32_t> textureParameter(int32_t code); // 237-240
std::optional<int32_t> textureValue(int32_t code);      // 242, 243, 248, 249
std::optional<uint32_t> bufferUsage(int32_t code);      // 454-456
std::optional<uint32_t> bufferAccess(int32_t code);     // 463-465

} // namespace ov::gl
