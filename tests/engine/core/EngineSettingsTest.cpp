// The engine's settings: read when the engine is made, written when it goes if asked, and "exit" as a command.
#include "engine/core/Engine.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace VelkorEngine;
using TestSupport::TempFolder;

namespace
{
EngineParameters SettingsIn(const TempFolder& folder, u8 save)
{
    EngineParameters parameters;
    parameters.applicationName = "Settings Test";
    parameters.version = 100;
    parameters.basePath = folder.Path();
    parameters.dataFolder = "Data";
    parameters.saveSettingsOnExit = save;
    parameters.settingsName = "game";
    parameters.settingsDirectory = folder / "Profile";
    parameters.defaultVideoMode = "1024x768x32";
    parameters.defaultFullScreen = 1;
    return parameters;
}
}

TEST(EngineSettings, LoadedAtConstructionAndSavedAtDestruction)
{
    TempFolder folder;
    folder.WriteFile("Profile/game.ini", "v_gamma 1.5\r\nv_mode 800x600x16\r\n");
    {
        Engine engine(SettingsIn(folder, 1));
        std::string value;
        engine.GetConfig()->GetValueAsString(value, "v_mode");
        EXPECT_EQ(value, "800x600x16");
        engine.GetConfig()->Execute("v_vsync 0");
    }
    const std::string saved = folder.ReadFile("Profile/game.ini");
    EXPECT_NE(saved.find("v_gamma 1.500000\r\n"), std::string::npos);
    EXPECT_NE(saved.find("v_vsync 0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("v_mode 800x600x16\r\n"), std::string::npos);
}

TEST(EngineSettings, ExitIsTheExitCommandUntilReArmed)
{
    TempFolder folder;
    Engine engine(SettingsIn(folder, 0));
    EXPECT_FALSE(engine.IsExitRequested());
    engine.GetConfig()->Execute("exit");
    EXPECT_TRUE(engine.IsExitRequested());
    engine.Render();
    engine.Frame(0);
    EXPECT_TRUE(engine.IsExitRequested());
    engine.GetConfig()->SetCommandIdle("exit", 1);
    EXPECT_FALSE(engine.IsExitRequested());
    engine.RequestExit();
    EXPECT_TRUE(engine.IsExitRequested());
}

TEST(EngineSettings, ChangedFlagsLastUntilTheEndOfTheFrame)
{
    TempFolder folder;
    Engine engine(SettingsIn(folder, 0));
    f32 size = 1.0f;
    engine.GetConfig()->AddVariable("ui_size", Config::KindFloat, 0, 1, &size, "1.0", 1);
    engine.Render();
    engine.Frame(0);
    size = 2.0f;
    engine.Render();
    EXPECT_TRUE(engine.GetConfig()->HasChanged("ui_size"));
    engine.Frame(0);
    EXPECT_FALSE(engine.GetConfig()->HasChanged("ui_size"));
    engine.GetConfig()->RemoveVariable("ui_size");
}

TEST(EngineSettings, DataFolderPacksAreOpened)
{
    TempFolder folder;
    folder.WriteFile("Data/readme.txt", "loose");
    Engine engine(SettingsIn(folder, 0));
    EXPECT_TRUE(engine.GetFileManager()->Exists("data\\README.TXT"));
    EXPECT_EQ(engine.GetFileManager()->GetBaseFolder(), folder.Path());
}

// A hand-edited video mode larger than any screen must not keep the game from starting.
TEST(EngineSettings, VideoModeBeyondAnyScreenStillStarts)
{
    for (const char* mode : {"20000x15000x32", "4294967295x2147483648x32"})
    {
        TempFolder folder;
        folder.WriteFile("Profile/game.ini", std::string("v_fullscreen 0\r\nv_mode ") + mode + "\r\n");
        Engine engine(SettingsIn(folder, 0));
        ASSERT_NE(engine.GetWindow(), nullptr) << mode;
        engine.Render();
        engine.Frame(0);
    }
}
