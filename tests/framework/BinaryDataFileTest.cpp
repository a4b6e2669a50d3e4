// The header of the framework's binary files: written complete on Close, checked on reading, and a save
// that does not finish never harms the previous file.
#include "framework/BinaryDataFile.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "framework/BinaryFields.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestSupport;
using GameTools::BinaryDataFile;
using VelkorEngine::FileError;

namespace
{
class BinaryDataFileTest : public testing::Test
{
protected:
    std::string PathOf(const std::string& name) const { return folder / name; }

    void WriteBody(const std::string& name, const std::string& body)
    {
        BinaryDataFile file(&files, "GFHSF", 101);
        file.Open(PathOf(name), 1);
        file.GetFile()->Write(body.data(), static_cast<VelkorEngine::u32>(body.size()));
        file.Close();
    }

    std::string OpenError(const std::string& name, const char* magic = "GFHSF", VelkorEngine::u32 version = 101)
    {
        BinaryDataFile file(&files, magic, version);
        try
        {
            file.Open(PathOf(name), 0);
        }
        catch (const FileError& error)
        {
            return error.GetMessage();
        }
        return "no error";
    }

    TempFolder folder;
    std::unique_ptr<VelkorEngine::MessageManager> log = MakeQuietLog();
    VelkorEngine::FileManager files{log.get(), folder.Path(), ""};
};
}

TEST_F(BinaryDataFileTest, AnEmptyBodyGivesTheThirteenHeaderBytes)
{
    WriteBody("a.bin", "");
    EXPECT_EQ(folder.ReadFile("a.bin"), U32Bytes(13) + "GFHSF" + U32Bytes(101));
}

TEST_F(BinaryDataFileTest, TheStoredLengthIsTheFileSizeAndTheBodyReadsBack)
{
    WriteBody("a.bin", "body");
    EXPECT_EQ(folder.ReadFile("a.bin"), U32Bytes(17) + "GFHSF" + U32Bytes(101) + "body");
    BinaryDataFile file(&files, "GFHSF", 101);
    file.Open(PathOf("a.bin"), 0);
    EXPECT_EQ(file.GetFile()->GetPosition(), 13u);
    char body[4] = {};
    file.GetFile()->Read(body, 4);
    EXPECT_EQ(std::string(body, 4), "body");
}

TEST_F(BinaryDataFileTest, BadHeadersGiveTheExactMessages)
{
    const std::string header = "GFHSF" + U32Bytes(101);
    const struct
    {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"magic", U32Bytes(13) + "GFHSX" + U32Bytes(101), "Incorrect + \"" + PathOf("magic") + "\" file format"},
        {"longer", U32Bytes(14) + header, "Incorrect + \"" + PathOf("longer") + "\" file format"},
        {"shorter", U32Bytes(12) + header, "Incorrect + \"" + PathOf("shorter") + "\" file format"},
        {"version", U32Bytes(13) + "GFHSF" + U32Bytes(100),
         "Incorrect \"" + PathOf("version") + "\" format version (100), current is 101"},
        {"short", U32Bytes(12) + "GFHSF" + Bytes({101, 0, 0}),
         "Failed to read 13 bytes from \"" + PathOf("short") + "\" file"},
    };
    for (const auto& c : cases)
    {
        folder.WriteFile(c.name, c.bytes);
        EXPECT_EQ(OpenError(c.name), c.message) << c.name;
    }
}

TEST_F(BinaryDataFileTest, AnyVersionIsAcceptedOnRequestAndReported)
{
    folder.WriteFile("old", U32Bytes(13) + "GFHSF" + U32Bytes(99));
    BinaryDataFile file(&files, "GFHSF", 101);
    VelkorEngine::u32 stored = 0;
    file.Open(PathOf("old"), 0, 1, &stored);
    EXPECT_EQ(stored, 99u);
}

TEST_F(BinaryDataFileTest, OpeningAgainFinishesThePendingWriteFirst)
{
    BinaryDataFile file(&files, "GFHSF", 101);
    file.Open(PathOf("first"), 1);
    GameTools::WriteU32(*file.GetFile(), 7);
    file.Open(PathOf("second"), 1);
    file.Close();
    EXPECT_EQ(folder.ReadFile("first"), U32Bytes(17) + "GFHSF" + U32Bytes(101) + U32Bytes(7));
    EXPECT_EQ(folder.ReadFile("second"), U32Bytes(13) + "GFHSF" + U32Bytes(101));
}

TEST_F(BinaryDataFileTest, AnAbandonedWriteLeavesThePreviousFileAndNoTemporaryFile)
{
    WriteBody("keep", "old body");
    const std::string before = folder.ReadFile("keep");
    BinaryDataFile file(&files, "GFHSF", 101);
    file.Open(PathOf("keep"), 1);
    GameTools::WriteU32(*file.GetFile(), 1);
    file.Abandon();
    EXPECT_EQ(folder.ReadFile("keep"), before);
    EXPECT_FALSE(std::filesystem::exists(PathOf("keep.tmp")));
}

TEST_F(BinaryDataFileTest, AnExceptionThroughTheOwnerDropsTheWrite)
{
    WriteBody("keep", "old body");
    const std::string before = folder.ReadFile("keep");
    try
    {
        BinaryDataFile file(&files, "GFHSF", 101);
        file.Open(PathOf("keep"), 1);
        GameTools::WriteU32(*file.GetFile(), 1);
        throw std::runtime_error("disk full");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(folder.ReadFile("keep"), before);
    EXPECT_FALSE(std::filesystem::exists(PathOf("keep.tmp")));
}

TEST_F(BinaryDataFileTest, AProcessThatDiesHalfWayThroughASaveLeavesThePreviousFileIntact)
{
    WriteBody("keep", "old body");
    const std::string before = folder.ReadFile("keep");
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0)
    {
        BinaryDataFile file(&files, "GFHSF", 101);
        file.Open(PathOf("keep"), 1);
        GameTools::WriteU32(*file.GetFile(), 1);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(folder.ReadFile("keep"), before);
    EXPECT_EQ(OpenError("keep"), "no error");
    // The next save replaces the file and takes the leftover temporary file with it.
    WriteBody("keep", "new");
    EXPECT_EQ(folder.ReadFile("keep"), U32Bytes(16) + "GFHSF" + U32Bytes(101) + "new");
    EXPECT_FALSE(std::filesystem::exists(PathOf("keep.tmp")));
}
