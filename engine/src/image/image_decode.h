// Images in memory to RGBA8: .ovt files and the common encoded formats (PNG, BMP, JPEG,
// TGA, GIF through stb_image).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "image/ovt_codec.h"

namespace ov
{

constexpr size_t kMaxEncodedImage = size_t(256) << 20;

std::optional<ovt::Image> decodeImage(const uint8_t* data, size_t size);
// The length of an image whose size the caller does not know, walked through its own
// structure: .ovt, PNG, BMP, GIF and JPEG (not TGA, which has no end marker). Reads no byte
// past the image's end; nullopt for anything else or beyond kMaxEncodedImage.
std::optional<size_t> encodedLength(const uint8_t* data);

} // namespace ov
