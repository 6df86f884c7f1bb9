// The one image codec of the layers below the framework: stb_image and stb_image_write,
// compiled once into the static library ovimage, behind every guard the decoders need. The
// platform's GDI+ subset (platform/src/gdiplus_codec.cpp) and the engine's texture and image
// functions (engine/src/image/image_decode.cpp) both link it; neither compiles stb itself.
// Internal to those two libraries: built with hidden visibility, so nothing here is exported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace OvPlatform
{

// The largest image decoded or encoded: 16384 pixels a side and 2^26 (64 Mi) pixels in all,
// so every byte count of an RGBA image fits 32 bits.
constexpr uint32_t kMaxImageSide = 16384;
constexpr uint64_t kMaxImagePixels = uint64_t(1) << 26;

// Whether a width x height image is within those limits.
bool ImageSizeAllowed(uint64_t width, uint64_t height);

// Pixels as red, green, blue, alpha bytes, rows top to bottom, no padding.
struct RgbaImage
{
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgba;
};

enum class DecodeResult
{
    Ok,
    NotAnImage, // not a complete PNG, BMP, JPEG, TGA or GIF, or one the guards refuse
    TooLarge,   // beyond ImageSizeAllowed
    OutOfMemory,
};

// Decodes a whole PNG, BMP, JPEG, TGA or GIF (first frame) file held in memory. Refused
// (NotAnImage) before the decoder sees them: files larger than INT_MAX bytes and those
// image_guards.h names (JPEG Huffman tables the decoder would overrun, a header announcing
// more pixels than a file of its size can code, such as a 35-byte TGA of 64 Mi pixels).
// Refused after decoding: a file whose decoder asked for bytes past its end (truncated,
// whatever the decoder made of it). The header is read first, so no image beyond the limits
// is allocated.
DecodeResult DecodeImage(const uint8_t* bytes, size_t size, RgbaImage& image);

enum class ImageFormat
{
    Png,
    Bmp,
    Jpeg,
    Tga,
};

// Encodes width x height RGBA pixels (rows `stride` bytes apart) as a file of `format`
// (JPEG at quality 90, without alpha). False when the size is beyond the limits, the stride
// is too short, the encoder fails or memory is lacking.
bool EncodeImage(ImageFormat format, uint32_t width, uint32_t height, const uint8_t* rgba,
                 size_t stride, std::vector<uint8_t>& file);

} // namespace OvPlatform
