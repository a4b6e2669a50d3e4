// The game object's start: registry values and folders, the order of Init and what it leaves behind, the
// settings it registers, the engine record it fills, the sound lookup, and a start that fails half-way.
#include "framework/GameBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/core/Error.h"
#include "framework/DataKeeper.h"
#include "framework/GUIFrameworkWindow.h"
#include "tests/framework/TestGame.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace GameFramework;
using FrameworkTest::GameEnvironment;
using FrameworkTest::TestGame;
using FrameworkTest::TestGameScript;
using VelkorEngine::u32;

namespace
{
std::string Line(const std::string& valueName, const std::string& text)
{
    return GameEnvironment::RegistryLine(valueName, text);
}

bool IsFolder(const std::string& path) { return std::filesystem::is_directory(path); }

class GameBaseStartupTest : public testing::Test
{
protected:
    GameEnvironment environment;
};
}

TEST_F(GameBaseStartupTest, VersionFromTheRegistryIsReadAsDecimalText)
{
    struct Case
    {
        std::string machine;
        std::string user;
        u32 expected;
    };
    const Case cases[] = {
        {"", "", 100},
        {Line("Version", "105"), "", 105},
        {"", Line("Version", "107"), 107},
        {Line("Version", "105"), Line("Version", "107"), 105},
        {Line("Version", "abc"), "", 0},
        {Line("Version", "0x20"), "", 0},
    };
    for (const Case& c : cases)
    {
        environment.WriteRegistry(c.machine, c.user);
        EXPECT_EQ(GameBase::ReadVersion(GameEnvironment::RegistryKey, 100), c.expected) << c.machine << c.user;
    }
}

TEST_F(GameBaseStartupTest, APackBesideTheExecutableMakesItsFolderTheInstallationFolder)
{
    const std::string executable = environment.bed.folder / "bin";
    const std::string installed = environment.bed.folder / "installed";
    environment.WriteRegistry(Line("InstallPath", installed), "", false);
    EXPECT_EQ(GameBase::FindInstallFolder(executable, GameEnvironment::RegistryKey), installed);

    environment.WriteData("bin/data/pack0.pak", "pack");
    EXPECT_EQ(GameBase::FindInstallFolder(executable, GameEnvironment::RegistryKey), executable);

    environment.WriteRegistry("", "", false);
    std::filesystem::remove(executable + "/data/pack0.pak");
    EXPECT_EQ(GameBase::FindInstallFolder(executable, GameEnvironment::RegistryKey), executable);
}

TEST_F(GameBaseStartupTest, TheUserDataFolderLiesUnderTheApplicationDataFolderAndIsMade)
{
    std::string warning;
    const std::string folder = GameBase::MakeUserDataFolder(GameEnvironment::Maker, GameEnvironment::Title, warning);
    EXPECT_EQ(folder, environment.UserDataFolder());
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_TRUE(warning.empty());
    EXPECT_NE(folder.back(), '/');
}

TEST_F(GameBaseStartupTest, WithoutAnApplicationDataFolderTheHomeFolderKeepsThePlayersFiles)
{
    // A file where the application-data folder should be: nothing can be made below it.
    environment.bed.folder.WriteFile("appdata", "not a folder");
    std::string warning;
    const std::string folder = GameBase::MakeUserDataFolder(GameEnvironment::Maker, GameEnvironment::Title, warning);
    EXPECT_EQ(folder, environment.HomeFolder() + "/.Test Maker/Test Title");
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_NE(warning.find(folder), std::string::npos);
}

TEST_F(GameBaseStartupTest, TheFallbackFolderIsNamedInTheLogsWarning)
{
    environment.bed.folder.WriteFile("appdata", "not a folder");
    environment.WriteStartupData();
    TestGame game(environment);
    const std::string expected = environment.HomeFolder() + "/.Test Maker/Test Title";
    EXPECT_EQ(game.GetUserDataFolder(), expected);
    const std::vector<std::string> warnings = game.Records(VelkorEngine::MessageManager::KindWarning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("\"" + expected + "\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(expected + "/Test Title.html"));
}

TEST_F(GameBaseStartupTest, TheConstructorSetsTheNamesAndFolders)
{
    environment.WriteRegistry(Line("Version", "103"), "");
    environment.WriteStartupData();
    TestGame game(environment);
    EXPECT_EQ(game.GetMakerName(), "Test Maker");
    EXPECT_EQ(game.GetTitle(), "Test Title");
    EXPECT_EQ(game.GetVersion(), 103u);
    EXPECT_EQ(game.GetRegistryKey(), "SOFTWARE\\Test Maker\\Test Title");
    EXPECT_EQ(game.GetUserDataFolder(), environment.UserDataFolder());
    // The first run's log lands in the folder made before the engine opened it.
    EXPECT_TRUE(std::filesystem::exists(environment.UserDataFolder() + "/Test Title.html"));
}

TEST_F(GameBaseStartupTest, InitLeavesTheLogosShowingAndOnlyTheFirstTwoWindows)
{
    environment.WriteStartupData();
    TestGame game(environment);
    ASSERT_NE(game.GetWindow(0), nullptr);
    ASSERT_NE(game.GetWindow(1), nullptr);
    EXPECT_EQ(game.GetWindow(0)->GetStateId(), 1u);
    EXPECT_EQ(game.GetWindow(1)->GetStateId(), 0u);
    for (u32 index = 2; index < GameBase::WindowCount; ++index)
        EXPECT_EQ(game.GetWindow(index), nullptr) << index;
    EXPECT_EQ(game.GetGameLogic(), nullptr);
    EXPECT_NE(game.GetGameCursor(), nullptr);
    EXPECT_NE(game.GetHighScores(), nullptr);
    EXPECT_NE(game.GetSoundPlayer(), nullptr);
    EXPECT_EQ(game.GetEngine()->GetGUIManager()->GetWidth(), 800.0f);
    EXPECT_EQ(game.GetEngine()->GetGUIManager()->GetHeight(), 600.0f);
}

TEST_F(GameBaseStartupTest, TheBasicListLoadsAtOnceAndTheAdditionalOneWaits)
{
    environment.WriteStartupData();
    TestGame game(environment);
    GameTools::DataKeeper& data = *game.GetGameData();
    EXPECT_EQ(data.GetShaderUserCount(), 1u);
    EXPECT_EQ(data.GetQueuedFiles(), std::vector<std::string>{"data\\ui\\resources_additional.xml"});
    for (const std::string& error : game.Records(VelkorEngine::MessageManager::KindError))
        ADD_FAILURE() << error;
}

TEST_F(GameBaseStartupTest, TheWindowTitleIsTheGamesTitleText)
{
    environment.WriteStartupData();
    TestGame game(environment);
    const HWND window = game.GetEngine()->GetWindow()->GetHandle();
    EXPECT_EQ(environment.bed.windows.Native(window).title, "The Test Game");
}

TEST_F(GameBaseStartupTest, OnlyTheStatisticsSettingIsSaved)
{
    environment.WriteStartupData();
    TestGame game(environment);
    VelkorEngine::Config& config = *game.GetEngine()->GetConfig();
    for (const char* command : {"d_get_used_video_memory_size", "d_get_manages_occupation", "d_get_loaded_textures",
                                "g_update_video_mode"})
        EXPECT_TRUE(config.IsCommandIdle(command)) << command;
    config.Execute("d_show_statistics 1");
    EXPECT_TRUE(game.IsShowingStatistics());
    config.Save();
    const std::string saved = environment.bed.folder.ReadFile("appdata/Test Maker/Test Title/Test Title.ini");
    EXPECT_NE(saved.find("d_show_statistics 1"), std::string::npos);
    for (const char* command : {"d_get_", "g_update_video_mode"})
        EXPECT_EQ(saved.find(command), std::string::npos) << command;
}

TEST_F(GameBaseStartupTest, TheEngineRecordCarriesTheFrameworksValues)
{
    environment.WriteStartupData();
    TestGame game(environment);
    VelkorEngine::EngineParameters parameters;
    game.GameBase::SetupEngineParameters(parameters);
    EXPECT_EQ(parameters.applicationName, "Test Title");
    EXPECT_EQ(parameters.version, 100u);
    EXPECT_EQ(parameters.basePath, environment.bed.folder.Path());
    EXPECT_EQ(parameters.saveSettingsOnExit, 1);
    EXPECT_EQ(parameters.settingsName, "Test Title");
    EXPECT_EQ(parameters.writeLog, 1);
    EXPECT_EQ(parameters.reopenLogPerEntry, 0);
    EXPECT_EQ(parameters.logDirectory, environment.UserDataFolder());
    EXPECT_EQ(parameters.logName, "Test Title");
    EXPECT_EQ(parameters.settingsDirectory, environment.UserDataFolder());
    EXPECT_EQ(parameters.dataFolder, "Data");
    EXPECT_EQ(parameters.parentWindow, 0u);
    EXPECT_EQ(parameters.iconId, 0u);
    EXPECT_EQ(parameters.minimizeOnFocusLoss, 1);
    EXPECT_EQ(parameters.forceVideoMode, 0);
    EXPECT_EQ(parameters.defaultVideoMode, "800x600x32");
    EXPECT_EQ(parameters.forceFullScreen, 0);
    EXPECT_EQ(parameters.defaultFullScreen, 1);
    EXPECT_EQ(parameters.allowOversizedWindow, 0);
    EXPECT_EQ(parameters.useStencilBuffer, 0);
    EXPECT_EQ(parameters.centreWindow, 1);
    EXPECT_EQ(parameters.windowPosition[0], 0);
    EXPECT_EQ(parameters.windowPosition[1], 0);
    EXPECT_EQ(parameters.use3DSound, 0);
}

TEST_F(GameBaseStartupTest, SoundLookupPrefersTheWaveFile)
{
    environment.WriteStartupData();
    environment.WriteData("data/audio/menu/both.wav", "w");
    environment.WriteData("data/audio/menu/both.ogg", "o");
    environment.WriteData("data/audio/menu/ogg_only.ogg", "o");
    environment.WriteData("data/audio/game/wav_only.wav", "w");
    TestGame game(environment);
    EXPECT_EQ(game.FindSound("menu", "both"), "audio\\menu\\both.wav");
    EXPECT_EQ(game.FindSound("menu", "ogg_only"), "audio\\menu\\ogg_only.ogg");
    EXPECT_EQ(game.FindSound("game", "wav_only"), "audio\\game\\wav_only.wav");
    EXPECT_EQ(game.FindSound("game", "missing"), "audio\\game\\missing.ogg");
}

// A start that fails half-way destroys what it made, each object once, in the shut-down order, engine last.
TEST_F(GameBaseStartupTest, AStartFailingHalfWayDestroysWhatItMadeOnce)
{
    struct Case
    {
        std::string failing;
        std::vector<std::string> destroyed;
    };
    const std::vector<Case> cases = {
        {"level manager", {}},
        {"profile manager", {"level manager"}},
        {"game data", {"profile manager", "level manager"}},
        {"game cursor", {"profile manager", "level manager", "game data"}},
        {"logos window", {"game cursor", "profile manager", "level manager", "game data"}},
        {"loading window", {"logos window", "game cursor", "profile manager", "level manager", "game data"}},
    };
    environment.WriteStartupData();
    for (const Case& c : cases)
    {
        FrameworkTest::DestroyedObjects().clear();
        TestGameScript script;
        script.failingFactory = c.failing;
        try
        {
            TestGame game(environment, script);
            ADD_FAILURE() << c.failing << ": the start did not fail";
        }
        catch (const VelkorEngine::FatalError& error)
        {
            EXPECT_EQ(error.GetMessage(), "No " + c.failing + " today");
        }
        EXPECT_EQ(FrameworkTest::DestroyedObjects(), c.destroyed) << c.failing;
        for (const auto& [window, record] : environment.bed.windows.windows)
            EXPECT_TRUE(record.destroyed) << c.failing;
    }
}

TEST_F(GameBaseStartupTest, TheFrameworksDefaultVolumesAreFull)
{
    environment.WriteStartupData();
    TestGame game(environment);
    std::string text;
    game.GetEngine()->GetConfig()->GetDefaultValue(text, "g_music_volume");
    EXPECT_EQ(text, "1.000000");
    game.GetEngine()->GetConfig()->GetDefaultValue(text, "g_sound_volume");
    EXPECT_EQ(text, "1.000000");
}

TEST_F(GameBaseStartupTest, TheConsoleExistsOnlyWhenTheGameAsksForIt)
{
    environment.WriteStartupData();
    TestGame game(environment);
    EXPECT_EQ(game.GetEngine()->GetConsole(), nullptr);
    game.CreateConsole();
    EXPECT_NE(game.GetEngine()->GetConsole(), nullptr);
    game.Frame();
}
