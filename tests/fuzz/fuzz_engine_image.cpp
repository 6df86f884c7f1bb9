// Fuzzes the engine's image decoding (.ovt and the encoded formats) through its public
// functions. An image that decodes is encoded as .ovt and decoded again, which must give
// the same pixels.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "orvane_core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OvTextureFileHeader header{};
    if (OvTextureFileReadHeader(data, size, &header) && (header.width == 0 || header.height == 0))
        std::abort();
    int32_t width = 0, height = 0;
    void* pixels = OvImageDecode(data, size, &width, &height);
    if (!pixels)
        return 0;
    size_t encodedSize = 0;
    void* encoded = OvImageEncodeOvt(pixels, width, height, &encodedSize);
    if (!encoded)
        std::abort();
    int32_t againWidth = 0, againHeight = 0;
    void* again = OvImageDecode(encoded, encodedSize, &againWidth, &againHeight);
    if (!again || againWidth != width || againHeight != height ||
        std::memcmp(again, pixels, size_t(width) * size_t(height) * 4) != 0)
        std::abort();
    OvImageFree(again);
    OvImageFree(encoded);
    OvImageFree(pixels);
    return 0;
}
