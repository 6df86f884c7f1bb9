#include "graphics/ov_canvas.h"

namespace OvCore
{

namespace
{

int32_t QueryInt(const OvHandle& handle, int32_t query)
{
    const auto* value = static_cast<const int32_t*>(OvFrameBufferGet(handle, query));
    return value ? *value : 0;
}

} // namespace

bool OV_CANVAS::Create(int32_t width, int32_t height, int32_t format, int32_t flag)
{
    return OvFrameBufferCreate(&handle, width, height, format, flag) != 0;
}

bool OV_CANVAS::CreateFromTexture(OvHandle texture, int32_t flag)
{
    return OvFrameBufferCreateFromTexture(&handle, texture, flag) != 0;
}

void OV_CANVAS::Destroy()
{
    OvFrameBufferDestroy(handle);
    handle = OvHandle{1, nullptr};
    projectionSaved_ = false;
}

bool OV_CANVAS::Activate(bool flipY)
{
    if (!OvFrameBufferActivate(handle))
        return false;
    OvMatrixSave(OV_MATRIX_PROJECTION, savedProjection);
    projectionSaved_ = true;
    const double width = Width();
    const double height = Height();
    if (flipY)
        OvCameraOrtho(0, height, width, -height, 0);
    else
        OvCameraOrtho(0, 0, width, height, 0);
    return true;
}

void OV_CANVAS::Deactivate(bool mipmap)
{
    OvFrameBufferUnactivate(handle);
    if (mipmap)
        OvFrameBufferMipmap(handle);
    if (!projectionSaved_)
        return;
    OvMatrixMode(OV_MATRIX_PROJECTION);
    OvMatrixLoad(savedProjection);
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    projectionSaved_ = false;
}

void OV_CANVAS::BindTexture() const
{
    OvFrameBufferActivateTexture(handle);
}

int32_t OV_CANVAS::Width() const
{
    return QueryInt(handle, OV_FRAME_BUFFER_WIDTH);
}

int32_t OV_CANVAS::Height() const
{
    return QueryInt(handle, OV_FRAME_BUFFER_HEIGHT);
}

OvHandle OV_CANVAS::TextureOf() const
{
    const auto* texture =
        static_cast<const OvHandle*>(OvFrameBufferGet(handle, OV_FRAME_BUFFER_TEXTURE));
    return texture ? *texture : OvHandle{1, nullptr};
}

bool OV_CANVAS::SwapTexture(OvHandle texture)
{
    return OvFrameBufferSwapTexture(handle, texture) != 0;
}

bool OV_CANVAS::UseFBO() const
{
    return OvFrameBufferUseFBO(handle) != 0;
}

} // namespace OvCore
