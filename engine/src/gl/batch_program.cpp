#include "gl/batch_program.h"

#include <epoxy/gl.h>

namespace ov::gl
{

namespace
{

const char* const VERTEX_SHADER = R"(#version 120
attribute float slot;
varying float textureSlot;
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    textureSlot = slot;
}
)";

const char* const FRAGMENT_SHADER = R"(#version 120
uniform sampler2D first;
uniform sampler2D second;
varying float textureSlot;
void main()
{
    vec4 colour = gl_Color;
    if (textureSlot > 0.5)
        colour *= texture2D(second, gl_TexCoord[0].st);
    else if (textureSlot > -0.5)
        colour *= texture2D(first, gl_TexCoord[0].st);
    gl_FragColor = colour;
}
)";

GLuint compile(GLenum stage, const char* text)
{
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &text, nullptr);
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

} // namespace

bool buildBatchProgram(SharedBatchProgram& program)
{
    if (epoxy_gl_version() < 20)
        return false;
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    const GLuint vertex = compile(GL_VERTEX_SHADER, VERTEX_SHADER);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
    GLuint linked = 0;
    if (vertex && fragment)
    {
        linked = glCreateProgram();
        glAttachShader(linked, vertex);
        glAttachShader(linked, fragment);
        // Away from 0 (the position) and from the slots some drivers give the fixed
        // pipeline's arrays.
        glBindAttribLocation(linked, 6, "slot");
        glLinkProgram(linked);
        GLint ok = GL_FALSE;
        glGetProgramiv(linked, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE)
        {
            glDeleteProgram(linked);
            linked = 0;
        }
    }
    glDeleteShader(vertex); // flagged only while attached
    glDeleteShader(fragment);
    if (linked)
    {
        glUseProgram(linked);
        glUniform1i(glGetUniformLocation(linked, "first"), 0);
        glUniform1i(glGetUniformLocation(linked, "second"), 1);
        program.name = linked;
        program.slotAttribute = 6;
    }
    glUseProgram(GLuint(previous));
    return linked != 0;
}

} // namespace ov::gl
