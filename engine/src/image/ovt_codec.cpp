#include "image/ovt_codec.h"

#include <cstring>
#include <zlib.h>

namespace ov::ovt
{

namespace
{

constexpr uint8_t kMagic[4] = {'O', 'V', 'T', '1'};
// Deflate never expands data more than about 1032:1.
constexpr uint64_t kMaxExpansion = 1032;

uint16_t read16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t read32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void write16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void write32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

std::optional<Header> parseHeader(const uint8_t* data, size_t size)
{
    if (!hasMagic(data, size) || size < kHeaderSize)
        return std::nullopt;
    Header header;
    header.version = read16(data + 4);
    header.format = read16(data + 6);
    header.width = read32(data + 8);
    header.height = read32(data + 12);
    header.compressedSize = read32(data + 16);
    const uint64_t pixelBytes = uint64_t(header.width) * header.height * 4;
    if (header.version != kVersion || header.format != kFormatRGBA8 || header.width == 0 ||
        header.height == 0 || header.width > kMaxSide || header.height > kMaxSide ||
        header.compressedSize == 0 || pixelBytes > uint64_t(header.compressedSize) * kMaxExpansion)
        return std::nullopt;
    return header;
}

} // namespace

bool hasMagic(const uint8_t* data, size_t size)
{
    return data && size >= sizeof kMagic && std::memcmp(data, kMagic, sizeof kMagic) == 0;
}

std::optional<Header> readHeader(const uint8_t* data, size_t size)
{
    auto header = parseHeader(data, size);
    if (header && size - kHeaderSize < header->compressedSize)
        return std::nullopt;
    return header;
}

std::optional<size_t> fileLength(const uint8_t* data, size_t available)
{
    const auto header = parseHeader(data, available);
    if (!header)
        return std::nullopt;
    return kHeaderSize + size_t(header->compressedSize);
}

std::optional<Image> decode(const uint8_t* data, size_t size)
{
    const auto header = readHeader(data, size);
    if (!header)
        return std::nullopt;
    Image image;
    image.width = header->width;
    image.height = header->height;
    image.pixels.resize(size_t(header->width) * header->height * 4);
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = const_cast<Bytef*>(data + kHeaderSize);
    stream.avail_in = header->compressedSize;
    stream.next_out = image.pixels.data();
    stream.avail_out = uInt(image.pixels.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    if (!complete)
        return std::nullopt;
    return image;
}

std::vector<uint8_t> encode(const uint8_t* rgba, uint32_t width, uint32_t height)
{
    if (!rgba || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return {};
    const uLong raw = uLong(width) * height * 4;
    std::vector<uint8_t> file(kHeaderSize + compressBound(raw));
    uLongf packed = uLongf(file.size() - kHeaderSize);
    if (compress2(file.data() + kHeaderSize, &packed, rgba, raw, Z_BEST_COMPRESSION) != Z_OK)
        return {};
    file.resize(kHeaderSize + packed);
    std::memcpy(file.data(), kMagic, sizeof kMagic);
    write16(file.data() + 4, kVersion);
    write16(file.data() + 6, kFormatRGBA8);
    write32(file.data() + 8, width);
    write32(file.data() + 12, height);
    write32(file.data() + 16, uint32_t(packed));
    return file;
}

} // namespace ov::ovt
