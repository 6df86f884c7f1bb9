#include "support/ovt_images.h"

#include "orvane_core.h"

namespace OvTest
{

std::vector<uint8_t> EncodeOvt(const Image& image)
{
    size_t size = 0;
    void* data = OvImageEncodeOvt(image.pixels.data(), image.width, image.height, &size);
    std::vector<uint8_t> bytes;
    if (data)
        bytes.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    OvImageFree(data);
    return bytes;
}

bool LoadImages(OvCore::OV_SPRITE& sprite, const std::vector<Image>& images, int32_t stripCount)
{
    std::vector<std::vector<uint8_t>> files;
    std::vector<const void*> pointers;
    std::vector<size_t> sizes;
    for (const Image& image : images)
        files.push_back(EncodeOvt(image));
    for (const auto& file : files)
    {
        pointers.push_back(file.data());
        sizes.push_back(file.size());
    }
    sprite.stripCount = stripCount;
    return sprite.LoadFromMemory(pointers.data(), int32_t(pointers.size()), 1, OV_FILTER_NEAREST,
                                 OV_FILTER_NEAREST, 0, 0, -1, -1, 0, 0, sizes.data());
}

} // namespace OvTest
