// The 13-byte header: written as a placeholder and patched with the length, and checked by readers.
#include "engine/files/BinaryFileHeader.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::MemoryFile;
using TestSupport::TempFolder;
using TestSupport::U32Bytes;

namespace
{
std::string CheckError(const std::string& bytes, u32 current, u32 older = BinaryFileHeader::NoOlderVersion)
{
    auto file = MemoryFile(bytes);
    try
    {
        BinaryFileHeader::ReadChecked(*file, "models\\ball.vml", "VEMLF", current, older);
    }
    catch (const FileError& error)
    {
        return error.GetMessage();
    }
    return "accepted";
}
}

TEST(BinaryFileHeader, PlaceholderIsPatchedWithTheLengthWritten)
{
    TempFolder folder;
    {
        FileBinary file(nullptr, folder / "scores.dat", 1, 0, 0, 0, nullptr);
        BinaryFileHeader::WritePlaceholder(file, "GFHSF", 101);
        file.Write("body!", 5);
        BinaryFileHeader::WriteFinal(file, "GFHSF", 101);
    }
    EXPECT_EQ(folder.ReadFile("scores.dat"), U32Bytes(18) + "GFHSF" + U32Bytes(101) + "body!");
}

TEST(BinaryFileHeader, ReadsItsFields)
{
    auto file = MemoryFile(U32Bytes(13) + "VEPAK" + U32Bytes(100));
    BinaryFileHeader header;
    header.Read(*file);
    EXPECT_EQ(header.length, 13u);
    EXPECT_EQ(header.GetMagic(), "VEPAK");
    EXPECT_EQ(header.version, 100u);
    EXPECT_TRUE(header.HasMagic("VEPAK"));
    EXPECT_FALSE(header.HasMagic("VEPAX"));
}

TEST(BinaryFileHeader, CheckAcceptsTheCurrentAndTheOneOlderVersion)
{
    const std::string body = "xyz";
    EXPECT_EQ(CheckError(U32Bytes(16) + "VEMLF" + U32Bytes(202) + body, 202, 201), "accepted");
    EXPECT_EQ(CheckError(U32Bytes(16) + "VEMLF" + U32Bytes(201) + body, 202, 201), "accepted");
    EXPECT_EQ(CheckError(U32Bytes(16) + "VEMLF" + U32Bytes(200) + body, 202, 201),
              "Incorrect \"models\\ball.vml\" format version, current is 202");
    EXPECT_EQ(CheckError(U32Bytes(16) + "VEMLF" + U32Bytes(201) + body, 202),
              "Incorrect \"models\\ball.vml\" format version, current is 202");
}

TEST(BinaryFileHeader, CheckRejectsWrongMagicAndLength)
{
    const std::string formatError = "Incorrect \"models\\ball.vml\" file format";
    EXPECT_EQ(CheckError(U32Bytes(15) + "VEMLF" + U32Bytes(202) + "xyz", 202), formatError);
    EXPECT_EQ(CheckError(U32Bytes(17) + "VEMLF" + U32Bytes(202) + "xyz", 202), formatError);
    EXPECT_EQ(CheckError(U32Bytes(16) + "VEMLX" + U32Bytes(202) + "xyz", 202), formatError);
    EXPECT_EQ(CheckError(U32Bytes(12) + "VEMLF" + U32Bytes(202).substr(0, 3), 202), formatError);
    EXPECT_EQ(CheckError("", 202), formatError);
}
