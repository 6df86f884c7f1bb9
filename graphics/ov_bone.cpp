#include "graphics/ov_bone.h"

#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

namespace OvCore
{

namespace
{

OV_VECTOR Plus(const OV_VECTOR& a, const OV_VECTOR& b)
{
    return OV_VECTOR(a.x + b.x, a.y + b.y, a.z + b.z, a.w);
}

double Distance2D(const OV_VECTOR& a, const OV_VECTOR& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The bone's absolute angle, its joint and its end, as one step of a walk down the tree.
struct Joint
{
    OV_VECTOR position;
    double angle;
};

// The next "/"-separated segment of `path` from `at`; false at the end of the path.
bool NextSegment(const char*& at, std::string& segment)
{
    if (!*at)
        return false;
    const char* slash = std::strchr(at, '/');
    const size_t length = slash ? size_t(slash - at) : std::strlen(at);
    segment.assign(at, length);
    at += slash ? length + 1 : length;
    return true;
}

} // namespace

OV_VECTOR OV_BONE::EndPoint(const OV_VECTOR& P, double A) const
{
    return Plus(P, Lengthdir({angle + A, 0, 0}, length));
}

OV_BONE* OV_BONE::Child(const char* path, int mode)
{
    if (!path)
        return nullptr;
    OV_BONE* bone = this;
    std::string segment;
    const char* at = path;
    while (bone && NextSegment(at, segment))
    {
        const int segmentMode = *at ? OV_ACCESS_FIND_OR_CREATE : mode;
        bone = bone->children.Access(segmentMode, segment.c_str()).Get();
    }
    return bone;
}

OV_VECTOR OV_BONE::JointPosition(const char* path, const OV_VECTOR& P, double A)
{
    OV_BONE* bone = this;
    Joint joint{P, A};
    std::string segment;
    const char* at = path ? path : "";
    while (bone && NextSegment(at, segment))
    {
        joint.angle += bone->angle;
        joint.position = Plus(joint.position, Lengthdir({joint.angle, 0, 0}, bone->length));
        bone = bone->children.Get(segment.c_str()).Get();
    }
    return joint.position;
}

double OV_BONE::JointAngle(const char* path, double A)
{
    OV_BONE* bone = this;
    std::string segment;
    const char* at = path ? path : "";
    while (bone && NextSegment(at, segment))
    {
        A += bone->angle;
        bone = bone->children.Get(segment.c_str()).Get();
    }
    return A;
}

void OV_BONE::Collect(std::vector<Placement>& list, const OV_VECTOR& P, double A,
                      const OV_VECTOR& depthShift) const
{
    if (!visible)
        return;
    const double a = angle + A;
    const OV_VECTOR E = EndPoint(P, A);
    OV_VECTOR position = flip ? E : P;
    if (!(depthShift == OV_VECTOR()))
    {
        position.x += depthShift.x * depth;
        position.y += depthShift.y * depth;
        position.z += depthShift.z * depth;
    }
    list.push_back({&sprite, position, OV_VECTOR(flip ? a + 180 : a, 0, 0, 0), scale, depth});
    for (auto child : children)
        child->Collect(list, E, a, depthShift);
}

void OV_BONE::Draw(const OV_VECTOR& P, double A, const OV_VECTOR& depthShift) const
{
    std::vector<Placement> list;
    Collect(list, P, A, depthShift);
    for (const Placement& placed : list)
        placed.sprite->Draw(placed.position, placed.rotation, placed.scale);
}

void OV_BONE::DrawSorted(const OV_VECTOR& P, double A, const OV_VECTOR& depthShift) const
{
    std::vector<Placement> list;
    Collect(list, P, A, depthShift);
    // Forward and backward passes of neighbour swaps until one makes none: larger depths
    // first, equal depths keep their tree order.
    bool swapped = true;
    while (swapped)
    {
        swapped = false;
        for (size_t i = 1; i < list.size(); ++i)
            if (list[i - 1].depth < list[i].depth)
            {
                std::swap(list[i - 1], list[i]);
                swapped = true;
            }
        for (size_t i = list.size(); i-- > 1;)
            if (list[i - 1].depth < list[i].depth)
            {
                std::swap(list[i - 1], list[i]);
                swapped = true;
            }
    }
    for (const Placement& placed : list)
        placed.sprite->Draw(placed.position, placed.rotation, placed.scale);
}

void OV_BONE::Bounds(OV_VECTOR& min, OV_VECTOR& max, const OV_VECTOR& P, double A) const
{
    if (min == max)
        min = max = P;
    const OV_VECTOR E = EndPoint(P, A);
    min.x = std::min({min.x, P.x - radius, E.x - radius});
    min.y = std::min({min.y, P.y - radius, E.y - radius});
    max.x = std::max({max.x, P.x + radius, E.x + radius});
    max.y = std::max({max.y, P.y + radius, E.y + radius});
    for (auto child : children)
        child->Bounds(min, max, E, angle + A);
}

OV_VECTOR OV_BONE::Center(const OV_VECTOR& P, double A) const
{
    OV_VECTOR min, max;
    Bounds(min, max, P, A);
    return OV_VECTOR((min.x + max.x) * 0.5, (min.y + max.y) * 0.5, (min.z + max.z) * 0.5,
                     (min.w + max.w) * 0.5);
}

double OV_BONE::Radius(double incoming, const OV_VECTOR& P, double A) const
{
    // One centre for the whole tree: a child working out its own would measure its subtree.
    return RadiusAbout(Center(P, A), incoming, P, A);
}

double OV_BONE::RadiusAbout(const OV_VECTOR& C, double result, const OV_VECTOR& P, double A) const
{
    const OV_VECTOR E = EndPoint(P, A);
    result = std::max({result, Distance2D(P, C) + radius, Distance2D(E, C) + radius});
    for (auto child : children)
        result = child->RadiusAbout(C, result, E, angle + A);
    return result;
}

void OV_BONE::SetColor(float r, float g, float b, float a)
{
    sprite.SetColor(r, g, b, a);
    for (auto child : children)
        child->SetColor(r, g, b, a);
}

void OV_BONE::Clear()
{
    sprite = OV_SPRITE();
    children.Clear();
}

} // namespace OvCore
