// The GDI+ subset's side of image files: BGRA pixels to and from the shared codec of
// platform/image (stb_image and stb_image_write behind their guards), and the encoder table.
#include "platform/src/gdiplus_codec.h"

#include <new>

static_assert(Gdiplus::kMaxImageSide == OvPlatform::kMaxImageSide);
static_assert(Gdiplus::kMaxImagePixels == OvPlatform::kMaxImagePixels);

namespace OvPlatform
{
namespace
{

// Swaps red and blue of every 4-byte pixel: RGBA <-> BGRA (in place when from == to).
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

// The GDI+ built-in codec identifiers, and one of our own for TGA, which GDI+ lacks.
constexpr EncoderEntry kEncoders[] = {
    {ImageFormat::Bmp,
     {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in BMP Codec",
     L"BMP",
     L"*.BMP;*.DIB;*.RLE",
     L"image/bmp"},
    {ImageFormat::Jpeg,
     {0x557cf401, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in JPEG Codec",
     L"JPEG",
     L"*.JPG;*.JPEG;*.JPE;*.JFIF",
     L"image/jpeg"},
    {ImageFormat::Png,
     {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}},
     L"Built-in PNG Codec",
     L"PNG",
     L"*.PNG",
     L"image/png"},
    {ImageFormat::Tga,
     {0x6f5c9a10, 0x3b2e, 0x4c8d, {0x9e, 0x41, 0x7a, 0x0d, 0x52, 0xc3, 0x18, 0x64}},
     {0x6f5c9a11, 0x3b2e, 0x4c8d, {0x9e, 0x41, 0x7a, 0x0d, 0x52, 0xc3, 0x18, 0x64}},
     L"Built-in TGA Codec",
     L"TGA",
     L"*.TGA",
     L"image/tga"},
};

} // namespace

Gdiplus::Status DecodeBgraImage(const uint8_t* bytes, size_t size, DecodedImage& image)
{
    RgbaImage decoded;
    switch (OvPlatform::DecodeImage(bytes, size, decoded))
    {
    case DecodeResult::Ok:
        break;
    case DecodeResult::NotAnImage:
        return Gdiplus::UnknownImageFormat;
    case DecodeResult::TooLarge:
    case DecodeResult::OutOfMemory:
        return Gdiplus::OutOfMemory;
    }
    SwapRedBlue(decoded.rgba.data(), decoded.rgba.data(), size_t{decoded.width} * decoded.height);
    image.width = decoded.width;
    image.height = decoded.height;
    image.bgra = std::move(decoded.rgba);
    return Gdiplus::Ok;
}

std::span<const EncoderEntry> Encoders()
{
    return kEncoders;
}

bool EncodeBgraImage(ImageFormat kind, uint32_t width, uint32_t height, const uint8_t* bgra,
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
    return OvPlatform::EncodeImage(kind, width, height, rgba.data(), size_t{width} * 4, file);
}

} // namespace OvPlatform
