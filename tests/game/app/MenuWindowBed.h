// The game's menu windows on the GUI test bed, built from the data set's own window descriptions: the
// start-up data keeper, the sound player, the menu window manager, profiles and high scores in the bed's
// folder, and frames run in the game's order (the GUI's mouse pass, the window's update, the menu
// transitions). The mouse clicks a button where it is drawn; keys and typed characters go through the
// engine's input as a player's would.
#pragma once

#include "framework/GUIFrameworkWindow.h"
#include "framework/GameSoundPlayer.h"
#include "framework/HighScoresTable.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "game/app/ProfileManager.h"
#include "tests/support/WindowDescriptionBed.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class GUIButton;
class GUIWindow;
}

namespace AppTest
{
class MenuWindowBed
{
public:
    MenuWindowBed();
    ~MenuWindowBed();

    VelkorEngine::Engine* GetEngine() { return &descriptions.gui.engine.GetEngine(); }
    // The profile manager reads the profiles the folder holds now.
    Korvane::ProfileManager& Profiles();
    GameFramework::HighScoresTable& HighScores();
    const std::string& UserFolder() const { return descriptions.gui.engine.folder.Path(); }

    // One frame for the window, in the order the game runs it.
    void RunFrame(GameFramework::GUIFrameworkWindow& window);
    void RunFrames(GameFramework::GUIFrameworkWindow& window, int frames);
    // Frames until the menu window has appeared and its body has finished its entrance.
    void Settle(GameFramework::GUIFrameworkWindow& window);
    // Moves the mouse over the middle of the widget, presses and releases it; the frames in between run.
    // Returns the result code the window holds after the release frame.
    VelkorEngine::u32 Click(GameFramework::GUIFrameworkWindow& window, const VelkorEngine::GUIWindow* widget);
    // Presses the button and holds it for the given frames, then releases it.
    void Hold(GameFramework::GUIFrameworkWindow& window, const VelkorEngine::GUIWindow* widget, int frames);
    // One typed character or editing key per frame, as the edit box takes them.
    void Type(GameFramework::GUIFrameworkWindow& window, const std::wstring& text);
    // Enter pressed in one frame and let go in the next, typed into the window as the platform reports it.
    VelkorEngine::u32 PressEnter(GameFramework::GUIFrameworkWindow& window);
    // The text and then Enter, pressed and let go, all within one frame, as a frame the program was slow to reach
    // reads them; frames then run, one a typed key, until the window holds a result, which is returned.
    VelkorEngine::u32 TypeWithEnterInOneFrame(GameFramework::GUIFrameworkWindow& window, const std::wstring& text);

    TestSupport::WindowDescriptionBed descriptions;
    std::unique_ptr<GameFramework::GameSoundPlayer> sound;
    std::unique_ptr<Korvane::GameData> data;
    std::unique_ptr<Korvane::GUIMenuWindowManager> menus;

private:
    void MoveOver(const VelkorEngine::GUIWindow* widget);
    void SendEnterDown();

    std::unique_ptr<Korvane::ProfileManager> m_profiles;
    std::unique_ptr<GameFramework::HighScoresTable> m_highScores;
};
}
