// The profile windows' behaviour on a real profile manager: the first profile, a new one under a taken name,
// renaming (letter case only, to a taken name, for real) and deleting, with the list file on disk.
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"

#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using FrameworkTest::TestProfileManager;

namespace
{
class GUIProfileWindowBasesTest : public testing::Test
{
protected:
    GUIProfileWindowBasesTest()
    {
        bed.Start();
        player = std::make_unique<GameFramework::GameSoundPlayer>(&bed.GetEngine(), 1.0f, 1.0f);
        manager = MakeManager();
    }

    std::unique_ptr<TestProfileManager> MakeManager()
    {
        return std::make_unique<TestProfileManager>(&bed.GetEngine(), player.get(), bed.folder.Path());
    }
    std::wstring CurrentName() const
    {
        return manager->GetCurrentProfile() ? manager->GetCurrentProfile()->name : L"(none)";
    }

    EngineTestBed bed;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
    std::unique_ptr<TestProfileManager> manager;
};
}

TEST_F(GUIProfileWindowBasesTest, TheWelcomeWindowMakesTheFirstProfileCurrentAndSavesTheList)
{
    GameFramework::GUIWelcomeWindowBase welcome(manager.get());
    welcome.CreateProfile(L"  Ann ");
    EXPECT_EQ(CurrentName(), L"Ann");
    manager = MakeManager();
    EXPECT_EQ(CurrentName(), L"Ann") << "the current profile was saved in the list file";
}

TEST_F(GUIProfileWindowBasesTest, ANewProfileUnderATakenNameIsRefusedWhateverItsCaseOrSpaces)
{
    GameFramework::GUINewProfileWindowBase newProfile(manager.get());
    newProfile.Show(5, 0);
    EXPECT_EQ(newProfile.GetStateId(), 5u);
    EXPECT_TRUE(newProfile.CreateProfile(L"Ann"));
    EXPECT_TRUE(newProfile.CreateProfile(L"Bob"));
    EXPECT_EQ(CurrentName(), L"Bob");
    EXPECT_FALSE(newProfile.CreateProfile(L"ANN"));
    EXPECT_FALSE(newProfile.CreateProfile(L" ann "));
    EXPECT_EQ(CurrentName(), L"Bob") << "a refused name leaves the current profile alone";
    EXPECT_EQ(manager->GetProfileCount(), 2u);
}

TEST_F(GUIProfileWindowBasesTest, RenamingToTheSameNameInOtherLettersChangesNothing)
{
    manager->FindOrCreateProfile(L"ann");
    GameFramework::GUIRenameProfileWindowBase rename(manager.get());
    rename.Show(10, 1, L"ann");
    EXPECT_TRUE(rename.RenameProfile(L"ANN"));
    EXPECT_EQ(manager->GetProfile(0)->name, L"ann");
}

TEST_F(GUIProfileWindowBasesTest, RenamingToAnotherPlayersNameIsRefused)
{
    manager->FindOrCreateProfile(L"Ann");
    manager->FindOrCreateProfile(L"Bob");
    GameFramework::GUIRenameProfileWindowBase rename(manager.get());
    rename.Show(10, 1, L"Ann");
    EXPECT_FALSE(rename.RenameProfile(L"bob "));
    EXPECT_NE(manager->FindProfile(L"Ann"), nullptr);
    EXPECT_TRUE(rename.RenameProfile(L"Cleo"));
    EXPECT_EQ(manager->FindProfile(L"Ann"), nullptr);
    EXPECT_NE(manager->FindProfile(L"Cleo"), nullptr);
}

TEST_F(GUIProfileWindowBasesTest, ASecondShowWithoutANameKeepsTheStoredName)
{
    GameFramework::GUIRenameProfileWindowBase rename(manager.get());
    rename.Show(10, 1, L"Ann");
    rename.Show(14, 0, L"");
    EXPECT_EQ(rename.GetOldName(), L"Ann");
    EXPECT_EQ(rename.GetStateId(), 14u);
}

TEST_F(GUIProfileWindowBasesTest, DeletingRemovesTheProfileAndItsFile)
{
    GameFramework::ProfileBase* ann = manager->FindOrCreateProfile(L"Ann");
    const std::string annFile = bed.folder / ("profiles/" + ann->GetFileName());
    ASSERT_TRUE(std::filesystem::exists(annFile));
    GameFramework::GUIDeleteProfileWindowBase remove(manager.get());
    remove.Show(10, L"ann");
    EXPECT_EQ(remove.GetName(), L"ann");
    remove.DeleteProfile();
    EXPECT_EQ(manager->GetProfileCount(), 0u);
    EXPECT_FALSE(std::filesystem::exists(annFile));
}

// A name longer than a file holds is stored cut; typed again it is the same player, not a second one.
TEST_F(GUIProfileWindowBasesTest, OverlongNamesAreOneNameWhateverFollowsTheCut)
{
    const std::wstring longName(300, L'z');
    GameFramework::GUIWelcomeWindowBase welcome(manager.get());
    welcome.CreateProfile(longName);
    welcome.CreateProfile(longName + L"tail");
    EXPECT_EQ(manager->GetProfileCount(), 1u);
    EXPECT_EQ(CurrentName(), std::wstring(254, L'z'));
    GameFramework::GUINewProfileWindowBase newProfile(manager.get());
    EXPECT_FALSE(newProfile.CreateProfile(std::wstring(260, L'Z')));
    EXPECT_TRUE(newProfile.CreateProfile(L"Ann"));
    GameFramework::GUIRenameProfileWindowBase rename(manager.get());
    rename.Show(10, 1, L"Ann");
    EXPECT_FALSE(rename.RenameProfile(std::wstring(400, L'z')));
    manager = MakeManager();
    EXPECT_EQ(manager->GetProfileCount(), 2u);
    EXPECT_NE(manager->FindProfile(std::wstring(254, L'z')), nullptr) << "saved cut, read back whole";
}
