// Soft bodies: DNAs, substances, covalence forces and surfaces (engine/src/dna).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "api/guard.h"
#include "dna/soft_body.h"
#include "orvane_core.h"

using namespace ov;
using namespace ov::dna;

namespace
{

template <class T> uint8_t create(HandleTable<T>& table, OvHandle* out)
{
    if (!out)
        return 0;
    *out = emptyHandle();
    auto object = std::make_unique<T>();
    *out = table.add(object);
    return handleIsEmpty(*out) ? 0 : 1;
}

bool finite4(const double* v)
{
    return v && std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]) &&
           std::isfinite(v[3]);
}

// Slots beyond `count` are destroyed with their items; new ones are empty.
void resizeSlots(std::vector<OvHandle>& slots, int32_t kind, int32_t count)
{
    for (size_t i = size_t(count); i < slots.size(); ++i)
        destroyItem(kind, slots[i]);
    slots.resize(size_t(count), emptyHandle());
}

void dieDna(Dna& dna, bool destroyItems)
{
    for (int32_t kind = OV_DNA_SUBSTANCES; kind <= OV_DNA_SURFACES; ++kind)
    {
        std::vector<OvHandle>& slots = *slotsOf(dna, kind);
        if (destroyItems)
            for (const OvHandle& item : slots)
                destroyItem(kind, item);
        slots.clear();
    }
    dna.pair = {emptyHandle(), emptyHandle()};
}

double secondsSinceLastAdvance(Dna& dna)
{
    const auto now = std::chrono::steady_clock::now();
    const double elapsed =
        dna.clockStarted ? std::chrono::duration<double>(now - dna.lastAdvance).count() : 0.0;
    dna.clockStarted = true;
    dna.lastAdvance = now;
    return std::clamp(elapsed, 0.0, double(OV_DNA_MAX_ADVANCE));
}

template <class F> void withSubstance(OvHandle h, F&& body)
{
    guard(
        [&]
        {
            if (Substance* s = world().substances.find(h))
                body(*s);
        });
}

template <class F> void withForce(OvHandle h, F&& body)
{
    guard(
        [&]
        {
            if (Force* f = world().forces.find(h))
                body(*f);
        });
}

template <class F> void withSurface(OvHandle h, F&& body)
{
    guard(
        [&]
        {
            if (Surface* s = world().surfaces.find(h))
                body(*s);
        });
}

template <class F> void withDna(OvHandle h, F&& body)
{
    guard(
        [&]
        {
            if (Dna* d = world().dnas.find(h))
                body(*d);
        });
}

} // namespace

extern "C"
{

    OV_API uint8_t OvDnaCreate(OvHandle* dna)
    {
        return guard(uint8_t(0), [&] { return create(world().dnas, dna); });
    }

    OV_API void OvDnaDestroy(OvHandle dna)
    {
        guard(
            [&]
            {
                if (std::unique_ptr<Dna> taken = world().dnas.remove(dna))
                    dieDna(*taken, true);
            });
    }

    OV_API uint8_t OvDnaBirth(OvHandle dna, int32_t substances, int32_t forces, int32_t surfaces)
    {
        return guard(
            uint8_t(0),
            [&]() -> uint8_t
            {
                Dna* d = world().dnas.find(dna);
                const int32_t counts[3] = {substances, forces, surfaces};
                const int32_t kinds[3] = {OV_DNA_SUBSTANCES, OV_DNA_FORCES, OV_DNA_SURFACES};
                if (!d)
                    return 0;
                for (const int32_t count : counts)
                    if (count < 0 || count > OV_DNA_MAX_ITEMS)
                        return 0;
                for (int i = 0; i < 3; ++i)
                    if (counts[i] > 0)
                        resizeSlots(*slotsOf(*d, kinds[i]), kinds[i], counts[i]);
                return 1;
            });
    }

    OV_API void OvDnaDie(OvHandle dna, int32_t destroyItems)
    {
        withDna(dna, [&](Dna& d) { dieDna(d, destroyItems != 0); });
    }

    OV_API uint8_t OvDnaLink(OvHandle dna, int32_t kind, int32_t index, OvHandle item)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Dna* d = world().dnas.find(dna);
                         if (!d || index < 0)
                             return 0;
                         if (kind == OV_DNA_PAIR)
                         {
                             if (index > 1)
                                 return 0;
                             d->pair[size_t(index)] = item;
                             return 1;
                         }
                         std::vector<OvHandle>* slots = slotsOf(*d, kind);
                         if (!slots || size_t(index) >= slots->size())
                             return 0;
                         (*slots)[size_t(index)] = item;
                         return 1;
                     });
    }

    OV_API OvHandle* OvDnaGet(OvHandle dna, int32_t kind, int32_t index)
    {
        return guard(static_cast<OvHandle*>(nullptr),
                     [&]() -> OvHandle*
                     {
                         Dna* d = world().dnas.find(dna);
                         if (!d || index < 0)
                             return nullptr;
                         if (kind == OV_DNA_PAIR)
                             return index <= 1 ? &d->pair[size_t(index)] : nullptr;
                         std::vector<OvHandle>* slots = slotsOf(*d, kind);
                         if (!slots || size_t(index) >= slots->size())
                             return nullptr;
                         return slots->data() + index;
                     });
    }

    OV_API int32_t OvDnaCount(OvHandle dna, int32_t kind)
    {
        return guard(int32_t(0),
                     [&]() -> int32_t
                     {
                         Dna* d = world().dnas.find(dna);
                         if (!d)
                             return 0;
                         if (kind == OV_DNA_PAIR)
                             return 2;
                         std::vector<OvHandle>* slots = slotsOf(*d, kind);
                         return slots ? int32_t(slots->size()) : 0;
                     });
    }

    OV_API void OvDnaDraw(OvHandle dna)
    {
        withDna(dna,
                [](Dna& d)
                {
                    advance(d, secondsSinceLastAdvance(d));
                    drawSurfaces(d);
                });
    }

    OV_API void OvDnaAdvance(OvHandle dna, double seconds)
    {
        withDna(dna,
                [&](Dna& d)
                {
                    secondsSinceLastAdvance(d);
                    advance(d, seconds);
                });
    }

    OV_API void OvDnaSetGravity(OvHandle dna, double x, double y, double z)
    {
        withDna(dna,
                [&](Dna& d)
                {
                    if (std::isfinite(x) && std::isfinite(y) && std::isfinite(z))
                        d.gravity = {x, y, z, 0};
                });
    }

    OV_API void OvDnaSetDamping(OvHandle dna, double perSecond)
    {
        withDna(dna,
                [&](Dna& d)
                {
                    if (std::isfinite(perSecond))
                        d.damping = std::clamp(perSecond, 0.0, 0.99);
                });
    }

    OV_API uint8_t OvSubstanceCreate(OvHandle* substance)
    {
        return guard(uint8_t(0), [&] { return create(world().substances, substance); });
    }

    OV_API void OvSubstanceDestroy(OvHandle substance)
    {
        guard([&] { world().substances.remove(substance); });
    }

    OV_API void OvSubstanceSetPosition(OvHandle substance, const double* position, int32_t flags)
    {
        withSubstance(substance,
                      [&](Substance& s)
                      {
                          if (!finite4(position))
                              return;
                          std::copy(position, position + 4, s.position.begin());
                          if (!(flags & 1))
                              s.previous = s.position;
                      });
    }

    OV_API void OvSubstanceSetMass(OvHandle substance, double mass)
    {
        withSubstance(substance,
                      [&](Substance& s)
                      {
                          if (std::isfinite(mass))
                              s.mass = mass;
                      });
    }

    OV_API void OvSubstanceSetRange(OvHandle substance, double range)
    {
        withSubstance(substance,
                      [&](Substance& s)
                      {
                          if (std::isfinite(range))
                              s.range = std::max(range, 0.0);
                      });
    }

    OV_API void OvSubstanceSetSolid(OvHandle substance, int32_t solid)
    {
        withSubstance(substance, [&](Substance& s) { s.solid = solid != 0 ? 1 : 0; });
    }

    OV_API void* OvSubstanceGet(OvHandle substance, int32_t property)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         Substance* s = world().substances.find(substance);
                         if (!s)
                             return nullptr;
                         switch (property)
                         {
                         case OV_SUBSTANCE_POSITION:
                             return s->position.data();
                         case OV_SUBSTANCE_MASS:
                             return &s->mass;
                         case OV_SUBSTANCE_RANGE:
                             return &s->range;
                         case OV_SUBSTANCE_SOLID:
                             return &s->solid;
                         case OV_SUBSTANCE_PREVIOUS:
                             return s->previous.data();
                         default:
                             return nullptr;
                         }
                     });
    }

    OV_API uint8_t OvCovalenceForceCreate(OvHandle* force)
    {
        return guard(uint8_t(0), [&] { return create(world().forces, force); });
    }

    OV_API void OvCovalenceForceDestroy(OvHandle force)
    {
        guard([&] { world().forces.remove(force); });
    }

    OV_API void OvCovalenceForceSetSubstance(OvHandle force, int32_t end, OvHandle substance)
    {
        withForce(force,
                  [&](Force& f)
                  {
                      if (end == OV_FORCE_FIRST || end == OV_FORCE_SECOND)
                          f.ends[size_t(end - OV_FORCE_FIRST)] = substance;
                  });
    }

    OV_API void OvCovalenceForceSetResilience(OvHandle force, double resilience)
    {
        withForce(force,
                  [&](Force& f)
                  {
                      if (std::isfinite(resilience))
                          f.resilience = std::clamp(resilience, 0.0, 1.0);
                  });
    }

    OV_API void OvCovalenceForceSetForce(OvHandle force, double length)
    {
        withForce(force,
                  [&](Force& f)
                  {
                      if (std::isfinite(length))
                          f.length = std::max(length, 0.0);
                  });
    }

    OV_API void* OvCovalenceForceGet(OvHandle force, int32_t property)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         Force* f = world().forces.find(force);
                         if (!f)
                             return nullptr;
                         switch (property)
                         {
                         case OV_FORCE_FIRST:
                         case OV_FORCE_SECOND:
                             return &f->ends[size_t(property - OV_FORCE_FIRST)];
                         case OV_FORCE_RESILIENCE:
                             return &f->resilience;
                         case OV_FORCE_LENGTH:
                             return &f->length;
                         default:
                             return nullptr;
                         }
                     });
    }

    OV_API uint8_t OvSurfaceCreate(OvHandle* surface)
    {
        return guard(uint8_t(0), [&] { return create(world().surfaces, surface); });
    }

    OV_API void OvSurfaceDestroy(OvHandle surface)
    {
        guard([&] { world().surfaces.remove(surface); });
    }

    OV_API void OvSurfaceSetSubstance(OvHandle surface, int32_t corner, OvHandle substance)
    {
        withSurface(surface,
                    [&](Surface& s)
                    {
                        if (corner >= OV_SURFACE_CORNER && corner < OV_SURFACE_CORNER + 3)
                            s.corners[size_t(corner - OV_SURFACE_CORNER)] = substance;
                    });
    }

    OV_API void OvSurfaceSetCoord(OvHandle surface, int32_t which, const double* coord)
    {
        withSurface(
            surface,
            [&](Surface& s)
            {
                if (which >= OV_SURFACE_COORD && which < OV_SURFACE_COORD + 3 && finite4(coord))
                    std::copy(coord, coord + 4, s.coords[size_t(which - OV_SURFACE_COORD)].begin());
            });
    }

    OV_API void OvSurfaceSetTexture(OvHandle surface, OvHandle texture, int32_t target)
    {
        withSurface(surface,
                    [&](Surface& s)
                    {
                        if (target == OV_TEXTURE_2D)
                            s.texture = texture;
                    });
    }

    OV_API void* OvSurfaceGet(OvHandle surface, int32_t property)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         Surface* s = world().surfaces.find(surface);
                         if (!s)
                             return nullptr;
                         if (property >= OV_SURFACE_CORNER && property < OV_SURFACE_CORNER + 3)
                             return &s->corners[size_t(property - OV_SURFACE_CORNER)];
                         if (property >= OV_SURFACE_COORD && property < OV_SURFACE_COORD + 3)
                             return s->coords[size_t(property - OV_SURFACE_COORD)].data();
                         if (property == OV_SURFACE_TEXTURE)
                             return &s->texture;
                         return nullptr;
                     });
    }

} // extern "C"
