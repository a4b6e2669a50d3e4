// Binary files: seeking limits, short reads, the string encodings, preloading, and writes that replace a file
// only when complete.
#include "engine/files/FileBinary.h"

#include "engine/core/Error.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace VelkorEngine;
using TestSupport::Bytes;
using TestSupport::MemoryFile;
using TestSupport::TempFolder;

namespace
{
struct SeekCase
{
    u32 start;
    u32 origin;
    i64 offset;
    u32 position;
    bool result;
};

class FileBinarySeek : public testing::TestWithParam<SeekCase>
{
};
}

TEST_P(FileBinarySeek, LimitsThePosition)
{
    const SeekCase& c = GetParam();
    auto file = MemoryFile(std::string(100, 'x'));
    file->Seek(0, c.start);
    EXPECT_EQ(file->Seek(c.origin, c.offset), c.result);
    EXPECT_EQ(file->GetPosition(), c.position);
}

INSTANTIATE_TEST_SUITE_P(Table, FileBinarySeek,
                         testing::Values(SeekCase{0, 1, 0, 99, false}, SeekCase{0, 1, 101, 0, false},
                                         SeekCase{0, 1, 100, 0, true}, SeekCase{0, 0, 100, 99, false},
                                         SeekCase{2, 2, -5, 0, false}, SeekCase{10, 2, 5, 15, true},
                                         SeekCase{0, 0, 42, 42, true}, SeekCase{7, 9, 3, 7, true},
                                         SeekCase{0, 0, -1, 0, false}, SeekCase{0, 0, 0x100000000LL, 99, false}));

TEST(FileBinary, SeekOnAnEmptyFileStaysAtZero)
{
    auto file = MemoryFile("");
    EXPECT_TRUE(file->Seek(0, 0));
    EXPECT_FALSE(file->Seek(0, 5));
    EXPECT_EQ(file->GetPosition(), 0u);
    u32 got = 7;
    char byte = 0;
    file->Read(&byte, 1, &got);
    EXPECT_EQ(got, 0u);
}

TEST(FileBinary, ShortReadWithCountReportsWhatWasThere)
{
    std::string bytes(100, 0);
    for (int i = 0; i < 100; ++i)
        bytes[i] = static_cast<char>(i);
    auto file = MemoryFile(bytes);
    file->Seek(0, 95);
    char buffer[10] = {};
    u32 got = 0;
    file->Read(buffer, 10, &got);
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(std::string(buffer, 5), bytes.substr(95));
    EXPECT_EQ(file->GetPosition(), 100u);
}

TEST(FileBinary, ShortReadWithoutCountCopiesThenThrowsNamingTheRequest)
{
    auto file = MemoryFile(std::string(100, 'a'));
    file->Seek(0, 95);
    char buffer[10] = {};
    try
    {
        file->Read(buffer, 10);
        FAIL() << "no error";
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Failed to read 10 bytes from \"memory\" file");
    }
    EXPECT_EQ(std::string(buffer, 5), "aaaaa");
    EXPECT_EQ(file->GetPosition(), 100u);
}

TEST(FileBinary, ReadOfNothingReportsZero)
{
    auto file = MemoryFile("abc");
    u32 got = 9;
    file->Read(nullptr, 0, &got);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(file->GetPosition(), 0u);
}

TEST(FileBinary, NarrowStringEndsAtItsFirstZero)
{
    auto file = MemoryFile(Bytes({6, 'a', 'b', 'c', 0, 'x', 'y', 'Z'}));
    std::string text;
    file->ReadString(text);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(file->GetPosition(), 7u);
}

TEST(FileBinary, NarrowStringWithoutZeroTakesAllItsBytes)
{
    auto file = MemoryFile(Bytes({3, 'a', 'b', 'c'}));
    std::string text;
    file->ReadString(text);
    EXPECT_EQ(text, "abc");
}

TEST(FileBinary, TruncatedStringThrows)
{
    auto file = MemoryFile(Bytes({200, 'a'}));
    std::string text;
    EXPECT_THROW(file->ReadString(text), FileError);
    auto wide = MemoryFile(Bytes({100, 'a', 0}));
    std::wstring wideText;
    EXPECT_THROW(wide->ReadWideString(wideText), FileError);
}

TEST(FileBinary, WideStringIsWrittenAsUtf16WithCountAndZero)
{
    TempFolder folder;
    {
        FileBinary file(nullptr, folder / "wide.bin", 1, 0, 0, 0, nullptr);
        file.WriteWideString(L"Ann");
        file.Close();
    }
    EXPECT_EQ(folder.ReadFile("wide.bin"), Bytes({4, 'A', 0, 'n', 0, 'n', 0, 0, 0}));
}

TEST(FileBinary, WideStringsRoundTripBeyondTheBasicPlane)
{
    TempFolder folder;
    const std::wstring text = L"Hé \x0416 \x1F600!";
    {
        FileBinary file(nullptr, folder / "wide.bin", 1, 0, 0, 0, nullptr);
        file.WriteWideString(text);
        file.WriteWideString(L"");
    }
    // The emoji takes a surrogate pair: 7 characters, 8 units, 9 with the zero.
    const std::string bytes = folder.ReadFile("wide.bin");
    ASSERT_EQ(bytes.size(), 1u + 18u + 1u + 2u);
    EXPECT_EQ(bytes[0], 9);
    EXPECT_EQ(bytes.substr(11, 4), Bytes({0x3D, 0xD8, 0x00, 0xDE}));
    FileBinary file(nullptr, folder / "wide.bin", 0, 0, 0, 0, nullptr);
    std::wstring read;
    file.ReadWideString(read);
    EXPECT_EQ(read, text);
    file.ReadWideString(read);
    EXPECT_EQ(read, L"");
}

TEST(FileBinary, WideStringStopsAtZeroUnitAndMendsLoneSurrogates)
{
    auto file = MemoryFile(Bytes({4, 'a', 0, 0x00, 0xD8, 0, 0, 'b', 0}));
    std::wstring text;
    file->ReadWideString(text);
    EXPECT_EQ(text, std::wstring(L"a") + wchar_t(0xFFFD));
    EXPECT_EQ(file->GetPosition(), 9u);
}

TEST(FileBinary, WideStringTooLongForItsCountIsRefused)
{
    TempFolder folder;
    FileBinary file(nullptr, folder / "long.bin", 1, 0, 0, 0, nullptr);
    EXPECT_NO_THROW(file.WriteWideString(std::wstring(254, L'a')));
    EXPECT_THROW(file.WriteWideString(std::wstring(255, L'a')), FileError);
}

TEST(FileBinary, ByteAndDwordAreLittleEndian)
{
    TempFolder folder;
    {
        FileBinary file(nullptr, folder / "n.bin", 1, 0, 0, 0, nullptr);
        file.WriteByte(0x1234);
        const u8 dword[4] = {0x78, 0x56, 0x34, 0x12};
        file.Write(dword, 4);
        EXPECT_EQ(file.GetSize(), 5u);
    }
    EXPECT_EQ(folder.ReadFile("n.bin"), Bytes({0x34, 0x78, 0x56, 0x34, 0x12}));
    FileBinary file(nullptr, folder / "n.bin", 0, 0, 0, 0, nullptr);
    file.Seek(0, 1);
    u32 value = 0;
    file.ReadDword(value);
    EXPECT_EQ(value, 0x12345678u);
    EXPECT_THROW(file.ReadDword(value), FileError);
}

TEST(FileBinary, MissingFileCannotBeOpened)
{
    TempFolder folder;
    const std::string name = folder / "missing.bin";
    try
    {
        FileBinary file(nullptr, name, 0, 0, 0, 0, nullptr);
        FAIL() << "opened";
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Failed to open \"" + name + "\" file");
    }
}

TEST(FileBinary, FolderIsNoFile)
{
    TempFolder folder;
    EXPECT_THROW(FileBinary(nullptr, folder.Path(), 0, 0, 0, 0, nullptr), FileError);
}

TEST(FileBinary, WritingThroughAFileOpenedForReadingThrows)
{
    auto file = MemoryFile("abc");
    u32 written = 5;
    EXPECT_THROW(file->Write("x", 1), FileError);
    EXPECT_THROW(file->Write("x", 1, &written), FileError);
    TempFolder folder;
    folder.WriteFile("disk.bin", "abc");
    FileBinary disk(nullptr, folder / "disk.bin", 0, 0, 0, 0, nullptr);
    EXPECT_THROW(disk.WriteByte(1), FileError);
    EXPECT_EQ(folder.ReadFile("disk.bin"), "abc");
}

TEST(FileBinary, FilesUpToTheLimitAreReadIntoMemory)
{
    TempFolder folder;
    std::string bytes(FileBinary::PreloadLimit, 'a');
    bytes.back() = 'z';
    folder.WriteFile("limit.bin", bytes);
    folder.WriteFile("larger.bin", bytes + "!");
    FileBinary atLimit(nullptr, folder / "limit.bin", 0, 0, 0, 0, nullptr);
    FileBinary larger(nullptr, folder / "larger.bin", 0, 0, 0, 0, nullptr);
    FileBinary preloaded(nullptr, folder / "larger.bin", 0, 1, 0, 0, nullptr);
    // A memory-backed file reads on after its disk file is gone; the larger one still needs its disk file.
    std::filesystem::remove(folder / "limit.bin");
    EXPECT_EQ(atLimit.GetSize(), FileBinary::PreloadLimit);
    EXPECT_EQ(larger.GetSize(), FileBinary::PreloadLimit + 1);
    for (FileBinary* file : {&atLimit, &larger, &preloaded})
    {
        file->Seek(0, FileBinary::PreloadLimit - 1);
        char last[2] = {};
        u32 got = 0;
        file->Read(last, 2, &got);
        EXPECT_EQ(got, file == &atLimit ? 1u : 2u);
        EXPECT_EQ(last[0], 'z');
    }
}

// A small file is read whole into the caller's buffer when the first read asks for all of it, and into memory
// when it asks for a part: either way every later seek and read sees the same bytes.
TEST(FileBinary, SmallFileReadsTheSameWhateverTheFirstReadAsks)
{
    TempFolder folder;
    const std::string bytes = "0123456789abcdef";
    folder.WriteFile("small.bin", bytes);
    for (const u32 first : {16u, 40u, 4u})
    {
        FileBinary file(nullptr, folder / "small.bin", 0, 0, 0, 0, nullptr);
        std::string read(first, '\0');
        u32 got = 0;
        file.Read(read.data(), first, &got);
        EXPECT_EQ(read.substr(0, got), bytes.substr(0, first)) << first;
        EXPECT_EQ(file.GetPosition(), std::min<u32>(first, 16)) << first;
        file.Seek(0, 10);
        char tail[6] = {};
        file.Read(tail, 6);
        EXPECT_EQ(std::string(tail, 6), "abcdef") << first;
        file.Seek(0, 0);
        std::string again(16, '\0');
        file.Read(again.data(), 16);
        EXPECT_EQ(again, bytes) << first;
    }
}

TEST(FileBinary, DiskBackedFileSeeksAndReads)
{
    TempFolder folder;
    std::string bytes(FileBinary::PreloadLimit + 100, 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    folder.WriteFile("big.bin", bytes);
    FileBinary file(nullptr, folder / "big.bin", 0, 0, 0, 0, nullptr);
    char chunk[16] = {};
    file.Seek(1, 16);
    file.Read(chunk, 16);
    EXPECT_EQ(std::string(chunk, 16), bytes.substr(bytes.size() - 16));
    file.Seek(0, 1000);
    file.Read(chunk, 16);
    EXPECT_EQ(std::string(chunk, 16), bytes.substr(1000, 16));
}

TEST(FileBinary, WrittenFileAppearsOnlyWhenClosed)
{
    TempFolder folder;
    folder.WriteFile("save.dat", "old");
    {
        FileBinary file(nullptr, folder / "save.dat", 1, 0, 0, 0, nullptr);
        file.Write("new content", 11);
        EXPECT_EQ(folder.ReadFile("save.dat"), "old");
    }
    EXPECT_EQ(folder.ReadFile("save.dat"), "new content");
    EXPECT_FALSE(std::filesystem::exists(folder / "save.dat.tmp"));
}

TEST(FileBinary, FileAbandonedByAnExceptionLeavesTheOldOne)
{
    TempFolder folder;
    folder.WriteFile("save.dat", "old");
    try
    {
        FileBinary file(nullptr, folder / "save.dat", 1, 0, 0, 0, nullptr);
        file.Write("half", 4);
        throw Error("interrupted");
    }
    catch (const Error&)
    {
    }
    EXPECT_EQ(folder.ReadFile("save.dat"), "old");
    EXPECT_FALSE(std::filesystem::exists(folder / "save.dat.tmp"));
}

TEST(FileBinary, UnwritableFolderCannotBeOpenedForWriting)
{
    TempFolder folder;
    EXPECT_THROW(FileBinary(nullptr, folder / "no/such/folder/file.bin", 1, 0, 0, 0, nullptr), FileError);
}

TEST(FileBinary, NamesResolveIgnoringCaseAndBackslashes)
{
    TempFolder folder;
    folder.WriteFile("Data/Sub/File.BIN", "found");
    FileBinary file(nullptr, folder.Path() + "\\data\\SUB\\file.bin", 0, 0, 0, 0, nullptr);
    char bytes[5] = {};
    file.Read(bytes, 5);
    EXPECT_EQ(std::string(bytes, 5), "found");
}
