// OpenGL shader objects: GLSL shaders and programs, and ARB low-level vertex and fragment
// programs. Compilation reports its log; uniforms and parameters go to the active program.
#pragma once

#include <cstdint>
#include <string>

#include "gl/renderer.h"

namespace ov::gl
{

enum class ShaderStage
{
    Vertex,
    Fragment
};

struct BuildResult
{
    uint32_t name = 0; // kept even when the build failed, so it can be deleted
    bool ok = false;
    std::string log;
};

uint32_t featureMask(Renderer& renderer); // 1 GLSL, 2 ARB programs, 4 buffers, 8 FBOs
int32_t glslVersion(Renderer& renderer);

BuildResult compileShader(Renderer& renderer, ShaderStage stage, const char* text);
BuildResult compileLowLevel(Renderer& renderer, ShaderStage stage, const char* text);
BuildResult linkProgram(Renderer& renderer, const uint32_t* shaders, int count);
void deleteShader(Renderer& renderer, uint32_t name);
void deleteProgram(Renderer& renderer, uint32_t name);
void deleteLowLevel(Renderer& renderer, uint32_t name);

int32_t uniformLocation(Renderer& renderer, uint32_t program, const char* name);
int32_t attributeLocation(Renderer& renderer, uint32_t program, const char* name);
void setUniform(Renderer& renderer, int32_t location, const float* values, int32_t count);
void setUniformInteger(Renderer& renderer, int32_t location, const int32_t* values, int32_t count);
void setUniformMatrix(Renderer& renderer, int32_t location, const float* matrix, bool transpose);
void setAttribute(Renderer& renderer, int32_t location, const float* values, int32_t count);
void setLocalParameter(Renderer& renderer, ShaderStage stage, int32_t index, const float* values);

} // namespace ov::gl
