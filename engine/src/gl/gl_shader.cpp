#include "gl/gl_shader.h"

#include <cstring>
#include <epoxy/gl.h>

namespace ov::gl
{

namespace
{

bool anyContext(Renderer& renderer)
{
    return renderer.bindBufferForEdit(0, 0);
}

std::string shaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        glGetShaderInfoLog(shader, length, nullptr, log.data());
    while (!log.empty() && log.back() == '\0')
        log.pop_back();
    return log;
}

std::string programLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        glGetProgramInfoLog(program, length, nullptr, log.data());
    while (!log.empty() && log.back() == '\0')
        log.pop_back();
    return log;
}

GLenum lowLevelTarget(ShaderStage stage)
{
    return stage == ShaderStage::Vertex ? GL_VERTEX_PROGRAM_ARB : GL_FRAGMENT_PROGRAM_ARB;
}

bool hasLowLevel()
{
    return epoxy_has_gl_extension("GL_ARB_vertex_program") &&
           epoxy_has_gl_extension("GL_ARB_fragment_program");
}

} // namespace

uint32_t featureMask(Renderer& renderer)
{
    if (!anyContext(renderer))
        return 0;
    const int version = epoxy_gl_version();
    uint32_t mask = 0;
    if (version >= 20)
        mask |= 1;
    if (hasLowLevel())
        mask |= 2;
    if (version >= 15)
        mask |= 4;
    if (version >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object") ||
        epoxy_has_gl_extension("GL_EXT_framebuffer_object"))
        mask |= 8;
    return mask;
}

int32_t glslVersion(Renderer& renderer)
{
    if (!anyContext(renderer) || epoxy_gl_version() < 20)
        return 0;
    return epoxy_glsl_version();
}

BuildResult compileShader(Renderer& renderer, ShaderStage stage, const char* text)
{
    BuildResult result;
    if (!anyContext(renderer) || epoxy_gl_version() < 20)
    {
        result.log = "shaders are not available";
        return result;
    }
    result.name =
        glCreateShader(stage == ShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    glShaderSource(result.name, 1, &text, nullptr);
    glCompileShader(result.name);
    GLint status = 0;
    glGetShaderiv(result.name, GL_COMPILE_STATUS, &status);
    result.ok = status == GL_TRUE;
    if (!result.ok)
    {
        result.log = shaderLog(result.name);
        if (result.log.empty())
            result.log = "compilation failed";
    }
    return result;
}

BuildResult compileLowLevel(Renderer& renderer, ShaderStage stage, const char* text)
{
    BuildResult result;
    if (!anyContext(renderer) || !hasLowLevel())
    {
        result.log = "low-level programs are not available";
        return result;
    }
    renderer.flush();
    const GLenum target = lowLevelTarget(stage);
    GLuint name = 0;
    glGenProgramsARB(1, &name);
    result.name = name;
    glBindProgramARB(target, name);
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glProgramStringARB(target, GL_PROGRAM_FORMAT_ASCII_ARB, GLsizei(std::strlen(text)), text);
    GLint errorPosition = -1;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &errorPosition);
    result.ok = glGetError() == GL_NO_ERROR && errorPosition == -1;
    if (!result.ok)
    {
        const auto* message =
            reinterpret_cast<const char*>(glGetString(GL_PROGRAM_ERROR_STRING_ARB));
        result.log = "position " + std::to_string(errorPosition) + ": " +
                     (message && *message ? message : "error");
    }
    // The binding was made behind the renderer's back: let it bind afresh.
    glBindProgramARB(target, 0);
    DrawState& now = renderer.device().current()->applied().state;
    (stage == ShaderStage::Vertex ? now.vertexProgram : now.fragmentProgram) = kUnknownName;
    return result;
}

BuildResult linkProgram(Renderer& renderer, const uint32_t* shaders, int count)
{
    BuildResult result;
    if (!anyContext(renderer) || epoxy_gl_version() < 20)
    {
        result.log = "shaders are not available";
        return result;
    }
    result.name = glCreateProgram();
    for (int i = 0; i < count; ++i)
        glAttachShader(result.name, shaders[i]);
    glLinkProgram(result.name);
    GLint status = 0;
    glGetProgramiv(result.name, GL_LINK_STATUS, &status);
    result.ok = status == GL_TRUE;
    if (!result.ok)
    {
        result.log = programLog(result.name);
        if (result.log.empty())
            result.log = "linking failed";
    }
    for (int i = 0; i < count; ++i)
        glDetachShader(result.name, shaders[i]);
    return result;
}

void deleteShader(Renderer& renderer, uint32_t name)
{
    if (name != 0 && anyContext(renderer))
        glDeleteShader(name);
}

void deleteProgram(Renderer& renderer, uint32_t name)
{
    if (name == 0 || !anyContext(renderer))
        return;
    glDeleteProgram(name);
    renderer.device().forgetProgram(name);
}

void deleteLowLevel(Renderer& renderer, uint32_t name)
{
    if (name == 0 || !anyContext(renderer))
        return;
    GLuint program = name;
    glDeleteProgramsARB(1, &program);
    renderer.device().forgetProgram(name);
}

int32_t uniformLocation(Renderer& renderer, uint32_t program, const char* name)
{
    if (!anyContext(renderer))
        return -1;
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE ? glGetUniformLocation(program, name) : -1;
}

int32_t attributeLocation(Renderer& renderer, uint32_t program, const char* name)
{
    if (!anyContext(renderer))
        return -1;
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE ? glGetAttribLocation(program, name) : -1;
}

void setUniform(Renderer& renderer, int32_t location, const float* v, int32_t count)
{
    if (location < 0 || renderer.wanted().program == 0 || !renderer.applyNow())
        return;
    switch (count)
    {
    case 1:
        glUniform1f(location, v[0]);
        break;
    case 2:
        glUniform2f(location, v[0], v[1]);
        break;
    case 3:
        glUniform3f(location, v[0], v[1], v[2]);
        break;
    case 4:
        glUniform4f(location, v[0], v[1], v[2], v[3]);
        break;
    default:
        break;
    }
}

void setUniformInteger(Renderer& renderer, int32_t location, const int32_t* v, int32_t count)
{
    if (location < 0 || renderer.wanted().program == 0 || !renderer.applyNow())
        return;
    switch (count)
    {
    case 1:
        glUniform1i(location, v[0]);
        break;
    case 2:
        glUniform2i(location, v[0], v[1]);
        break;
    case 3:
        glUniform3i(location, v[0], v[1], v[2]);
        break;
    case 4:
        glUniform4i(location, v[0], v[1], v[2], v[3]);
        break;
    default:
        break;
    }
}

void setUniformMatrix(Renderer& renderer, int32_t location, const float* matrix, bool transpose)
{
    if (location >= 0 && renderer.wanted().program != 0 && renderer.applyNow())
        glUniformMatrix4fv(location, 1, transpose ? GL_TRUE : GL_FALSE, matrix);
}

void setAttribute(Renderer& renderer, int32_t location, const float* v, int32_t count)
{
    if (location < 0 || !renderer.applyNow())
        return;
    switch (count)
    {
    case 1:
        glVertexAttrib1f(location, v[0]);
        break;
    case 2:
        glVertexAttrib2f(location, v[0], v[1]);
        break;
    case 3:
        glVertexAttrib3f(location, v[0], v[1], v[2]);
        break;
    case 4:
        glVertexAttrib4f(location, v[0], v[1], v[2], v[3]);
        break;
    default:
        break;
    }
}

void setLocalParameter(Renderer& renderer, ShaderStage stage, int32_t index, const float* v)
{
    const uint32_t program = stage == ShaderStage::Vertex ? renderer.wanted().vertexProgram
                                                          : renderer.wanted().fragmentProgram;
    if (index < 0 || program == 0 || !renderer.applyNow())
        return;
    glProgramLocalParameter4fARB(lowLevelTarget(stage), GLuint(index), v[0], v[1], v[2], v[3]);
}

} // namespace ov::gl
