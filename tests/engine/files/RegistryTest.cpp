// The registry reader: machine-wide values before the user's, names in any case, text values only.
#include "engine/files/Registry.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
const std::string Key = "SOFTWARE\\Maker\\Korvane";

struct RegistryFiles
{
    TestSupport::TempFolder folder;

    RegistryFiles(const std::string& machine, const std::string& user)
    {
        folder.WriteFile("machine.ini", machine);
        folder.WriteFile("user.ini", user);
        Platform::SetRegistryFiles(folder / "machine.ini", folder / "user.ini");
    }
    ~RegistryFiles() { Platform::SetRegistryFiles("", ""); }
};
}

TEST(Registry, MachineWideValueComesFirst)
{
    RegistryFiles files(Key + "|InstallPath=/opt/korvane\n", Key + "|InstallPath=/home/ann/korvane\n" + Key +
                                                                 "|Language=russian\r\n");
    std::string text = "untouched";
    EXPECT_TRUE(ReadRegistryString(Key, "InstallPath", text));
    EXPECT_EQ(text, "/opt/korvane");
    EXPECT_TRUE(ReadRegistryString(Key, "Language", text));
    EXPECT_EQ(text, "russian");
    EXPECT_TRUE(ReadRegistryValue(2, Key, "InstallPath", text));
    EXPECT_EQ(text, "/home/ann/korvane");
}

TEST(Registry, KeysAndNamesIgnoreCase)
{
    RegistryFiles files("software\\maker\\korvane|version=105\n", "");
    std::string text;
    EXPECT_TRUE(ReadRegistryString(Key, "Version", text));
    EXPECT_EQ(text, "105");
}

TEST(Registry, MissingValuesLeaveTheTextUntouched)
{
    RegistryFiles files(Key + "|Version=1\nmalformed line\n" + Key + " no bar=1\n", "");
    std::string text = "untouched";
    EXPECT_FALSE(ReadRegistryString(Key, "Language", text));
    EXPECT_FALSE(ReadRegistryString("SOFTWARE\\Other", "Version", text));
    EXPECT_FALSE(ReadRegistryValue(0, Key, "Version", text));
    EXPECT_FALSE(ReadRegistryValue(4, Key, "Version", text));
    EXPECT_EQ(text, "untouched");
}

TEST(Registry, ValueTooLargeForTheBufferIsNotRead)
{
    RegistryFiles files(Key + "|Big=" + std::string(4095, 'x') + "\n" + Key + "|Huge=" + std::string(4096, 'y') + "\n", "");
    std::string text;
    EXPECT_TRUE(ReadRegistryString(Key, "Big", text));
    EXPECT_EQ(text.size(), 4095u);
    text = "untouched";
    EXPECT_FALSE(ReadRegistryString(Key, "Huge", text));
    EXPECT_EQ(text, "untouched");
}

TEST(Registry, RootsByIndex)
{
    EXPECT_EQ(GetRegistryRoot(0), HKEY_CLASSES_ROOT);
    EXPECT_EQ(GetRegistryRoot(1), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(GetRegistryRoot(2), HKEY_CURRENT_USER);
    EXPECT_EQ(GetRegistryRoot(3), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(GetRegistryRoot(4), HKEY_USERS);
    EXPECT_EQ(GetRegistryRoot(99), HKEY_CURRENT_USER);
}

TEST(Registry, StandardPlacesAreBesideTheExecutableAndInTheUsersConfig)
{
    TestSupport::TempFolder folder;
    folder.WriteFile("korvane/registry.ini", Key + "|Language=english\n");
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    std::string text;
    EXPECT_TRUE(ReadRegistryValue(2, Key, "Language", text));
    EXPECT_EQ(text, "english");
}
