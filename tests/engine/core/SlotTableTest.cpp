// Id reuse, walking order and ownership of the slot table the managers share.
#include "engine/core/SlotTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace VelkorEngine
{
namespace
{
// Records its value in a shared list when destroyed, so the deletion order and double deletes both show.
struct Entry
{
    Entry(int value, std::vector<int>& deleted) : value(value), deleted(deleted) {}
    ~Entry() { deleted.push_back(value); }
    int value;
    std::vector<int>& deleted;
};

struct SlotTableTest : ::testing::Test
{
    std::vector<int> deleted;
    SlotTable<Entry> table;

    Entry* Add(int value) { return table.Add(std::make_unique<Entry>(value, deleted)); }
    std::vector<int> Walk() const
    {
        std::vector<int> values;
        table.ForEach([&](Entry& entry) { values.push_back(entry.value); });
        return values;
    }
};

// Freed ids are taken again before the table grows, and objects are walked in the order they were added
// whatever ids they took.
TEST_F(SlotTableTest, FreedIdsAreReusedBeforeTheTableGrows)
{
    Entry* a = Add(1);
    Entry* b = Add(2);
    Add(3);
    ASSERT_TRUE(table.Remove(b));
    ASSERT_TRUE(table.Remove(a));
    EXPECT_EQ(deleted, (std::vector<int>{2, 1}));
    Add(4);
    Add(5);
    Add(6);
    EXPECT_EQ(table.GetSlotCount(), 4u);
    EXPECT_EQ(table.GetCount(), 4u);
    EXPECT_EQ(Walk(), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(table.GetInUse(1)->value, 4);
    EXPECT_EQ(table.GetInUse(4), nullptr);
    EXPECT_TRUE(table.AnyOf([](const Entry& entry) { return entry.value == 6; }));
}

TEST_F(SlotTableTest, NullAndStrangersAreNeverDeleted)
{
    Add(1);
    std::vector<int> strangerLog;
    Entry stranger(9, strangerLog);
    EXPECT_FALSE(table.Remove(nullptr));
    EXPECT_FALSE(table.Remove(&stranger));
    EXPECT_EQ(table.GetCount(), 1u);
    EXPECT_TRUE(deleted.empty());
}

TEST_F(SlotTableTest, ClearDeletesEachObjectOnceInAddingOrder)
{
    Entry* a = Add(1);
    Add(2);
    table.Remove(a);
    Add(3);
    table.Clear();
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(table.GetSlotCount(), 0u);
}
}
}
