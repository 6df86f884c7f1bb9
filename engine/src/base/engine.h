// The engine's one global state machine: the OpenGL device and renderer, the matrix stacks,
// the state values behind OvGetState, the live objects and what is active. The C interface
// functions in engine/src/api reach everything through engine().
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/handle_table.h"
#include "base/objects.h"
#include "gl/renderer.h"
#include "math/matrix_stacks.h"

namespace ov
{

// The values OvGetState points at, in the engine's codes.
struct StateValues
{
    OvHandle activeTarget{1, nullptr};              // 16
    std::array<int32_t, 4> colourMask{1, 1, 1, 1};  // 101
    int32_t texturing = 0;                          // 108
    int32_t blending = 0;                           // 154
    std::array<int32_t, 2> blendFunction{164, 165}; // 155
    int32_t blendEquation = 174;                    // 173
    std::array<int32_t, 4> scissor{};               // 219
    int32_t scissorTest = 0;                        // 220
    double pointSize = 1;                           // 221
    int32_t pointSprite = 0;                        // 224
    int32_t coordReplace = 0;                       // 225
    int32_t pointSmooth = 0;                        // 226
    std::array<double, 4> clearColour{0, 0, 0, 0};  // 262
    std::array<double, 4> drawColour{1, 1, 1, 1};   // 263
    uint32_t packedDrawColour = 0xFFFFFFFFu;
    uint64_t drawCalls = 0; // 470
};

// Vertices gathered between OvPrimitiveBegin and OvPrimitiveEnd.
struct ImmediatePrimitive
{
    static constexpr size_t kMaxVertices = 1 << 20;
    bool open = false;
    int32_t mode = 0;
    std::array<double, 4> texcoord{0, 0, 0, 1};
    std::vector<std::array<double, 4>> positions, texcoords, colours;

    // Empties the primitive but keeps the arrays' storage: shapes and particles begin and end
    // a primitive per object every frame.
    void reset()
    {
        open = false;
        mode = 0;
        texcoord = {0, 0, 0, 1};
        positions.clear();
        texcoords.clear();
        colours.clear();
    }
};

// One frame buffer being drawn into: its frame buffer object in the context it was made in
// (null once that context is gone) and the viewport to go back to.
struct ActiveFrameBuffer
{
    static constexpr size_t kMostNested = 16;
    FrameBuffer* frameBuffer = nullptr;
    uint32_t name = 0;
    gl::Context* context = nullptr;
    std::array<int32_t, 4> viewport{};
};

struct Engine
{
    gl::Device device;
    gl::Renderer renderer{device};
    MatrixStacks matrices;
    StateValues state;
    ImmediatePrimitive immediate;

    HandleTable<RenderTarget> targets;
    HandleTable<Texture> textures;
    HandleTable<VertexBuffer> buffers;
    HandleTable<Shader> shaders;
    HandleTable<FrameBuffer> frameBuffers;
    std::vector<ActiveFrameBuffer> activeFrameBuffers; // innermost last

    RenderTarget* activeTarget = nullptr;
    int activeUnit = 0;
    std::array<Texture*, gl::kTextureUnits> activeTextures{};
    std::array<VertexBuffer*, 2> activeBuffers{};
    std::string lastShaderLog;
    bool initiated = false;
};

Engine& engine();

// 0xAABBGGRR from 0..1 channels.
uint32_t packColour(float r, float g, float b, float a);

} // namespace ov
