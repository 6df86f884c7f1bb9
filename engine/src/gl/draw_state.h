// The OpenGL state the engine draws with, in OpenGL's own values: the renderer keeps the
// state wanted by the engine, and each context the state it last applied, so a draw only
// sends the differences.
#pragma once

#include <array>
#include <cstdint>

#include "math/mat4.h"

namespace ov::gl
{

constexpr int kTextureUnits = 8;
constexpr uint32_t kUnknownName = 0xFFFFFFFFu; // forces the next bind

struct DrawState
{
    std::array<uint32_t, kTextureUnits> textures{};
    bool texturing = false;
    bool blending = false;
    uint32_t blendSource = 0x0302;      // GL_SRC_ALPHA
    uint32_t blendDestination = 0x0303; // GL_ONE_MINUS_SRC_ALPHA
    uint32_t blendEquation = 0x8006;    // GL_FUNC_ADD
    std::array<bool, 4> colourMask{true, true, true, true};
    bool scissorTest = false;
    std::array<int32_t, 4> scissor{};
    std::array<int32_t, 4> viewport{};
    uint32_t program = 0;
    uint32_t vertexProgram = 0; // low-level programs: name, 0 when off
    uint32_t fragmentProgram = 0;
    float pointSize = 1;
    bool pointSprite = false;
    bool coordReplace = false;
    bool pointSmooth = false;

    bool operator==(const DrawState&) const = default;
};

// What one context has been told. `known` is false until the first full apply.
struct AppliedState
{
    bool known = false;
    DrawState state;
    int activeUnit = 0;
    Mat4 projection;
    Mat4 modelView;
    std::array<uint32_t, 2> boundBuffers{}; // array buffer, element buffer
};

} // namespace ov::gl
