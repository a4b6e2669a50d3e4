#include "game/app/GUIMenuWindow.h"

#include "engine/core/MessageManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GameSoundPlayer.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "game/app/SoundTable.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowControl.h"

namespace Korvane
{
GUIMenuWindow::GUIMenuWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer, GameData* data,
                             GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* manager,
                             const std::string& name, VelkorEngine::GUIWindow* parentWidget)
    : GUIWindowBase(engine, data->GetGUIResources(), toolManager, parentWidget, name), m_soundPlayer(soundPlayer),
      m_data(data), m_manager(manager)
{
    m_manager->Register(this);
    m_windowPanel = FindWindowControl("/window");
    m_title = FindTextControl("/title");
    m_windowText = FindTextControl("/window/text");
    m_animatedTitleMount = FindWindowControl("/title_mount_animated");
    m_staticTitleMount = FindWindowControl("/title_mount_static");
    m_manager->FillPublisherLogos(*this);
}

GUITools::GUIWindowControl* GUIMenuWindow::FindWindowControl(const std::string& suffix) const
{
    const std::string name = GetName() + suffix;
    return HasWindowControl(name) ? GetWindowControl(name) : nullptr;
}

GUITools::GUITextControl* GUIMenuWindow::FindTextControl(const std::string& suffix) const
{
    const std::string name = GetName() + suffix;
    return HasTextControl(name) ? GetTextControl(name) : nullptr;
}

void GUIMenuWindow::Show(bool show)
{
    if (show)
        m_showPending = true;
    else
    {
        // A window hidden before it got the token never came on screen: a show left pending would later take
        // the token for a window nobody hides again.
        m_showPending = false;
        if (m_layoutShown)
            HideLayout();
    }
    m_shown = show;
}

void GUIMenuWindow::HideLayout()
{
    GUIWindowBase::Show(false);
    m_layoutShown = false;
    m_soundPending = m_windowPanel != nullptr;
}

bool GUIMenuWindow::IsShown() const
{
    return m_shown && GUIWindowBase::IsShown();
}

void GUIMenuWindow::UpdateTransition()
{
    Appear();
    GUIWindowBase::Update();
    if (m_follower)
        m_follower();
    ReportTakingInput();
    Disappear();
    PlayPendingSound();
}

void GUIMenuWindow::Appear()
{
    if (!m_showPending || !(m_manager->IsTokenFree() || m_manager->GetTokenHolder() == this))
        return;
    m_showPending = false;
    m_manager->TakeToken(this);
    GUIWindowBase::Show(true);
    m_layoutShown = true;
    m_inputReported = false;
    m_soundPending = m_windowPanel != nullptr;
}

// The log tells when the entrance has ended: a click made while the controls still come in may miss them, so
// whoever drives the program from outside waits for this line before clicking.
void GUIMenuWindow::ReportTakingInput()
{
    if (!m_shown || !m_layoutShown || m_inputReported || !IsShowFinished())
        return;
    m_inputReported = true;
    m_log->Message("Window " + GetName() + " takes input");
}

void GUIMenuWindow::Disappear()
{
    if (m_shown || m_manager->IsTokenFree())
        return;
    GUIMenuWindow* holder = m_manager->GetTokenHolder();
    if (holder != this && holder != nullptr)
        return;
    if (IsHideAnimating())
        return;
    if (holder == this)
        m_manager->ReleaseToken();
    m_window->ClearState(VelkorEngine::GUIWindow::StateVisible);
}

bool GUIMenuWindow::IsHideAnimating() const
{
    return (m_windowPanel != nullptr && m_windowPanel->IsShown()) ||
           (m_animatedTitleMount != nullptr && m_animatedTitleMount->IsShown()) ||
           (m_title != nullptr && m_title->IsShown() && !m_title->IsPrintingDone());
}

void GUIMenuWindow::PlayPendingSound()
{
    if (!m_soundPending)
        return;
    // The panel's target, not its IsShown: a panel on its way out still counts as
    // shown while it is visible.
    const bool panelShown = m_windowPanel->IsTargetShown();
    const bool panelVisible = m_windowPanel->GetWidget()->IsVisible();
    if (panelShown && panelVisible)
    {
        m_soundPlayer->PlaySound(SoundTable::WindowAppear);
        m_soundPending = false;
    }
    else if (!panelShown && !panelVisible)
    {
        m_soundPlayer->PlaySound(SoundTable::WindowDisappear);
        m_soundPending = false;
    }
}
} // namespace Korvane
