#include "core/states.h"

#include <algorithm>
#include <cmath>

#include "core/engine.h"
#include "text/font.h"

namespace ov {

namespace {

int32_t toInt(double value)
{
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int32_t>(value);
}

bool toFlag(double value) { return toInt(value) != 0; }

void setDrawColour(const double values[4])
{
    StateValues& s = engine().state;
    for (int i = 0; i < 4; ++i)
        s.drawColour[i] = values[i];
    s.packedDrawColour = packColour(float(values[0]), float(values[1]), float(values[2]), float(values[3]));
}

void setColourMask(const double values[4])
{
    std::array<bool, 4> mask{};
    for (int i = 0; i < 4; ++i) {
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
    switch (state) {
    case 101: setColourMask(v); break;
    case 108: setSwitch(s.texturing, v[0], &gl::Renderer::setTexturing); break;
    case 154: setSwitch(s.blending, v[0], &gl::Renderer::setBlending); break;
    case 155:
        if (e.renderer.setBlendFunction(toInt(v[0]), toInt(v[1])))
            s.blendFunction = {toInt(v[0]), toInt(v[1])};
        break;
    case 173:
        if (e.renderer.setBlendEquation(toInt(v[0])))
            s.blendEquation = toInt(v[0]);
        break;
    case 219: setScissor(v); break;
    case 220: setSwitch(s.scissorTest, v[0], &gl::Renderer::setScissorTest); break;
    case 221:
        if (std::isfinite(v[0]) && v[0] > 0) {
            s.pointSize = v[0];
            e.renderer.setPointSize(float(v[0]));
        }
        break;
    case 224: setSwitch(s.pointSprite, v[0], &gl::Renderer::setPointSprite); break;
    case 225: setSwitch(s.coordReplace, v[0], &gl::Renderer::setCoordReplace); break;
    case 226: setSwitch(s.pointSmooth, v[0], &gl::Renderer::setPointSmooth); break;
    case 262:
        for (int i = 0; i < 4; ++i)
            s.clearColour[i] = v[i];
        break;
    case 263: setDrawColour(v); break;
    case 470: e.renderer.drawCalls = 0; break;
    default: setFontState(state, v); break;
    }
}

void* stateStorage(int32_t state)
{
    Engine& e = engine();
    StateValues& s = e.state;
    switch (state) {
    case 16: return &s.activeTarget;
    case 101: return s.colourMask.data();
    case 108: return &s.texturing;
    case 154: return &s.blending;
    case 155: return s.blendFunction.data();
    case 173: return &s.blendEquation;
    case 219: return s.scissor.data();
    case 220: return &s.scissorTest;
    case 221: return &s.pointSize;
    case 224: return &s.pointSprite;
    case 225: return &s.coordReplace;
    case 226: return &s.pointSmooth;
    case 262: return s.clearColour.data();
    case 263: return s.drawColour.data();
    case 470:
        s.drawCalls = e.renderer.drawCalls;
        return &s.drawCalls;
    default: return fontStateStorage(state);
    }
}

void resetDrawState()
{
    Engine& e = engine();
    const double white[4] = {1, 1, 1, 1};
    const double fullMask[4] = {1, 1, 1, 1};
    const double blend[4] = {164, 165, 0, 0};
    const double add[4] = {174, 0, 0, 0};
    const double off[4] = {0, 0, 0, 0};
    setState(263, white);
    setState(155, blend);
    setState(173, add);
    setState(101, fullMask);
    setState(220, off);
    for (int unit = 0; unit < gl::kTextureUnits; ++unit) {
        e.activeTextures[unit] = nullptr;
        e.renderer.setTexture(unit, 0);
    }
    e.renderer.setProgram(0);
    e.renderer.setVertexProgram(0);
    e.renderer.setFragmentProgram(0);
}

} // namespace ov
