#include "base/states.h"

#include <algorithm>
#include <cmath>

#include "base/engine.h"
#include "orvane_core.h"
#include "text/font.h"

namespace ov
{

namespace
{

int32_t toInt(double value)
{
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int32_t>(value);
}

bool toFlag(double value)
{
    return toInt(value) != 0;
}

void setDrawColour(const double values[4])
{
    StateValues& s = engine().state;
    for (int i = 0; i < 4; ++i)
        s.drawColour[i] = values[i];
    s.packedDrawColour =
        packColour(float(values[0]), float(values[1]), float(values[2]), float(values[3]));
}

void setColourMask(const double values[4])
{
    std::array<bool, 4> mask{};
    for (int i = 0; i < 4; ++i)
    {
        mask[i] = toFlag(values[i]);
        engine().state.colourMask[i] = mask[i] ? 1 : 0;
    }
    engine().renderer.setColourMask(mask);
}

void setScissor(const double values[4])
{
    std::array<int32_t, 4> box{};
    for (int i = 0; i < 4; ++i)
        box[i] = toInt(values[i]);
    // OpenGL refuses a negative size; an empty box clips everything.
    box[2] = std::max(box[2], 0);
    box[3] = std::max(box[3], 0);
    engine().state.scissor = box;
    engine().renderer.setScissor(box);
}

void setSwitch(int32_t& stored, double value, void (gl::Renderer::*apply)(bool))
{
    stored = toFlag(value) ? 1 : 0;
    (engine().renderer.*apply)(stored != 0);
}

} // namespace

void setState(int32_t state, const double v[4])
{
    Engine& e = engine();
    StateValues& s = e.state;
    switch (state)
    {
    case OV_STATE_COLOUR_MASK:
        setColourMask(v);
        break;
    case OV_STATE_TEXTURING:
        setSwitch(s.texturing, v[0], &gl::Renderer::setTexturing);
        break;
    case OV_STATE_BLENDING:
        setSwitch(s.blending, v[0], &gl::Renderer::setBlending);
        break;
    case OV_STATE_BLEND:
        if (e.renderer.setBlendFunction(toInt(v[0]), toInt(v[1])))
            s.blendFunction = {toInt(v[0]), toInt(v[1])};
        break;
    case OV_STATE_BLEND_EQUATION:
        if (e.renderer.setBlendEquation(toInt(v[0])))
            s.blendEquation = toInt(v[0]);
        break;
    case OV_STATE_SCISSOR_BOX:
        setScissor(v);
        break;
    case OV_STATE_SCISSOR_TEST:
        setSwitch(s.scissorTest, v[0], &gl::Renderer::setScissorTest);
        break;
    case OV_STATE_POINT_SIZE:
        if (std::isfinite(v[0]) && v[0] > 0)
        {
            s.pointSize = v[0];
            e.renderer.setPointSize(float(v[0]));
        }
        break;
    case OV_STATE_POINT_SPRITE:
        setSwitch(s.pointSprite, v[0], &gl::Renderer::setPointSprite);
        break;
    case OV_STATE_POINT_SPRITE_COORDS:
        setSwitch(s.coordReplace, v[0], &gl::Renderer::setCoordReplace);
        break;
    case OV_STATE_POINT_SMOOTH:
        setSwitch(s.pointSmooth, v[0], &gl::Renderer::setPointSmooth);
        break;
    case OV_STATE_CLEAR_COLOUR:
        for (int i = 0; i < 4; ++i)
            s.clearColour[i] = v[i];
        break;
    case OV_STATE_DRAW_COLOUR:
        setDrawColour(v);
        break;
    case OV_STATE_DRAW_CALLS:
        e.renderer.drawCalls = 0;
        break;
    default:
        setFontState(state, v);
        break;
    }
}

void* stateStorage(int32_t state)
{
    Engine& e = engine();
    StateValues& s = e.state;
    switch (state)
    {
    case OV_STATE_ACTIVE_TARGET:
        return &s.activeTarget;
    case OV_STATE_COLOUR_MASK:
        return s.colourMask.data();
    case OV_STATE_TEXTURING:
        return &s.texturing;
    case OV_STATE_BLENDING:
        return &s.blending;
    case OV_STATE_BLEND:
        return s.blendFunction.data();
    case OV_STATE_BLEND_EQUATION:
        return &s.blendEquation;
    case OV_STATE_SCISSOR_BOX:
        return s.scissor.data();
    case OV_STATE_SCISSOR_TEST:
        return &s.scissorTest;
    case OV_STATE_POINT_SIZE:
        return &s.pointSize;
    case OV_STATE_POINT_SPRITE:
        return &s.pointSprite;
    case OV_STATE_POINT_SPRITE_COORDS:
        return &s.coordReplace;
    case OV_STATE_POINT_SMOOTH:
        return &s.pointSmooth;
    case OV_STATE_CLEAR_COLOUR:
        return s.clearColour.data();
    case OV_STATE_DRAW_COLOUR:
        return s.drawColour.data();
    case OV_STATE_DRAW_CALLS:
        s.drawCalls = e.renderer.drawCalls;
        return &s.drawCalls;
    default:
        return fontStateStorage(state);
    }
}

void resetDrawState()
{
    Engine& e = engine();
    const double white[4] = {1, 1, 1, 1};
    const double fullMask[4] = {1, 1, 1, 1};
    const double blend[4] = {OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA, 0, 0};
    const double add[4] = {OV_EQUATION_ADD, 0, 0, 0};
    const double off[4] = {0, 0, 0, 0};
    setState(OV_STATE_DRAW_COLOUR, white);
    setState(OV_STATE_BLEND, blend);
    setState(OV_STATE_BLEND_EQUATION, add);
    setState(OV_STATE_COLOUR_MASK, fullMask);
    setState(OV_STATE_SCISSOR_TEST, off);
    for (int unit = 0; unit < gl::kTextureUnits; ++unit)
    {
        e.activeTextures[unit] = nullptr;
        e.renderer.setTexture(unit, 0);
    }
    e.renderer.setProgram(0);
    e.renderer.setVertexProgram(0);
    e.renderer.setFragmentProgram(0);
}

} // namespace ov
