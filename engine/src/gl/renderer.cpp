#include "gl/renderer.h"

#include <algorithm>
#include <epoxy/gl.h>

#include "gl/gl_codes.h"

namespace ov::gl
{

namespace
{

const Mat4 kIdentity{};

void enableIf(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void clientArray(GLenum array, bool on)
{
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
}

void loadMatrix(GLenum mode, const Mat4& matrix)
{
    glMatrixMode(mode);
    glLoadMatrixd(matrix.m.data());
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

Renderer::Renderer(Device& device) : device_(device), batch_(kBatchStart) {}

void Renderer::reset()
{
    batchSize_ = 0;
    layout_ = BatchLayout{};
    batchTextureCount_ = 0;
    programs_.forget(); // went with the device's contexts
    stream_.forget();
    ownBatchTried_ = false;
    ownBatch_ = false;
    context_ = nullptr;
    wanted_ = DrawState{};
    projection_ = Mat4{};
    buffers_ = {};
    drawCalls = 0;
}

void Renderer::useContext(Context* context)
{
    if (context != context_)
    {
        flush();
        context_ = context;
    }
    if (context_)
        device_.makeCurrent(context_);
}

void Renderer::setTexture(int unit, uint32_t name)
{
    if (unit == 0 && sharesTextures())
        wanted_.textures[0] = name; // the batch keeps each vertex's texture
    else if (unit >= 0 && unit < kTextureUnits)
        change(wanted_.textures[unit], name);
}

void Renderer::setTexturing(bool on)
{
    if (sharesTextures())
        wanted_.texturing = on;
    else
        change(wanted_.texturing, on);
}

bool Renderer::sharesTextures()
{
    if (wanted_.program != 0 || wanted_.vertexProgram != 0 || wanted_.fragmentProgram != 0)
        return false;
    if (!ownBatchTried_ && context_ && device_.makeCurrent(context_))
    {
        ownBatchTried_ = true;
        ownBatch_ = stream_.available() && programs_.ready();
    }
    return ownBatch_;
}

float Renderer::textureSlot()
{
    const uint32_t name = wanted_.texturing ? wanted_.textures[0] : 0;
    if (name == 0)
        return -1;
    for (int slot = 0; slot < batchTextureCount_; ++slot)
        if (batchTextures_[slot] == name)
            return float(slot);
    if (batchTextureCount_ == int(batchTextures_.size()))
        flush();
    batchTextures_[batchTextureCount_] = name;
    return float(batchTextureCount_++);
}

bool Renderer::setBlendFunction(int32_t sourceCode, int32_t destinationCode)
{
    const auto source = blendFactor(sourceCode);
    const auto destination = blendFactor(destinationCode);
    if (!source || !destination)
        return false;
    change(wanted_.blendSource, *source);
    change(wanted_.blendDestination, *destination);
    return true;
}

bool Renderer::setBlendEquation(int32_t code)
{
    const auto equation = blendEquation(code);
    if (equation)
        change(wanted_.blendEquation, *equation);
    return equation.has_value();
}

BatchVertex* Renderer::reserve(BatchKind kind, int count)
{
    const int needed = count * (kind == BatchKind::Quads ? 4 : 3);
    if (!context_ || count <= 0 || needed > kBatchLimit)
        return nullptr;
    layout_.scan(batch_.data(), batchSize_); // the room handed out last, now filled
    const bool shared = sharesTextures();
    if (batchSize_ > 0 && (kind != batchKind_ || shared != batchShared_))
        flush();
    if (batchSize_ + needed > int(batch_.size()) && !grow(batchSize_ + needed))
    {
        flush();
        grow(needed);
    }
    const float slot = shared ? textureSlot() : 0; // may flush: take the room after it
    batchKind_ = kind;
    batchShared_ = shared;
    if (shared && batchSize_ == 0)
    {
        batchFirstSlot_ = slot;
        batchMixed_ = false;
    }
    else if (shared && !batchMixed_ && slot != batchFirstSlot_)
    {
        // Slots are written only once a batch mixes them: a batch of one texture is drawn
        // by the fixed pipeline as before.
        batchMixed_ = true;
        slots_.resize(std::max(slots_.size(), batch_.size()));
        std::fill_n(slots_.begin(), batchSize_, batchFirstSlot_);
    }
    if (shared && batchMixed_)
    {
        slots_.resize(std::max(slots_.size(), batch_.size()));
        std::fill_n(slots_.begin() + batchSize_, needed, slot);
    }
    BatchVertex* room = batch_.data() + batchSize_;
    batchSize_ += needed;
    return room;
}

// Doubles the batch until `needed` vertices fit; false at the limit (flush instead).
bool Renderer::grow(int needed)
{
    if (needed > kBatchLimit)
        return false;
    size_t size = batch_.size();
    while (size < size_t(needed))
        size *= 2;
    batch_.resize(std::min(size, size_t(kBatchLimit)));
    return true;
}

void Renderer::flush()
{
    if (batchSize_ == 0)
        return;
    const int count = batchSize_;
    batchSize_ = 0;
    layout_.scan(batch_.data(), count);
    const BatchLayout layout = layout_;
    layout_ = BatchLayout{};
    const int textures = batchTextureCount_;
    batchTextureCount_ = 0;
    if (!apply(kIdentity))
        return;
    AppliedState& applied = context_->applied();
    if (batchShared_)
    {
        drawOwnBatch(applied, count, textures, layout);
        return;
    }
    bindBuffer(applied, 0, 0);
    drawFixedBatch(count, layout);
}

void Renderer::bindBatchTextures(AppliedState& applied, int textures)
{
    DrawState& now = applied.state;
    for (int unit = 0; unit < textures; ++unit)
    {
        if (now.textures[unit] == batchTextures_[unit])
            continue;
        if (applied.activeUnit != unit)
            glActiveTexture(GL_TEXTURE0 + unit);
        applied.activeUnit = unit;
        glBindTexture(GL_TEXTURE_2D, batchTextures_[unit]);
        now.textures[unit] = batchTextures_[unit];
    }
}

BatchProgram& Renderer::ownProgram(const BatchLayout& layout)
{
    const BatchTextures textures = batchMixed_            ? BatchTextures::Two
                                   : batchFirstSlot_ >= 0 ? BatchTextures::One
                                                          : BatchTextures::None;
    const BatchColour colour = !layout.oneColour              ? BatchColour::PerVertex
                               : layout.colour == 0xFFFFFFFFu ? BatchColour::White
                                                              : BatchColour::Uniform;
    return programs_.get(textures, colour);
}

void Renderer::drawOwnBatch(AppliedState& applied, int count, int textures,
                            const BatchLayout& layout)
{
    bindBatchTextures(applied, textures);
    const BatchVertex* vertices = batch_.data();
    const float* slots = batchMixed_ ? slots_.data() : nullptr;
    PlacedBatch placed;
    bindBuffer(applied, 0, stream_.buffer());
    if (!stream_.write(vertices, slots, count, layout, placed))
    {
        bindBuffer(applied, 0, 0);
        placed = clientBatch(vertices, slots, layout);
    }
    BatchProgram& program = ownProgram(layout);
    if (applied.state.program != program.name())
    {
        glUseProgram(program.name());
        applied.state.program = program.name();
    }
    program.setTransform(projection_); // the batch is in model-view space already
    if (layout.oneColour)
        program.setColour(layout.colour);
    pointAttributes(placed);
    glDrawArrays(batchKind_ == BatchKind::Quads ? GL_QUADS : GL_TRIANGLES, 0, count);
    ++drawCalls;
    releaseAttributes();
}

// Under a caller's program: the fixed pipeline's arrays, which its built-in attributes read.
// One colour goes as the current colour, flat positions as two components.
void Renderer::drawFixedBatch(int count, const BatchLayout& layout)
{
    const BatchVertex* first = batch_.data();
    glVertexPointer(layout.flat ? 2 : 3, GL_FLOAT, sizeof(BatchVertex), &first->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(BatchVertex), &first->u);
    clientArray(GL_VERTEX_ARRAY, true);
    clientArray(GL_TEXTURE_COORD_ARRAY, true);
    clientArray(GL_COLOR_ARRAY, !layout.oneColour);
    if (layout.oneColour)
        glColor4ubv(reinterpret_cast<const GLubyte*>(&first->colour));
    else
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(BatchVertex), &first->colour);
    clientArray(GL_NORMAL_ARRAY, false);
    glDrawArrays(batchKind_ == BatchKind::Quads ? GL_QUADS : GL_TRIANGLES, 0, count);
    ++drawCalls;
}

void Renderer::drawArrays(const ArrayDraw& draw, const Mat4& modelView)
{
    flush();
    if (draw.count <= 0 || draw.first < 0 || !draw.position.enabled || !apply(modelView))
        return;
    AppliedState& applied = context_->applied();
    const uint32_t arrayBuffer = draw.arraysInBuffer ? buffers_[0] : 0;
    if (draw.arraysInBuffer && arrayBuffer == 0)
        return;
    bindBuffer(applied, 0, arrayBuffer);
    const GLenum type = draw.valueType ? draw.valueType : GL_FLOAT;

    glVertexPointer(draw.position.size, type, draw.position.stride, draw.position.pointer);
    clientArray(GL_VERTEX_ARRAY, true);
    clientArray(GL_COLOR_ARRAY, draw.colour.enabled);
    if (draw.colour.enabled)
        glColorPointer(draw.colour.size, type, draw.colour.stride, draw.colour.pointer);
    else
        glColor4dv(draw.currentColour);
    clientArray(GL_TEXTURE_COORD_ARRAY, draw.texcoord.enabled);
    if (draw.texcoord.enabled)
        glTexCoordPointer(draw.texcoord.size, type, draw.texcoord.stride, draw.texcoord.pointer);
    else
        glTexCoord4d(0, 0, 0, 1);
    clientArray(GL_NORMAL_ARRAY, draw.normal.enabled);
    if (draw.normal.enabled)
        glNormalPointer(type, draw.normal.stride, draw.normal.pointer);
    else
        glNormal3d(0, 0, 1);

    if (!draw.indexed)
    {
        glDrawArrays(draw.mode, draw.first, draw.count);
    }
    else
    {
        const uint32_t elementBuffer = draw.indicesInBuffer ? buffers_[1] : 0;
        if (draw.indicesInBuffer && elementBuffer == 0)
            return;
        bindBuffer(applied, 1, elementBuffer);
        const GLenum indexType = draw.indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
        const char* start =
            static_cast<const char*>(draw.indices) + size_t(draw.first) * draw.indexSize;
        glDrawElements(draw.mode, draw.count, indexType, start);
    }
    ++drawCalls;
}

void Renderer::clear(uint32_t bits, const double colour[4])
{
    flush();
    if (bits == 0 || !apply(kIdentity))
        return;
    GLbitfield mask = 0;
    if (bits & 2)
        mask |= GL_COLOR_BUFFER_BIT;
    if (bits & 4)
        mask |= GL_DEPTH_BUFFER_BIT;
    if (bits & 8)
        mask |= GL_STENCIL_BUFFER_BIT;
    if (bits & 16)
        mask |= GL_ACCUM_BUFFER_BIT;
    glClearColor(float(colour[0]), float(colour[1]), float(colour[2]), float(colour[3]));
    glClear(mask);
}

void Renderer::present()
{
    flush();
    if (context_)
        device_.swap(*context_);
}

void Renderer::finish()
{
    flush();
    if (context_ && device_.makeCurrent(context_))
        glFlush();
}

bool Renderer::applyNow()
{
    flush();
    if (context_)
        return apply(kIdentity);
    if (!device_.ensureAnyCurrent())
        return false;
    AppliedState& applied = device_.current()->applied();
    applyPrograms(applied, !applied.known);
    return true;
}

bool Renderer::bindTextureForEdit(uint32_t name)
{
    flush();
    if (context_ ? !device_.makeCurrent(context_) : !device_.ensureAnyCurrent())
        return false;
    AppliedState& applied = device_.current()->applied();
    if (applied.activeUnit != 0)
    {
        glActiveTexture(GL_TEXTURE0);
        applied.activeUnit = 0;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    applied.state.textures[0] = name;
    return true;
}

bool Renderer::bindBufferForEdit(int kind, uint32_t name)
{
    flush();
    if (context_ ? !device_.makeCurrent(context_) : !device_.ensureAnyCurrent())
        return false;
    bindBuffer(device_.current()->applied(), kind, name);
    return true;
}

void Renderer::bindBuffer(AppliedState& applied, int kind, uint32_t name)
{
    if (applied.boundBuffers[kind] == name)
        return;
    glBindBuffer(kind == 0 ? GL_ARRAY_BUFFER : GL_ELEMENT_ARRAY_BUFFER, name);
    applied.boundBuffers[kind] = name;
}

bool Renderer::apply(const Mat4& modelView)
{
    if (!context_ || !device_.makeCurrent(context_))
        return false;
    AppliedState& applied = context_->applied();
    DrawState& now = applied.state;
    const bool force = !applied.known;
    if (force || now.viewport != wanted_.viewport)
    {
        glViewport(wanted_.viewport[0], wanted_.viewport[1], wanted_.viewport[2],
                   wanted_.viewport[3]);
        now.viewport = wanted_.viewport;
    }
    if (force || now.scissor != wanted_.scissor)
    {
        glScissor(wanted_.scissor[0], wanted_.scissor[1], wanted_.scissor[2], wanted_.scissor[3]);
        now.scissor = wanted_.scissor;
    }
    if (force || now.scissorTest != wanted_.scissorTest)
    {
        enableIf(GL_SCISSOR_TEST, wanted_.scissorTest);
        now.scissorTest = wanted_.scissorTest;
    }
    if (force || now.colourMask != wanted_.colourMask)
    {
        const auto& m = wanted_.colourMask;
        glColorMask(m[0], m[1], m[2], m[3]);
        now.colourMask = m;
    }
    applyBlend(applied, force);
    applyTextures(applied, force);
    applyPoints(applied, force);
    applyPrograms(applied, force);
    applyMatrices(applied, modelView, force);
    applied.known = true;
    return true;
}

void Renderer::applyTextures(AppliedState& applied, bool force)
{
    DrawState& now = applied.state;
    for (int unit = kTextureUnits - 1; unit >= 0; --unit)
    {
        if (!force && now.textures[unit] == wanted_.textures[unit])
            continue;
        if (force || applied.activeUnit != unit)
        {
            glActiveTexture(GL_TEXTURE0 + unit);
            applied.activeUnit = unit;
        }
        glBindTexture(GL_TEXTURE_2D, wanted_.textures[unit]);
        now.textures[unit] = wanted_.textures[unit];
    }
    // Fixed-function texturing reads unit 0, and only when a texture is bound there.
    const bool texturing = wanted_.texturing && wanted_.textures[0] != 0;
    if (force || now.texturing != texturing)
    {
        if (applied.activeUnit != 0)
        {
            glActiveTexture(GL_TEXTURE0);
            applied.activeUnit = 0;
        }
        enableIf(GL_TEXTURE_2D, texturing);
        now.texturing = texturing;
    }
}

void Renderer::applyBlend(AppliedState& applied, bool force)
{
    DrawState& now = applied.state;
    if (force || now.blending != wanted_.blending)
    {
        enableIf(GL_BLEND, wanted_.blending);
        now.blending = wanted_.blending;
    }
    if (force || now.blendSource != wanted_.blendSource ||
        now.blendDestination != wanted_.blendDestination)
    {
        glBlendFunc(wanted_.blendSource, wanted_.blendDestination);
        now.blendSource = wanted_.blendSource;
        now.blendDestination = wanted_.blendDestination;
    }
    if (force || now.blendEquation != wanted_.blendEquation)
    {
        glBlendEquation(wanted_.blendEquation);
        now.blendEquation = wanted_.blendEquation;
    }
}

void Renderer::applyPoints(AppliedState& applied, bool force)
{
    DrawState& now = applied.state;
    if (force || now.pointSize != wanted_.pointSize)
    {
        glPointSize(wanted_.pointSize);
        now.pointSize = wanted_.pointSize;
    }
    if (force || now.pointSprite != wanted_.pointSprite)
    {
        enableIf(GL_POINT_SPRITE, wanted_.pointSprite);
        now.pointSprite = wanted_.pointSprite;
    }
    if (force || now.coordReplace != wanted_.coordReplace)
    {
        if (applied.activeUnit != 0)
        {
            glActiveTexture(GL_TEXTURE0);
            applied.activeUnit = 0;
        }
        glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, wanted_.coordReplace ? GL_TRUE : GL_FALSE);
        now.coordReplace = wanted_.coordReplace;
    }
    if (force || now.pointSmooth != wanted_.pointSmooth)
    {
        enableIf(GL_POINT_SMOOTH, wanted_.pointSmooth);
        now.pointSmooth = wanted_.pointSmooth;
    }
}

void Renderer::applyPrograms(AppliedState& applied, bool force)
{
    DrawState& now = applied.state;
    if (force || now.program != wanted_.program)
    {
        glUseProgram(wanted_.program);
        now.program = wanted_.program;
    }
    const struct
    {
        uint32_t& now;
        uint32_t want;
        GLenum target;
    } low[] = {{now.vertexProgram, wanted_.vertexProgram, GL_VERTEX_PROGRAM_ARB},
               {now.fragmentProgram, wanted_.fragmentProgram, GL_FRAGMENT_PROGRAM_ARB}};
    for (const auto& program : low)
    {
        if (!force && program.now == program.want)
            continue;
        if (program.want != 0)
        {
            glEnable(program.target);
            glBindProgramARB(program.target, program.want);
        }
        else if (epoxy_has_gl_extension("GL_ARB_vertex_program"))
        {
            glDisable(program.target);
        }
        program.now = program.want;
    }
}

void Renderer::applyMatrices(AppliedState& applied, const Mat4& modelView, bool force)
{
    if (force || applied.projection != projection_)
    {
        loadMatrix(GL_PROJECTION, projection_);
        applied.projection = projection_;
    }
    if (force || applied.modelView != modelView)
    {
        loadMatrix(GL_MODELVIEW, modelView);
        applied.modelView = modelView;
    }
}

} // namespace ov::gl
