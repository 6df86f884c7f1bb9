// Sprite skeletons: paths and their three lookup modes, joints, placements with and without
// flip, sorted drawing, hidden subtrees, depth shifts, bounds, centre and radius. Placements
// are checked on a real window's pixels.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "graphics/ov_bone.h"

#include <cmath>
#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

using BoneTest = DrawingTest;

const OV_VECTOR NO_SHIFT;

// A w x h sprite of one colour with its hotspot at (originX, originY).
void Paint(OV_BONE& bone, int32_t w, int32_t h, Rgba colour, int32_t originX, int32_t originY)
{
    const std::vector<uint8_t> file = EncodeOvt(Image(w, h, colour));
    const void* images[] = {file.data()};
    const size_t sizes[] = {file.size()};
    ASSERT_TRUE(bone.sprite.LoadFromMemory(images, 1, 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST,
                                           originX, originY, -1, -1, 0, 0, sizes));
}

TEST_F(BoneTest, PathsCreateFindAndRemoveBones)
{
    OV_BONE skeleton;
    EXPECT_EQ(skeleton.Child("", OV_ACCESS_FIND), &skeleton);

    OV_BONE* hand = skeleton.Bone("arm/hand");
    ASSERT_NE(hand, nullptr);
    OV_BONE* arm = skeleton.Child("arm", OV_ACCESS_FIND);
    ASSERT_NE(arm, nullptr);
    EXPECT_EQ(arm->Child("hand", OV_ACCESS_FIND), hand);
    EXPECT_EQ(skeleton.Child("arm/hand", OV_ACCESS_FIND), hand);
    EXPECT_EQ(skeleton.children.Count(), 1u);

    // Only the last segment takes the mode: the way there is created.
    EXPECT_EQ(skeleton.Child("leg/foot", OV_ACCESS_FIND), nullptr);
    EXPECT_NE(skeleton.Child("leg", OV_ACCESS_FIND), nullptr);

    EXPECT_EQ(skeleton.Child("arm/hand", OV_ACCESS_REMOVE), nullptr);
    EXPECT_EQ(skeleton.Child("arm/hand", OV_ACCESS_FIND), nullptr);

    const std::string tooLong(124, 'n');
    EXPECT_EQ(skeleton.Bone(tooLong.c_str()), nullptr);
    EXPECT_NE(skeleton.Bone(std::string(123, 'n').c_str()), nullptr);
    EXPECT_EQ(skeleton.children.Count(), 3u);
    EXPECT_EQ(skeleton.Child(nullptr, OV_ACCESS_FIND), nullptr);
}

TEST_F(BoneTest, JointsAccumulateAnglesAndLengthsDownThePath)
{
    OV_BONE root;
    root.length = 10;
    OV_BONE* elbow = root.Bone("upper");
    elbow->angle = 90;
    elbow->length = 10;
    root.Bone("upper/lower")->angle = 45;

    const OV_VECTOR P(20, 30);
    EXPECT_EQ(root.JointPosition("", P, 0), P);
    const OV_VECTOR upper = root.JointPosition("upper", P, 0);
    EXPECT_DOUBLE_EQ(upper.x, 30);
    EXPECT_NEAR(upper.y, 30, 1e-9);
    const OV_VECTOR lower = root.JointPosition("upper/lower", P, 0);
    EXPECT_NEAR(lower.x, 30, 1e-9);
    EXPECT_NEAR(lower.y, 40, 1e-9); // angle 90 turns +X towards +Y
    EXPECT_DOUBLE_EQ(root.JointAngle("", 15), 15);
    EXPECT_DOUBLE_EQ(root.JointAngle("upper/lower", 15), 105);
    // A missing bone on the way is created.
    root.JointPosition("upper/lower/finger/tip", P, 0);
    EXPECT_NE(root.Child("upper/lower/finger", OV_ACCESS_FIND), nullptr);
}

TEST_F(BoneTest, AFlippedBoneDrawsFromItsEndTurnedHalfRound)
{
    // 8 x 2 pixels with the hotspot at its left middle: unflipped at P it covers 20..27;
    // flipped at the end (30, 30) and turned by 180 degrees it covers 22..29.
    OV_BONE bone;
    bone.length = 10;
    Paint(bone, 8, 2, RED, 0, 1);
    bone.Draw(OV_VECTOR(20, 30), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(20, 30), RED);
    EXPECT_EQ(PixelAt(29, 30), BLACK);

    bone.flip = 1;
    bone.Draw(OV_VECTOR(20, 60), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(20, 60), BLACK);
    EXPECT_EQ(PixelAt(29, 60), RED);
}

TEST_F(BoneTest, SortedDrawingPutsGreaterDepthsBehindWhateverTheTreeOrder)
{
    // Two centred squares on the same joint: the child (depth 5) comes second in the tree.
    OV_BONE root;
    root.depth = 1;
    Paint(root, 6, 6, RED, 3, 3);
    OV_BONE* child = root.Bone("child");
    child->depth = 5;
    Paint(*child, 6, 6, GREEN, 3, 3);

    root.Draw(OV_VECTOR(20, 20), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(20, 20), GREEN); // tree order: the child last
    root.DrawSorted(OV_VECTOR(60, 20), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(60, 20), RED); // depth 5 first, depth 1 over it

    // Equal depths keep the tree order.
    child->depth = 1;
    root.DrawSorted(OV_VECTOR(100, 20), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(100, 20), GREEN);
}

TEST_F(BoneTest, AnInvisibleBoneHidesItsWholeSubtree)
{
    OV_BONE root;
    OV_BONE* arm = root.Bone("arm");
    Paint(*arm, 4, 4, RED, 2, 2);
    Paint(*root.Bone("arm/hand"), 4, 4, GREEN, 2, 2);
    root.Bone("arm/hand")->visible = 1;
    arm->visible = 0;
    root.Draw(OV_VECTOR(20, 20), 0, NO_SHIFT);
    root.DrawSorted(OV_VECTOR(60, 20), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(20, 20), BLACK);
    EXPECT_EQ(PixelAt(60, 20), BLACK);

    arm->visible = 1;
    root.Draw(OV_VECTOR(20, 20), 0, NO_SHIFT);
    EXPECT_EQ(PixelAt(20, 20), GREEN);
}

TEST_F(BoneTest, TheDepthShiftMovesEachSpriteByItsDepth)
{
    OV_BONE bone;
    bone.depth = 3;
    Paint(bone, 2, 2, BLUE, 1, 1);
    bone.Draw(OV_VECTOR(20, 20), 0, OV_VECTOR(10, 5, 0, 1));
    EXPECT_EQ(PixelAt(50, 35), BLUE);
    EXPECT_EQ(PixelAt(20, 20), BLACK);
}

TEST_F(BoneTest, BoundsCentreAndRadiusCoverEveryJointAndEnd)
{
    OV_BONE root;
    root.length = 10;
    root.radius = 1;
    OV_BONE* up = root.Bone("up");
    up->angle = 90;
    up->length = 10;
    up->radius = 1;

    OV_VECTOR min, max;
    root.Bounds(min, max, OV_VECTOR(0, 0), 0);
    EXPECT_NEAR(min.x, -1, 1e-9);
    EXPECT_NEAR(min.y, -1, 1e-9);
    EXPECT_NEAR(max.x, 11, 1e-9);
    EXPECT_NEAR(max.y, 11, 1e-9);

    const OV_VECTOR centre = root.Center(OV_VECTOR(0, 0), 0);
    EXPECT_NEAR(centre.x, 5, 1e-9);
    EXPECT_NEAR(centre.y, 5, 1e-9);
    // Every joint and end lies sqrt(50) from the centre.
    EXPECT_NEAR(root.Radius(0, OV_VECTOR(0, 0), 0), std::sqrt(50.0) + 1, 1e-9);
    EXPECT_NEAR(root.Radius(20, OV_VECTOR(0, 0), 0), 20, 1e-9);
    // The centre is the whole tree's, not a child's own.
    up->radius = 0;
    root.radius = 0;
    EXPECT_NEAR(root.Radius(0, OV_VECTOR(0, 0), 0), std::sqrt(50.0), 1e-9);
}

TEST_F(BoneTest, ColoursReachEveryDescendantAndClearEmptiesTheBone)
{
    OV_BONE root;
    Paint(root, 2, 2, WHITE, 0, 0);
    Paint(*root.Bone("a/b"), 2, 2, WHITE, 0, 0);
    root.SetColor(0.5f, 0.25f, 1, 1);
    EXPECT_FLOAT_EQ(root.Bone("a/b")->sprite.GetColor().y, 0.25f);
    EXPECT_FLOAT_EQ(root.Bone("a")->sprite.GetColor().x, 0.5f);

    root.Clear();
    EXPECT_TRUE(root.children.IsEmpty());
    EXPECT_EQ(root.sprite.FrameCount(), 0);
}

} // namespace
