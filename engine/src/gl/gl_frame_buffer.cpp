#include "gl/gl_frame_buffer.h"

#include <epoxy/gl.h>

namespace ov::gl
{

namespace
{

bool supported()
{
    return epoxy_gl_version() >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object");
}

GLuint boundFrameBuffer()
{
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    return GLuint(bound);
}

} // namespace

bool frameBuffersAvailable(Renderer& renderer)
{
    return renderer.bindBufferForEdit(0, 0) && supported();
}

uint32_t bindFrameBuffer(Renderer& renderer, uint32_t texture)
{
    renderer.flush();
    Context* context = renderer.context();
    if (!context || !renderer.device().makeCurrent(context) || !supported())
        return 0;
    const GLuint previous = boundFrameBuffer();
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    if (name == 0)
        return 0;
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    {
        releaseFrameBuffer(name, previous);
        return 0;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return name;
}

void releaseFrameBuffer(uint32_t name, uint32_t previous)
{
    glBindFramebuffer(GL_FRAMEBUFFER, previous);
    GLuint frameBuffer = name;
    glDeleteFramebuffers(1, &frameBuffer);
}

bool generateMipmaps(Renderer& renderer, uint32_t texture)
{
    if (texture == 0 || !renderer.bindTextureForEdit(texture) || !supported())
        return false;
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    return true;
}

} // namespace ov::gl
