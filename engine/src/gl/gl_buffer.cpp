#include "gl/gl_buffer.h"

#include <epoxy/gl.h>

#include "gl/gl_codes.h"

namespace ov::gl
{

namespace
{

GLenum bufferTarget(int kind)
{
    return kind == 0 ? GL_ARRAY_BUFFER : GL_ELEMENT_ARRAY_BUFFER;
}

} // namespace

bool buffersAvailable(Renderer& renderer)
{
    return renderer.bindBufferForEdit(0, 0) && epoxy_gl_version() >= 15;
}

uint32_t createBuffer(Renderer& renderer, int kind, size_t bytes, const void* data,
                      int32_t usageCode)
{
    const auto usage = bufferUsage(usageCode);
    if (!buffersAvailable(renderer))
        return 0;
    GLuint name = 0;
    glGenBuffers(1, &name);
    if (name == 0 || !renderer.bindBufferForEdit(kind, name))
        return 0;
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glBufferData(bufferTarget(kind), GLsizeiptr(bytes), data, usage.value_or(GL_STATIC_DRAW));
    if (glGetError() != GL_NO_ERROR)
    {
        deleteBuffer(renderer, name);
        return 0;
    }
    return name;
}

void deleteBuffer(Renderer& renderer, uint32_t name)
{
    if (name == 0 || !renderer.bindBufferForEdit(0, 0))
        return;
    GLuint buffer = name;
    glDeleteBuffers(1, &buffer);
    renderer.device().forgetBuffer(name);
}

void* mapBuffer(Renderer& renderer, int kind, uint32_t name, int32_t accessCode)
{
    const auto access = bufferAccess(accessCode);
    if (name == 0 || !renderer.bindBufferForEdit(kind, name))
        return nullptr;
    return glMapBuffer(bufferTarget(kind), access.value_or(GL_READ_WRITE));
}

bool unmapBuffer(Renderer& renderer, int kind, uint32_t name)
{
    if (name == 0 || !renderer.bindBufferForEdit(kind, name))
        return false;
    return glUnmapBuffer(bufferTarget(kind)) == GL_TRUE;
}

} // namespace ov::gl
