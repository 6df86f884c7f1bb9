#include "graphics/ov_model3d.h"

namespace OvCore
{

void MODEL3D::Release(bool keepTextures)
{
    if (loaded && !keepTextures)
    {
        loaded = 0;
        for (MODEL_PART& part : parts)
        {
            for (OvHandle texture : part.textures)
                OvTextureDestroy(texture);
            part.textures.clear();
        }
    }
    parts.clear(); // each part's buffer destroys itself
}

} // namespace OvCore
