#include "gl/batch_program.h"

#include <epoxy/gl.h>
#include <string>

namespace ov::gl
{

namespace
{

// TEXTURES 0, 1 or 2; COLOUR 0 white, 1 the batch's, 2 each vertex's.
const char* const VERTEX_SHADER = R"(
attribute vec4 position;
attribute vec2 texCoord;
attribute vec4 colour;
attribute float slot;
uniform mat4 transform;
varying vec2 uv;
varying vec4 tint;
varying float textureSlot;
void main()
{
    gl_Position = transform * position;
#if TEXTURES > 0
    uv = texCoord;
#endif
#if COLOUR == 2
    tint = colour;
#endif
#if TEXTURES == 2
    textureSlot = slot;
#endif
}
)";

const char* const FRAGMENT_SHADER = R"(
uniform sampler2D first;
uniform sampler2D second;
varying vec2 uv;
varying float textureSlot;
uniform vec4 batchColour;
varying vec4 tint;
void main()
{
#if COLOUR == 0
    vec4 colour = vec4(1.0);
#elif COLOUR == 1
    vec4 colour = batchColour;
#else
    vec4 colour = tint;
#endif
#if TEXTURES == 1
    colour *= texture2D(first, uv);
#elif TEXTURES == 2
    if (textureSlot > 0.5)
        colour *= texture2D(second, uv);
    else if (textureSlot > -0.5)
        colour *= texture2D(first, uv);
#endif
    gl_FragColor = colour;
}
)";

GLuint compile(GLenum stage, const std::string& text)
{
    const GLuint shader = glCreateShader(stage);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE)
    {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(GLuint vertex, GLuint fragment)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, kPositionAttribute, "position");
    glBindAttribLocation(program, kTexCoordAttribute, "texCoord");
    glBindAttribLocation(program, kColourAttribute, "colour");
    glBindAttribLocation(program, kSlotAttribute, "slot");
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE)
    {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

} // namespace

bool BatchProgram::build(BatchTextures textures, BatchColour colour)
{
    const std::string defines = "#version 120\n#define TEXTURES " + std::to_string(int(textures)) +
                                "\n#define COLOUR " + std::to_string(int(colour)) + "\n";
    const GLuint vertex = compile(GL_VERTEX_SHADER, defines + VERTEX_SHADER);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, defines + FRAGMENT_SHADER);
    const GLuint linked = vertex && fragment ? link(vertex, fragment) : 0;
    glDeleteShader(vertex); // flagged only while attached
    glDeleteShader(fragment);
    if (!linked)
        return false;
    glUseProgram(linked);
    glUniform1i(glGetUniformLocation(linked, "first"), 0);
    glUniform1i(glGetUniformLocation(linked, "second"), 1);
    name_ = linked;
    transformLocation_ = glGetUniformLocation(linked, "transform");
    colourLocation_ = glGetUniformLocation(linked, "batchColour");
    return true;
}

void BatchProgram::setTransform(const Mat4& transform)
{
    if (transformSent_ && transform == transform_)
        return;
    float values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = float(transform.m[i]);
    glUniformMatrix4fv(transformLocation_, 1, GL_FALSE, values);
    transform_ = transform;
    transformSent_ = true;
}

void BatchProgram::setColour(uint32_t packed)
{
    if (colourSent_ && packed == colour_)
        return;
    const auto channel = [packed](int index) { return float((packed >> (8 * index)) & 255) / 255; };
    glUniform4f(colourLocation_, channel(0), channel(1), channel(2), channel(3));
    colour_ = packed;
    colourSent_ = true;
}

bool BatchPrograms::ready()
{
    if (tried_)
        return built_;
    tried_ = true;
    if (epoxy_gl_version() < 20)
        return false;
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    built_ = true;
    for (int textures = 0; textures < 3 && built_; ++textures)
        for (int colour = 0; colour < 3 && built_; ++colour)
            built_ = get(BatchTextures(textures), BatchColour(colour))
                         .build(BatchTextures(textures), BatchColour(colour));
    glUseProgram(GLuint(previous));
    if (!built_)
        for (BatchProgram& variant : variants_)
            glDeleteProgram(variant.name());
    return built_;
}

BatchProgram& BatchPrograms::get(BatchTextures textures, BatchColour colour)
{
    return variants_[size_t(textures) * 3 + size_t(colour)];
}

} // namespace ov::gl
