// Every menu window of this folder built from the data set's descriptions: each control the windows look
// up is there with the kind they look for, so the log holds no unknown-control line.
#include "framework/GameWindowIds.h"
#include "game/app/GUIDeleteProfileWindow.h"
#include "game/app/GUIExitWindow.h"
#include "game/app/GUIGameLogicMenuWindow.h"
#include "game/app/GUIHelpWindow.h"
#include "game/app/GUIHighScoresWindow.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/GUINewProfileWindow.h"
#include "game/app/GUIOptionsWindow.h"
#include "game/app/GUIProfileNameConflictWindow.h"
#include "game/app/GUIProfilesWindow.h"
#include "game/app/GUIRenameProfileWindow.h"
#include "game/app/GUIWelcomeWindow.h"
#include "tests/game/app/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace VelkorEngine;
using namespace GameFramework;

TEST(MenuWindowDescriptionsTest, EveryWindowFindsEachControlItLooksUp)
{
    AppTest::MenuWindowBed bed;
    Engine* engine = bed.GetEngine();
    auto* tools = &bed.descriptions.Tools();
    auto* data = bed.data.get();
    auto* menus = bed.menus.get();
    auto* sound = bed.sound.get();
    auto* profiles = &bed.Profiles();
    bed.Profiles().SetCurrentProfile(bed.Profiles().FindOrCreateProfile(L"Ann"), 1);
    bed.HighScores().Add(L"Ann", 0, 10);
    std::vector<std::unique_ptr<GUIFrameworkWindow>> windows;
    windows.push_back(
        std::make_unique<Korvane::GUIWelcomeWindow>(engine, profiles, sound, data, tools, menus, nullptr));
    windows.push_back(std::make_unique<Korvane::GUIExitWindow>(engine, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIMainMenuWindow>(engine, profiles, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIProfilesWindow>(engine, sound, profiles, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUINewProfileWindow>(engine, profiles, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIRenameProfileWindow>(engine, profiles, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIDeleteProfileWindow>(engine, profiles, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIProfileNameConflictWindow>(engine, sound, data, tools, menus, nullptr));
    windows.push_back(std::make_unique<Korvane::GUIHighScoresWindow>(engine, profiles, sound, &bed.HighScores(), data,
                                                                     tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIOptionsWindow>(engine, sound, profiles, data, tools, menus, nullptr));
    windows.push_back(std::make_unique<Korvane::GUIHelpWindow>(engine, sound, data, tools, menus, nullptr));
    windows.push_back(
        std::make_unique<Korvane::GUIGameLogicMenuWindow>(engine, sound, profiles, data, tools, menus, nullptr));
    for (const auto& window : windows)
    {
        window->Show(StateId::MainMenu);
        bed.Settle(*window);
        window->Hide();
        bed.Settle(*window);
    }
    const std::string log = bed.descriptions.gui.engine.LogText();
    EXPECT_EQ(log.find("Unknown"), std::string::npos) << log;
}
