// The engine's own programs for batches drawn while no program of the caller's is active:
// positions already in the batch's space (2D or 3D), one texture coordinate, a colour per
// vertex or one for the whole batch, and none, one or two textures (a slot per vertex when
// two), modulated as the fixed pipeline modulates. They read generic attributes only, so the
// vertices stream from a buffer in the compact layouts of batch_stream.h; the fewer values a
// vertex carries to the rasteriser, the less Mesa's software pipeline spends on each quad.
#pragma once

#include <array>
#include <cstdint>

#include "math/mat4.h"

namespace ov::gl
{

enum class BatchTextures
{
    None,
    One, // unit 0
    Two  // units 0 and 1, chosen by each vertex's slot
};

enum class BatchColour
{
    White,    // every vertex opaque white: the texture as it is
    Uniform,  // one colour for the batch
    PerVertex // a colour each
};

// Attribute locations shared by every variant.
constexpr uint32_t kPositionAttribute = 0;
constexpr uint32_t kTexCoordAttribute = 1;
constexpr uint32_t kColourAttribute = 2;
constexpr uint32_t kSlotAttribute = 3;

class BatchProgram
{
  public:
    uint32_t name() const { return name_; }
    bool build(BatchTextures textures, BatchColour colour);
    // Uniforms are sent only when they change (the program keeps them across draws).
    void setTransform(const Mat4& transform);
    void setColour(uint32_t packed);

  private:
    uint32_t name_ = 0;
    int32_t transformLocation_ = -1;
    int32_t colourLocation_ = -1;
    Mat4 transform_;
    bool transformSent_ = false;
    uint32_t colour_ = 0;
    bool colourSent_ = false;
};

// Every variant, built together once (a batch must never find its variant missing), in
// the shared object space of the device's contexts.
class BatchPrograms
{
  public:
    // Builds them in the current context on the first call; false (none kept) when this
    // OpenGL cannot.
    bool ready();
    BatchProgram& get(BatchTextures textures, BatchColour colour);
    // The device's contexts are gone, and the programs with them.
    void forget() { *this = BatchPrograms{}; }

  private:
    std::array<BatchProgram, 9> variants_{};
    bool tried_ = false;
    bool built_ = false;
};

} // namespace ov::gl
