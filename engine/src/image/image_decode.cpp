#include "image/image_decode.h"

#include <cstring>

#include "platform/image/image_codec.h"

namespace ov
{

namespace
{

// The codec's limits are the engine's: 16384 pixels a side, 64 million pixels (256 MB of
// RGBA) in all, so a small file declaring a huge image is refused before anything is
// allocated for it.
static_assert(OvPlatform::kMaxImageSide == ovt::kMaxSide);
static_assert(OvPlatform::kMaxImagePixels == uint64_t(1) << 26);

uint32_t bigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::optional<size_t> pngLength(const uint8_t* data)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(data, signature, 8) != 0)
        return std::nullopt;
    size_t at = 8;
    while (at <= kMaxEncodedImage)
    {
        const size_t chunk = 12 + size_t(bigEndian32(data + at));
        const bool end = std::memcmp(data + at + 4, "IEND", 4) == 0;
        at += chunk;
        if (end)
            return at <= kMaxEncodedImage ? std::optional<size_t>(at) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<size_t> bmpLength(const uint8_t* data)
{
    if (data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    const size_t length = uint32_t(data[2]) | uint32_t(data[3]) << 8 | uint32_t(data[4]) << 16 |
                          uint32_t(data[5]) << 24;
    if (length < 26 || length > kMaxEncodedImage)
        return std::nullopt;
    return length;
}

// Skips GIF data sub-blocks (a size byte, that many bytes, ... up to a zero size).
size_t skipSubBlocks(const uint8_t* data, size_t at)
{
    while (at <= kMaxEncodedImage && data[at] != 0)
        at += 1 + data[at];
    return at + 1;
}

std::optional<size_t> gifLength(const uint8_t* data)
{
    if (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)
        return std::nullopt;
    size_t at = 13;
    if (data[10] & 0x80)
        at += 3u << ((data[10] & 7) + 1);
    while (at <= kMaxEncodedImage)
    {
        const uint8_t block = data[at];
        if (block == 0x3B)
            return at + 1;
        if (block == 0x21)
        {
            at = skipSubBlocks(data, at + 2);
        }
        else if (block == 0x2C)
        {
            const uint8_t packed = data[at + 9];
            at += 10;
            if (packed & 0x80)
                at += 3u << ((packed & 7) + 1);
            at = skipSubBlocks(data, at + 1);
        }
        else
        {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<size_t> jpegLength(const uint8_t* data)
{
    if (data[0] != 0xFF || data[1] != 0xD8)
        return std::nullopt;
    size_t at = 2;
    while (at <= kMaxEncodedImage)
    {
        if (data[at] != 0xFF)
            return std::nullopt;
        const uint8_t marker = data[at + 1];
        if (marker == 0xD9)
            return at + 2;
        if (marker == 0xFF)
        { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
        {
            at += 2;
            continue;
        }
        at += 2 + (size_t(data[at + 2]) << 8 | data[at + 3]);
        if (marker != 0xDA)
            continue;
        // Entropy-coded data runs to the next marker that is not a stuffed 0 or a restart.
        while (at <= kMaxEncodedImage && !(data[at] == 0xFF && data[at + 1] != 0 &&
                                           !(data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7)))
            ++at;
    }
    return std::nullopt;
}

} // namespace

std::optional<ovt::Image> decodeImage(const uint8_t* data, size_t size)
{
    if (!data || size == 0)
        return std::nullopt;
    if (ovt::hasMagic(data, size))
        return ovt::decode(data, size);
    if (size > kMaxEncodedImage)
        return std::nullopt;
    // PNG, BMP, JPEG, TGA, GIF: the platform's codec, guards included (truncated files and
    // JPEG Huffman tables the decoder would overrun are refused).
    OvPlatform::RgbaImage decoded;
    if (OvPlatform::DecodeImage(data, size, decoded) != OvPlatform::DecodeResult::Ok)
        return std::nullopt;
    ovt::Image image;
    image.width = decoded.width;
    image.height = decoded.height;
    image.pixels = std::move(decoded.rgba);
    return image;
}

std::optional<size_t> encodedLength(const uint8_t* data)
{
    if (!data)
        return std::nullopt;
    if (ovt::hasMagic(data, 4))
        return ovt::fileLength(data, ovt::kHeaderSize);
    if (data[0] == 0x89)
        return pngLength(data);
    if (data[0] == 'B')
        return bmpLength(data);
    if (data[0] == 'G')
        return gifLength(data);
    if (data[0] == 0xFF)
        return jpegLength(data);
    return std::nullopt;
}

} // namespace ov
