#include "game/app/GUIMenuWindowManager.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "game/app/GUIMenuWindow.h"
#include "game/app/GameData.h"
#include "guitools/GUIWindowControl.h"

namespace Korvane
{
namespace
{
constexpr const char* PublisherLogoSuffixes[GameData::PublisherCount] = {"/logo_additional_0", "/logo_additional_1"};
}

GUIMenuWindowManager::GUIMenuWindowManager(GameData* owner) : m_owner(owner)
{
}

void GUIMenuWindowManager::ReleaseToken()
{
    m_tokenFree = true;
    m_tokenHolder = nullptr;
}

void GUIMenuWindowManager::TakeToken(GUIMenuWindow* window)
{
    if (!m_tokenFree)
        return;
    m_tokenFree = false;
    m_tokenHolder = window;
}

void GUIMenuWindowManager::Register(GUIMenuWindow* window)
{
    m_windows.push_back(window);
}

void GUIMenuWindowManager::PreUpdate()
{
}

void GUIMenuWindowManager::Update()
{
    UpdateWindows(false);
    UpdateWindows(true);
}

void GUIMenuWindowManager::UpdateWindows(bool shown)
{
    // By index: a transition may not add windows, but the vector is the only
    // thing walked here.
    for (std::size_t i = 0; i < m_windows.size(); ++i)
        if (m_windows[i]->IsShowRequested() == shown)
            m_windows[i]->UpdateTransition();
}

void GUIMenuWindowManager::FillPublisherLogos(GUITools::GUIWindowBase& window)
{
    for (VelkorEngine::u32 i = 0; i < GameData::PublisherCount; ++i)
    {
        const std::string name = window.GetName() + PublisherLogoSuffixes[i];
        if (!window.HasWindowControl(name))
            continue;
        GUITools::GUIWindowControl* control = window.GetWindowControl(name);
        VelkorEngine::ShaderUser* logo = m_owner != nullptr ? m_owner->GetSmallLogo(i) : nullptr;
        if (logo != nullptr)
            control->GetWidget()->SetShader(*logo);
        else
            window.SetControlEnabled(control, false);
    }
}
} // namespace Korvane
