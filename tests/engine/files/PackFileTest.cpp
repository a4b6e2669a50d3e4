// Packs: the byte layout the writer makes, lookups, rejection of broken and hostile packs, the appended pack,
// and two threads reading one pack.
#include "engine/files/PackFile.h"

#include "engine/core/Error.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/PackTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace VelkorEngine;
using TestSupport::PackBytes;
using TestSupport::TempFolder;
using TestSupport::U32Bytes;

namespace
{
std::string Text(const std::vector<u8>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

struct PackFixture
{
    TempFolder folder;
    std::unique_ptr<MessageManager> log = TestSupport::MakeQuietLog();

    std::unique_ptr<PackFile> Open(const std::string& bytes, u32 base = 0, u32 expected = 0)
    {
        folder.WriteFile("test.pak", bytes);
        return std::make_unique<PackFile>(log.get(), folder / "test.pak", base, expected);
    }

    // The log after a pack that must be refused.
    std::string Rejection(const std::string& bytes, u32 base = 0, u32 expected = 0)
    {
        EXPECT_THROW(Open(bytes, base, expected), Error);
        return TestSupport::LogText(*log);
    }
};

// The header and count of a pack whose table and data follow.
std::string Head(u32 length, u32 count, u32 version = 100)
{
    return U32Bytes(length) + "VEPAK" + U32Bytes(version) + U32Bytes(count);
}
}

TEST(PackFile, WriterMakesTheDocumentedLayout)
{
    const std::string bytes = PackBytes({{"data\\A.txt", "hello"}, {"b", "xy"}});
    const std::string table = std::string("\x0B") + "data\\A.txt" + '\0' + "\x02" + "b" + '\0';
    const u32 dataStart = 17 + static_cast<u32>(table.size()) + 16;
    const std::string expected = Head(dataStart + 7, 2) + table + U32Bytes(dataStart) + U32Bytes(5) +
                                 U32Bytes(dataStart + 5) + U32Bytes(2) + "hello" + "xy";
    EXPECT_EQ(bytes, expected);
}

TEST(PackFile, FindsEntriesByLowerCaseName)
{
    PackFixture fixture;
    auto pack = fixture.Open(PackBytes({{"Data\\UI\\Font.xml", "<font/>"}, {"data\\empty", ""}}));
    EXPECT_TRUE(pack->HasFile("data\\ui\\font.xml"));
    EXPECT_TRUE(pack->HasFile("DATA\\ui\\FONT.XML"));
    EXPECT_TRUE(pack->HasFile("data\\\\ui\\\\font.xml"));
    EXPECT_TRUE(pack->HasFile("data/ui/font.xml"));
    EXPECT_FALSE(pack->HasFile("data\\ui\\font"));
    u32 size = 0;
    EXPECT_TRUE(pack->GetFileSize("data\\ui\\font.xml", size));
    EXPECT_EQ(size, 7u);
    std::vector<u8> bytes;
    EXPECT_TRUE(pack->ReadFile("data\\ui\\font.xml", bytes));
    EXPECT_EQ(Text(bytes), "<font/>");
    EXPECT_TRUE(pack->ReadFile("data\\empty", bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(pack->ReadFile("nothing", bytes));
    EXPECT_EQ(TestSupport::LogText(*fixture.log),
              "...Pack file " + fixture.folder / "test.pak" + " found...\n......It contains 2 files...\n");
}

TEST(PackFile, FirstRecordOfARepeatedNameWins)
{
    PackFixture fixture;
    auto pack = fixture.Open(PackBytes({{"a", "first"}, {"A", "second"}}));
    std::vector<u8> bytes;
    pack->ReadFile("a", bytes);
    EXPECT_EQ(Text(bytes), "first");
    std::vector<std::string> listed;
    pack->ListFiles("", "", listed);
    EXPECT_TRUE(listed.empty());
}

TEST(PackFile, FoldersAreFoundInsideEntryFolders)
{
    PackFixture fixture;
    auto pack = fixture.Open(PackBytes({{"data\\ui\\windows\\main.xml", "x"}, {"top.txt", "y"}}));
    EXPECT_TRUE(pack->HasFolder("data\\ui"));
    EXPECT_TRUE(pack->HasFolder("Data\\UI\\Windows"));
    EXPECT_TRUE(pack->HasFolder("ui\\win"));
    EXPECT_FALSE(pack->HasFolder("data\\sounds"));
}

TEST(PackFile, ListsInPackOrderWithSubFoldersAndAReducedMask)
{
    PackFixture fixture;
    auto pack = fixture.Open(PackBytes({{"data\\ui\\windows\\z.xml", ""},
                                        {"data\\ui\\windows\\old\\b.xml", ""},
                                        {"data\\ui\\windows\\a.txt", ""},
                                        {"data\\ui\\other.xml", ""}}));
    std::vector<std::string> listed;
    pack->ListFiles("Data\\UI\\Windows", "*.XML", listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"data\\ui\\windows\\z.xml", "data\\ui\\windows\\old\\b.xml"}));
    listed.clear();
    pack->ListFiles("data\\ui\\", "*", listed);
    EXPECT_EQ(listed.size(), 4u);
    listed.clear();
    pack->ListFiles("data\\ui\\windows", "o*d", listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"data\\ui\\windows\\old\\b.xml"}));
}

TEST(PackFile, MaskLosesItsWildcards)
{
    EXPECT_EQ(PackFile::MaskWithoutWildcards("*.xml"), ".xml");
    EXPECT_EQ(PackFile::MaskWithoutWildcards("a*b"), "a");
    EXPECT_EQ(PackFile::MaskWithoutWildcards("*"), "");
    EXPECT_EQ(PackFile::MaskWithoutWildcards("??x?y"), "x");
    EXPECT_EQ(PackFile::MaskWithoutWildcards("name"), "name");
}

TEST(PackFile, LengthOneShortIsAFormatError)
{
    PackFixture fixture;
    std::string bytes = PackBytes({{"a", "data"}});
    bytes[0] = static_cast<char>(bytes[0] - 1);
    EXPECT_EQ(fixture.Rejection(bytes), "...Pack file " + fixture.folder / "test.pak" +
                                            " found...\n......Error: Incorrect pack file format!\n");
}

TEST(PackFile, OtherVersionIsAVersionError)
{
    PackFixture fixture;
    std::string bytes = PackBytes({{"a", "data"}});
    bytes[9] = 101;
    EXPECT_NE(fixture.Rejection(bytes).find("......Error: Incorrect pack file version, current is 100!\n"),
              std::string::npos);
}

namespace
{
struct CorruptPackCase
{
    const char* what;
    std::string bytes;
    std::string error = "Incorrect pack file format";
};

class PackFileCorrupt : public testing::TestWithParam<CorruptPackCase>
{
};

std::string OneEntry(u32 offset, u32 size)
{
    const std::string table = std::string("\x02") + "a" + '\0';
    const u32 length = 17 + 2 + 1 + 8 + 4;
    return Head(length, 1) + table + U32Bytes(offset) + U32Bytes(size) + "data";
}
}

TEST_P(PackFileCorrupt, IsRejectedAsAFormatError)
{
    PackFixture fixture;
    EXPECT_NE(fixture.Rejection(GetParam().bytes).find("......Error: " + GetParam().error), std::string::npos)
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PackFileCorrupt,
    testing::Values(CorruptPackCase{"huge count", Head(17, 0xFFFFFFFF)},
                    CorruptPackCase{"count times eight wraps", Head(17 + 9, 0x20000001) + std::string(9, '\0')},
                    CorruptPackCase{"entry past the end", OneEntry(30, 5)},
                    CorruptPackCase{"offset and size wrap", OneEntry(0xFFFFFFF0u, 0x20)},
                    CorruptPackCase{"huge entry", OneEntry(0, 0xFFFFFFFF)},
                    CorruptPackCase{"names run past the table", Head(17 + 9, 1) + "\xFF" + std::string(8, 'x'),
                                    "Failed to read 255 bytes"},
                    CorruptPackCase{"header only", std::string("\x0D\0\0\0VEPAK", 9) + U32Bytes(100)},
                    CorruptPackCase{"empty file", ""},
                    CorruptPackCase{"wrong magic", Head(17, 0).replace(4, 5, "VEPAX")}));

TEST(PackFile, BadAppendedLengthsAreRefused)
{
    PackFixture fixture;
    const std::string pack = PackBytes({{"a", "data"}});
    const std::string file = "EXECUTABLE" + pack;
    EXPECT_THROW(fixture.Open(file, 10, static_cast<u32>(pack.size()) + 1), Error);
    EXPECT_THROW(fixture.Open(file, 1000, static_cast<u32>(pack.size())), Error);
    EXPECT_THROW(fixture.Open(file, 10, 5), Error);
}

TEST(PackFile, PackInsideAnotherFileIsReadFromItsBase)
{
    PackFixture fixture;
    const std::string pack = PackBytes({{"data\\x.txt", "inside"}});
    const std::string file = "EXECUTABLE BYTES" + pack + U32Bytes(static_cast<u32>(pack.size())) + "APC";
    auto opened = fixture.Open(file, 16, static_cast<u32>(pack.size()));
    std::vector<u8> bytes;
    ASSERT_TRUE(opened->ReadFile("data\\x.txt", bytes));
    EXPECT_EQ(Text(bytes), "inside");
}

TEST(PackFile, LargePackStaysOnDiskAndReads)
{
    PackFixture fixture;
    TestSupport::PackContents entries;
    for (int i = 0; i < 3; ++i)
        entries.push_back({"big" + std::to_string(i), std::string(4 << 20, static_cast<char>('a' + i))});
    auto pack = fixture.Open(PackBytes(entries));
    std::vector<u8> bytes;
    ASSERT_TRUE(pack->ReadFile("big2", bytes));
    EXPECT_EQ(bytes.size(), 4u << 20);
    EXPECT_EQ(bytes.front(), 'c');
    EXPECT_EQ(bytes.back(), 'c');
}

TEST(PackFile, CloseReleasesTheIndex)
{
    PackFixture fixture;
    auto pack = fixture.Open(PackBytes({{"a", "1"}}));
    pack->Close();
    EXPECT_FALSE(pack->HasFile("a"));
}

TEST(PackFileThreads, TwoReadersGetTheirOwnEntries)
{
    PackFixture fixture;
    TestSupport::PackContents entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back({"file" + std::to_string(i), std::string(300000 + i, static_cast<char>('A' + i))});
    auto pack = fixture.Open(PackBytes(entries));
    const auto readAll = [&](int first, bool& allRight) {
        allRight = true;
        for (int round = 0; round < 5; ++round)
        {
            for (int i = first; i < 40; i += 2)
            {
                std::vector<u8> bytes;
                const bool right = pack->ReadFile("file" + std::to_string(i), bytes) &&
                                   bytes.size() == static_cast<size_t>(300000 + i) &&
                                   std::all_of(bytes.begin(), bytes.end(), [&](u8 b) { return b == 'A' + i; });
                allRight = allRight && right;
            }
        }
    };
    bool evenRight = false, oddRight = false;
    std::thread other(readAll, 1, std::ref(oddRight));
    readAll(0, evenRight);
    other.join();
    EXPECT_TRUE(evenRight);
    EXPECT_TRUE(oddRight);
}
