#include "core/ov_registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using OvCore::OV_ACCESS_FIND;
using OvCore::OV_ACCESS_FIND_NAME;
using OvCore::OV_ACCESS_FIND_OR_CREATE;
using OvCore::OV_ACCESS_REMOVE;
using OvCore::OV_REGISTRY;

namespace
{

struct Record
{
    int number = 0;
};

// Counts its own destructions, so ownership mistakes show up as wrong totals.
struct Tracked
{
    int* destroyed = nullptr;
    ~Tracked()
    {
        if (destroyed)
            ++*destroyed;
    }
};

std::vector<std::string> Names(const OV_REGISTRY<Record>& registry)
{
    std::vector<std::string> names;
    for (auto entry : registry)
        names.push_back(std::string(entry.Name()) + "/" + std::to_string(entry.Index()));
    return names;
}

} // namespace

TEST(OvRegistry, GetFindsOrCreatesByNameAndIndex)
{
    OV_REGISTRY<Record> registry;
    auto main0 = registry.Get("main", 0);
    ASSERT_TRUE(main0);
    EXPECT_EQ(main0->number, 0); // default-constructed
    main0->number = 5;
    EXPECT_EQ(registry.Count(), 1u);

    EXPECT_EQ(registry.Get("main", 0), main0);
    EXPECT_EQ(registry.Count(), 1u);

    auto main1 = registry.Get("main", 1);
    EXPECT_FALSE(main1 == main0);
    EXPECT_EQ(registry.Count(), 2u);
    EXPECT_EQ(registry.Count("main"), 2u);
    EXPECT_EQ(registry.Count("Main"), 0u); // case-sensitive

    auto byName = registry.Access(OV_ACCESS_FIND_NAME, "main", 7);
    EXPECT_EQ(byName, main0);
    EXPECT_EQ(byName->number, 5);
}

TEST(OvRegistry, AccessModes)
{
    OV_REGISTRY<Record> registry;
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND, "a", 0));
    EXPECT_TRUE(registry.IsEmpty()); // find never creates

    auto a = registry.Access(OV_ACCESS_FIND_OR_CREATE, "a", 0);
    ASSERT_TRUE(a);
    EXPECT_EQ(registry.Access(OV_ACCESS_FIND, "a", 0), a);
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND, "a", 1));
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND_NAME, "b", 0));

    EXPECT_FALSE(registry.Access(0, "a", 0));
    EXPECT_FALSE(registry.Access(5, "a", 0));
    EXPECT_EQ(registry.Count(), 1u);

    EXPECT_FALSE(registry.Access(OV_ACCESS_REMOVE, "a", 1)); // no match: nothing removed
    EXPECT_EQ(registry.Count(), 1u);
    EXPECT_FALSE(registry.Access(OV_ACCESS_REMOVE, "a", 0));
    EXPECT_TRUE(registry.IsEmpty());
}

TEST(OvRegistry, InsertionOrderIsIterationOrder)
{
    OV_REGISTRY<Record> registry;
    for (const char* name : {"intro", "game", "menu", "credits"})
        registry.Get(name);
    registry.Get("game", 2);
    EXPECT_EQ(Names(registry),
              (std::vector<std::string>{"intro/0", "game/0", "menu/0", "credits/0", "game/2"}));

    registry.Access(OV_ACCESS_REMOVE, "menu", 0);
    registry.Remove(registry.First());
    registry.Remove(registry.Last());
    registry.Get("menu");
    EXPECT_EQ(Names(registry), (std::vector<std::string>{"game/0", "credits/0", "menu/0"}));
}

TEST(OvRegistry, HandlesWalkAndStayStable)
{
    OV_REGISTRY<Record> registry;
    auto first = registry.Get("first");
    auto middle = registry.Get("middle");
    auto last = registry.Get("last");
    middle->number = 42;

    EXPECT_EQ(first.Next(), middle);
    EXPECT_EQ(last.Previous(), middle);
    EXPECT_FALSE(last.Next());
    EXPECT_FALSE(first.Previous());
    EXPECT_FALSE(last.Next().Next()); // a null handle stays null
    EXPECT_FALSE(OvCore::OV_ENTRY<Record>().Previous());
    EXPECT_EQ(OvCore::OV_ENTRY<Record>().Get(), nullptr);

    // Adding and removing other entries leaves a handle valid.
    for (int i = 0; i < 100; ++i)
        registry.Get("filler", i);
    registry.Remove(first);
    registry.Remove(last);
    EXPECT_EQ(middle->number, 42);
    EXPECT_EQ(registry.First(), middle);
    EXPECT_STREQ(middle.Name(), "middle");
}

TEST(OvRegistry, RefusesOverlongNames)
{
    OV_REGISTRY<Record> registry;
    std::string longest(123, 'n');
    auto entry = registry.Get(longest.c_str());
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry.Name(), longest);

    std::string tooLong(124, 'n');
    EXPECT_FALSE(registry.Get(tooLong.c_str()));
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND_OR_CREATE, tooLong.c_str(), 0));
    EXPECT_FALSE(registry.Append(tooLong.c_str()));
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND_NAME, tooLong.c_str(), 0));
    EXPECT_EQ(registry.Count(tooLong.c_str()), 0u);
    EXPECT_FALSE(registry.Get(nullptr));
    EXPECT_EQ(registry.Count(), 1u);

    // A name with no terminator in the key field's length is refused without reading on:
    // exactly 124 bytes, so ASan reports any read past them.
    auto unterminated = std::make_unique<char[]>(124);
    std::fill_n(unterminated.get(), 124, 'n');
    EXPECT_FALSE(registry.Get(unterminated.get()));
    EXPECT_FALSE(registry.Access(OV_ACCESS_FIND_NAME, unterminated.get(), 0));
    EXPECT_EQ(registry.Count(unterminated.get()), 0u);
    EXPECT_EQ(registry.Count(), 1u);
}

TEST(OvRegistry, OwnsItsValuesExactlyOnce)
{
    int destroyed = 0;
    {
        OV_REGISTRY<Tracked> registry;
        for (int i = 0; i < 5; ++i)
            registry.Get("t", i)->destroyed = &destroyed;
        registry.Access(OV_ACCESS_REMOVE, "t", 2);
        EXPECT_EQ(destroyed, 1);

        OV_REGISTRY<Tracked> moved(std::move(registry));
        EXPECT_EQ(destroyed, 1);
        EXPECT_TRUE(registry.IsEmpty());
        EXPECT_EQ(moved.Count(), 4u);

        OV_REGISTRY<Tracked> target;
        target.Get("other")->destroyed = &destroyed;
        target = std::move(moved); // the target's own entry is released
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(target.Count(), 4u);
    }
    EXPECT_EQ(destroyed, 6);
}

TEST(OvRegistry, LongRegistriesAreReleasedWithoutDeepRecursion)
{
    OV_REGISTRY<Record> registry;
    for (int i = 0; i < 300000; ++i)
        registry.Append("actor", i);
    EXPECT_EQ(registry.Count(), 300000u);
    registry.Clear();
    EXPECT_TRUE(registry.IsEmpty());
    EXPECT_FALSE(registry.First());
    EXPECT_FALSE(registry.Last());
}

TEST(OvRegistry, AppendAndNextId)
{
    OV_REGISTRY<Record> registry;
    EXPECT_EQ(registry.NextId(), 0u);
    EXPECT_EQ(registry.NextId(), 1u);
    auto a = registry.Append("car", 7);
    auto b = registry.Append("car", 7); // the same key twice: the scene moves actors this way
    EXPECT_FALSE(a == b);
    EXPECT_EQ(registry.Get("car", 7), a);
    registry.Clear();
    EXPECT_EQ(registry.NextId(), 2u); // ids are never reused
}

TEST(OvRegistry, PinnedRemovalsVanishAtOnceAndAreDestroyedAtTheLastUnpin)
{
    int destroyed = 0;
    OV_REGISTRY<Tracked> registry;
    for (int i = 0; i < 4; ++i)
        registry.Get("t", i)->destroyed = &destroyed;
    std::vector<int> walked;
    {
        OV_REGISTRY<Tracked>::Pin outer(registry);
        {
            OV_REGISTRY<Tracked>::Pin inner(registry);
            for (auto entry : registry)
            {
                walked.push_back(entry.Index());
                if (entry.Index() == 0)
                {
                    registry.Access(OV_ACCESS_REMOVE, "t", 0); // the one walked on
                    registry.Access(OV_ACCESS_REMOVE, "t", 1); // the next one
                    EXPECT_FALSE(entry);
                    EXPECT_EQ(entry.Next().Index(), 2); // leads on past removed entries
                }
            }
        }
        EXPECT_EQ(destroyed, 0);
        EXPECT_EQ(registry.Count(), 2u);
        EXPECT_FALSE(registry.Find("t", 1));
        registry.Clear();
        EXPECT_TRUE(registry.IsEmpty());
        EXPECT_FALSE(registry.First());
        registry.Get("after")->destroyed = &destroyed; // added while pinned: kept
    }
    EXPECT_EQ(walked, std::vector<int>({0, 2, 3}));
    EXPECT_EQ(destroyed, 4);
    ASSERT_EQ(registry.Count(), 1u);
    EXPECT_STREQ(registry.First().Name(), "after");
}

// A value whose destructor adds an entry to the registry being cleared.
struct Spawner
{
    OV_REGISTRY<Spawner>* home = nullptr;
    ~Spawner()
    {
        if (home)
            home->Get("spawned"); // no home: does not spawn again
    }
};

TEST(OvRegistry, ClearKeepsWhatDestructorsAddAndNullEntriesDereferenceSafely)
{
    OV_REGISTRY<Spawner> registry;
    registry.Get("parent")->home = &registry;
    registry.Clear();
    ASSERT_EQ(registry.Count(), 1u);
    EXPECT_STREQ(registry.First().Name(), "spawned");

    // A refused name gives a null handle; dereferencing it is safe and writes go nowhere.
    OV_REGISTRY<Record> records;
    const std::string overlong(OvCore::OV_REGISTRY_KEY::NameField, 'n');
    (*records.Get(overlong.c_str())).number = 7;
    EXPECT_EQ(records.Get(overlong.c_str())->number, 0);
    EXPECT_TRUE(records.IsEmpty());
}
