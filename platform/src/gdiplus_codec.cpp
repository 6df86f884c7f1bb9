// stb_image / stb_image_write behind the GDI+ subset. The stb functions are compiled static
// into this file only, so the engine may carry its own copy without the two meeting.
#include "platform/src/gdiplus_codec.h"

#include "platform/src/gdiplus_guards.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_GIF
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == Gdiplus::kMaxImageSide);

namespace OvPlatform
{
namespace
{

// Feeds stb from memory through its callback interface, which tells us what a memory source
// would hide: whether the decoder asked for bytes after the end of the file.
struct MemoryReader
{
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    bool overrun = false;
};

int ReadBytes(void* user, char* data, int size)
{
    auto& reader = *static_cast<MemoryReader*>(user);
    const size_t left = reader.size - reader.position;
    if (left == 0)
    {
        reader.overrun = true;
        return 0;
    }
    const size_t n = std::min(left, static_cast<size_t>(std::max(size, 0)));
    std::memcpy(data, reader.bytes + reader.position, n);
    reader.position += n;
    return static_cast<int>(n);
}

void SkipBytes(void* user, int n)
{
    auto& reader = *static_cast<MemoryReader*>(user);
    if (n < 0)
    {
        reader.position -= std::min(reader.position, static_cast<size_t>(-(int64_t)n));
        return;
    }
    if (static_cast<size_t>(n) > reader.size - reader.position)
    {
        reader.overrun = true;
        reader.position = reader.size;
        return;
    }
    reader.position += static_cast<size_t>(n);
}

int AtEnd(void* user)
{
    const auto& reader = *static_cast<const MemoryReader*>(user);
    return reader.position >= reader.size;
}

constexpr stbi_io_callbacks kReaderCallbacks{ReadBytes, SkipBytes, AtEnd};

constexpr int kJpegQuality = 90;

struct StbFree
{
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// Swaps red and blue of every 4-byte pixel: RGBA <-> BGRA.
void SwapRedBlue(const uint8_t* from, uint8_t* to, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, from += 4, to += 4)
    {
        const uint8_t red = from[0];
        to[0] = from[2];
        to[1] = from[1];
        to[2] = red;
        to[3] = from[3];
    }
}

// Where stb_image_write delivers the encoded file. No exception may cross the encoder, so a
// failed allocation is remembered instead.
struct FileSink
{
    std::vector<uint8_t>& file;
    bool failed = false;
};

void AppendToFile(void* context, void* data, int size)
{
    auto& sink = *static_cast<FileSink*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    try
    {
        sink.file.insert(sink.file.end(), bytes, bytes + size);
    }
    catch (const std::bad_alloc&)
    {
        sink.failed = true;
    }
}

bool WriteWith(EncoderKind kind, int width, int height, const uint8_t* rgba, FileSink& sink)
{
    switch (kind)
    {
    case EncoderKind::Png:
        return stbi_write_png_to_func(AppendToFile, &sink, width, height, 4, rgba, width * 4);
    case EncoderKind::Bmp:
        return stbi_write_bmp_to_func(AppendToFile, &sink, width, height, 4, rgba);
    case EncoderKind::Jpeg:
        return stbi_write_jpg_to_func(AppendToFile, &sink, width, height, 4, rgba, kJpegQuality);
    case EncoderKind::Tga:
        return stbi_write_tga_to_func(AppendToFile, &sink, width, height, 4, rgba);
    }
    return false;
}

// The GDI+ built-in codec identifiers, and one of our own for TGA, which GDI+ lacks.
constexpr EncoderEntry kEncoders[] = {
    {EncoderKind::Bmp,
     {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in BMP Codec", L"BMP", L"*.BMP;*.DIB;*.RLE", L"image/bmp"},
    {EncoderKind::Jpeg,
     {0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in JPEG Codec", L"JPEG", L"*.JPG;*.JPEG;*.JPE;*.JFIF", L"image/jpeg"},
    {EncoderKind::Png,
     {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in PNG Codec", L"PNG", L"*.PNG", L"image/png"},
    {EncoderKind::Tga,
     {0x6f5c9a10, 0x3b2e, 0x4c8d, {0x9e, 0x41, 0x7a, 0x0d, 0x52, 0xc3, 0x18, 0x64}},
     {0x6f5c9a11, 0x3b2e, 0x4c8d, {0x9e, 0x41, 0x7a, 0x0d, 0x52, 0xc3, 0x18, 0x64}},
     L"Built-in TGA Codec", L"TGA", L"*.TGA", L"image/tga"},
};

} // namespace

bool ImageSizeAllowed(uint64_t width, uint64_t height)
{
    return width >= 1 && height >= 1 && width <= Gdiplus::kMaxImageSide &&
           height <= Gdiplus::kMaxImageSide && width * height <= Gdiplus::kMaxImagePixels;
}

Gdiplus::Status DecodeImage(const uint8_t* bytes, size_t size, DecodedImage& image)
{
    if (bytes == nullptr || size == 0 || size > INT_MAX || !SafeToDecode(bytes, size))
        return Gdiplus::UnknownImageFormat;
    // The header first, so that no size is allocated before it has been checked.
    MemoryReader header{bytes, size};
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_callbacks(&kReaderCallbacks, &header, &width, &height, &channels))
        return Gdiplus::UnknownImageFormat;
    if (!ImageSizeAllowed(width, height))
        return Gdiplus::OutOfMemory;

    MemoryReader body{bytes, size};
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_callbacks(&kReaderCallbacks, &body, &width, &height, &channels, 4));
    if (!rgba || body.overrun || !ImageSizeAllowed(width, height))
        return Gdiplus::UnknownImageFormat;

    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    try
    {
        image.bgra.resize(pixels * 4);
    }
    catch (const std::bad_alloc&)
    {
        return Gdiplus::OutOfMemory;
    }
    SwapRedBlue(rgba.get(), image.bgra.data(), pixels);
    image.width = static_cast<uint32_t>(width);
    image.height = static_cast<uint32_t>(height);
    return Gdiplus::Ok;
}

std::span<const EncoderEntry> Encoders()
{
    return kEncoders;
}

bool EncodeImage(EncoderKind kind, uint32_t width, uint32_t height, const uint8_t* bgra,
                 size_t stride, std::vector<uint8_t>& file)
{
    if (bgra == nullptr || !ImageSizeAllowed(width, height) || stride < width * 4u)
        return false;
    std::vector<uint8_t> rgba;
    try
    {
        rgba.resize(static_cast<size_t>(width) * 4 * height);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    for (uint32_t y = 0; y < height; ++y)
        SwapRedBlue(bgra + y * stride, rgba.data() + y * width * 4u, width);

    file.clear();
    FileSink sink{file};
    const bool written = WriteWith(kind, static_cast<int>(width), static_cast<int>(height),
                                   rgba.data(), sink);
    return written && !sink.failed;
}

} // namespace OvPlatform
