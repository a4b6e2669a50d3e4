// The high-score table: its order, its limit per category and its file, byte for byte.
#include "framework/HighScoresTable.h"

#include "tests/support/EngineTestBed.h"
#include "tests/support/FilesTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using GameFramework::HighScoreEntry;
using GameFramework::HighScoresTable;

namespace
{
const std::string kEmptyFile = Bytes({0x15, 0, 0, 0, 'G', 'F', 'H', 'S', 'F', 0x65, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

class HighScoresTableTest : public testing::Test
{
protected:
    HighScoresTableTest() { bed.Start(); }

    std::unique_ptr<HighScoresTable> MakeTable()
    {
        return std::make_unique<HighScoresTable>(&bed.GetEngine(), 10, bed.folder.Path());
    }
    std::string FileBytes() const { return bed.folder.ReadFile("high_scores.hsf"); }

    EngineTestBed bed;
};
}

TEST_F(HighScoresTableTest, NoFileGivesAnEmptyTableAndTheEmptyFile)
{
    const auto table = MakeTable();
    EXPECT_EQ(table->GetCount(0), 0u);
    EXPECT_EQ(table->GetNextSequence(), 0u);
    EXPECT_EQ(FileBytes(), kEmptyFile);
}

TEST_F(HighScoresTableTest, AnEntryIsStoredByteForByte)
{
    const auto table = MakeTable();
    for (int i = 0; i < 3; ++i)
        table->Add(L"x", 1, 1);
    table->Clear();
    for (int i = 0; i < 3; ++i)
        table->Add(L"x", 1, 1);
    table->Add(L"Al", 0, 500);
    const std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 21u + 3 * 17 + 19);
    EXPECT_EQ(bytes.substr(0, 21), U32Bytes(21 + 3 * 17 + 19) + "GFHSF" + U32Bytes(101) + U32Bytes(4) + U32Bytes(4));
    EXPECT_EQ(bytes.substr(21, 19), Bytes({3, 'A', 0, 'l', 0, 0, 0, 0, 0, 0, 0, 0xF4, 1, 0, 0, 3, 0, 0, 0}));
}

TEST_F(HighScoresTableTest, EqualScoresListTheOlderFirst)
{
    const auto table = MakeTable();
    table->Add(L"first", 0, 100);
    table->Add(L"second", 0, 100);
    table->Add(L"best", 0, 200);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"best");
    EXPECT_EQ(table->GetEntry(0, 1)->name, L"first");
    EXPECT_EQ(table->GetEntry(0, 2)->name, L"second");
    EXPECT_EQ(table->GetEntry(0, 3), nullptr);
}

TEST_F(HighScoresTableTest, AFullCategoryKeepsItsTenBest)
{
    const auto table = MakeTable();
    for (VelkorEngine::u32 i = 0; i < 10; ++i)
        table->Add(L"p", 0, 100 + i);
    table->Add(L"other", 1, 1);
    const std::string before = FileBytes();
    EXPECT_EQ(table->Add(L"equal", 0, 100), nullptr);
    EXPECT_EQ(table->Add(L"lower", 0, 50), nullptr);
    EXPECT_EQ(table->GetCount(0), 10u);
    EXPECT_EQ(table->GetEntry(0, 9)->score, 100u);
    EXPECT_EQ(FileBytes().substr(21), before.substr(21)) << "only the next sequence number moved on";
    const HighScoreEntry* higher = table->Add(L"higher", 0, 101);
    ASSERT_NE(higher, nullptr);
    EXPECT_EQ(table->GetEntry(0, 9)->score, 101u);
    EXPECT_EQ(table->GetCount(1), 1u) << "other categories are never pushed out";
}

TEST_F(HighScoresTableTest, ARoundTripKeepsTheListAndTheSequence)
{
    {
        const auto table = MakeTable();
        table->Add(L"Ann", 0, 10);
        table->Add(L"Бор", 2, 30);
        table->Add(L"Cy", 0, 20);
    }
    const std::string saved = FileBytes();
    const auto table = MakeTable();
    EXPECT_EQ(FileBytes(), saved);
    EXPECT_EQ(table->GetNextSequence(), 3u);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"Cy");
    EXPECT_EQ(table->GetEntry(0, 1)->name, L"Ann");
    EXPECT_EQ(table->GetEntry(2, 0)->name, L"Бор");
    table->Clear();
    EXPECT_EQ(table->Add(L"new", 0, 1)->sequence, 0u);
}

TEST_F(HighScoresTableTest, DamagedFilesGiveAnEmptyTableAndTheEmptyFile)
{
    {
        const auto table = MakeTable();
        table->Add(L"Ann", 0, 10);
    }
    const std::string good = FileBytes();
    std::string wrongVersion = good;
    wrongVersion[9] = 100;
    std::string wrongMagic = good;
    wrongMagic[4] = 'X';
    std::string truncated = good.substr(0, good.size() - 1);
    truncated[0] = static_cast<char>(truncated.size());
    const std::string endlessCount = U32Bytes(21) + "GFHSF" + U32Bytes(101) + U32Bytes(0) + U32Bytes(0xFFFFFFFF);
    const std::string cut = good.substr(0, good.size() - 2);
    for (const std::string& bytes : {cut, wrongVersion, wrongMagic, truncated, endlessCount})
    {
        bed.folder.WriteFile("high_scores.hsf", bytes);
        const auto table = MakeTable();
        EXPECT_EQ(table->GetCount(0), 0u);
        EXPECT_EQ(FileBytes(), kEmptyFile);
    }
}

TEST_F(HighScoresTableTest, AStaleNextSequenceIsRaisedPastTheStoredEntries)
{
    bed.folder.WriteFile("high_scores.hsf", U32Bytes(21 + 17) + "GFHSF" + U32Bytes(101) + U32Bytes(0) + U32Bytes(1) +
                                                Bytes({2, 'A', 0, 0, 0}) + U32Bytes(0) + U32Bytes(5) + U32Bytes(7));
    const auto table = MakeTable();
    EXPECT_EQ(table->GetNextSequence(), 8u);
    EXPECT_EQ(table->Add(L"B", 0, 5)->sequence, 8u);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"A") << "the older result stays first";
}

TEST_F(HighScoresTableTest, ALongNameIsCutToWhatTheFileHolds)
{
    {
        const auto table = MakeTable();
        EXPECT_EQ(table->Add(std::wstring(300, L'n'), 0, 1)->name.size(), 254u);
    }
    const auto table = MakeTable();
    ASSERT_EQ(table->GetCount(0), 1u);
    EXPECT_EQ(table->GetEntry(0, 0)->name, std::wstring(254, L'n'));
}

TEST_F(HighScoresTableTest, ANameOfTheFullCountByteIsCutWhenReadSoLaterSavesKeepWorking)
{
    std::string name(1, static_cast<char>(255));
    for (int i = 0; i < 255; ++i)
        name += "n" + std::string(1, '\0');
    const std::string body = U32Bytes(1) + U32Bytes(1) + name + U32Bytes(0) + U32Bytes(50) + U32Bytes(0);
    bed.folder.WriteFile("high_scores.hsf",
                         U32Bytes(static_cast<VelkorEngine::u32>(13 + body.size())) + "GFHSF" + U32Bytes(101) + body);
    {
        const auto table = MakeTable();
        ASSERT_EQ(table->GetCount(0), 1u);
        EXPECT_EQ(table->GetEntry(0, 0)->name, std::wstring(254, L'n'));
        table->Add(L"Ann", 0, 60);
    }
    const auto table = MakeTable();
    ASSERT_EQ(table->GetCount(0), 2u);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"Ann");
    EXPECT_EQ(table->GetEntry(0, 1)->name, std::wstring(254, L'n'));
}

TEST_F(HighScoresTableTest, ASaveThatFailsIsLogged)
{
    const auto table = MakeTable();
    std::filesystem::remove(bed.folder / "high_scores.hsf");
    std::filesystem::create_directories(bed.folder / "high_scores.hsf");
    table->Add(L"Ann", 0, 60);
    EXPECT_NE(bed.LogText().find("(HighScoresTable::Save): "), std::string::npos);
}

// The numbers decide which of equal scores is older and which result is the newest; past the largest number
// the stored ones are numbered again in their order.
TEST_F(HighScoresTableTest, SequenceNumbersStayUniqueAndOrderedPastTheLargest)
{
    for (const VelkorEngine::u32 largest : {0xFFFFFFFDu, 0xFFFFFFFFu})
    {
        const std::string body = U32Bytes(0xFFFFFFFE) + U32Bytes(2) + Bytes({2, 'A', 0, 0, 0}) + U32Bytes(0) +
                                 U32Bytes(5) + U32Bytes(7) + Bytes({2, 'B', 0, 0, 0}) + U32Bytes(0) + U32Bytes(5) +
                                 U32Bytes(largest);
        bed.folder.WriteFile("high_scores.hsf", U32Bytes(static_cast<VelkorEngine::u32>(13 + body.size())) + "GFHSF" +
                                                    U32Bytes(101) + body);
        const auto table = MakeTable();
        const HighScoreEntry* c = table->Add(L"C", 0, 5);
        const HighScoreEntry* d = table->Add(L"D", 0, 5);
        const HighScoreEntry* e = table->Add(L"E", 0, 5);
        ASSERT_EQ(table->GetCount(0), 5u);
        const wchar_t* order[] = {L"A", L"B", L"C", L"D", L"E"};
        for (VelkorEngine::u32 i = 0; i < 5; ++i)
            EXPECT_EQ(table->GetEntry(0, i)->name, order[i]) << largest;
        for (VelkorEngine::u32 i = 1; i < 5; ++i)
            EXPECT_LT(table->GetEntry(0, i - 1)->sequence, table->GetEntry(0, i)->sequence) << largest;
        EXPECT_LT(c->sequence, d->sequence);
        EXPECT_LT(d->sequence, e->sequence);
        EXPECT_GT(table->GetNextSequence(), e->sequence);
    }
}
