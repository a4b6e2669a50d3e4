// The settings registry: parsing of lines, commands, pending lines, detaching, change tracking, the settings
// file byte-exact and read back, and the video-mode text.
#include "engine/core/Config.h"

#include "engine/files/FileManager.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelkorEngine;
using TestSupport::TempFolder;

namespace
{
struct Settings
{
    TempFolder folder;
    std::unique_ptr<MessageManager> log = TestSupport::MakeQuietLog();
    std::unique_ptr<FileManager> files = std::make_unique<FileManager>(log.get(), folder.Path(), "");

    std::unique_ptr<Config> Make(u8 forceVideoMode = 0, const std::string& videoMode = "1024x768x32",
                                 u8 forceFullScreen = 0, u8 fullScreen = 1)
    {
        return std::make_unique<Config>(log.get(), files.get(), "Player\\Settings", "Korvane", forceVideoMode,
                                        videoMode, forceFullScreen, fullScreen);
    }

    std::string Value(const Config& config, const std::string& name)
    {
        std::string text;
        config.GetValueAsString(text, name);
        return text;
    }

    void WriteSettings(const std::string& text) { folder.WriteFile("Player/Settings/Korvane.ini", text); }
    std::string ReadSettings() { return folder.ReadFile("Player/Settings/Korvane.ini"); }
};

// A saved int setting (default "1") is registered, set from a command line and removed again, so its value
// stays behind, detached from any variable.
void DetachInt(Config& config, const std::string& name, const std::string& value, u8 trackChanges)
{
    i32 owned = 0;
    config.AddVariable(name, Config::KindInt, 0, 1, &owned, "1", trackChanges);
    config.Execute(name + " " + value);
    config.RemoveVariable(name);
}

struct ExecuteCase
{
    std::string line;
    u32 status;
    std::string name;
    std::string variable;
    std::string value;
};

class ConfigExecute : public testing::TestWithParam<ExecuteCase>
{
};

const std::string DefaultFile = "c_invert_mouse 0\r\n"
                                "r_show_faces_edges 0\r\n"
                                "r_show_faces_normals 0\r\n"
                                "r_show_mip_maps 0\r\n"
                                "r_show_octree_nodes 0\r\n"
                                "r_texture_anisotropy 1\r\n"
                                "r_use_mip_mapping 1\r\n"
                                "sc_take_screenshot_format 0\r\n"
                                "v_brightness 1.000000\r\n"
                                "v_contrast 1.000000\r\n"
                                "v_fullscreen 1\r\n"
                                "v_gamma 1.000000\r\n"
                                "v_mode 1024x768x32\r\n"
                                "v_vsync 1\r\n";
}

TEST_P(ConfigExecute, ParsesTheLine)
{
    const ExecuteCase& c = GetParam();
    Settings settings;
    auto config = settings.Make();
    i32 locked = 7;
    config->AddVariable("locked", Config::KindInt, 1, 1, &locked, "7", 0);
    std::string name = "stale";
    EXPECT_EQ(config->Execute(c.line, &name), c.status);
    EXPECT_EQ(name, c.name);
    if (!c.variable.empty())
    {
        EXPECT_EQ(settings.Value(*config, c.variable), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigExecute,
    testing::Values(ExecuteCase{"V_Mode 1024x768x32", 0, "v_mode", "v_mode", "1024x768x32"},
                    ExecuteCase{"V_Mode  640x480x16", 4, "v_mode640x480x16", "v_mode", "1024x768x32"},
                    ExecuteCase{"v_mode   640x480x16", 0, "v_mode", "v_mode", "640x480x16"},
                    ExecuteCase{"  \\\\v_vsync   0", 0, "v_vsync", "v_vsync", "0"},
                    ExecuteCase{"v_gamma 1.2 \\\\ brighter", 0, "v_gamma", "v_gamma", "1.200000"},
                    ExecuteCase{"\\ v_gamma 1.2", 0, "v_gamma", "v_gamma", "1.200000"},
                    ExecuteCase{"v_gamma", 3, "v_gamma", "v_gamma", "1.000000"},
                    ExecuteCase{"v_gamma \\\\ only a comment", 3, "v_gamma", "v_gamma", "1.000000"},
                    ExecuteCase{"v_gamma much", 0, "v_gamma", "v_gamma", "0.000000"},
                    ExecuteCase{"r_texture_anisotropy 16x", 0, "r_texture_anisotropy", "r_texture_anisotropy", "16"},
                    ExecuteCase{"v_fullscreen 2", 0, "v_fullscreen", "v_fullscreen", "1"},
                    ExecuteCase{"v_fullscreen yes", 0, "v_fullscreen", "v_fullscreen", "0"},
                    ExecuteCase{"locked 3", 2, "locked", "locked", "7"},
                    ExecuteCase{"locked", 3, "locked", "locked", "7"},
                    ExecuteCase{"unknown 1", 4, "unknown", "", ""},
                    ExecuteCase{"", 5, "", "", ""},
                    ExecuteCase{" \t ", 5, "", "", ""},
                    ExecuteCase{"\\\\", 5, "", "", ""}));

TEST(Config, CommandsRunWhateverFollowsTheirName)
{
    Settings settings;
    auto config = settings.Make();
    EXPECT_TRUE(config->IsCommandIdle("exit"));
    EXPECT_EQ(config->Execute("Exit now please"), 0u);
    EXPECT_FALSE(config->IsCommandIdle("exit"));
    config->SetCommandIdle("EXIT", 1);
    EXPECT_FALSE(config->IsCommandIdle("exit"));
    config->SetCommandIdle("exit", 1);
    EXPECT_TRUE(config->IsCommandIdle("exit"));
    EXPECT_FALSE(config->IsCommandIdle("no_such_command"));
}

TEST(Config, OwnEntriesAndDefaults)
{
    Settings settings;
    auto config = settings.Make(0, "", 0, 0);
    std::vector<std::string> names;
    config->ListNames(names);
    EXPECT_EQ(names.size(), 22u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(settings.Value(*config, "v_mode"), "800x600x32");
    EXPECT_EQ(settings.Value(*config, "v_fullscreen"), "0");
    EXPECT_EQ(settings.Value(*config, "exit"), "");
    std::string text = "x";
    config->GetDefaultValue(text, "V_BRIGHTNESS");
    EXPECT_EQ(text, "1.0");
    config->GetDefaultValue(text, "nothing");
    EXPECT_EQ(text, "");
    EXPECT_EQ(config->GetSettingsPath(), "Player\\Settings\\Korvane.ini");
}

TEST(Config, SettingsNameDefaultsToTheEngineName)
{
    Settings settings;
    Config config(settings.log.get(), settings.files.get(), "", "", 0, "", 0, 1);
    EXPECT_EQ(config.GetSettingsPath(), "Velkor Engine.ini");
}

TEST(Config, SecondRegistrationOfAnAttachedNameIsIgnored)
{
    Settings settings;
    auto config = settings.Make();
    i32 first = 0, second = 0;
    config->AddVariable("g_lives", Config::KindInt, 0, 1, &first, "3", 0);
    config->AddVariable("G_Lives", Config::KindInt, 0, 1, &second, "9", 0);
    config->Execute("g_lives 5");
    EXPECT_EQ(first, 5);
    EXPECT_EQ(second, 0);
}

TEST(Config, SettingsFileIsWrittenSortedWithCrLfAndSixDecimals)
{
    Settings settings;
    auto config = settings.Make();
    i32 locked = 1;
    u8 unsaved = 1;
    config->AddVariable("locked", Config::KindInt, 1, 1, &locked, "1", 0);
    config->AddVariable("d_unsaved", Config::KindBool, 0, 0, &unsaved, "1", 0);
    config->Save();
    EXPECT_EQ(settings.ReadSettings(), DefaultFile);
}

TEST(Config, SettingsAreReadBack)
{
    Settings settings;
    {
        auto config = settings.Make();
        std::string name;
        config->AddVariable("g_name", Config::KindString, 0, 1, &name, "Ann", 0);
        config->Execute("v_gamma 1.5");
        config->Execute("c_invert_mouse 1");
        config->Execute("g_name Zo\xC3\xAB Smith");
        config->Save();
        config->RemoveVariable("g_name");
    }
    auto config = settings.Make();
    std::string name;
    config->Load();
    config->AddVariable("g_name", Config::KindString, 0, 1, &name, "Ann", 0);
    EXPECT_EQ(settings.Value(*config, "v_gamma"), "1.500000");
    EXPECT_EQ(settings.Value(*config, "c_invert_mouse"), "1");
    EXPECT_EQ(name, "Zo\xC3\xAB Smith");
}

TEST(Config, MissingFileLoadsDefaultsSilently)
{
    Settings settings;
    auto config = settings.Make();
    config->Execute("v_gamma 1.5");
    config->Load();
    EXPECT_EQ(settings.Value(*config, "v_gamma"), "1.000000");
    EXPECT_EQ(settings.log->GetRecordCount(), 1u);
}

TEST(Config, UnwritableSettingsAreLogged)
{
    Settings settings;
    settings.folder.WriteFile("Player", "a file where the folder should be");
    auto config = settings.Make();
    config->Save();
    EXPECT_NE(TestSupport::LogText(*settings.log).find("Error: Failed to open"), std::string::npos);
}

TEST(Config, PendingLinesWaitForTheirNameAndTheFirstWins)
{
    Settings settings;
    settings.WriteSettings("g_music_volume 0.5\r\ng_music_volume 0.7\r\nv_gamma 1.25 // brighter\r\n");
    auto config = settings.Make();
    config->Load();
    EXPECT_EQ(settings.Value(*config, "v_gamma"), "1.250000");
    f32 volume = 0.0f;
    config->AddVariable("g_music_volume", Config::KindFloat, 0, 1, &volume, "1.0", 0);
    EXPECT_FLOAT_EQ(volume, 0.5f);
    config->RemoveVariable("g_music_volume");
    f32 again = 0.0f;
    config->AddVariable("g_music_volume", Config::KindFloat, 0, 1, &again, "1.0", 0);
    EXPECT_FLOAT_EQ(again, 0.5f);
}

TEST(Config, CommandsInTheSettingsFileAreNotRun)
{
    Settings settings;
    settings.WriteSettings("exit\r\nd_cheat\r\nv_vsync 0\r\n");
    auto config = settings.Make();
    config->Load();
    EXPECT_TRUE(config->IsCommandIdle("exit"));
    EXPECT_EQ(settings.Value(*config, "v_vsync"), "0");
    config->AddVariable("d_cheat", Config::KindCommand, 0, 0, nullptr, "", 0);
    EXPECT_TRUE(config->IsCommandIdle("d_cheat"));
}

TEST(Config, DetachedValueIsSavedAndHandedToTheNextRegistration)
{
    Settings settings;
    auto config = settings.Make();
    DetachInt(*config, "g_level", "12", 1);
    EXPECT_EQ(config->Execute("g_level 3"), 4u);
    std::vector<std::string> names;
    config->ListNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_level"), 0);
    config->Save();
    EXPECT_NE(settings.ReadSettings().find("g_level 12\r\n"), std::string::npos);
    i32 again = 0;
    config->AddVariable("g_level", Config::KindInt, 0, 1, &again, "99", 0);
    EXPECT_EQ(again, 12);
    EXPECT_TRUE(config->HasChanged("g_level"));
    std::string text;
    config->GetDefaultValue(text, "g_level");
    EXPECT_EQ(text, "1");
}

TEST(Config, ReregistrationOfAnotherKindTakesTheNewDescription)
{
    Settings settings;
    auto config = settings.Make();
    DetachInt(*config, "g_thing", "42", 0);
    std::string text;
    config->AddVariable("g_thing", Config::KindString, 0, 1, &text, "none", 0);
    EXPECT_EQ(text, "42");
    config->Execute("g_thing forty two");
    EXPECT_EQ(text, "forty two");
}

TEST(Config, ForceFlagsOverrideTheFile)
{
    Settings settings;
    settings.WriteSettings("v_mode 640x480x16\r\nv_fullscreen 0\r\n");
    auto forced = settings.Make(1, "1280x1024x32", 1, 1);
    forced->Load();
    EXPECT_EQ(settings.Value(*forced, "v_mode"), "1280x1024x32");
    EXPECT_EQ(settings.Value(*forced, "v_fullscreen"), "1");
    auto free = settings.Make(0, "1280x1024x32", 0, 1);
    free->Load();
    EXPECT_EQ(settings.Value(*free, "v_mode"), "640x480x16");
    EXPECT_EQ(settings.Value(*free, "v_fullscreen"), "0");
    auto emptyDefault = settings.Make(1, "", 0, 1);
    emptyDefault->Load();
    EXPECT_EQ(settings.Value(*emptyDefault, "v_mode"), "640x480x16");
}

TEST(Config, TrackedChangesLastOneFrame)
{
    Settings settings;
    auto config = settings.Make();
    f32 size = 1.0f;
    config->AddVariable("ui_cursor_size", Config::KindFloat, 0, 1, &size, "1.0", 1);
    EXPECT_TRUE(config->HasChanged("ui_cursor_size"));
    config->Update();
    config->ClearChangedFlags();
    config->Update();
    EXPECT_FALSE(config->HasChanged("ui_cursor_size"));
    size = 1.00005f;
    config->Update();
    EXPECT_FALSE(config->HasChanged("ui_cursor_size"));
    size = 1.5f;
    config->Update();
    EXPECT_TRUE(config->HasChanged("ui_cursor_size"));
    config->ClearChangedFlags();
    config->Update();
    EXPECT_FALSE(config->HasChanged("ui_cursor_size"));
    EXPECT_FALSE(config->HasChanged("v_gamma"));
    EXPECT_FALSE(config->HasChanged("nothing"));
}

TEST(Config, TrackedValuesOfEveryKind)
{
    Settings settings;
    auto config = settings.Make();
    i32 number = 0;
    u8 flag = 0;
    std::string text;
    config->AddVariable("t_int", Config::KindInt, 0, 1, &number, "0", 1);
    config->AddVariable("t_bool", Config::KindBool, 0, 1, &flag, "0", 1);
    config->AddVariable("t_text", Config::KindString, 0, 1, &text, "", 1);
    config->Update();
    config->ClearChangedFlags();
    config->Execute("t_int 4");
    config->Execute("t_bool 1");
    config->Update();
    EXPECT_TRUE(config->HasChanged("t_int"));
    EXPECT_TRUE(config->HasChanged("t_bool"));
    EXPECT_FALSE(config->HasChanged("t_text"));
    config->Execute("t_text words");
    config->ClearChangedFlags();
    config->Update();
    EXPECT_TRUE(config->HasChanged("t_text"));
}

TEST(Config, ResetConfigRestoresEveryDefaultOnTheNextUpdate)
{
    Settings settings;
    auto config = settings.Make();
    i32 locked = 5;
    config->AddVariable("locked", Config::KindInt, 1, 1, &locked, "1", 0);
    locked = 9;
    config->Execute("v_gamma 1.7");
    config->Execute("sc_take_screenshot");
    config->Execute("reset_config");
    config->Update();
    EXPECT_EQ(settings.Value(*config, "v_gamma"), "1.000000");
    EXPECT_TRUE(config->IsCommandIdle("sc_take_screenshot"));
    EXPECT_TRUE(config->IsCommandIdle("reset_config"));
    EXPECT_EQ(locked, 9);
}

TEST(Config, SetFromStringAndResetToDefault)
{
    Settings settings;
    auto config = settings.Make();
    config->SetFromString("V_CONTRAST", "0.25");
    EXPECT_EQ(settings.Value(*config, "v_contrast"), "0.250000");
    config->ResetToDefault("v_contrast");
    EXPECT_EQ(settings.Value(*config, "v_contrast"), "1.000000");
    config->SetFromString("exit", "1");
    EXPECT_TRUE(config->IsCommandIdle("exit"));
}

namespace
{
struct ModeCase
{
    std::string text;
    u32 width, height, bits;
};

class ConfigVideoMode : public testing::TestWithParam<ModeCase>
{
};
}

TEST_P(ConfigVideoMode, SplitsAtTwoSeparators)
{
    const ModeCase& c = GetParam();
    u32 width = 1, height = 1, bits = 1;
    ParseVideoMode(c.text, &width, &height, &bits);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
    EXPECT_EQ(bits, c.bits);
}

INSTANTIATE_TEST_SUITE_P(Table, ConfigVideoMode,
                         testing::Values(ModeCase{"1024x768x32", 1024, 768, 32}, ModeCase{"1280X1024x16", 1280, 1024, 16},
                                         ModeCase{"1024x768", 640, 480, 16}, ModeCase{"", 640, 480, 16},
                                         ModeCase{"wide x tall x deep", 0, 0, 0}));

TEST(Config, VideoModeStoresOnlyWhatIsAsked)
{
    u32 height = 0;
    ParseVideoMode("800x600x32", nullptr, &height, nullptr);
    EXPECT_EQ(height, 600u);
}
