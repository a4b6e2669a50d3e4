// The profile manager: the sorted list, the current profile, best times and "profiles.pmf" byte for byte.
#include "framework/ProfileManagerBase.h"

#include "framework/GameSoundPlayer.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace TestSupport;
using FrameworkTest::TestProfileManager;
using GameFramework::LevelPosition;
using GameFramework::ProfileBase;

namespace
{
const std::string kEmptyList = Bytes({0x14, 0, 0, 0, 'F', 'L', 'P', 'M', 'F', 0x64, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0});

class ProfileManagerBaseTest : public testing::Test
{
protected:
    ProfileManagerBaseTest()
    {
        bed.Start();
        player = std::make_unique<GameFramework::GameSoundPlayer>(&bed.GetEngine(), 0.285f, 0.315f);
    }

    std::unique_ptr<TestProfileManager> MakeManager()
    {
        return std::make_unique<TestProfileManager>(&bed.GetEngine(), player.get(), bed.folder.Path());
    }
    std::string ListBytes() const { return bed.folder.ReadFile("profiles.pmf"); }
    bool ProfileFileExists(const ProfileBase& profile) const
    {
        return std::filesystem::exists(bed.folder / ("profiles/" + profile.GetFileName()));
    }

    EngineTestBed bed;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
};
}

TEST_F(ProfileManagerBaseTest, NoProfilesGiveAnEmptyListFile)
{
    const auto manager = MakeManager();
    EXPECT_EQ(manager->GetProfileCount(), 0u);
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(ListBytes(), kEmptyList);
}

TEST_F(ProfileManagerBaseTest, ProfilesAreSortedIgnoringCaseAndFoundIgnoringCase)
{
    const auto manager = MakeManager();
    ProfileBase* bob = manager->FindOrCreateProfile(L"bob");
    manager->FindOrCreateProfile(L"Alice");
    EXPECT_EQ(manager->GetProfile(0)->name, L"Alice");
    EXPECT_EQ(manager->GetProfile(1)->name, L"bob");
    EXPECT_EQ(manager->FindOrCreateProfile(L"BOB"), bob);
    EXPECT_EQ(manager->FindOrCreateProfile(L" bob  "), bob);
    EXPECT_EQ(manager->GetProfileCount(), 2u);
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr) << "a new profile is not made current";
    EXPECT_EQ(bob->settings[ProfileBase::MusicVolume], 0.285f);
    EXPECT_EQ(bob->settings[ProfileBase::SoundVolume], 0.315f);
    manager->RenameProfile(L"bob", L"Bob");
    EXPECT_EQ(bob->name, L"bob");
    manager->RenameProfile(L"bob", L"alice");
    manager->RenameProfile(L"bob", L" Alice ");
    EXPECT_EQ(bob->name, L"bob");
    manager->RenameProfile(L"bob", L"Aaron");
    EXPECT_EQ(manager->GetProfile(0), bob);
}

TEST_F(ProfileManagerBaseTest, TheCurrentProfileAndTheBestTimesSurviveARestart)
{
    {
        const auto manager = MakeManager();
        manager->FindOrCreateProfile(L"Ann");
        manager->SetCurrentProfile(manager->FindOrCreateProfile(L"Bo"), 1);
        EXPECT_TRUE(manager->SetBestTime(LevelPosition{1, 2}, L"Bo", 3, 12.5f));
    }
    EXPECT_EQ(ListBytes(), U32Bytes(13 + 7 + 4 + 23) + "FLPMF" + U32Bytes(100) + Bytes({3, 'B', 0, 'o', 0, 0, 0}) +
                               U32Bytes(1) + U32Bytes(1) + U32Bytes(2) + Bytes({3, 'B', 0, 'o', 0, 0, 0}) +
                               U32Bytes(3) + U32Bytes(0x41480000));
    const auto manager = MakeManager();
    ASSERT_NE(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(manager->GetCurrentProfile()->name, L"Bo");
    std::wstring holder;
    float time = 0.0f;
    ASSERT_TRUE(manager->GetBestTime(LevelPosition{1, 2}, 3, holder, time));
    EXPECT_EQ(holder, L"Bo");
    EXPECT_EQ(time, 12.5f);
    EXPECT_FALSE(manager->GetBestTime(LevelPosition{1, 2}, 0, holder, time));
}

TEST_F(ProfileManagerBaseTest, ALongNameFindsTheProfileItMadeAndRenamesAreCheckedAsStored)
{
    const auto manager = MakeManager();
    const std::wstring longName(300, L'z');
    ProfileBase* made = manager->FindOrCreateProfile(longName);
    EXPECT_EQ(manager->FindOrCreateProfile(longName), made);
    EXPECT_EQ(manager->FindOrCreateProfile(longName + L"more"), made);
    EXPECT_EQ(manager->GetProfileCount(), 1u);
    ProfileBase* ann = manager->FindOrCreateProfile(L"Ann");
    manager->RenameProfile(L"Ann", std::wstring(280, L'z'));
    EXPECT_EQ(ann->name, L"Ann") << "the name as stored is taken";
    manager->RenameProfile(longName, L"Zed");
    EXPECT_EQ(made->name, L"Zed");
}

TEST_F(ProfileManagerBaseTest, AHolderOfTheFullCountByteIsCutWhenReadSoLaterSavesKeepWorking)
{
    std::string holder(1, static_cast<char>(255));
    for (int i = 0; i < 255; ++i)
        holder += "h" + std::string(1, '\0');
    const std::string body = Bytes({1, 0, 0}) + U32Bytes(1) + U32Bytes(0) + U32Bytes(0) + holder + U32Bytes(0) +
                             U32Bytes(0x41200000);
    bed.folder.WriteFile("profiles.pmf", U32Bytes(static_cast<VelkorEngine::u32>(13 + body.size())) + "FLPMF" +
                                             U32Bytes(100) + body);
    {
        const auto manager = MakeManager();
        std::wstring stored;
        float time = 0.0f;
        ASSERT_TRUE(manager->GetBestTime(LevelPosition{0, 0}, 0, stored, time));
        EXPECT_EQ(stored, std::wstring(254, L'h'));
        EXPECT_TRUE(manager->SetBestTime(LevelPosition{0, 1}, L"Bo", 0, 5.0f));
    }
    const auto manager = MakeManager();
    std::wstring stored;
    float time = 0.0f;
    EXPECT_TRUE(manager->GetBestTime(LevelPosition{0, 1}, 0, stored, time));
    EXPECT_TRUE(manager->GetBestTime(LevelPosition{0, 0}, 0, stored, time));
}

TEST_F(ProfileManagerBaseTest, ASaveOfTheListThatFailsIsLogged)
{
    const auto manager = MakeManager();
    std::filesystem::remove(bed.folder / "profiles.pmf");
    std::filesystem::create_directories(bed.folder / "profiles.pmf");
    manager->SaveState();
    EXPECT_NE(bed.LogText().find("(ProfileManagerBase::SaveState): "), std::string::npos);
}

TEST_F(ProfileManagerBaseTest, AVolumeThatIsNotANumberReachesNewProfilesAsFullVolume)
{
    player->SetMusicVolume(std::nanf(""));
    const auto manager = MakeManager();
    EXPECT_EQ(manager->FindOrCreateProfile(L"Ann")->settings[ProfileBase::MusicVolume], 1.0f);
}

TEST_F(ProfileManagerBaseTest, AListNamingAMissingProfileSelectsTheFirst)
{
    {
        const auto manager = MakeManager();
        manager->FindOrCreateProfile(L"Zed");
        manager->SetCurrentProfile(manager->FindOrCreateProfile(L"Gone"), 1);
        manager->FindOrCreateProfile(L"Amy");
        std::filesystem::remove(bed.folder / ("profiles/" + manager->FindProfile(L"Gone")->GetFileName()));
    }
    const auto manager = MakeManager();
    ASSERT_NE(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(manager->GetCurrentProfile()->name, L"Amy");
    EXPECT_EQ(ListBytes().substr(13, 9), Bytes({4, 'A', 0, 'm', 0, 'y', 0, 0, 0}));
}

TEST_F(ProfileManagerBaseTest, UnreadableProfilesAndABadListAreLeftBehind)
{
    {
        const auto manager = MakeManager();
        manager->SetCurrentProfile(manager->FindOrCreateProfile(L"Ann"), 1);
        manager->SetBestTime(LevelPosition{0, 0}, L"Ann", 0, 5.0f);
    }
    bed.folder.WriteFile("profiles/broken.prf", "not a profile");
    bed.folder.WriteFile("profiles.pmf", ListBytes().substr(0, 20));
    const auto manager = MakeManager();
    EXPECT_EQ(manager->GetProfileCount(), 1u);
    EXPECT_TRUE(std::filesystem::exists(bed.folder / "profiles/broken.prf"));
    EXPECT_EQ(manager->GetBestTimeCount(), 0u);
    ASSERT_NE(manager->GetCurrentProfile(), nullptr) << "the first profile is selected again";
    EXPECT_EQ(ListBytes(), U32Bytes(26) + "FLPMF" + U32Bytes(100) + Bytes({4, 'A', 0, 'n', 0, 'n', 0, 0, 0}) +
                               U32Bytes(0));
}

TEST_F(ProfileManagerBaseTest, DeletingTheCurrentProfileSelectsTheFirstRemaining)
{
    const auto manager = MakeManager();
    ProfileBase* ann = manager->FindOrCreateProfile(L"Ann");
    ProfileBase* bob = manager->FindOrCreateProfile(L"Bob");
    const std::string bobFile = bob->GetFileName();
    manager->SetCurrentProfile(bob, 1);
    manager->SetBestTime(LevelPosition{0, 0}, L"Bob", 0, 5.0f);
    manager->DeleteProfile(L"BOB");
    EXPECT_EQ(manager->GetCurrentProfile(), ann);
    EXPECT_FALSE(std::filesystem::exists(bed.folder / ("profiles/" + bobFile)));
    EXPECT_EQ(manager->GetBestTimeCount(), 1u) << "best times of a deleted profile stay";
    EXPECT_EQ(ListBytes().substr(13, 9), Bytes({4, 'A', 0, 'n', 0, 'n', 0, 0, 0}));
    manager->DeleteProfile(L"Ann");
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    manager->DeleteProfile(L"nobody");
}

TEST_F(ProfileManagerBaseTest, OnlyAStrictlySmallerTimeReplacesTheBest)
{
    const auto manager = MakeManager();
    const LevelPosition position{0, 1};
    EXPECT_TRUE(manager->SetBestTime(position, L"Ann", 0, 10.0f));
    EXPECT_FALSE(manager->SetBestTime(position, L"Bob", 0, 10.0f));
    EXPECT_FALSE(manager->SetBestTime(position, L"Bob", 0, 11.0f));
    std::wstring holder;
    float time = 0.0f;
    manager->GetBestTime(position, 0, holder, time);
    EXPECT_EQ(holder, L"Ann");
    EXPECT_TRUE(manager->SetBestTime(position, L"Bob", 0, 9.0f));
    manager->GetBestTime(position, 0, holder, time);
    EXPECT_EQ(holder, L"Bob");
    EXPECT_EQ(time, 9.0f);
}

TEST_F(ProfileManagerBaseTest, VolumesMoveBetweenTheCurrentProfileAndThePlayer)
{
    const auto manager = MakeManager();
    ProfileBase* ann = manager->FindOrCreateProfile(L"Ann");
    manager->SetCurrentProfile(ann, 1);
    ann->settings = {0.1f, 0.9f};
    manager->ApplyProfileSettings();
    EXPECT_EQ(player->GetSoundVolume(), 0.1f);
    EXPECT_EQ(player->GetMusicVolume(), 0.9f);
}

TEST_F(ProfileManagerBaseTest, StoredPositionsAreCheckedAgainstTheLevelList)
{
    std::filesystem::create_directories(bed.folder / "data/levels");
    bed.folder.WriteFile("data/levels/levels.xml", "<levels><stage><level/></stage></levels>");
    const FrameworkTest::TestLevelManager levels(&bed.GetEngine());
    {
        const auto manager = MakeManager();
        ProfileBase* ann = manager->FindOrCreateProfile(L"Ann");
        ann->mapStage = 4;
        ann->Save();
    }
    const auto manager = MakeManager();
    manager->ValidatePositions(levels);
    EXPECT_EQ(manager->FindProfile(L"Ann")->mapStage, 0u);
}

TEST_F(ProfileManagerBaseTest, TwoFilesHoldingOneNameAreBothListedWithAWarning)
{
    std::string first;
    {
        const auto manager = MakeManager();
        first = manager->FindOrCreateProfile(L"Ann")->GetFileName();
    }
    std::filesystem::copy_file(bed.folder / ("profiles/" + first), bed.folder / "profiles/copy.prf");
    const auto manager = MakeManager();
    EXPECT_EQ(manager->GetProfileCount(), 2u);
    const auto warnings = bed.Records(VelkorEngine::MessageManager::KindWarning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("have the same name"), std::string::npos);
}
