// The behaviour side of the play screen: the game logic it shows, the player whose score it adds, whether it
// takes input (not while a pause or menu window lies over it) and the full-screen flag its key toggles.
#pragma once

#include "engine/core/Config.h"
#include "engine/core/Types.h"
#include "framework/GUIFrameworkWindow.h"

namespace VelkorEngine
{
class Engine;
class Window;
}

namespace GameFramework
{
class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

class GUIGameLogicWindowBase : public GUIFrameworkWindow
{
public:
    GUIGameLogicWindowBase(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager);

    // Follows a full-screen change while it is pending.
    void Update() override;
    // Forgets the game logic and the player.
    void Hide() override;
    using GUIFrameworkWindow::Show;
    // Keeps the game logic and the current player, and becomes active.
    virtual void Show(u32 stateId, GameLogicBase* gameLogic);
    virtual void SetActive(bool active);

    // The level's points so far plus the player's score from the levels before.
    u32 GetScore() const;
    void MinimizeWindow();

    bool IsActive() const { return m_active != 0; }
    GameLogicBase* GetGameLogic() const { return m_gameLogic; }
    ProfileBase* GetCurrentProfile() const { return m_currentProfile; }
    u8 GetFullScreen() const { return m_fullScreen; }

protected:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::Config* m_config = nullptr;
    VelkorEngine::Config::RenderSettings m_videoSettings;
    VelkorEngine::Window* m_window = nullptr;
    ProfileManagerBase* m_profileManager = nullptr;
    ProfileBase* m_currentProfile = nullptr;
    GameLogicBase* m_gameLogic = nullptr;
    u8 m_fullScreen = 0;
    u8 m_active = 0;
};
}
