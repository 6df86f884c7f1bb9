// The batch's vertices on their way to the engine's own programs: one streaming vertex
// buffer used as a ring (each draw maps the next free range without waiting for earlier
// draws, and the whole store is invalidated when full), written in the most compact layout
// the batch allows: 16-byte vertices (x, y, u, v) when the batch has one colour and lies at
// z 0, 20 bytes with a colour each, the batch's own 24-byte vertices otherwise; the texture
// slots of a batch of two textures follow its vertices.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ov::gl
{

struct BatchVertex;

// What a batch has in common. Sprites usually share one colour and lie at z 0.
struct BatchLayout
{
    bool oneColour = true;
    bool flat = true;
    uint32_t colour = 0; // the first vertex's
    int scanned = 0;     // the vertices taken in so far

    // Takes in the vertices from `scanned` to `count`: called as the batch fills, it reads
    // them while they are still in the cache.
    void scan(const BatchVertex* vertices, int count);
};

// Where a batch's vertices lie for the attribute pointers: byte offsets into the stream
// buffer, or addresses in client memory while buffer 0 is bound.
struct PlacedBatch
{
    const char* vertices = nullptr;
    const char* slots = nullptr; // one float per vertex; null: no slots
    int stride = 0;
    int positionSize = 2;
    int texCoordOffset = 0;
    int colourOffset = -1; // -1: no colour per vertex
};

class BatchStream
{
  public:
    // Whether this OpenGL can map buffer ranges; the buffer is named in the current
    // context on the first call.
    bool available();
    uint32_t buffer() const { return buffer_; }
    // Writes the vertices (and the slots, when given) into the stream, which must be bound
    // to GL_ARRAY_BUFFER; false when it cannot be mapped.
    bool write(const BatchVertex* vertices, const float* slots, int count,
               const BatchLayout& layout, PlacedBatch& placed);
    // The device's contexts are gone, and the buffer with them.
    void forget() { *this = BatchStream{}; }

  private:
    uint32_t buffer_ = 0;
    bool tried_ = false;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

// The batch where it lies in client memory, for when the stream cannot be mapped.
PlacedBatch clientBatch(const BatchVertex* vertices, const float* slots, const BatchLayout& layout);

// Points the programs' attributes at a placed batch; releasing them after the draw leaves
// the fixed pipeline's arrays to the draws that follow.
void pointAttributes(const PlacedBatch& placed);
void releaseAttributes();

} // namespace ov::gl
