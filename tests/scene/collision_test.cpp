// Collision queries, depth order, actor names and the approach helpers.
#include "support/scene_fixture.h"

#include "app/ov_application.h"
#include "scene/ov_approach.h"

#include <cmath>
#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

// A 2D actor with a 10 x 10 box whose origin is its centre, named and placed as given.
class Box : public OV_ACTOR2D
{
  public:
    Box(const char* name, double x, double y)
    {
        Application().SetActorName(this, name);
        position = OV_VECTOR(x, y);
        sprite.boxWidth = 10;
        sprite.boxHeight = 10;
        sprite.boxOriginX = 5;
        sprite.boxOriginY = 5;
    }
};

class CollisionTest : public SceneTest
{
  protected:
    // Adds an actor and makes it live at once.
    template <class T> T* Live(T* actor)
    {
        Application().AddActor(actor->key.name, actor);
        Step(false, false);
        return actor;
    }
};

const OV_VECTOR NO_OFFSET(0, 0, 0, 1);

TEST_F(CollisionTest, BoxModeFindsOverlappingSpriteBoxes)
{
    OV_APPLICATION& app = Application();
    Box* player = Live(new Box("GRACZ", 0, 0));
    Box* car = Live(new Box("AUDI_A4", 8, 0));
    Box* far = Live(new Box("AUDI_A4", 30, 0));

    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), car);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, far, "AUDI_A4", NO_OFFSET), far); // itself
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, far, "GRACZ", NO_OFFSET), nullptr);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, nullptr, NO_OFFSET), player);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "FIAT_126P", NO_OFFSET), nullptr);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, nullptr, nullptr, NO_OFFSET), nullptr);
    EXPECT_EQ(app.FindCollision(9, player, "AUDI_A4", NO_OFFSET), nullptr);

    // Edges that only touch do not overlap; an offset shifts the asking box first.
    car->position.x = 10;
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), nullptr);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", OV_VECTOR(1, 0)), car);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", OV_VECTOR(0, 12)), nullptr);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", OV_VECTOR(19, 0)), car);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", OV_VECTOR(26, 0)), far);

    // Scale grows the box about its origin; a mirrored scale covers the same ground.
    player->scale = OV_VECTOR(1.5, 1, 1, 1);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), car);
    player->scale = OV_VECTOR(-1.5, 1, 1, 1);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), car);
}

TEST_F(CollisionTest, BoxModeSkipsActorsWithoutSpritesAndPendingActors)
{
    OV_APPLICATION& app = Application();
    Box* player = Live(new Box("GRACZ", 0, 0));
    auto* plain = new Probe("plain");
    app.SetActorName(plain, "AUDI_A4");
    Live(plain);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), nullptr);
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, plain, nullptr, NO_OFFSET), nullptr);

    app.AddActor("AUDI_A4", new Box("AUDI_A4", 0, 0)); // not live until the frame ends
    EXPECT_EQ(app.FindCollision(OV_COLLISION_BOX, player, "AUDI_A4", NO_OFFSET), nullptr);
}

TEST_F(CollisionTest, CircleModeComparesDistanceWithTheSumOfRadii)
{
    OV_APPLICATION& app = Application();
    auto* a = Live(new Probe("a"));
    auto* b = Live(new Probe("b"));
    app.SetActorName(b, "ball");
    a->rotation.w = 2;
    b->rotation.w = 3;
    b->position = OV_VECTOR(3, 4); // distance 5
    EXPECT_EQ(app.FindCollision(OV_COLLISION_CIRCLE, a, "ball", NO_OFFSET), nullptr);
    b->rotation.w = 3.01;
    EXPECT_EQ(app.FindCollision(OV_COLLISION_CIRCLE, a, "ball", NO_OFFSET), b);
    b->position.z = 1; // z counts too
    EXPECT_EQ(app.FindCollision(OV_COLLISION_CIRCLE, a, "ball", NO_OFFSET), nullptr);
}

TEST_F(CollisionTest, SortActorsByDepthPutsTheDeepestFirstAndKeepsTies)
{
    OV_APPLICATION& app = Application();
    const double depths[] = {1, 3, NAN, 3, 2};
    for (int i = 0; i < 5; ++i)
    {
        auto* probe = new Probe(std::to_string(i));
        probe->depth = static_cast<float>(depths[i]);
        app.AddActor(("actor" + std::to_string(i)).c_str(), probe);
    }
    Step(false, false);
    app.SortActorsByDepth();

    std::vector<std::string> order, names;
    std::vector<int32_t> ids; // counted from the first id of this test
    const int32_t firstId = app.actors.First().Index() - 1;
    for (auto entry : app.actors)
    {
        order.push_back(static_cast<Probe*>(entry->get())->label);
        names.push_back(entry.Name());
        ids.push_back(entry.Index() - firstId);
        EXPECT_EQ((*entry)->key.id, entry.Index());
    }
    // The NaN depth never compares, so it holds back the actors behind it.
    EXPECT_EQ(order, std::vector<std::string>({"1", "0", "2", "3", "4"}));
    EXPECT_EQ(names, std::vector<std::string>({"actor1", "actor0", "actor2", "actor3", "actor4"}));
    EXPECT_EQ(ids, std::vector<int32_t>({1, 0, 2, 3, 4}));

    for (auto entry : app.actors)
        if (std::isnan((*entry)->depth))
            (*entry)->depth = 0;
    app.SortActorsByDepth();
    order.clear();
    for (auto entry : app.actors)
        order.push_back(static_cast<Probe*>(entry->get())->label);
    EXPECT_EQ(order, std::vector<std::string>({"1", "3", "4", "0", "2"}));
    EXPECT_TRUE(Take().empty()); // nothing was destroyed on the way
}

TEST_F(CollisionTest, SetActorNameTakesUpTo122Characters)
{
    Probe probe("p");
    const std::string longest(122, 'x');
    EXPECT_TRUE(OV_APPLICATION::SetActorName(&probe, longest.c_str()));
    EXPECT_EQ(std::string(probe.key.name), longest);
    EXPECT_FALSE(OV_APPLICATION::SetActorName(&probe, std::string(123, 'y').c_str()));
    EXPECT_EQ(std::string(probe.key.name), longest);
    EXPECT_TRUE(OV_APPLICATION::SetActorName(&probe, "GRACZ"));
    EXPECT_STREQ(probe.key.name, "GRACZ");
    EXPECT_FALSE(OV_APPLICATION::SetActorName(&probe, nullptr));
    EXPECT_FALSE(OV_APPLICATION::SetActorName(nullptr, "GRACZ"));
}

void ExpectNear(const OV_VECTOR& v, double x, double y, double z, double w)
{
    EXPECT_NEAR(v.x, x, 1e-9);
    EXPECT_NEAR(v.y, y, 1e-9);
    EXPECT_NEAR(v.z, z, 1e-9);
    EXPECT_EQ(v.w, w);
}

TEST(ApproachTest, PointsMoveTowardTheTargetByAtMostTheStep)
{
    const OV_VECTOR from(0, 0, 0, 7);
    const OV_VECTOR to(3, 4, 0, 1); // distance 5
    OV_VECTOR out;
    MoveTowards(out, from, to, 1);
    ExpectNear(out, 0.6, 0.8, 0, 7); // w stays the mover's
    MoveTowards(out, from, to, 9);
    ExpectNear(out, 3, 4, 0, 7);
    MoveTowards(out, from, to, 0);
    ExpectNear(out, 0, 0, 0, 7);
    MoveTowards(out, from, to, NAN);
    ExpectNear(out, 0, 0, 0, 7);
    MoveTowards(out, to, to, 1); // no direction, no move
    ExpectNear(out, 3, 4, 0, 1);
}

TEST(ApproachTest, EasedMovesSlowDownNearTheTarget)
{
    const OV_VECTOR to(0, 0, 10);
    OV_VECTOR out;
    MoveTowardsEased(out, OV_VECTOR(0, 0, 0), to, 1, 4); // far: the whole step
    ExpectNear(out, 0, 0, 1, 1);
    MoveTowardsEased(out, OV_VECTOR(0, 0, 8), to, 1, 4); // 2 away: half the step
    ExpectNear(out, 0, 0, 8.5, 1);
    MoveTowardsEased(out, OV_VECTOR(0, 0, 8), to, 1, 0); // no ease: no move
    ExpectNear(out, 0, 0, 8, 1);

    Probe actor("a");
    actor.position = OV_VECTOR(0, 0, 8);
    MoveActorTowardsEased(&actor, to, 1, 4);
    ExpectNear(actor.position, 0, 0, 8.5, 1);
    MoveActorTowards(&actor, to, 100);
    ExpectNear(actor.position, 0, 0, 10, 1);
    MoveActorTowards(nullptr, to, 1);
    MoveActorTowardsEased(nullptr, to, 1, 1);
    events.clear();
}

} // namespace
