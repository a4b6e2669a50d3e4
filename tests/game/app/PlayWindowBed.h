// The play windows on the GUI test bed: the data set's own window descriptions, faders and texts, the start-up
// keeper, the menu window manager, a sound player that notes the effects asked for, and a profile manager
// with one player in a temporary user folder. Frames run as the game's frame does: the engine reads the input
// and draws, the windows and the manager's transitions run, then the engine's frame step clears the presses.
#pragma once

#include "tests/framework/TestGameTypes.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/WindowDescriptionBed.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GameFramework
{
class GUIFrameworkWindow;
class ProfileBase;
}

namespace Korvane
{
class GameData;
class GUIMenuWindowManager;
}

namespace AppTest
{
class PlayWindowBed
{
public:
    PlayWindowBed();
    ~PlayWindowBed();

    PlayWindowBed(const PlayWindowBed&) = delete;
    PlayWindowBed& operator=(const PlayWindowBed&) = delete;

    // Stages with these level counts in "data/levels/levels.xml".
    void WriteLevels(const std::vector<int>& levelCounts, int aceTime = 60);
    // The generated data set's description of the window, as it ships.
    static std::string ShippedDescription(const std::string& fileName);

    // Frames of 1/60 s.
    void RunFrames(int frames);
    void Add(GameFramework::GUIFrameworkWindow* window) { m_windows.push_back(window); }

    // Clicks a point of the GUI screen: pressed in one frame, released in the next.
    void Click(const VelkorEngine::Vector2& point);

    VelkorEngine::Engine& Engine() { return windows.gui.engine.GetEngine(); }
    GameFramework::ProfileBase& Player() const;

    TestSupport::WindowDescriptionBed windows;
    std::unique_ptr<TestSupport::RecordingSoundPlayer> sounds;
    std::unique_ptr<Korvane::GameData> data;
    std::unique_ptr<Korvane::GUIMenuWindowManager> menus;
    std::unique_ptr<FrameworkTest::TestProfileManager> profiles;

private:
    std::vector<GameFramework::GUIFrameworkWindow*> m_windows;
};
}
