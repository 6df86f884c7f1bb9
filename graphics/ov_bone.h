// OV_BONE, a sprite skeleton: a tree of bones, each carrying a sprite, an angle relative to
// its parent's absolute angle and a length. A bone's joint is its parent's end point; posing
// means changing angles. Bones are addressed by paths of child names separated by "/"
// ("arm/hand"). The tree draws in tree order or sorted by depth and reports its bounds,
// centre and bounding radius for a given joint position P and parent angle A (degrees).
#pragma once

#include "core/ov_registry.h"
#include "core/ov_vector.h"
#include "graphics/ov_sprite.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// One bone of a sprite skeleton: a sprite on a joint, its length, angle and children.
class OV_BONE
{
  public:
    // Children by name (at most 123 characters, tag 0), in insertion order.
    OV_REGISTRY<OV_BONE> children;
    OV_SPRITE sprite;            // drawn at the joint; owned by the bone
    float angle = 0;             // degrees relative to the parent's absolute angle
    float length = 0;            // from the joint to the end
    OV_VECTOR scale{1, 1, 0, 1}; // the sprite's scale (x, y) when drawn
    float radius = 0;            // the bone's extent for Bounds and Radius
    uint8_t flip = 0;            // draw the sprite from the end, turned by 180 degrees
    float depth = 0;             // sort key of DrawSorted and multiplier of the depth shift
    uint8_t visible = 1;         // 0 hides the bone and every bone under it

    // The bone at `path`: every segment but the last is found or created, the last uses
    // `mode` (OV_ACCESS_FIND, OV_ACCESS_FIND_OR_CREATE, OV_ACCESS_REMOVE). The empty path is
    // this bone. Null when a bone is missing, a name is too long, or after a removal.
    OV_BONE* Child(const char* path, int mode);
    // The bone at `path`, made with every missing bone on the way; null for a too long name.
    OV_BONE* Bone(const char* path) { return Child(path, OV_ACCESS_FIND_OR_CREATE); }

    // Where the bone at `path` is attached (its parent's end point) and its parent's
    // absolute angle; missing bones on the way are created. The empty path gives P and A.
    OV_VECTOR JointPosition(const char* path, const OV_VECTOR& P, double A);
    double JointAngle(const char* path, double A);

    // Each visible bone's sprite at its joint (at its end when flipped), turned by its
    // absolute angle, shifted by depthShift * depth unless depthShift is (0, 0, 0, 1). An
    // invisible bone hides its subtree.
    void Draw(const OV_VECTOR& P, double A, const OV_VECTOR& depthShift) const;
    // The same placements, drawn greatest depth first (equal depths in tree order).
    void DrawSorted(const OV_VECTOR& P, double A, const OV_VECTOR& depthShift) const;

    // Widens [min, max] (x and y) by every bone's joint and end, each grown by its radius;
    // when min equals max on entry both start at P.
    void Bounds(OV_VECTOR& min, OV_VECTOR& max, const OV_VECTOR& P, double A) const;
    // The middle of the bounds.
    OV_VECTOR Center(const OV_VECTOR& P, double A) const;
    // The largest of `incoming` and every bone's |joint - C| + radius and |end - C| + radius,
    // C being this tree's Center(P, A).
    double Radius(double incoming, const OV_VECTOR& P, double A) const;

    // This bone's sprite colour and all its descendants'.
    void SetColor(float r, float g, float b, float a);
    // A new empty sprite and no children.
    void Clear();

  private:
    struct Placement
    {
        const OV_SPRITE* sprite;
        OV_VECTOR position;
        OV_VECTOR rotation;
        OV_VECTOR scale;
        float depth;
    };

    OV_VECTOR EndPoint(const OV_VECTOR& P, double A) const;
    void Collect(std::vector<Placement>& list, const OV_VECTOR& P, double A,
                 const OV_VECTOR& depthShift) const;
    double RadiusAbout(const OV_VECTOR& C, double result, const OV_VECTOR& P, double A) const;
};

} // namespace OvCore
