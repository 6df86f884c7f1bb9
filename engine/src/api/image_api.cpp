// Image files for tools: .ovt headers, decoding and encoding, without OpenGL.
#include <cstdlib>
#include <cstring>

#include "api/guard.h"
#include "image/image_decode.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

void* copyToMalloc(const uint8_t* bytes, size_t size)
{
    void* copy = std::malloc(size);
    if (copy)
        std::memcpy(copy, bytes, size);
    return copy;
}

} // namespace

extern "C"
{

    OV_API uint8_t OvTextureFileReadHeader(const void* data, size_t size,
                                           OvTextureFileHeader* header)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         const auto parsed =
                             ovt::readHeader(static_cast<const uint8_t*>(data), size);
                         if (!parsed || !header)
                             return 0;
                         *header =
                             OvTextureFileHeader{parsed->version, parsed->format, parsed->width,
                                                 parsed->height, parsed->compressedSize};
                         return 1;
                     });
    }

    OV_API void* OvImageDecode(const void* data, size_t size, int32_t* width, int32_t* height)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         const auto image = decodeImage(static_cast<const uint8_t*>(data), size);
                         if (!image || !width || !height)
                             return nullptr;
                         *width = int32_t(image->width);
                         *height = int32_t(image->height);
                         return copyToMalloc(image->pixels.data(), image->pixels.size());
                     });
    }

    OV_API void* OvImageEncodeOvt(const void* pixels, int32_t width, int32_t height, size_t* size)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         if (!size || width <= 0 || height <= 0)
                             return nullptr;
                         const auto file = ovt::encode(static_cast<const uint8_t*>(pixels),
                                                       uint32_t(width), uint32_t(height));
                         if (file.empty())
                             return nullptr;
                         *size = file.size();
                         return copyToMalloc(file.data(), file.size());
                     });
    }

    OV_API void OvImageFree(void* data)
    {
        std::free(data);
    }

} // extern "C"
