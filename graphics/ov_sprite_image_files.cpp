// OV_SPRITE::LoadFromImageFiles: frames decoded from ordinary image files by the platform's
// GDI+ decoders instead of the engine's .ovt loader.
#include "graphics/ov_sprite.h"

#include "core/ov_string.h"
#include "graphics/image_files.h"

#include <memory>

namespace OvCore
{

bool OV_SPRITE::LoadFromImageFiles(const char* fileList, int32_t minFilter, int32_t magFilter,
                                   int32_t originX, int32_t originY, int32_t boxWidth,
                                   int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY)
{
    if (!fileList)
        return false;
    uint32_t count = 0;
    const std::unique_ptr<OV_STRING[]> paths = OV_STRING(fileList).Split(";", count);
    for (uint32_t i = 0; i < count; ++i)
    {
        OvHandle texture{1, nullptr};
        if (!OvTextureCreate(&texture))
            continue;
        if (!LoadImageTexture(texture, paths[i].Text()))
        {
            OvTextureDestroy(texture); // not filled: not kept either
            continue;
        }
        AddLoadedFrame(texture, true, minFilter, magFilter);
    }
    FinishLoad(originX, originY, boxWidth, boxHeight, boxOriginX, boxOriginY);
    return true;
}

} // namespace OvCore
