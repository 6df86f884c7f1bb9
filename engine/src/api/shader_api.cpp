// Shaders: GLSL vertex and fragment shaders linked into programs, and low-level (ARB
// assembly) vertex and fragment programs. Every build step leaves its message for
// OvShaderLastLog.
#include <fstream>
#include <sstream>

#include "api/guard.h"
#include "base/destroy.h"
#include "base/engine.h"
#include "gl/gl_shader.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

constexpr std::streamoff kMaxSourceBytes = 16 << 20;

Shader* findShader(const OvHandle& handle)
{
    return engine().shaders.find(handle);
}

uint8_t finish(const gl::BuildResult& result, Shader& shader, int32_t kind)
{
    shader.kind = kind;
    shader.name = result.name;
    shader.built = result.ok;
    engine().lastShaderLog = result.ok ? std::string() : result.log;
    return result.ok ? 1 : 0;
}

uint8_t compile(Shader& shader, const char* text, int32_t kind)
{
    Engine& e = engine();
    if (kind < 429 || kind > 432)
    {
        e.lastShaderLog = "unknown shader kind " + std::to_string(kind);
        return 0;
    }
    releaseShader(shader);
    const auto stage =
        kind == 429 || kind == 431 ? gl::ShaderStage::Vertex : gl::ShaderStage::Fragment;
    const auto result = kind >= 431 ? gl::compileShader(e.renderer, stage, text)
                                    : gl::compileLowLevel(e.renderer, stage, text);
    return finish(result, shader, kind);
}

std::optional<std::string> readSource(const char* path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file || file.tellg() > kMaxSourceBytes)
        return std::nullopt;
    file.seekg(0);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

extern "C"
{

    OV_API uint8_t OvShaderInit(void)
    {
        return guard(uint8_t(0),
                     [] { return uint8_t((gl::featureMask(engine().renderer) & 3) ? 1 : 0); });
    }

    OV_API int32_t OvShaderModel(void)
    {
        return guard(int32_t(0), [] { return gl::glslVersion(engine().renderer); });
    }

    OV_API uint8_t OvShaderCreate(OvHandle* out)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         if (!out || findShader(*out))
                             return 0;
                         auto shader = std::make_unique<Shader>();
                         const OvHandle handle = engine().shaders.add(shader);
                         if (handleIsEmpty(handle))
                             return 0;
                         *out = handle;
                         return 1;
                     });
    }

    OV_API void OvShaderDestroy(OvHandle handle)
    {
        guard(
            [&]
            {
                if (auto shader = engine().shaders.remove(handle))
                    releaseShader(*shader);
            });
    }

    OV_API uint8_t OvShaderLoad(OvHandle handle, const char* path, int32_t kind)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Shader* shader = findShader(handle);
                         if (!shader || !path)
                             return 0;
                         const auto source = readSource(path);
                         if (!source)
                         {
                             engine().lastShaderLog = std::string("cannot read ") + path;
                             return 0;
                         }
                         return compile(*shader, source->c_str(), kind);
                     });
    }

    OV_API uint8_t OvShaderLoadFromMemory(OvHandle handle, const char* text, int32_t kind)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Shader* shader = findShader(handle);
                         if (!shader || !text)
                             return 0;
                         return compile(*shader, text, kind);
                     });
    }

    OV_API uint8_t OvShaderMakeProgram(OvHandle handle, const OvHandle* shaders, int32_t count)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Engine& e = engine();
                         Shader* program = findShader(handle);
                         if (!program || !shaders || count <= 0 || count > 16)
                             return 0;
                         std::vector<uint32_t> names;
                         for (int32_t i = 0; i < count; ++i)
                         {
                             const Shader* part = findShader(shaders[i]);
                             if (!part || (part->kind != 431 && part->kind != 432) || !part->built)
                             {
                                 e.lastShaderLog = "shader " + std::to_string(i) +
                                                   " is not a compiled vertex or fragment shader";
                                 return 0;
                             }
                             names.push_back(part->name);
                         }
                         const bool wasActive = program->kind == 433 && program->name != 0 &&
                                                e.renderer.wanted().program == program->name;
                         releaseShader(*program);
                         const uint8_t ok = finish(gl::linkProgram(e.renderer, names.data(), count),
                                                   *program, 433);
                         if (wasActive && ok)
                             e.renderer.setProgram(program->name);
                         return ok;
                     });
    }

    OV_API const char* OvShaderLastLog(void)
    {
        return guard("", [] { return engine().lastShaderLog.c_str(); });
    }

    OV_API void OvShaderActivate(OvHandle handle)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                const Shader* shader = findShader(handle);
                if (!shader || !shader->built)
                    return;
                if (shader->kind == 433)
                    e.renderer.setProgram(shader->name);
                else if (shader->kind == 429)
                    e.renderer.setVertexProgram(shader->name);
                else if (shader->kind == 430)
                    e.renderer.setFragmentProgram(shader->name);
            });
    }

    OV_API void OvShaderUnactivate(int32_t kind)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                if (kind == 433)
                    e.renderer.setProgram(0);
                else if (kind == 429)
                    e.renderer.setVertexProgram(0);
                else if (kind == 430)
                    e.renderer.setFragmentProgram(0);
            });
    }

    OV_API int32_t OvShaderUniformLocation(OvHandle handle, const char* name)
    {
        return guard(int32_t(-1),
                     [&]() -> int32_t
                     {
                         const Shader* shader = findShader(handle);
                         if (!shader || shader->kind != 433 || !shader->built || !name)
                             return -1;
                         return gl::uniformLocation(engine().renderer, shader->name, name);
                     });
    }

    OV_API int32_t OvShaderAttributeLocation(OvHandle handle, const char* name)
    {
        return guard(int32_t(-1),
                     [&]() -> int32_t
                     {
                         const Shader* shader = findShader(handle);
                         if (!shader || shader->kind != 433 || !shader->built || !name)
                             return -1;
                         return gl::attributeLocation(engine().renderer, shader->name, name);
                     });
    }

    OV_API void OvShaderUniform(int32_t location, float x, float y, float z, float w, int32_t count)
    {
        guard(
            [&]
            {
                const float values[4] = {x, y, z, w};
                gl::setUniform(engine().renderer, location, values, count);
            });
    }

    OV_API void OvShaderUniformInteger(int32_t location, const int32_t* values, int32_t count)
    {
        guard(
            [&]
            {
                if (values)
                    gl::setUniformInteger(engine().renderer, location, values, count);
            });
    }

    OV_API void OvShaderUniformMatrix(int32_t location, const double* matrix, uint8_t transpose)
    {
        guard(
            [&]
            {
                if (!matrix)
                    return;
                float values[16];
                for (int i = 0; i < 16; ++i)
                    values[i] = float(matrix[i]);
                gl::setUniformMatrix(engine().renderer, location, values, transpose != 0);
            });
    }

    OV_API void OvShaderAttribute(int32_t location, float x, float y, float z, float w,
                                  int32_t count)
    {
        guard(
            [&]
            {
                const float values[4] = {x, y, z, w};
                gl::setAttribute(engine().renderer, location, values, count);
            });
    }

    OV_API void OvShaderLocalParam(int32_t kind, int32_t index, float x, float y, float z, float w)
    {
        guard(
            [&]
            {
                const float values[4] = {x, y, z, w};
                if (kind == 429 || kind == 430)
                    gl::setLocalParameter(engine().renderer,
                                          kind == 429 ? gl::ShaderStage::Vertex
                                                      : gl::ShaderStage::Fragment,
                                          index, values);
            });
    }

} // extern "C"
