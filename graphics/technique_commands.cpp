#include "graphics/technique_commands.h"

#include "formats/byte_buffer.h"
#include "graphics/ov_canvas.h"
#include "graphics/ov_shader.h"
#include "graphics/ov_technique.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace OvCore
{

// The engine hands the operands over in its own buffer record, which has ByteBuffer's layout.
static_assert(sizeof(ByteBuffer) == sizeof(OvByteBuffer));
static_assert(offsetof(ByteBuffer, start) == offsetof(OvByteBuffer, start));
static_assert(offsetof(ByteBuffer, cursor) == offsetof(OvByteBuffer, cursor));
static_assert(offsetof(ByteBuffer, count) == offsetof(OvByteBuffer, count));

namespace
{

using Keyword = TechniqueKeyword;

// Reads one command's operands in order; a command whose operands run short is not run.
class Operands
{
  public:
    explicit Operands(OvByteBuffer* operands) : buffer_(reinterpret_cast<ByteBuffer*>(operands)) {}

    Keyword NextKeyword()
    {
        uint32_t value = 0;
        return Take(&value, sizeof value) ? Keyword(value) : Keyword(UINT32_MAX);
    }

    // The address of a host slot (pointer-sized, as the engine writes it).
    void* NextSlot()
    {
        void* slot = nullptr;
        return Take(&slot, sizeof slot) ? slot : nullptr;
    }

    bool Complete() const { return complete_; }

  private:
    bool Take(void* out, uint32_t size)
    {
        complete_ = complete_ && buffer_ && buffer_->Read(out, size) == size;
        return complete_;
    }

    ByteBuffer* buffer_;
    bool complete_ = true;
};

// What a slot holds, read without assuming the host aligned it.
template <class T> T* PointerIn(const void* slot)
{
    T* pointer = nullptr;
    if (slot)
        std::memcpy(&pointer, slot, sizeof pointer);
    return pointer;
}

int32_t IntegerIn(const void* slot)
{
    int32_t value = 0;
    if (slot)
        std::memcpy(&value, slot, sizeof value);
    return value;
}

bool InRange(Keyword keyword, Keyword first, Keyword last)
{
    return keyword >= first && keyword <= last;
}

int32_t ComponentCount(Keyword type, Keyword first)
{
    return int32_t(uint32_t(type) - uint32_t(first)) + 1;
}

// A double area value as a pixel number; false for values no pixel has (NaN, huge).
bool PixelNumber(double value, int32_t& out)
{
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return false;
    out = int32_t(value);
    return true;
}

void Execute(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    void* slot = operands.NextSlot();
    using Routine = void (*)();
    Routine routine = nullptr;
    if (slot)
        std::memcpy(&routine, slot, sizeof routine);
    if (operands.Complete() && routine)
        routine();
}

void Clear(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    switch (operands.NextKeyword())
    {
    case Keyword::Color:
        OvRenderScene(OV_SCENE_CLEAR_COLOUR);
        break;
    case Keyword::Depth:
        OvRenderScene(OV_SCENE_CLEAR_DEPTH);
        break;
    case Keyword::Stencil:
        OvRenderScene(OV_SCENE_CLEAR_STENCIL);
        break;
    case Keyword::Accum:
        OvRenderScene(OV_SCENE_CLEAR_ACCUM);
        break;
    default:
        break;
    }
}

void Pass(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    const Keyword action = operands.NextKeyword();
    const OV_SHADER* set = PointerIn<OV_SHADER>(operands.NextSlot());
    const int32_t index = IntegerIn(operands.NextSlot());
    if (!operands.Complete())
        return;
    if (action == Keyword::Enable && set)
        set->Activate(index);
    else if (action == Keyword::Disable)
        Deactivate();
}

void Canvas(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    const Keyword action = operands.NextKeyword();
    OV_CANVAS* canvas = PointerIn<OV_CANVAS>(operands.NextSlot());
    const bool flag = operands.NextKeyword() == Keyword::True;
    if (!operands.Complete() || !canvas)
        return;
    if (action == Keyword::Enable)
        canvas->Activate(flag);
    else if (action == Keyword::Disable)
        canvas->Deactivate(flag);
}

// Binds the source of a RECT; false for an unknown kind or an empty source.
bool BindRectSource(Keyword kind, const void* slot)
{
    if (kind == Keyword::Texture)
    {
        const OvHandle* texture = PointerIn<const OvHandle>(slot);
        if (texture)
            OvTextureActivate(*texture);
        return texture != nullptr;
    }
    if (kind == Keyword::Canvas)
    {
        const OV_CANVAS* canvas = PointerIn<const OV_CANVAS>(slot);
        if (canvas)
            canvas->BindTexture();
        return canvas != nullptr;
    }
    return false;
}

void Rect(OvByteBuffer* buffer)
{
    constexpr int32_t VECTOR_BYTES = 4 * sizeof(double);
    Operands operands(buffer);
    const Keyword kind = operands.NextKeyword();
    const void* source = operands.NextSlot();
    const double* positions = PointerIn<const double>(operands.NextSlot());
    const double* coordinates = PointerIn<const double>(operands.NextSlot());
    const bool flip = operands.NextKeyword() == Keyword::True;
    if (!operands.Complete() || !positions || !coordinates || !BindRectSource(kind, source))
        return;
    // Flipped, the coordinates go in reverse order; the caller's array is left as it is.
    double reversed[16];
    if (flip)
        for (int corner = 0; corner < 4; ++corner)
            std::memcpy(reversed + 4 * corner, coordinates + 4 * (3 - corner), VECTOR_BYTES);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, positions, nullptr, flip ? reversed : coordinates, nullptr,
               nullptr, 0, OV_VALUE_DOUBLE, VECTOR_BYTES, 0, VECTOR_BYTES, 0, 3, 0, 2);
    OvTextureUnactivate(OV_TEXTURE_2D);
}

void Image(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    const OvHandle* texture = PointerIn<const OvHandle>(operands.NextSlot());
    const double* area = PointerIn<const double>(operands.NextSlot());
    const bool allocate = operands.NextKeyword() == Keyword::True;
    int32_t x = 0, y = 0, width = 0, height = 0;
    if (!operands.Complete() || !texture || !area || !PixelNumber(area[0], x) ||
        !PixelNumber(area[1], y) || !PixelNumber(area[8], width) || !PixelNumber(area[9], height))
        return;
    OvTextureFromRender(*texture, x, y, width, height, allocate ? 1 : 0);
}

void Color(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    const Keyword which = operands.NextKeyword();
    const double* colour = PointerIn<const double>(operands.NextSlot());
    if (!operands.Complete() || !colour)
        return;
    if (which == Keyword::Scene)
        OvSetState(OV_STATE_CLEAR_COLOUR, colour[0], colour[1], colour[2], colour[3]);
    else if (which == Keyword::Model)
        OvSetState(OV_STATE_DRAW_COLOUR, colour[0], colour[1], colour[2], colour[3]);
}

void Blend(OvByteBuffer* buffer)
{
    Operands operands(buffer);
    const Keyword source = operands.NextKeyword();
    const Keyword destination = operands.NextKeyword();
    if (operands.Complete())
        OvSetState(OV_STATE_BLEND, BlendFactorCode(uint32_t(source)),
                   BlendFactorCode(uint32_t(destination)));
}

// The operands PARAM and ATTRIB share: a type, an unused slot, the slot of a pointer to the
// location and the slot of a pointer to four values.
struct ParameterOperands
{
    Keyword type = Keyword(UINT32_MAX);
    int32_t location = -1;
    const void* values = nullptr;

    explicit ParameterOperands(OvByteBuffer* buffer)
    {
        Operands operands(buffer);
        const Keyword read = operands.NextKeyword();
        operands.NextSlot(); // read and not used
        const int32_t* where = PointerIn<const int32_t>(operands.NextSlot());
        const void* what = PointerIn<const void>(operands.NextSlot());
        if (!operands.Complete() || !where || !what)
            return;
        type = read;
        location = *where;
        values = what;
    }

    const float* Floats() const { return static_cast<const float*>(values); }
};

void Param(OvByteBuffer* buffer)
{
    const ParameterOperands p(buffer);
    if (InRange(p.type, Keyword::Float, Keyword::Vec4))
    {
        const float* v = p.Floats();
        SetParameter(OV_SHADER_LINKED, p.location, v[0], v[1], v[2], v[3],
                     ComponentCount(p.type, Keyword::Float));
    }
    else if (InRange(p.type, Keyword::Int, Keyword::Ivec4))
    {
        SetParameterInt(OV_SHADER_LINKED, p.location, static_cast<const int32_t*>(p.values),
                        ComponentCount(p.type, Keyword::Int));
    }
}

void Attrib(OvByteBuffer* buffer)
{
    const ParameterOperands p(buffer);
    if (!InRange(p.type, Keyword::Float, Keyword::Vec4))
        return;
    const float* v = p.Floats();
    SetAttribute(p.location, v[0], v[1], v[2], v[3], ComponentCount(p.type, Keyword::Float));
}

} // namespace

const TechniqueCommand TECHNIQUE_COMMANDS[10] = {
    {"EXECUTE", Execute}, {"CLEAR", Clear},   {"PASS", Pass},   {"CANVAS", Canvas},
    {"RECT", Rect},       {"IMAGE", Image},   {"COLOR", Color}, {"BLEND", Blend},
    {"PARAM", Param},     {"ATTRIB", Attrib},
};

int32_t BlendFactorCode(uint32_t keyword)
{
    const auto k = Keyword(keyword);
    if (!InRange(k, Keyword::Zero, Keyword::OneMinusConstantAlpha))
        return 0;
    return OV_BLEND_ZERO + int32_t(keyword - uint32_t(Keyword::Zero));
}

} // namespace OvCore
