// System and drawn cursors by id, switched by the custom-cursor setting.
#include "framework/GUIGameCursorBase.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"

#include <string>

namespace GameFramework
{
namespace
{
constexpr const char* CustomCursorSetting = "ui_custom_cursor";
}

GUIGameCursorBase::GUIGameCursorBase(VelkorEngine::Engine* engine)
    : m_log(engine->GetMessageManager()), m_window(engine->GetWindow()), m_config(engine->GetConfig()),
      m_guiManager(engine->GetGUIManager()), m_controls(engine->GetControls())
{
    m_config->AddVariable(CustomCursorSetting, VelkorEngine::Config::KindBool, 0, 1, &m_customCursorSetting, "1", 1);
    m_customCursorInUse = m_customCursorSetting;
    GUIGameCursorBase::SetCursorVisible(false);
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    // The GUI manager made the drawn cursors; they end with their registration.
    for (const auto& [id, pair] : m_cursors)
        m_guiManager->DestroyCursor(pair.guiCursor);
    m_config->RemoveVariable(CustomCursorSetting);
}

void GUIGameCursorBase::RegisterCursor(u32 cursorId, u16 resourceId, VelkorEngine::GUICursor* guiCursor)
{
    if (!guiCursor)
    {
        m_log->Error("(GUIGameCursorBase::RegisterCursor): No GUI cursor for cursor " + std::to_string(cursorId));
        return;
    }
    guiCursor->SetVisible(false);
    m_cursors.emplace(cursorId, CursorPair{m_window->LoadCursor(resourceId), guiCursor});
}

void GUIGameCursorBase::SetCursor(u32 cursorId)
{
    if (cursorId == m_currentCursorId)
        return;
    m_currentCursorId = cursorId;
    const auto found = m_cursors.find(cursorId);
    if (found == m_cursors.end())
        return;
    if (m_current && m_customCursorInUse && IsCursorVisible())
    {
        SetCursorVisible(false);
        m_current = &found->second;
        SetCursorVisible(true);
    }
    m_current = &found->second;
    m_window->SetCursor(m_current->systemCursor);
}

bool GUIGameCursorBase::IsCursorVisible() const
{
    return UsesGUICursor() ? m_current->guiCursor->IsVisible() : m_controls->IsCursorVisible();
}

void GUIGameCursorBase::SetCursorVisible(bool visible)
{
    if (UsesGUICursor())
        m_current->guiCursor->SetVisible(visible);
    else
        m_controls->SetCursorVisible(visible);
}

bool GUIGameCursorBase::Update()
{
    if (!IsCursorVisible())
        return false;
    if (m_config->HasChanged(CustomCursorSetting))
    {
        // The old kind goes away and the new kind appears in the same frame.
        SetCursorVisible(false);
        m_customCursorInUse = m_customCursorSetting;
        SetCursorVisible(true);
    }
    return true;
}
}
