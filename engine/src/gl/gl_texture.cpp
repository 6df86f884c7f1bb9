#include "gl/gl_texture.h"

#include <epoxy/gl.h>
#include <vector>

#include "gl/gl_codes.h"

namespace ov::gl
{

uint32_t createTexture(Renderer& renderer)
{
    if (!renderer.bindTextureForEdit(0))
        return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0 || !renderer.bindTextureForEdit(name))
        return 0;
    // The default minifying filter wants mipmaps the engine does not make.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void deleteTexture(Renderer& renderer, uint32_t name)
{
    if (name == 0 || !renderer.bindTextureForEdit(0))
        return;
    GLuint texture = name;
    glDeleteTextures(1, &texture);
    renderer.device().forgetTexture(name);
}

int32_t maxTextureSize(Renderer& renderer)
{
    if (!renderer.bindTextureForEdit(0))
        return 0;
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

bool uploadTexture(Renderer& renderer, uint32_t name, int32_t width, int32_t height,
                   const void* pixels)
{
    const int32_t limit = maxTextureSize(renderer);
    if (width <= 0 || height <= 0 || width > limit || height > limit ||
        !renderer.bindTextureForEdit(name))
        return false;
    std::vector<uint8_t> blank;
    if (!pixels)
    {
        blank.assign(size_t(width) * size_t(height) * 4, 0);
        pixels = blank.data();
    }
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return glGetError() == GL_NO_ERROR;
}

bool setTextureParameter(Renderer& renderer, uint32_t name, int32_t parameterCode, float value)
{
    // The setting is a code carried in a float: NaN and values beyond int32 are no code (and
    // converting them would be undefined).
    if (!(value >= -2147483648.0f && value < 2147483648.0f))
        return false;
    const auto parameter = textureParameter(parameterCode);
    const auto setting = textureValue(static_cast<int32_t>(value));
    if (!parameter || !setting || !renderer.bindTextureForEdit(name))
        return false;
    glTexParameteri(GL_TEXTURE_2D, *parameter, *setting);
    return true;
}

bool copyFromRender(Renderer& renderer, uint32_t name, int32_t x, int32_t y, int32_t width,
                    int32_t height, bool allocate)
{
    if (width <= 0 || height <= 0 || !renderer.context() || !renderer.bindTextureForEdit(name))
        return false;
    // Inside a frame buffer the region is read from its texture, else from the back buffer.
    GLint frameBuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &frameBuffer);
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glReadBuffer(frameBuffer != 0 ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    if (allocate)
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, x, y, width, height, 0);
    else
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, y, width, height);
    return glGetError() == GL_NO_ERROR;
}

bool readTexture(Renderer& renderer, uint32_t name, void* pixels)
{
    if (!renderer.bindTextureForEdit(name))
        return false;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return true;
}

} // namespace ov::gl
