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
    std::unique_ptr<ObjectManager<Tracked>> manager = std::make_unique<ObjectManager<Tracked>>();

    Tracked* Add(int which) { return manager->Add(std::make_unique<Tracked>(deletions[which])); }
    void Extract(Tracked* object) { ASSERT_NE(manager->Extract(object), nullptr); }
    Slots GetSlots() const
    {
        Slots slots;
        for (u32 i = 0; i < manager->GetSlotCount(); ++i)
            slots.push_back(manager->GetSlot(i));
        return slots;
    }
};

// The slot freed last is reused first.
TEST_F(ObjectManagerSlots, AddingReusesTheSlotFreedLast)
{
    Tracked* p = Add(0);
    Tracked* q = Add(1);
    Tracked* r = Add(2);
    Tracked* s = Add(3);
    Extract(q);
    Extract(p);
    EXPECT_EQ(GetSlots(), (Slots{nullptr, nullptr, r, s}));
    Tracked* t = Add(4);
    EXPECT_EQ(GetSlots(), (Slots{t, nullptr, r, s}));
    EXPECT_EQ(manager->GetCount(), 3u);
}

TEST_F(ObjectManagerSlots, CompactsWhenLessThanHalfFull)
{
    Tracked* p = Add(0);
    Tracked* q = Add(1);
    Tracked* r = Add(2);
    Tracked* s = Add(3);
    Extract(p);
    Extract(q);
    Extract(r);
    EXPECT_EQ(GetSlots(), (Slots{s}));
    EXPECT_EQ(manager->GetCount(), 1u);
    // The free stack was emptied by the compaction: the next object is appended.
    Tracked* t = Add(4);
    EXPECT_EQ(GetSlots(), (Slots{s, t}));
    EXPECT_EQ(manager->GetObjects(), (Slots{s, t}));
}

TEST_F(ObjectManagerSlots, UnknownAndNullChangeNothing)
{
    Tracked* p = Add(0);
    Tracked* q = Add(1);
    manager->Add(nullptr);
    Tracked stranger(deletions[2]);
    EXPECT_EQ(manager->Extract(nullptr), nullptr);
    EXPECT_EQ(manager->Extract(&stranger), nullptr);
    EXPECT_EQ(GetSlots(), (Slots{p, q}));
    EXPECT_EQ(manager->GetCount(), 2u);
}

TEST_F(ObjectManagerSlots, ExtractedObjectBelongsToTheCallerAndTheRestDieWithTheManager)
{
    Add(0);
    Tracked* q = Add(1);
    Add(2);
    std::unique_ptr<Tracked> extracted = manager->Extract(q);
    manager.reset();
    EXPECT_EQ(deletions[0], 1);
    EXPECT_EQ(deletions[1], 0);
    EXPECT_EQ(deletions[2], 1);
    extracted.reset();
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

    // Strings too long for the small-string buffer: a skipped destructor leaks them (seen by LeakSanitizer).
    struct Record
    {
        std::string name;
    };
    std::vector<Record*> records{new Record{std::string(100, 'a')}, nullptr, new Record{std::string(300, 'c')}};
    DeleteAllPointers(records);
    EXPECT_TRUE(records.empty());
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
}
}
}
