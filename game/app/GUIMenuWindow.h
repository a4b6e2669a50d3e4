// The layout side of every menu and dialog window: a window built from its
// description that appears and disappears with its controls' animations, one
// window at a time through the menu window manager's token, with the window
// sounds. A game window also derives from its framework window base; both bases
// have an Update and a Show, so a game window calls these with their class name
// (GUIMenuWindow::Show(true)).
#pragma once

#include "guitools/GUIWindowBase.h"

#include <functional>

namespace GameFramework
{
class GameSoundPlayer;
}

namespace Korvane
{
class GameData;
class GUIMenuWindowManager;

class GUIMenuWindow : public GUITools::GUIWindowBase
{
public:
    GUIMenuWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                  GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* manager, const std::string& name,
                  VelkorEngine::GUIWindow* parentWidget);
    ~GUIMenuWindow() override = default;

    // The controls are updated by the transition, once per frame through the
    // manager.
    void Update() override {}
    // Showing waits for the token; hiding starts the controls' hide animations at
    // once.
    void Show(bool show) override;
    bool IsShown() const override;
    virtual void UpdateTransition();
    // What the window draws beside its controls and fades with them follows them here, in the transition, right
    // after the controls have moved on and before the window may tell that it takes input: both then show the
    // same frame's fade.
    void SetFollower(std::function<void()> follower) { m_follower = std::move(follower); }

    // The visibility asked for by the last Show.
    bool IsShowRequested() const { return m_shown; }
    bool IsShowPending() const { return m_showPending; }

protected:
    GameFramework::GameSoundPlayer* m_soundPlayer;
    GameData* m_data;
    GUIMenuWindowManager* m_manager;
    GUITools::GUIWindowControl* m_windowPanel = nullptr;
    GUITools::GUITextControl* m_title = nullptr;
    GUITools::GUITextControl* m_windowText = nullptr;
    GUITools::GUIWindowControl* m_animatedTitleMount = nullptr;
    GUITools::GUIWindowControl* m_staticTitleMount = nullptr;

private:
    GUITools::GUIWindowControl* FindWindowControl(const std::string& suffix) const;
    GUITools::GUITextControl* FindTextControl(const std::string& suffix) const;
    void Appear();
    void HideLayout();
    void Disappear();
    bool IsHideAnimating() const;
    void PlayPendingSound();
    void ReportTakingInput();

    bool m_soundPending = false;
    bool m_shown = false;
    bool m_showPending = false;
    // The controls were last told to show (the window appeared and has not been hidden since).
    bool m_layoutShown = false;
    // The end of this appearance's entrance is in the log.
    bool m_inputReported = false;
    std::function<void()> m_follower;
};
} // namespace Korvane
