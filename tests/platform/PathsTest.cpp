// The path resolver: separators, drive letters, relative names, case-insensitive components with the exact
// name first, folder listing by mask, and the file operations built on it.
#include "platform/core/Paths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using TestSupport::TempFolder;

namespace
{
class InstallationFolderAt
{
public:
    explicit InstallationFolderAt(const std::string& folder) { Platform::SetInstallationFolder(folder); }
    ~InstallationFolderAt() { Platform::SetInstallationFolder(""); }
};

std::vector<std::string> Names(const std::vector<Platform::FolderEntry>& entries)
{
    std::vector<std::string> names;
    for (const Platform::FolderEntry& entry : entries)
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    return names;
}
}

TEST(Paths, ComponentsMatchIgnoringCaseWithEitherSeparator)
{
    TempFolder folder;
    folder.WriteFile("Data/UI/Font.xml", "x");
    const std::string expected = folder / "Data/UI/Font.xml";
    EXPECT_EQ(Platform::ResolvePath(folder.Path() + "\\data\\ui\\FONT.XML"), expected);
    EXPECT_EQ(Platform::ResolvePath(folder.Path() + "//DATA\\\\ui/font.xml"), expected);
}

TEST(Paths, ExactNameWinsOverOtherCases)
{
    TempFolder folder;
    folder.WriteFile("a/x", "lower");
    folder.WriteFile("A/x", "upper");
    EXPECT_EQ(Platform::ResolvePath(folder / "A/x"), folder / "A/x");
    EXPECT_EQ(Platform::ResolvePath(folder / "a/x"), folder / "a/x");
}

TEST(Paths, MissingPartsStayAsWritten)
{
    TempFolder folder;
    EXPECT_EQ(Platform::ResolvePath(folder.Path() + "\\New\\file.txt"), folder / "New/file.txt");
}

TEST(Paths, DriveLettersAndRootsAreAbsolute)
{
    TempFolder folder;
    folder.WriteFile("Inner/f", "x");
    EXPECT_EQ(Platform::ResolvePath("C:" + folder.Path() + "\\inner\\F"), folder / "Inner/f");
    EXPECT_TRUE(Platform::IsAbsolutePath("C:\\x"));
    EXPECT_TRUE(Platform::IsAbsolutePath("/x"));
    EXPECT_FALSE(Platform::IsAbsolutePath("\\\\server\\x"));
    EXPECT_FALSE(Platform::IsAbsolutePath("\\common\\smoke00.tga"));
    EXPECT_FALSE(Platform::IsAbsolutePath("data\\x"));
    EXPECT_FALSE(Platform::IsAbsolutePath(""));
}

TEST(Paths, RelativeNamesStartAtTheInstallationFolder)
{
    TempFolder folder;
    folder.WriteFile("Game/Data/a.txt", "x");
    EXPECT_EQ(Platform::GetInstallationFolder(), Platform::GetExecutableFolder());
    InstallationFolderAt installation(folder.Path() + "\\game");
    EXPECT_EQ(Platform::GetInstallationFolder(), folder / "Game");
    EXPECT_EQ(Platform::ResolvePath("data\\A.TXT"), folder / "Game/Data/a.txt");
    EXPECT_EQ(Platform::ResolvePath(""), folder / "Game");
    EXPECT_TRUE(Platform::PathExists("data"));
    EXPECT_TRUE(Platform::FolderExists("DATA"));
    EXPECT_FALSE(Platform::FolderExists("data\\a.txt"));
}

TEST(Paths, LeadingBackslashStaysInsideTheInstallationFolder)
{
    TempFolder folder;
    folder.WriteFile("Game/Common/Smoke00.tga", "x");
    InstallationFolderAt installation(folder / "Game");
    EXPECT_EQ(Platform::ResolvePath("\\common\\smoke00.tga"), folder / "Game/Common/Smoke00.tga");
    EXPECT_TRUE(Platform::PathExists("\\common\\smoke00.tga"));
}

TEST(Paths, ListingMatchesTheMaskIgnoringCaseInNameOrder)
{
    TempFolder folder;
    for (const char* name : {"b.PAK", "a.pak", "C.pak", "notes.txt", "pak", "x.pak2"})
        folder.WriteFile(name, "");
    std::filesystem::create_directories(folder / "Folder.pak");
    EXPECT_EQ(Names(Platform::ListFolder(folder.Path(), "*.pak")),
              (std::vector<std::string>{"a.pak", "b.PAK", "C.pak", "Folder.pak/"}));
    EXPECT_EQ(Platform::ListFolder(folder.Path(), "*.*").size(), 7u);
    EXPECT_EQ(Names(Platform::ListFolder(folder.Path(), "?.pak?")), (std::vector<std::string>{"x.pak2"}));
    EXPECT_TRUE(Platform::ListFolder(folder / "missing", "*").empty());
}

TEST(Paths, LettersOfLatin1AndCyrillicCompareIgnoringCase)
{
    EXPECT_TRUE(Platform::NamesEqualIgnoringCase("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"));
    EXPECT_TRUE(Platform::NamesEqualIgnoringCase("\xD0\x96\xD0\x81", "\xD0\xB6\xD1\x91"));
    EXPECT_FALSE(Platform::NamesEqualIgnoringCase("a", "b"));
    EXPECT_FALSE(Platform::NamesEqualIgnoringCase("\xC3\x97", "\xC3\xB7"));
}

TEST(Paths, FoldersAreNoFilesToOpen)
{
    TempFolder folder;
    EXPECT_EQ(Platform::OpenFile(folder.Path(), false), nullptr);
    EXPECT_EQ(Platform::OpenFile(folder / "missing", false), nullptr);
}

TEST(Paths, ReplaceMovesOverTheOldFile)
{
    TempFolder folder;
    folder.WriteFile("new.tmp", "new");
    folder.WriteFile("Settings.ini", "old");
    EXPECT_TRUE(Platform::ReplaceFile(folder / "new.tmp", folder.Path() + "\\settings.ini"));
    EXPECT_EQ(folder.ReadFile("Settings.ini"), "new");
    EXPECT_FALSE(std::filesystem::exists(folder / "new.tmp"));
}

TEST(Paths, CreateAndDeleteFolders)
{
    TempFolder folder;
    EXPECT_TRUE(Platform::CreateFolders(folder.Path() + "\\a\\b\\c"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a/b/c"));
    EXPECT_TRUE(Platform::CreateFolder(folder / "a/d"));
    EXPECT_FALSE(Platform::CreateFolder(folder / "a/d"));
    EXPECT_TRUE(Platform::DeleteTree(folder.Path() + "\\A"));
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
    EXPECT_FALSE(Platform::DeleteTree(Platform::GetExecutableFolder()));
}

TEST(Paths, RenamedFolderIsFoundAgain)
{
    TempFolder folder;
    folder.WriteFile("Data/x", "x");
    EXPECT_EQ(Platform::ResolvePath(folder / "data/x"), folder / "Data/x");
    std::filesystem::rename(folder / "Data", folder / "DATA");
    EXPECT_EQ(Platform::ResolvePath(folder / "data/x"), folder / "DATA/x");
    std::filesystem::rename(folder / "DATA", folder / "data");
    EXPECT_EQ(Platform::ResolvePath(folder / "Data/x"), folder / "data/x");
}
