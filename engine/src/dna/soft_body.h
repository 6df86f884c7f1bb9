// The soft-body world: substances (point masses), covalence forces (springs), surfaces
// (textured triangles) and the DNAs whose slots link them, each kind in its own handle table,
// and the fixed-step simulation that moves them.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "base/handle_table.h"
#include "orvane_core.h"

namespace ov::dna
{

using Vec4 = std::array<double, 4>;

struct Substance
{
    Vec4 position{0, 0, 0, 1};
    Vec4 previous{0, 0, 0, 1};
    double mass = 1;
    double range = 0;
    int32_t solid = 0;
    bool Movable() const { return solid == 0 && mass > 0; }
};

struct Force
{
    std::array<OvHandle, 2> ends{emptyHandle(), emptyHandle()};
    double resilience = 1;
    double length = 0;
};

struct Surface
{
    std::array<OvHandle, 3> corners{emptyHandle(), emptyHandle(), emptyHandle()};
    std::array<Vec4, 3> coords{Vec4{0, 0, 0, 1}, Vec4{0, 0, 0, 1}, Vec4{0, 0, 0, 1}};
    OvHandle texture = emptyHandle();
};

struct Dna
{
    std::array<std::vector<OvHandle>, 3> slots; // substances, forces, surfaces
    std::array<OvHandle, 2> pair{emptyHandle(), emptyHandle()};
    Vec4 gravity{0, 490, 0, 0};
    double damping = 0.5;
    double pending = 0; // seconds not yet stepped
    bool clockStarted = false;
    std::chrono::steady_clock::time_point lastAdvance;
};

struct World
{
    HandleTable<Substance> substances;
    HandleTable<Force> forces;
    HandleTable<Surface> surfaces;
    HandleTable<Dna> dnas;
};

World& world();

// Slot arrays by kind (34-36); null for other kinds.
std::vector<OvHandle>* slotsOf(Dna& dna, int32_t kind);
// Destroys the item in a slot of `kind` (from the table of that kind).
void destroyItem(int32_t kind, const OvHandle& item);
// Fixed steps for `seconds` (plus what earlier calls left over).
void advance(Dna& dna, double seconds);
// The surfaces as textured triangles under the current transform.
void drawSurfaces(const Dna& dna);
// Every soft-body object destroyed (OvClosure).
void destroyAll();

} // namespace ov::dna
