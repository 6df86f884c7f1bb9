// Image decoding and encoding behind the GDI+ subset (platform/gdiplus.h): the shared codec of
// platform/image wrapped to work on BGRA pixels, plus the table of encoders GDI+ reports.
// Only platform/src/gdiplus*.cpp use it.
#pragma once

#include "platform/gdiplus.h"
#include "platform/image/image_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace OvPlatform
{

// Pixels in PixelFormat32bppARGB order (blue, green, red, alpha), rows top to bottom, no
// padding.
struct DecodedImage
{
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> bgra;
};

// Decodes a whole PNG, BMP, JPEG, TGA or GIF (first frame) file held in memory. Ok, or
// UnknownImageFormat for anything that is not a complete image of those formats (a file whose
// decoder needed bytes past its end is truncated, whatever the decoder made of it), or
// OutOfMemory for an image beyond ImageSizeAllowed or memory lacking.
Gdiplus::Status DecodeBgraImage(const uint8_t* bytes, size_t size, DecodedImage& image);

struct EncoderEntry
{
    ImageFormat kind;
    CLSID clsid;
    GUID formatId;
    const wchar_t* codecName;
    const wchar_t* formatDescription;
    const wchar_t* filenameExtension;
    const wchar_t* mimeType;
};

std::span<const EncoderEntry> Encoders();

// Encodes width x height BGRA pixels (rows `stride` bytes apart) into `file`. False when the
// encoder fails or memory is lacking.
bool EncodeBgraImage(ImageFormat kind, uint32_t width, uint32_t height, const uint8_t* bgra,
                     size_t stride, std::vector<uint8_t>& file);

} // namespace OvPlatform
