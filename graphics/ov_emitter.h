// OV_EMITTER, a particle emitter: a fixed pool of point particles, emitted at a steady
// interval (optionally spread along the path the emitter moved since its last emission),
// moved by a velocity and a constant acceleration, faded out over their life, and drawn as
// one point list through the engine (point size, point sprites with a texture, smoothing).
// The scene keeps a registry of emitters (Application().emitters), updates them with the
// frame's time step and draws them inside each view. Random ranges use Random(x), so they
// come in thousandths.
#pragma once

#include "core/ov_vector.h"
#include "graphics/ov_vertex.h"
#include "orvane_core.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace OvCore
{

// One particle of a pool. `position` and `color` point into the pool's arrays.
struct OV_PARTICLE
{
    OV_VECTOR_F* position = nullptr; // the particle's slot in the pool's positions
    OV_VECTOR_F* color = nullptr;    // its slot in the pool's colours (red, green, blue, alpha)
    int32_t index = 0;               // the slot number, fixed by Resize
    float age = 0;                   // seconds since emission
    float life = 0;                  // seconds to live; a live particle of 0 neither moves nor dies
    OV_VECTOR_F velocity{0, 0, 0, 0};     // units per second, added to the position each step
    OV_VECTOR_F acceleration{0, 0, 0, 0}; // units per second squared, added to the velocity
    float alpha0 = 1;                     // the alpha the particle fades from
};

// Called with a particle: for each new one (onParticle) or for each step (Update).
typedef void (*OV_PARTICLE_CALLBACK)(OV_PARTICLE& particle);

// A fixed pool of point particles, their emission, their motion and their drawing.
class OV_EMITTER
{
  public:
    OV_EMITTER();

    // Where particles are emitted (the end of the path when `spacing` is set).
    OV_VECTOR_F position;
    OV_VECTOR_F previousPosition; // the position at the last emission
    float spacing = 0;            // above 0: a particle every `spacing` units of the path
    // Lowest direction angles of a new particle (a rotation triple, degrees); and the highest.
    OV_VECTOR angleMin{0, 0, 0, 0}, angleMax{0, 0, 0, 0}; // the highest angles, degrees
    // Lowest speed of a new particle in units per second; and the highest.
    float speedMin = 0, speedMax = 0; // the highest speed
    // Lowest offset of a new particle from the emission point; and the highest.
    OV_VECTOR_F offsetMin, offsetMax; // the highest offset
    // Shortest life of a new particle in seconds; and the longest.
    float lifeMin = 0, lifeMax = 0; // the longest life, seconds
    // Lowest constant acceleration of a new particle (units per second squared); and the highest.
    OV_VECTOR_F accelMin, accelMax; // the highest acceleration
    // One end of the colour range of new particles (red, green, blue, alpha, 0..1); and the other.
    OV_VECTOR_F colorMin{1, 1, 1, 1}, colorMax{1, 1, 1, 1}; // the other end of the colour range
    uint8_t independentChannels = 0; // each colour channel draws its own random value
    float alphaScale = 1;            // the alpha a new particle fades from over its life
    int32_t blendSource = OV_BLEND_SOURCE_ALPHA;         // blend source factor while the pool draws
    int32_t blendDest = OV_BLEND_ONE_MINUS_SOURCE_ALPHA; // blend destination factor
    int32_t blendEquation = OV_EQUATION_ADD;             // blend equation while drawing
    uint8_t smooth = 0;                                  // round points (state 226) while drawing
    uint8_t inclusive = 1;        // a spaced walk also emits at the end of the path
    double pointSize = 1;         // pixels; above 1 sets the engine's point size while drawing
    OvHandle texture{1, nullptr}; // point sprites when set
    uint8_t paused = 0;           // no emission while set; live particles still move
    float timer = 0;              // seconds to the next emission, counted down by Update
    float interval = 0;           // seconds between emissions; 0 emits nothing
    int32_t perEmission = 0;      // particles (or walks along the path) per emission
    OV_PARTICLE_CALLBACK onParticle = nullptr; // each new particle

    uint8_t active = 1; // while clear, Update and Draw do nothing
    // Set at construction from OvVertexBufferInit(), cleared by Resize: the pool is drawn
    // only while it is clear.
    uint8_t buffered = 0;

    // A pool of `capacity` free slots (emptying the one there was). Refused (false) for a
    // negative capacity and while Update runs (a callback may not pull the pool away).
    bool Resize(int32_t capacity);
    // A new particle at `at` from the ranges above, then onParticle. Nothing when no slot is
    // free: the pool never grows by itself. False then.
    bool Emit(const OV_VECTOR_F& at);
    // A new particle with the given record values, position and colour, then onParticle.
    bool Spawn(const OV_PARTICLE& fields, const OV_VECTOR_F& at, const OV_VECTOR_F& colour);
    // One frame of Loop().delta seconds: emission, then every live particle's step (the
    // default one when `callback` is null or `alsoDefault` is set, then `callback`), and
    // the deaths of those that outlived their life.
    void Update(OV_PARTICLE_CALLBACK callback, bool alsoDefault);
    // The same with an explicit time step.
    void Step(float dt, OV_PARTICLE_CALLBACK callback, bool alsoDefault);
    // The whole pool as one point list, in the engine's default state afterwards.
    void Draw() const;

    // The number of slots, free or live.
    int32_t Capacity() const { return static_cast<int32_t>(particles_.size()); }
    // The number of live particles.
    int32_t ActiveCount() const { return static_cast<int32_t>(active_.size()); }
    // The particle records (index order) and the live ones' indices (emission order).
    const std::vector<OV_PARTICLE>& Particles() const { return particles_; }
    // The live particles' slot numbers, in emission order.
    const std::vector<int32_t>& ActiveIndices() const { return active_; }
    // Empties the pool (no slots). Ignored while Update runs.
    void Clear();

  private:
    OV_PARTICLE* TakeSlot();
    void Initialise(OV_PARTICLE& particle, const OV_VECTOR_F& at) const;
    void EmitAlongPath();
    void RunEmission(float dt);
    void StepParticles(float dt, OV_PARTICLE_CALLBACK callback, bool alsoDefault);
    void Kill(OV_PARTICLE& particle);

    std::vector<OV_PARTICLE> particles_;
    std::vector<OV_VECTOR_F> positions_;
    std::vector<OV_VECTOR_F> colors_;
    std::deque<int32_t> free_;
    std::vector<int32_t> active_;
    bool updating_ = false;
};

} // namespace OvCore
