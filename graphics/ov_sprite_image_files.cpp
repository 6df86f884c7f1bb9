// OV_SPRITE::LoadFromImageFiles: frames decoded from ordinary image files by the platform's
// GDI+ decoders instead of the engine's .ovt loader.
#include "graphics/ov_sprite.h"

#include "graphics/image_files.h"

namespace OvCore
{

bool OV_SPRITE::LoadFromImageFiles(const char* fileList, int32_t minFilter, int32_t magFilter,
                                   int32_t hotspotX, int32_t hotspotY, int32_t frameBoxWidth,
                                   int32_t frameBoxHeight, int32_t frameBoxOriginX,
                                   int32_t frameBoxOriginY)
{
    if (!fileList)
        return false;
    const FileLoader load = [](OvHandle texture, const char* path, uint8_t /*flags*/)
    { return LoadImageTexture(texture, path) != 0; };
    AddFileFrames(fileList, load, 0, minFilter, magFilter);
    FinishLoad(hotspotX, hotspotY, frameBoxWidth, frameBoxHeight, frameBoxOriginX, frameBoxOriginY);
    return true;
}

} // namespace OvCore
