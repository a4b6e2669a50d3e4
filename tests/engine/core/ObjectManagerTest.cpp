// Slot reuse, compaction and ownership of the object manager, and the pointer-vector helpers.
#include "engine/core/ObjectManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace VelkorEngine
{
namespace
{
// Counts destructor runs per object so double and missing deletes both show.
struct Tracked
{
    explicit Tracked(int& deletions) : m_deletions(deletions) {}
    virtual ~Tracked() { ++m_deletions; }
    int& m_deletions;
};

struct DerivedTracked : Tracked
{
    DerivedTracked(int& deletions, int& derivedDeletions) : Tracked(deletions), m_derived(derivedDeletions) {}
    ~DerivedTracked() override { ++m_derived; }
    int& m_derived;
};

using Slots = std::vector<Tracked*>;

struct ObjectManagerSlots : ::testing::Test
{
    int deletions[5] = {};
    Tracked* p = new Tracked(deletions[0]);
    Tracked* q = new Tracked(deletions[1]);
    Tracked* r = new Tracked(deletions[2]);
    Tracked* s = new Tracked(deletions[3]);
    Tracked* t = new Tracked(deletions[4]);
    std::unique_ptr<ObjectManager<Tracked>> manager = std::make_unique<ObjectManager<Tracked>>();

    void Detach(Tracked* object)
    {
        ASSERT_TRUE(manager->DetachObject(object));
        delete object;
    }
};

TEST_F(ObjectManagerSlots, AddingReusesTheFreedSlot)
{
    manager->Add(p);
    manager->Add(q);
    manager->Add(r);
    Detach(q);
    EXPECT_EQ(manager->GetSlots(), (Slots{p, nullptr, r}));
    manager->Add(s);
    EXPECT_EQ(manager->GetSlots(), (Slots{p, s, r}));
    EXPECT_EQ(manager->GetCount(), 3u);
    delete t;
}

TEST_F(ObjectManagerSlots, SlotFreedLastIsReusedFirst)
{
    manager->Add(p);
    manager->Add(q);
    manager->Add(r);
    manager->Add(s);
    Detach(q);
    Detach(p);
    manager->Add(t);
    EXPECT_EQ(manager->GetSlots(), (Slots{t, nullptr, r, s}));
}

TEST_F(ObjectManagerSlots, CompactsWhenLessThanHalfFull)
{
    manager->Add(p);
    manager->Add(q);
    manager->Add(r);
    manager->Add(s);
    Detach(p);
    EXPECT_EQ(manager->GetSlots(), (Slots{nullptr, q, r, s}));
    EXPECT_EQ(manager->GetCount(), 3u);
    Detach(q);
    EXPECT_EQ(manager->GetSlots(), (Slots{nullptr, nullptr, r, s}));
    EXPECT_EQ(manager->GetCount(), 2u);
    Detach(r);
    EXPECT_EQ(manager->GetSlots(), (Slots{s}));
    EXPECT_EQ(manager->GetCount(), 1u);
    // The free stack was emptied by the compaction: the next object is appended.
    manager->Add(t);
    EXPECT_EQ(manager->GetSlots(), (Slots{s, t}));
}

TEST_F(ObjectManagerSlots, DetachingTheLastObjectEmptiesTheTable)
{
    manager->Add(p);
    Detach(p);
    EXPECT_TRUE(manager->GetSlots().empty());
    EXPECT_EQ(manager->GetCount(), 0u);
    manager->Add(q);
    EXPECT_EQ(manager->GetSlots(), (Slots{q}));
    delete r;
    delete s;
    delete t;
}

TEST_F(ObjectManagerSlots, UnknownAndNullChangeNothing)
{
    manager->Add(p);
    manager->Add(q);
    manager->Add(nullptr);
    EXPECT_FALSE(manager->DetachObject(nullptr));
    EXPECT_FALSE(manager->DetachObject(r));
    EXPECT_EQ(manager->GetSlots(), (Slots{p, q}));
    EXPECT_EQ(manager->GetCount(), 2u);
    delete r;
    delete s;
    delete t;
}

TEST_F(ObjectManagerSlots, DestructionDeletesEachHeldObjectOnce)
{
    manager->Add(p);
    manager->Add(q);
    manager->Add(r);
    manager->Add(s);
    ASSERT_TRUE(manager->DetachObject(q));
    manager.reset();
    EXPECT_EQ(deletions[0], 1);
    EXPECT_EQ(deletions[1], 0);
    EXPECT_EQ(deletions[2], 1);
    EXPECT_EQ(deletions[3], 1);
    delete q;
    delete t;
    EXPECT_EQ(deletions[1], 1);
}

TEST(ObjectManagerHelpers, DeleteAllRunsVirtualDestructorsAndEmpties)
{
    int deletions = 0;
    int derived = 0;
    std::vector<Tracked*> objects{new Tracked(deletions), nullptr, new DerivedTracked(deletions, derived)};
    DeleteAll(objects);
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(derived, 1);
}

struct Record
{
    std::string name;
    std::string file;
};

TEST(ObjectManagerHelpers, DeleteAllPointersRunsDestructorsOfRecords)
{
    // Strings too long for the small-string buffer: a skipped destructor leaks them (seen by LeakSanitizer).
    std::vector<Record*> records{new Record{std::string(100, 'a'), std::string(200, 'b')}, nullptr,
                                 new Record{std::string(300, 'c'), std::string(50, 'd')}};
    DeleteAllPointers(records);
    EXPECT_TRUE(records.empty());

    int deletions = 0;
    std::vector<Tracked*> tracked{new Tracked(deletions), new Tracked(deletions)};
    DeleteAllPointers(tracked);
    EXPECT_EQ(deletions, 2);
}

TEST(ObjectManagerHelpers, RemoveNullPointersKeepsOrder)
{
    int a = 1;
    int b = 2;
    int c = 3;
    std::vector<int*> mixed{nullptr, &a, nullptr, nullptr, &b, &c, nullptr};
    RemoveNullPointers(mixed);
    EXPECT_EQ(mixed, (std::vector<int*>{&a, &b, &c}));
    EXPECT_EQ(mixed.capacity(), 3u);

    std::vector<int*> allNull{nullptr, nullptr};
    RemoveNullPointers(allNull);
    EXPECT_TRUE(allNull.empty());
    std::vector<int*> empty;
    RemoveNullPointers(empty);
    EXPECT_TRUE(empty.empty());
}
}
}
