#include "graphics/ov_emitter.h"

#include "core/ov_loop.h"
#include "core/ov_math.h"
#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace OvCore
{

namespace
{

constexpr float INF = std::numeric_limits<float>::infinity();
const OV_VECTOR_F FREE_POSITION{INF, INF, INF, 1};
const OV_VECTOR_F DEAD_POSITION{INF, 0, 0, 1};
const OV_VECTOR_F NO_COLOUR{0, 0, 0, 0};

float Between(float low, float high)
{
    return static_cast<float>(Random(high - low) + low);
}

double Between(double low, double high)
{
    return Random(high - low) + low;
}

float Channel(float low, float high, double t)
{
    return static_cast<float>(Lerp(low, high, t));
}

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

// Marks a walk of the pool so that callbacks cannot resize it underneath.
class UpdateScope
{
  public:
    explicit UpdateScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~UpdateScope() { flag_ = was_; }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

  private:
    bool& flag_;
    bool was_;
};

} // namespace

OV_EMITTER::OV_EMITTER() : buffered(OvVertexBufferInit()) {}

bool OV_EMITTER::Resize(int32_t capacity)
{
    if (capacity < 0 || updating_)
        return false;
    const size_t size = static_cast<size_t>(capacity);
    particles_.assign(size, OV_PARTICLE{});
    positions_.assign(size, FREE_POSITION);
    colors_.assign(size, NO_COLOUR);
    free_.clear();
    active_.clear();
    active_.reserve(size);
    for (int32_t i = 0; i < capacity; ++i)
    {
        particles_[size_t(i)].index = i;
        free_.push_back(i);
    }
    buffered = 0;
    return true;
}

void OV_EMITTER::Clear()
{
    if (updating_)
        return;
    particles_.clear();
    positions_.clear();
    colors_.clear();
    free_.clear();
    active_.clear();
}

OV_PARTICLE* OV_EMITTER::TakeSlot()
{
    if (free_.empty())
        return nullptr;
    const int32_t index = free_.front();
    free_.pop_front();
    active_.push_back(index);
    OV_PARTICLE& particle = particles_[size_t(index)];
    particle.position = &positions_[size_t(index)];
    particle.color = &colors_[size_t(index)];
    return &particle;
}

void OV_EMITTER::Initialise(OV_PARTICLE& particle, const OV_VECTOR_F& at) const
{
    *particle.position = OV_VECTOR_F(at.x + Between(offsetMin.x, offsetMax.x),
                                     at.y + Between(offsetMin.y, offsetMax.y),
                                     at.z + Between(offsetMin.z, offsetMax.z), at.w);
    particle.life = Between(lifeMin, lifeMax);
    const double speed = Between(double(speedMin), double(speedMax));
    const OV_VECTOR angles(Between(angleMin.x, angleMax.x), Between(angleMin.y, angleMax.y),
                           Between(angleMin.z, angleMax.z));
    const OV_VECTOR velocity = Lengthdir(angles, speed);
    particle.velocity = OV_VECTOR_F(float(velocity.x), float(velocity.y), float(velocity.z), 0);
    particle.acceleration =
        OV_VECTOR_F(Between(accelMin.x, accelMax.x), Between(accelMin.y, accelMax.y),
                    Between(accelMin.z, accelMax.z), 0);
    double t[4];
    t[0] = Random(1);
    for (int i = 1; i < 4; ++i)
        t[i] = independentChannels ? Random(1) : t[0];
    *particle.color =
        OV_VECTOR_F(Channel(colorMin.x, colorMax.x, t[0]), Channel(colorMin.y, colorMax.y, t[1]),
                    Channel(colorMin.z, colorMax.z, t[2]), Channel(colorMin.w, colorMax.w, t[3]));
    particle.alpha0 = alphaScale;
    particle.age = 0;
}

bool OV_EMITTER::Emit(const OV_VECTOR_F& at)
{
    OV_PARTICLE* particle = TakeSlot();
    if (!particle)
        return false;
    Initialise(*particle, at);
    if (onParticle)
        onParticle(*particle);
    return true;
}

bool OV_EMITTER::Spawn(const OV_PARTICLE& fields, const OV_VECTOR_F& at, const OV_VECTOR_F& colour)
{
    OV_PARTICLE* particle = TakeSlot();
    if (!particle)
        return false;
    OV_VECTOR_F* const ownPosition = particle->position;
    OV_VECTOR_F* const ownColour = particle->color;
    const int32_t index = particle->index;
    *particle = fields;
    particle->position = ownPosition;
    particle->color = ownColour;
    particle->index = index;
    *ownPosition = at;
    *ownColour = colour;
    if (onParticle)
        onParticle(*particle);
    return true;
}

// Points every `spacing` units from previousPosition towards position, the end included
// when `inclusive`; a walk stops early once the pool is full.
void OV_EMITTER::EmitAlongPath()
{
    const double dx = double(position.x) - previousPosition.x;
    const double dy = double(position.y) - previousPosition.y;
    const double dz = double(position.z) - previousPosition.z;
    const double total = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!std::isfinite(total))
        return;
    for (int64_t k = 0; !free_.empty(); ++k)
    {
        const double walked = double(k) * spacing;
        if (inclusive ? !(walked <= total) : !(walked < total))
            break;
        const double f = total > 0 ? walked / total : 0;
        Emit(OV_VECTOR_F(float(previousPosition.x + dx * f), float(previousPosition.y + dy * f),
                         float(previousPosition.z + dz * f), position.w));
    }
}

void OV_EMITTER::RunEmission(float dt)
{
    if (paused || !(interval > 0))
        return;
    timer -= dt;
    if (!(timer <= 0))
        return;
    while (timer <= 0)
    {
        timer += interval;
        for (int32_t i = 0; i < perEmission && !free_.empty(); ++i)
        {
            if (spacing > 0)
                EmitAlongPath();
            else
                Emit(position);
        }
        // A full pool takes nothing more: the remaining repetitions only move the timer, at
        // once, so a long frame or a tiny interval cannot keep the loop going.
        if (free_.empty() && timer <= 0)
        {
            timer += interval * std::ceil(-timer / interval);
            if (!(timer > 0))
                timer = interval;
        }
    }
    previousPosition = position;
}

void OV_EMITTER::Kill(OV_PARTICLE& particle)
{
    particle.age = 0;
    particle.life = 0;
    *particle.position = DEAD_POSITION;
    *particle.color = NO_COLOUR;
    free_.push_back(particle.index);
}

void OV_EMITTER::StepParticles(float dt, OV_PARTICLE_CALLBACK callback, bool alsoDefault)
{
    // Live particles are compacted in place; particles a callback emits meanwhile are
    // appended after the walked ones and kept, unstepped, at the end.
    const size_t walked = active_.size();
    size_t kept = 0;
    for (size_t read = 0; read < walked; ++read)
    {
        OV_PARTICLE& p = particles_[size_t(active_[read])];
        if (p.life > p.age)
        {
            p.age += dt;
            if (!callback || alsoDefault)
            {
                p.position->x += p.velocity.x * dt;
                p.position->y += p.velocity.y * dt;
                p.position->z += p.velocity.z * dt;
                p.velocity.x += p.acceleration.x * dt;
                p.velocity.y += p.acceleration.y * dt;
                p.velocity.z += p.acceleration.z * dt;
                p.color->w = (1 - std::clamp(p.age / p.life, 0.0f, 1.0f)) * p.alpha0;
            }
            if (callback)
                callback(p);
        }
        if (p.life > 0 && p.life <= p.age)
            Kill(p);
        else
            active_[kept++] = active_[read];
    }
    active_.erase(active_.begin() + std::ptrdiff_t(kept), active_.begin() + std::ptrdiff_t(walked));
}

void OV_EMITTER::Step(float dt, OV_PARTICLE_CALLBACK callback, bool alsoDefault)
{
    if (!active)
        return;
    UpdateScope scope(updating_);
    RunEmission(dt);
    StepParticles(dt, callback, alsoDefault);
}

void OV_EMITTER::Update(OV_PARTICLE_CALLBACK callback, bool alsoDefault)
{
    Step(Loop().delta, callback, alsoDefault);
}

void OV_EMITTER::Draw() const
{
    if (!active || particles_.empty() || active_.empty())
        return;
    const bool textured = !IsEmpty(texture);
    if (textured)
        OvTextureActivate(texture);
    else
        OvTextureUnactivate(OV_TEXTURE_2D);
    const bool sized = pointSize > 1;
    if (sized)
        OvSetState(OV_STATE_POINT_SIZE, pointSize);
    if (textured)
    {
        OvSetState(OV_STATE_POINT_SPRITE, 1);
        OvSetState(OV_STATE_POINT_SPRITE_COORDS, 1);
    }
    if (smooth)
        OvSetState(OV_STATE_POINT_SMOOTH, 1);
    OvSetState(OV_STATE_BLEND, blendSource, blendDest);
    OvSetState(OV_STATE_BLEND_EQUATION, blendEquation);
    if (!buffered)
        OvDrawData(OV_PRIMITIVE_POINTS, 0, Capacity(), positions_.data(), colors_.data(), nullptr,
                   nullptr, nullptr, 0, OV_VALUE_FLOAT);
    OvSetState(OV_STATE_BLEND, OV_BLEND_SOURCE_ALPHA, OV_BLEND_ONE_MINUS_SOURCE_ALPHA);
    OvSetState(OV_STATE_BLEND_EQUATION, OV_EQUATION_ADD);
    if (sized)
        OvSetState(OV_STATE_POINT_SIZE, 1);
    OvSetState(OV_STATE_POINT_SPRITE, 0);
    OvSetState(OV_STATE_POINT_SPRITE_COORDS, 0);
    OvSetState(OV_STATE_POINT_SMOOTH, 0);
    OvSetState(OV_STATE_DRAW_COLOUR, 1, 1, 1, 1);
    if (textured)
        OvTextureUnactivate(OV_TEXTURE_2D);
}

} // namespace OvCore
