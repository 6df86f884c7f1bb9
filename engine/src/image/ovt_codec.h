// The .ovt texture file: a 20-byte little-endian header (magic "OVT1", version, pixel
// format, width, height, size of the compressed data) and zlib-compressed RGBA8 rows, top
// row first. docs/formats.md has the layout. Decoding checks every field against the data it
// has, so a malformed file fails cleanly and never makes the decoder allocate more than the
// compressed data could expand to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace ov::ovt
{

constexpr size_t kHeaderSize = 20;
constexpr uint16_t kVersion = 1;
constexpr uint16_t kFormatRGBA8 = 1;
constexpr uint32_t kMaxSide = 16384;

struct Header
{
    uint16_t version = kVersion;
    uint16_t format = kFormatRGBA8;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t compressedSize = 0;
};

struct Image
{
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels; // RGBA8, width * 4 bytes per row
};

bool hasMagic(const uint8_t* data, size_t size);
// The header when it is well formed and the data holds everything it announces.
std::optional<Header> readHeader(const uint8_t* data, size_t size);
// The whole file's length from its header alone (for images in memory of unknown size).
std::optional<size_t> fileLength(const uint8_t* data, size_t available);
std::optional<Image> decode(const uint8_t* data, size_t size);
// An empty vector when the size is out of range.
std::vector<uint8_t> encode(const uint8_t* rgba, uint32_t width, uint32_t height);

} // namespace ov::ovt
