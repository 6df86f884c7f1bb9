// stb_image / stb_image_write, compiled static into this file and nowhere else, and the
// decoding and encoding around them (platform/image/image_codec.h).
#include "platform/image/image_codec.h"

#include "platform/image/image_guards.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
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
// Zeroed: the JPEG decoder keeps its Huffman tables in an uninitialised block, and a scan may
// name a table the file never defined; with whatever the block held before, the decoder read
// far outside the table. From zeros such a table gives symbol 0 and the decode stays in bounds.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(block, size) std::realloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wcast-qual"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == OvPlatform::kMaxImageSide);

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
        reader.position -= std::min(reader.position, static_cast<size_t>(-static_cast<int64_t>(n)));
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

// `rgba` rows are width * 4 bytes apart.
bool WriteWith(ImageFormat format, int width, int height, const uint8_t* rgba, FileSink& sink)
{
    switch (format)
    {
    case ImageFormat::Png:
        return stbi_write_png_to_func(AppendToFile, &sink, width, height, 4, rgba, width * 4);
    case ImageFormat::Bmp:
        return stbi_write_bmp_to_func(AppendToFile, &sink, width, height, 4, rgba);
    case ImageFormat::Jpeg:
        return stbi_write_jpg_to_func(AppendToFile, &sink, width, height, 4, rgba, kJpegQuality);
    case ImageFormat::Tga:
        return stbi_write_tga_to_func(AppendToFile, &sink, width, height, 4, rgba);
    }
    return false;
}

} // namespace

bool ImageSizeAllowed(uint64_t width, uint64_t height)
{
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

DecodeResult DecodeImage(const uint8_t* bytes, size_t size, RgbaImage& image)
{
    if (bytes == nullptr || size == 0 || size > INT_MAX || !SafeToDecode(bytes, size))
        return DecodeResult::NotAnImage;
    // The header first, so that no size is allocated before it has been checked.
    MemoryReader header{bytes, size};
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_callbacks(&kReaderCallbacks, &header, &width, &height, &channels))
        return DecodeResult::NotAnImage;
    if (!ImageSizeAllowed(static_cast<uint64_t>(std::max(width, 0)),
                          static_cast<uint64_t>(std::max(height, 0))))
        return DecodeResult::TooLarge;
    if (uint64_t(width) * uint64_t(height) > MostPixelsCoded(bytes, size))
        return DecodeResult::NotAnImage; // a header for pixels the file cannot hold

    MemoryReader body{bytes, size};
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_callbacks(&kReaderCallbacks, &body, &width, &height, &channels, 4));
    if (!rgba || body.overrun ||
        !ImageSizeAllowed(static_cast<uint64_t>(std::max(width, 0)),
                          static_cast<uint64_t>(std::max(height, 0))))
        return DecodeResult::NotAnImage;

    const size_t byteCount = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    try
    {
        image.rgba.assign(rgba.get(), rgba.get() + byteCount);
    }
    catch (const std::bad_alloc&)
    {
        return DecodeResult::OutOfMemory;
    }
    image.width = static_cast<uint32_t>(width);
    image.height = static_cast<uint32_t>(height);
    return DecodeResult::Ok;
}

bool EncodeImage(ImageFormat format, uint32_t width, uint32_t height, const uint8_t* rgba,
                 size_t stride, std::vector<uint8_t>& file)
{
    if (rgba == nullptr || !ImageSizeAllowed(width, height) || stride < size_t{width} * 4)
        return false;
    const size_t rowBytes = size_t{width} * 4;
    std::vector<uint8_t> packed;
    if (stride != rowBytes)
    {
        try
        {
            packed.resize(rowBytes * height);
        }
        catch (const std::bad_alloc&)
        {
            return false;
        }
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(packed.data() + y * rowBytes, rgba + y * stride, rowBytes);
        rgba = packed.data();
    }

    file.clear();
    FileSink sink{file};
    const bool written =
        WriteWith(format, static_cast<int>(width), static_cast<int>(height), rgba, sink);
    return written && !sink.failed;
}

} // namespace OvPlatform
