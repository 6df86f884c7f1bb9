// Images made in memory become files through the engine's .ovt codec, and sprite frames
// through OV_SPRITE::LoadFromMemory.
#pragma once

#include "support/image.h"

#include "graphics/ov_sprite.h"

#include <cstdint>
#include <vector>

namespace OvTest
{

// The image encoded as an .ovt file by the engine's codec; empty when it refuses.
std::vector<uint8_t> EncodeOvt(const Image& image);

// Loads images as frames through LoadFromMemory with the given strip count, nearest
// filtering and the hotspot at the top-left.
bool LoadImages(OvCore::OV_SPRITE& sprite, const std::vector<Image>& images,
                int32_t stripCount = 0);

} // namespace OvTest
