#include "dna/soft_body.h"

#include <algorithm>
#include <cmath>

namespace ov::dna
{

namespace
{

constexpr double kStep = 1.0 / OV_DNA_STEPS_PER_SECOND;
constexpr double kTiny = 1e-12;
// Ranged substances push each other apart pair by pair; past this many in one DNA the rest
// keep no range, so that a hostile model cannot make every step quadratic in a huge count.
constexpr size_t kMaxRanged = 512;

struct Spring
{
    Substance* a;
    Substance* b;
    double resilience;
    double length;
};

// The linked substances and springs resolved once per advance: an item destroyed by its own
// handle meanwhile is simply no longer found.
struct Resolved
{
    std::vector<Substance*> substances;
    std::vector<Spring> springs;
    std::vector<Substance*> ranged;
};

Resolved resolve(const Dna& dna)
{
    World& w = world();
    Resolved r;
    for (const OvHandle& h : dna.slots[0])
        if (Substance* s = w.substances.find(h))
            r.substances.push_back(s);
    // A substance linked twice is integrated once.
    std::sort(r.substances.begin(), r.substances.end());
    r.substances.erase(std::unique(r.substances.begin(), r.substances.end()), r.substances.end());
    for (const OvHandle& h : dna.slots[1])
    {
        const Force* f = w.forces.find(h);
        if (!f)
            continue;
        Substance* a = w.substances.find(f->ends[0]);
        Substance* b = w.substances.find(f->ends[1]);
        if (a && b && a != b)
            r.springs.push_back({a, b, std::clamp(f->resilience, 0.0, 1.0), f->length});
    }
    for (Substance* s : r.substances)
        if (s->range > 0 && r.ranged.size() < kMaxRanged)
            r.ranged.push_back(s);
    return r;
}

double inverseMass(const Substance& s)
{
    return s.Movable() ? 1.0 / s.mass : 0.0;
}

// Moves a and b along their difference so that their distance approaches `target` by the
// share `stiffness`, each by its inverse mass. Coincident points have no direction: left.
void satisfy(Substance& a, Substance& b, double target, double stiffness)
{
    const double wa = inverseMass(a), wb = inverseMass(b);
    if (!(wa + wb > 0))
        return;
    double d[3];
    double length2 = 0;
    for (int i = 0; i < 3; ++i)
    {
        d[i] = b.position[i] - a.position[i];
        length2 += d[i] * d[i];
    }
    const double length = std::sqrt(length2);
    if (!(length > kTiny))
        return;
    const double share = (length - target) / length * stiffness / (wa + wb);
    for (int i = 0; i < 3; ++i)
    {
        a.position[i] += d[i] * share * wa;
        b.position[i] -= d[i] * share * wb;
    }
}

void integrate(const Dna& dna, const Resolved& r)
{
    const double keep = std::pow(1.0 - std::clamp(dna.damping, 0.0, 0.99), kStep);
    for (Substance* s : r.substances)
    {
        if (!s->Movable())
        {
            s->previous = s->position;
            continue;
        }
        for (int i = 0; i < 3; ++i)
        {
            const double velocity = (s->position[i] - s->previous[i]) * keep;
            s->previous[i] = s->position[i];
            s->position[i] += velocity + dna.gravity[i] * kStep * kStep;
        }
    }
}

// Ranged substances push each other apart to the sum of their ranges.
void separate(const Resolved& r)
{
    for (size_t i = 0; i < r.ranged.size(); ++i)
        for (size_t j = i + 1; j < r.ranged.size(); ++j)
        {
            Substance& a = *r.ranged[i];
            Substance& b = *r.ranged[j];
            const double reach = a.range + b.range;
            const double dx = b.position[0] - a.position[0], dy = b.position[1] - a.position[1],
                         dz = b.position[2] - a.position[2];
            if (dx * dx + dy * dy + dz * dz < reach * reach)
                satisfy(a, b, reach, 1.0);
        }
}

// A position that went non-finite (an overflow from absurd but finite inputs) goes back to
// its last finite place at rest, so no NaN ever leaves the engine.
void keepFinite(const Resolved& r)
{
    for (Substance* s : r.substances)
    {
        bool finite = true;
        for (int i = 0; i < 3; ++i)
            finite = finite && std::isfinite(s->position[i]) && std::isfinite(s->previous[i]);
        if (!finite)
        {
            for (int i = 0; i < 3; ++i)
                if (!std::isfinite(s->previous[i]))
                    s->previous[i] = 0;
            s->position = s->previous;
        }
    }
}

void step(const Dna& dna, const Resolved& r)
{
    integrate(dna, r);
    for (int pass = 0; pass < OV_DNA_ITERATIONS; ++pass)
        for (const Spring& spring : r.springs)
            satisfy(*spring.a, *spring.b, spring.length, spring.resilience);
    separate(r);
    keepFinite(r);
}

} // namespace

World& world()
{
    // Never destroyed: models held by static objects destroy their bodies at process exit,
    // after any static world would be gone.
    static World* instance = new World;
    return *instance;
}

std::vector<OvHandle>* slotsOf(Dna& dna, int32_t kind)
{
    if (kind < OV_DNA_SUBSTANCES || kind > OV_DNA_SURFACES)
        return nullptr;
    return &dna.slots[size_t(kind - OV_DNA_SUBSTANCES)];
}

void destroyItem(int32_t kind, const OvHandle& item)
{
    World& w = world();
    if (kind == OV_DNA_SUBSTANCES)
        w.substances.remove(item);
    else if (kind == OV_DNA_FORCES)
        w.forces.remove(item);
    else if (kind == OV_DNA_SURFACES)
        w.surfaces.remove(item);
}

void advance(Dna& dna, double seconds)
{
    if (!(seconds > 0))
        return;
    dna.pending += std::min(seconds, 60.0);
    // A millionth of a step of slack: frame times that add up to whole steps in exact
    // arithmetic give those steps despite rounding.
    const int64_t steps = int64_t((dna.pending + kStep * 1e-6) / kStep);
    if (steps <= 0)
        return;
    dna.pending = std::max(0.0, dna.pending - double(steps) * kStep);
    const Resolved r = resolve(dna);
    for (int64_t i = 0; i < steps; ++i)
        step(dna, r);
}

void drawSurfaces(const Dna& dna)
{
    World& w = world();
    for (const OvHandle& h : dna.slots[2])
    {
        const Surface* surface = w.surfaces.find(h);
        if (!surface)
            continue;
        double positions[3][4];
        double coords[3][4];
        bool whole = true;
        for (int c = 0; c < 3 && whole; ++c)
        {
            const Substance* s = w.substances.find(surface->corners[size_t(c)]);
            whole = s != nullptr;
            if (!whole)
                break;
            for (int i = 0; i < 4; ++i)
            {
                positions[c][i] = s->position[size_t(i)];
                coords[c][i] = surface->coords[size_t(c)][size_t(i)];
            }
        }
        if (!whole)
            continue;
        if (handleIsEmpty(surface->texture))
            OvTextureUnactivate(OV_TEXTURE_2D);
        else
            OvTextureActivate(surface->texture);
        OvDrawData(OV_PRIMITIVE_TRIANGLES, 0, 3, positions, nullptr, coords, nullptr, nullptr, 0,
                   OV_VALUE_DOUBLE, 0, 0, 0, 0, 4, 4, 4);
    }
    OvTextureUnactivate(OV_TEXTURE_2D);
}

void destroyAll()
{
    World& w = world();
    w.dnas.clear();
    w.surfaces.clear();
    w.forces.clear();
    w.substances.clear();
}

} // namespace ov::dna
