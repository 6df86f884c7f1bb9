#include "base/destroy.h"

#include "base/engine.h"
#include "base/frame_buffers.h"
#include "dna/soft_body.h"
#include "gl/gl_buffer.h"
#include "gl/gl_shader.h"
#include "gl/gl_texture.h"
#include "text/font.h"

namespace ov
{

void releaseTexture(Texture& texture)
{
    Engine& e = engine();
    for (int unit = 0; unit < gl::kTextureUnits; ++unit)
    {
        if (e.activeTextures[unit] == &texture)
            e.activeTextures[unit] = nullptr;
        if (texture.name != 0 && e.renderer.wanted().textures[unit] == texture.name)
            e.renderer.setTexture(unit, 0);
    }
    gl::deleteTexture(e.renderer, texture.name);
    texture.name = 0;
}

void releaseVertexBuffer(VertexBuffer& buffer)
{
    Engine& e = engine();
    for (int kind = 0; kind < 2; ++kind)
    {
        if (e.activeBuffers[kind] == &buffer)
        {
            e.activeBuffers[kind] = nullptr;
            e.renderer.setBuffer(kind, 0);
        }
        if (buffer.mapped[kind])
            gl::unmapBuffer(e.renderer, kind, buffer.names[kind]);
        gl::deleteBuffer(e.renderer, buffer.names[kind]);
        buffer.names[kind] = 0;
    }
}

void releaseShader(Shader& shader)
{
    Engine& e = engine();
    const gl::DrawState& wanted = e.renderer.wanted();
    if (shader.name == 0)
        return;
    switch (shader.kind)
    {
    case 429:
    case 430:
        if (wanted.vertexProgram == shader.name && shader.kind == 429)
            e.renderer.setVertexProgram(0);
        if (wanted.fragmentProgram == shader.name && shader.kind == 430)
            e.renderer.setFragmentProgram(0);
        gl::deleteLowLevel(e.renderer, shader.name);
        break;
    case 431:
    case 432:
        gl::deleteShader(e.renderer, shader.name);
        break;
    case 433:
        if (wanted.program == shader.name)
            e.renderer.setProgram(0);
        gl::deleteProgram(e.renderer, shader.name);
        break;
    default:
        break;
    }
    shader.name = 0;
    shader.built = false;
}

void destroyAllObjects()
{
    Engine& e = engine();
    e.renderer.flush();
    e.frameBuffers.forEach([](FrameBuffer& frameBuffer) { releaseFrameBuffer(frameBuffer); });
    e.frameBuffers.clear();
    e.textures.forEach([](Texture& texture) { releaseTexture(texture); });
    e.buffers.forEach([](VertexBuffer& buffer) { releaseVertexBuffer(buffer); });
    e.shaders.forEach([](Shader& shader) { releaseShader(shader); });
    e.textures.clear();
    e.buffers.clear();
    e.shaders.clear();
    destroyAllFonts();
    dna::destroyAll();
    e.renderer.useContext(nullptr);
    e.targets.forEach([&](RenderTarget& target)
                      { e.device.destroyContext(std::move(target.context)); });
    e.targets.clear();
    e.activeTarget = nullptr;
    e.activeTextures = {};
    e.activeBuffers = {};
}

} // namespace ov
