// The file manager: loose files before packs, pack order, names in any case and with either separator,
// listing rules, broken packs left out, the path helpers, and folder creation and guarded deletion.
#include "engine/files/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileTextual.h"
#include "platform/core/Paths.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/PackTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace VelkorEngine;
using TestSupport::TempFolder;
using Strings = std::vector<std::string>;

namespace
{
std::string ReadAll(FileBinary& file)
{
    std::string bytes(file.GetSize(), '\0');
    file.Read(bytes.data(), file.GetSize());
    return bytes;
}

std::unique_ptr<FileBinary> OpenForReading(FileManager& manager, const std::string& name)
{
    return manager.OpenBinary(name, FileBinary::ForReading, FileBinary::ReadAsNeeded);
}

struct Installation
{
    TempFolder folder;
    std::unique_ptr<MessageManager> log = TestSupport::MakeQuietLog();

    void Pack(const std::string& name, const TestSupport::PackContents& entries)
    {
        std::filesystem::create_directories(folder / "Data");
        TestSupport::WriteTestPack(folder / ("Data/" + name), entries);
    }

    std::unique_ptr<FileManager> Manager() { return std::make_unique<FileManager>(log.get(), folder.Path(), "Data"); }
};

// Relative names start at the installation folder: point it at a test folder for one test.
class InstallationFolderAt
{
public:
    explicit InstallationFolderAt(const std::string& folder) { Platform::SetInstallationFolder(folder); }
    ~InstallationFolderAt() { Platform::SetInstallationFolder(""); }
};
}

TEST(FileManager, LooseFileWinsOverThePackEntry)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\font.xml", "packed"}});
    install.folder.WriteFile("Data/UI/Font.xml", "loose");
    auto manager = install.Manager();
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "data\\ui\\font.xml")), "loose");
    std::filesystem::remove(install.folder / "Data/UI/Font.xml");
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "data\\ui\\font.xml")), "packed");
}

// A pack read skips the search for a loose file in another case when the data folder holds none; a file the
// program writes there, in whatever case, wins from the next read on.
TEST(FileManager, ALooseFileTheProgramWritesInAnotherCaseWinsAtOnce)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\font.xml", "packed"}, {"data\\ui\\other.xml", "other"}});
    install.folder.WriteFile("Data/UI/Other.XML", "loose other");
    auto manager = install.Manager();
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "data\\ui\\font.xml")), "packed");
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "data\\ui\\other.xml")), "loose other");
    {
        auto written = manager->OpenBinary("Data\\UI\\FONT.XML", FileBinary::ForWriting, FileBinary::ReadAsNeeded);
        written->Write("loose", 5);
        written->Close();
    }
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "data\\ui\\font.xml")), "loose");
}

TEST(FileManager, NamesFindPackEntriesInAnyCaseAndWithDoubledSeparators)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\font.xml", "packed"}});
    auto manager = install.Manager();
    for (const char* name : {"Data\\UI\\Font.xml", "data\\\\ui\\\\font.xml", "DATA/ui/FONT.xml"})
    {
        EXPECT_TRUE(manager->Exists(name)) << name;
        EXPECT_EQ(ReadAll(*OpenForReading(*manager, name)), "packed") << name;
    }
}

TEST(FileManager, FirstPackInOrderAnswers)
{
    Installation install;
    install.Pack("pack1.pak", {{"x", "second"}});
    install.Pack("Pack0.pak", {{"x", "first"}, {"only0", "0"}});
    auto manager = install.Manager();
    EXPECT_EQ(manager->GetPackCount(), 2u);
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, "x")), "first");
    u32 size = 0;
    std::vector<u8> bytes;
    EXPECT_TRUE(manager->FindInPacks("ONLY0", &size, &bytes));
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(bytes, std::vector<u8>{'0'});
    EXPECT_FALSE(manager->FindInPacks("none", &size, nullptr));
}

TEST(FileManager, BrokenPackIsLoggedAndLeftOut)
{
    Installation install;
    install.Pack("a.pak", {{"x", "good"}});
    install.folder.WriteFile("Data/b.pak", "not a pack at all, not at all");
    auto manager = install.Manager();
    EXPECT_EQ(manager->GetPackCount(), 1u);
    const std::string log = TestSupport::LogText(*install.log);
    EXPECT_EQ(log.rfind("Initialization of File Manager...\n", 0), 0u);
    EXPECT_NE(log.find("......It contains 1 files...\n"), std::string::npos);
    EXPECT_NE(log.find("b.pak found...\n......Error: Incorrect pack file format!\n"), std::string::npos);
}

TEST(FileManager, MissingFileNamesItsPath)
{
    Installation install;
    auto manager = install.Manager();
    try
    {
        OpenForReading(*manager, "data\\missing.txt");
        FAIL() << "opened";
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Failed to open \"" + install.folder.Path() + "\\data\\missing.txt\" file");
    }
    EXPECT_FALSE(manager->Exists("data\\missing.txt"));
}

TEST(FileManager, TextFromAPackEntry)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\lighting.ini", "1 2.5\r\nsecond"}});
    auto manager = install.Manager();
    auto text = manager->OpenTextual("data\\lighting.ini", 0, 0);
    EXPECT_EQ(text->ReadInt(), 1);
    EXPECT_FLOAT_EQ(text->ReadFloat(), 2.5f);
}

TEST(FileManager, WritingCreatesTheFoldersAndReadsBack)
{
    Installation install;
    auto manager = install.Manager();
    {
        auto text = manager->OpenTextual("profiles\\new\\player.ini", 1, 0);
        text->WriteString("name Ann");
        text->WriteNewLine();
        text->Close();
    }
    EXPECT_EQ(install.folder.ReadFile("profiles/new/player.ini"), "name Ann\r\n");
    std::string line;
    EXPECT_TRUE(manager->OpenTextual("PROFILES\\New\\Player.ini", 0, 0)->ReadLine(line, 0, 0));
    EXPECT_EQ(line, "name Ann");
}

TEST(FileManager, AbsoluteNamesAreNotJoinedToTheBase)
{
    Installation install;
    TempFolder elsewhere;
    elsewhere.WriteFile("file.txt", "there");
    auto manager = install.Manager();
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, elsewhere / "file.txt")), "there");
    EXPECT_TRUE(manager->Exists(elsewhere / "file.txt"));
}

TEST(FileManager, FoldersExistOnDiskOrInsideAPack)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\windows\\main.xml", "x"}});
    install.folder.WriteFile("Data/Sounds/a.wav", "x");
    auto manager = install.Manager();
    EXPECT_TRUE(manager->FolderExists("data\\sounds"));
    EXPECT_TRUE(manager->FolderExists("data\\ui\\windows"));
    EXPECT_TRUE(manager->FolderExists("Data\\UI"));
    EXPECT_FALSE(manager->FolderExists("data\\music"));
}

TEST(FileManager, OnePackAloneKeepsItsOrder)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\windows\\z.xml", ""}, {"data\\ui\\windows\\old\\b.xml", ""},
                               {"data\\ui\\windows\\a.xml", ""}});
    auto manager = install.Manager();
    Strings listed;
    manager->ListFiles("Data\\UI\\Windows", "*.xml", listed);
    EXPECT_EQ(listed, (Strings{"data\\ui\\windows\\z.xml", "data\\ui\\windows\\old\\b.xml", "data\\ui\\windows\\a.xml"}));
}

// Loose files are named as the pack's entries are, from the installation folder on, in their case on disk below
// the folder asked for; one in another case than a pack entry of its name stands for it.
TEST(FileManager, LooseFilesMakeTheListingSortedAndUnique)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\ui\\windows\\z.xml", ""}, {"data\\ui\\windows\\main.xml", ""},
                               {"data\\ui\\windows\\a.xml", ""}});
    install.folder.WriteFile("Data/UI/Windows/Main.XML", "");
    install.folder.WriteFile("Data/UI/Windows/notes.txt", "");
    install.folder.WriteFile("Data/UI/Windows/Sub.xml/inner.xml", "");
    auto manager = install.Manager();
    Strings listed;
    manager->ListFiles("data\\ui\\windows", "*.xml", listed);
    EXPECT_EQ(listed, (Strings{"data\\ui\\windows\\a.xml", "data\\ui\\windows\\Main.XML",
                               "data\\ui\\windows\\Sub.xml\\inner.xml", "data\\ui\\windows\\z.xml"}));
    for (const std::string& name : listed)
        EXPECT_NO_THROW(OpenForReading(*manager, name)) << name;
}

TEST(FileManager, TwoPacksMakeTheListingSortedAndUnique)
{
    Installation install;
    install.Pack("pack0.pak", {{"d\\b", ""}, {"d\\a", ""}});
    install.Pack("pack1.pak", {{"d\\a", ""}, {"d\\c", ""}});
    auto manager = install.Manager();
    Strings listed;
    manager->ListFiles("d", "*", listed);
    EXPECT_EQ(listed, (Strings{"d\\a", "d\\b", "d\\c"}));
}

TEST(FileManager, FindFilesSearchesMatchingSubFoldersOnly)
{
    TempFolder folder;
    folder.WriteFile("Top/A.pak", "");
    folder.WriteFile("Top/b.txt", "");
    folder.WriteFile("Top/inner.pak/C.PAK", "");
    folder.WriteFile("Top/plain/d.pak", "");
    Strings found;
    FileManager::FindFiles(folder / "Top", "*.pak", found);
    const std::string top = folder / "Top";
    EXPECT_EQ(found, (Strings{top + "\\A.pak", top + "\\inner.pak\\C.PAK"}));
}

// Folder links that lead back up the tree are searched once, not followed round and round.
TEST(FileManager, FindFilesEntersEachFolderOnce)
{
    TempFolder folder;
    folder.WriteFile("Top/a.txt", "");
    folder.WriteFile("Top/Sub/b.txt", "");
    folder.WriteFile("Elsewhere/c.txt", "");
    std::filesystem::create_directory_symlink(".", folder / "Top/again");
    std::filesystem::create_directory_symlink("..", folder / "Top/Sub/up");
    std::filesystem::create_directory_symlink("../Elsewhere", folder / "Top/Linked");
    Strings found;
    FileManager::FindFiles(folder / "Top", "*", found);
    const std::string top = folder / "Top";
    EXPECT_EQ(found, (Strings{top + "\\a.txt", top + "\\Linked\\c.txt", top + "\\Sub\\b.txt"}));
}

TEST(FileManager, FindFilesOfARelativeFolderStartsWithThatFolder)
{
    TempFolder folder;
    folder.WriteFile("Data/UI/One.xml", "");
    InstallationFolderAt installation(folder.Path());
    Strings found;
    FileManager::FindFiles("data\\ui", "*.xml", found);
    EXPECT_EQ(found, Strings{"data\\ui\\One.xml"});
    std::string absolute;
    FileManager::MakeAbsolutePath("Data\\UI", absolute);
    EXPECT_EQ(absolute, folder.Path() + "\\Data\\UI");
    EXPECT_TRUE(FileExistsOnDisk("data\\ui\\one.xml"));
    EXPECT_TRUE(FileExistsOnDisk("data\\ui"));
    EXPECT_FALSE(FileExistsOnDisk("data\\ui\\two.xml"));
}

TEST(FileManager, CreateFoldersLeavesTheLastPartAlone)
{
    TempFolder folder;
    FileManager::CreateFolders(folder.Path() + "\\a\\b/c.txt");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a/b"));
    EXPECT_FALSE(std::filesystem::exists(folder / "a/b/c.txt"));
}

TEST(FileManager, DeleteFolderRemovesEverythingInside)
{
    TempFolder folder;
    folder.WriteFile("Profiles/Ann/profile.dat", "x");
    EXPECT_TRUE(FileManager::DeleteFolder(folder.Path() + "\\profiles\\ann"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Profiles/Ann"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Profiles"));
}

TEST(FileManager, DeleteFolderRefusesTheInstallationAndAroundIt)
{
    TempFolder folder;
    folder.WriteFile("Game/keep.txt", "x");
    InstallationFolderAt installation(folder / "Game");
    for (const std::string& path : {std::string(), std::string("."), std::string(".."), folder / "Game",
                                    folder.Path(), std::string("/"), Platform::GetExecutableFolder()})
        EXPECT_FALSE(FileManager::DeleteFolder(path)) << path;
    EXPECT_TRUE(std::filesystem::exists(folder / "Game/keep.txt"));
}

TEST(FileManager, UserDataFolderIsCreated)
{
    TempFolder folder;
    ::setenv("XDG_DATA_HOME", (folder / "share").c_str(), 1);
    EXPECT_EQ(FileManager::GetUserDataFolder(), folder / "share");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "share"));
}

TEST(FileManager, DataPathOfRelativeAndAbsoluteNames)
{
    EXPECT_EQ(FileManager::GetDataPath("ui\\a.xml"), "data\\ui\\a.xml");
    EXPECT_EQ(FileManager::GetDataPath("C:\\a.xml"), "C:\\a.xml");
    EXPECT_EQ(FileManager::GetDataPath("/home/a.xml"), "/home/a.xml");
    EXPECT_EQ(FileManager::GetDataPath("\\common\\a.tga"), "data\\\\common\\a.tga");
}

TEST(FileManager, LeadingBackslashNamesOpenInsideTheBaseFolder)
{
    Installation install;
    install.folder.WriteFile("Data/Common/smoke00.tga", "smoke");
    auto manager = install.Manager();
    const std::string name = FileManager::GetDataPath("\\common\\smoke00.tga");
    EXPECT_TRUE(manager->Exists(name));
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, name)), "smoke");
    std::string absolute;
    FileManager::MakeAbsolutePath("\\common", absolute);
    EXPECT_EQ(absolute, Platform::GetInstallationFolder() + "\\\\common");
}

TEST(FileManager, LeadingBackslashNamesFindPackEntries)
{
    Installation install;
    install.Pack("pack0.pak", {{"data\\common\\smoke01.tga", "packed"}});
    auto manager = install.Manager();
    EXPECT_EQ(ReadAll(*OpenForReading(*manager, FileManager::GetDataPath("\\common\\smoke01.tga"))), "packed");
}

namespace
{
struct PathPartsCase
{
    std::string path;
    std::string fileName;
    std::string directory;
    std::string extension;
};

class PathTexts : public testing::TestWithParam<PathPartsCase>
{
};
}

TEST_P(PathTexts, SplitAtTheLastSeparatorAndPoint)
{
    const PathPartsCase& c = GetParam();
    EXPECT_EQ(GetPathFileName(c.path), c.fileName);
    EXPECT_EQ(GetPathDirectory(c.path), c.directory);
    EXPECT_EQ(GetPathExtension(c.path), c.extension);
}

INSTANTIATE_TEST_SUITE_P(Table, PathTexts,
                         testing::Values(PathPartsCase{"data\\ui\\main.xml", "main.xml", "data\\ui", "xml"},
                                         PathPartsCase{"main", "main", "", ""}, PathPartsCase{"/opt/game\\a.b.c", "a.b.c", "/opt/game", "c"},
                                         PathPartsCase{"dir/file", "file", "dir", ""}, PathPartsCase{"", "", "", ""}));

TEST(FileManager, ChangePathExtension)
{
    const auto changed = [](std::string path, const std::string& extension) {
        ChangePathExtension(path, extension);
        return path;
    };
    EXPECT_EQ(changed("a.b.c", "x"), "a.b.x");
    EXPECT_EQ(changed("a.b.c", ""), "a.b");
    EXPECT_EQ(changed("name", "tga"), "name.tga");
    EXPECT_EQ(changed("name", ""), "name");
    EXPECT_TRUE(PathHasExtension("shot.JPG", "jpg"));
    EXPECT_FALSE(PathHasExtension("shot.jpeg", "jpg"));
}
