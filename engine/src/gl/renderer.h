// The drawing core: the state the engine wants, the batch of CPU-transformed quads and
// triangles, and the draws that go to OpenGL as they are (points, lines, vertex buffers,
// large arrays) under the real model-view matrix. Consecutive quads or triangles with the
// same state become one draw call; any change of state flushes the batch first, except the
// texture of unit 0 while no program of the caller's is active: then the batch holds quads
// of up to two textures (and untextured ones), so text over a theme or sprites of two
// sheets stay one draw, and the engine's own programs draw it from a streaming buffer in a
// compact layout. Under a caller's program the batch goes to the fixed pipeline's arrays.
#pragma once

#include <cstdint>
#include <vector>

#include "gl/batch_program.h"
#include "gl/batch_stream.h"
#include "gl/draw_state.h"
#include "gl/gl_context.h"

namespace ov::gl
{

// One batched vertex: position after the model-view transform, texture coordinate, colour
// packed as 0xAABBGGRR (red in the low byte).
struct BatchVertex
{
    float x, y, z;
    float u, v;
    uint32_t colour;
};

enum class BatchKind
{
    Quads,
    Triangles
};

struct ArraySource
{
    const void* pointer = nullptr; // an address, or a byte offset into the array buffer
    int32_t size = 4;
    int32_t stride = 0;
    bool enabled = false;
};

// A draw sent to OpenGL as it is.
struct ArrayDraw
{
    uint32_t mode = 0; // an OpenGL primitive
    int32_t first = 0;
    int32_t count = 0;
    uint32_t valueType = 0; // GL_FLOAT or GL_DOUBLE; 0 means float
    ArraySource position, colour, texcoord, normal;
    const void* indices = nullptr; // an address, or an offset into the element buffer
    bool indexed = false;
    bool indicesInBuffer = false;
    uint32_t indexSize = 4;
    bool arraysInBuffer = false;
    double currentColour[4] = {1, 1, 1, 1};
};

class Renderer
{
  public:
    // The batch starts with room for kBatchStart vertices and doubles when a frame needs
    // more, up to kBatchLimit, so that a frame of same-state sprites is one draw call and
    // the array, once grown, is reused frame after frame. Both are multiples of 4 and 3.
    static constexpr int kBatchStart = 3 << 14;
    static constexpr int kBatchLimit = 3 << 20;

    explicit Renderer(Device& device);

    Device& device() { return device_; }
    // Back to the state of a new renderer, dropping the batch (the device is shut down).
    void reset();
    // The context draws go to (the active render target's); null: draws are dropped.
    void useContext(Context* context);
    Context* context() const { return context_; }

    const DrawState& wanted() const { return wanted_; }
    void setTexture(int unit, uint32_t name);
    void setTexturing(bool on);
    void setBlending(bool on) { change(wanted_.blending, on); }
    bool setBlendFunction(int32_t sourceCode, int32_t destinationCode);
    bool setBlendEquation(int32_t code);
    void setColourMask(const std::array<bool, 4>& mask) { change(wanted_.colourMask, mask); }
    void setScissorTest(bool on) { change(wanted_.scissorTest, on); }
    void setScissor(const std::array<int32_t, 4>& box) { change(wanted_.scissor, box); }
    void setViewport(const std::array<int32_t, 4>& box) { change(wanted_.viewport, box); }
    void setProgram(uint32_t name) { change(wanted_.program, name); }
    void setVertexProgram(uint32_t name) { change(wanted_.vertexProgram, name); }
    void setFragmentProgram(uint32_t name) { change(wanted_.fragmentProgram, name); }
    void setPointSize(float size) { change(wanted_.pointSize, size); }
    void setPointSprite(bool on) { change(wanted_.pointSprite, on); }
    void setCoordReplace(bool on) { change(wanted_.coordReplace, on); }
    void setPointSmooth(bool on) { change(wanted_.pointSmooth, on); }
    void setProjection(const Mat4& projection) { change(projection_, projection); }
    // The buffers buffered draws read (0: none); kind 0 vertices, 1 indices.
    void setBuffer(int kind, uint32_t name) { buffers_[kind] = name; }
    uint32_t buffer(int kind) const { return buffers_[kind]; }

    // Room for `count` more primitives of this kind in the batch (flushing first when the
    // kind changes or the batch is full); null without a context.
    BatchVertex* reserve(BatchKind kind, int count);
    void flush();

    void drawArrays(const ArrayDraw& draw, const Mat4& modelView);
    void clear(uint32_t bits, const double colour[4]);
    void present();
    void finish();

    // Applies the wanted state and program to the current context now (for uniforms).
    bool applyNow();
    // Binds a texture (on unit 0) or buffer for editing in some current context.
    bool bindTextureForEdit(uint32_t name);
    bool bindBufferForEdit(int kind, uint32_t name);

    uint64_t drawCalls = 0;

  private:
    template <class T> void change(T& field, const T& value)
    {
        if (field == value)
            return;
        flush();
        field = value;
    }
    bool apply(const Mat4& modelView);
    void applyTextures(AppliedState& applied, bool force);
    void applyBlend(AppliedState& applied, bool force);
    void applyPoints(AppliedState& applied, bool force);
    void applyPrograms(AppliedState& applied, bool force);
    void applyMatrices(AppliedState& applied, const Mat4& modelView, bool force);
    bool grow(int needed);
    void bindBuffer(AppliedState& applied, int kind, uint32_t name);
    // Whether texture changes on unit 0 may join the batch and the engine's own programs
    // draw it (no caller's program; the programs and the stream available).
    bool sharesTextures();
    // The batch's texture slot of unit 0's texture as it is now (-1: untextured); flushes
    // when both slots hold other textures.
    float textureSlot();
    // The batch's own textures on the applied state; the next apply puts back what is
    // wanted.
    void bindBatchTextures(AppliedState& applied, int textures);
    void drawOwnBatch(AppliedState& applied, int count, int textures, const BatchLayout& layout);
    void drawFixedBatch(int count, const BatchLayout& layout);
    BatchProgram& ownProgram(const BatchLayout& layout);

    Device& device_;
    Context* context_ = nullptr;
    DrawState wanted_;
    Mat4 projection_;
    std::array<uint32_t, 2> buffers_{};
    std::vector<BatchVertex> batch_;
    std::vector<float> slots_; // each batched vertex's texture slot, while textures share
    std::array<uint32_t, 2> batchTextures_{};
    int batchTextureCount_ = 0;
    bool batchShared_ = false; // the batch was filled sharing textures
    bool batchMixed_ = false;  // ... and holds more than one slot
    float batchFirstSlot_ = -1;
    BatchKind batchKind_ = BatchKind::Quads;
    int batchSize_ = 0;
    BatchLayout layout_; // of the vertices in the batch
    BatchPrograms programs_;
    BatchStream stream_;
    bool ownBatchTried_ = false;
    bool ownBatch_ = false; // the engine's programs and stream are there
};

} // namespace ov::gl
