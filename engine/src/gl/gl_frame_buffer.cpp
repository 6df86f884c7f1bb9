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

uint32_t createDepthBuffer(Renderer& renderer, int32_t width, int32_t height)
{
    if (!frameBuffersAvailable(renderer))
        return 0;
    while (glGetError() != GL_NO_ERROR)
    {
    }
    GLuint name = 0;
    glGenRenderbuffers(1, &name);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (glGetError() == GL_NO_ERROR)
        return name;
    glDeleteRenderbuffers(1, &name);
    return 0;
}

void deleteDepthBuffer(Renderer& renderer, uint32_t name)
{
    if (name == 0 || !frameBuffersAvailable(renderer))
        return;
    GLuint renderbuffer = name;
    glDeleteRenderbuffers(1, &renderbuffer);
}

uint32_t bindFrameBuffer(Renderer& renderer, uint32_t texture, uint32_t depth)
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
    if (depth != 0)
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
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
