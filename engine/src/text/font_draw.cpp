#include <cmath>
#include <cstring>
#include <vector>

#include "base/batch_fill.h"
#include "base/engine.h"
#include "text/font.h"

namespace ov
{

namespace
{

constexpr int kGridCells = 16; // the grid font: 16 x 16 cells, code c at (c % 16, c / 16)

// Quads appended to the batch per call; well inside the renderer's batch capacity.
constexpr int32_t kQuadsPerChunk = 4096;

float finiteOrZero(float value)
{
    return std::isfinite(value) ? value : 0.0f;
}

void sanitize(FontDescriptor& d)
{
    d.letterSpacing = finiteOrZero(d.letterSpacing);
    d.lineSpacing = finiteOrZero(d.lineSpacing);
    d.lineHeight = finiteOrZero(d.lineHeight);
    for (FontGlyph& g : d.glyphs)
    {
        float* values = &g.width;
        for (int i = 0; i < 9; ++i)
            values[i] = finiteOrZero(values[i]);
    }
}

// Where one glyph goes relative to the pen, and how far the pen moves.
struct GlyphPlacement
{
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
    float advance;
};

// Text metrics of one list, the grid's taken from the states as drawing starts.
class Metrics
{
  public:
    explicit Metrics(const DisplayList& list) : list_(list)
    {
        if (list.grid)
        {
            const FontStates& s = fontStates();
            cellWidth_ = float(s.glyphWidth);
            cellHeight_ = float(s.glyphHeight);
            advance_ = float(s.glyphWidth + s.letterSpacing);
            lineAdvance_ = float(s.glyphHeight + s.lineSpacing);
        }
        else
        {
            lineAdvance_ = list.metrics.lineHeight + list.metrics.lineSpacing;
        }
    }

    float lineAdvance() const { return lineAdvance_; }

    GlyphPlacement place(unsigned char code) const
    {
        if (list_.grid)
        {
            const float column = float(code % kGridCells), row = float(code / kGridCells);
            return {0,
                    0,
                    cellWidth_,
                    cellHeight_,
                    column / kGridCells,
                    row / kGridCells,
                    (column + 1) / kGridCells,
                    (row + 1) / kGridCells,
                    advance_};
        }
        const FontGlyph& g = list_.metrics.glyphs[code];
        return {g.xoffset,
                g.yoffset,
                g.xoffset + g.width,
                g.yoffset + g.height,
                g.u0,
                g.v0,
                g.u1,
                g.v1,
                g.xadvance + list_.metrics.letterSpacing};
    }

  private:
    const DisplayList& list_;
    float cellWidth_ = 0, cellHeight_ = 0, advance_ = 0, lineAdvance_ = 0;
};

// Glyph quads gathered on the CPU (two floats of position and of texture coordinate per
// corner) and handed to the batch a chunk at a time.
class QuadWriter
{
  public:
    QuadWriter()
    {
        positions_.clear();
        texcoords_.clear();
    }
    ~QuadWriter() { flush(); }

    void add(float x, float y, const GlyphPlacement& p)
    {
        const float left = x + p.x0, top = y + p.y0, right = x + p.x1, bottom = y + p.y1;
        // Top-left, top-right, bottom-right, bottom-left, as sprites are laid out.
        const float corners[8] = {left, top, right, top, right, bottom, left, bottom};
        const float uvs[8] = {p.u0, p.v0, p.u1, p.v0, p.u1, p.v1, p.u0, p.v1};
        positions_.insert(positions_.end(), corners, corners + 8);
        texcoords_.insert(texcoords_.end(), uvs, uvs + 8);
        if (positions_.size() >= size_t(kQuadsPerChunk) * 8)
            flush();
    }

    void flush()
    {
        if (positions_.empty())
            return;
        Engine& e = engine();
        StreamVertexSource source;
        source.position =
            VertexStream{reinterpret_cast<const uint8_t*>(positions_.data()), 2 * sizeof(float), 2};
        source.texcoord =
            VertexStream{reinterpret_cast<const uint8_t*>(texcoords_.data()), 2 * sizeof(float), 2};
        source.packedDefaultColour = e.state.packedDrawColour;
        batchStreamVertices(e.renderer, e.matrices.modelView(), BatchShape::Quads, source, 0,
                            int32_t(positions_.size() / 2));
        positions_.clear();
        texcoords_.clear();
    }

  private:
    // Kept between draws so that drawing text allocates nothing once warmed up.
    static inline std::vector<float> positions_, texcoords_;
};

} // namespace

DisplayList makeDisplayList(const void* descriptor)
{
    DisplayList list;
    list.lineBreak = uint8_t(fontStates().lineBreak);
    if (descriptor)
    {
        list.grid = false;
        std::memcpy(&list.metrics, descriptor, sizeof list.metrics);
        sanitize(list.metrics);
    }
    return list;
}

void drawText(const DisplayList& list, const char* text)
{
    const Metrics metrics(list);
    QuadWriter quads;
    float x = 0, y = 0;
    for (const char* at = text; *at; ++at)
    {
        const auto code = static_cast<unsigned char>(*at);
        if (code == list.lineBreak)
        {
            x = 0;
            y += metrics.lineAdvance();
            continue;
        }
        const GlyphPlacement glyph = metrics.place(code);
        if (glyph.x1 > glyph.x0 && glyph.y1 > glyph.y0)
            quads.add(x, y, glyph);
        x += glyph.advance;
    }
}

} // namespace ov
