// The in-game window: counters, buttons, keys, the click and the statistics overlay.
#include "game/app/GUIGameLogicWindow.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/scene/ModelManager.h"
#include "framework/GameCamera.h"
#include "framework/GameWindowIds.h"
#include "framework/LevelManagerBase.h"
#include "framework/WindowModeCommand.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "game/app/MenuControls.h"
#include "game/app/PlayWindowControls.h"
#include "game/play/GameLogic.h"
#include "guitools/GUIFontTool.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIToolManager.h"
#include "guitools/GUIWindowControl.h"

#include <cstdio>

namespace Korvane
{
using namespace GameFramework;
using VelkorEngine::f32;
using VelkorEngine::Vector2;
namespace Controls = PlayWindowControls;

namespace
{
constexpr f32 RadiansToDegrees = 180.0f / 3.14159265358979f;

std::wstring Format(const wchar_t* format, double a, double b = 0.0, double c = 0.0)
{
    wchar_t text[128];
    std::swprintf(text, 128, format, a, b, c);
    return text;
}
}

GUIGameLogicWindow::GUIGameLogicWindow(VelkorEngine::Engine* engine, ProfileManagerBase* profileManager, GameData* data,
                                       GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                       VelkorEngine::GUIWindow* parentWidget)
    : GUIGameLogicWindowBase(engine, profileManager),
      m_layout(engine, data->GetGUIResources(), toolManager, parentWidget, WindowName), m_settings(engine->GetConfig()),
      m_timerManager(engine->GetTimerManager()), m_modelManager(engine->GetModelManager()),
      m_controls(engine->GetControls()), m_guiManager(engine->GetGUIManager()), m_toolManager(toolManager),
      m_menuManager(menuManager), m_data(data), m_ownControl(m_layout.GetWindowControl(WindowName)),
      m_menuButton(MenuControls::Button(m_layout, "/menu")),
      m_minimizeButton(MenuControls::Button(m_layout, "/minimize")),
      m_fullScreenBox(MenuControls::CheckBox(m_layout, "/fullscreen")),
      m_closeButton(MenuControls::Button(m_layout, "/close")), m_livesText(MenuControls::Text(m_layout, "/life/text")),
      m_scoreText(MenuControls::Text(m_layout, "/score/text_1")),
      m_levelText(MenuControls::Text(m_layout, "/level/text_1"))
{
    m_menuManager->FillPublisherLogos(m_layout);
    VelkorEngine::GUIWindow* ownWidget = m_ownControl ? m_ownControl->GetWindow() : m_layout.GetWindow();
    m_overlay = m_guiManager->CreateWindow(VelkorEngine::GUIWindow::StateVisible, Vector2(0.0f, 0.0f),
                                           Vector2(0.0f, 0.0f), nullptr, ownWidget);
    if (m_overlay)
        m_overlay->SetLayer(OverlayLayer);
}

GUIGameLogicWindow::~GUIGameLogicWindow()
{
    m_guiManager->DestroyWindow(m_overlay);
}

void GUIGameLogicWindow::Show(u32 stateId, GameLogicBase* gameLogic)
{
    GUIGameLogicWindowBase::Show(stateId, gameLogic);
    m_layout.Show(true);
    m_logic = dynamic_cast<GameLogic*>(gameLogic);
    if (m_fullScreenBox)
        m_fullScreenBox->SetChecked(m_fullScreen != 0);
    if (const LevelRecord* level = gameLogic ? gameLogic->GetLevelRecord() : nullptr)
        MenuControls::SetText(m_levelText, Controls::LevelName(level->stage, level->level));
}

void GUIGameLogicWindow::Hide()
{
    GUIGameLogicWindowBase::Hide();
    m_layout.Show(false);
    if (!m_menuManager->IsTokenFree())
        m_menuManager->ReleaseToken();
    m_menuManager->TakeToken(nullptr);
    m_logic = nullptr;
}

void GUIGameLogicWindow::SetActive(bool active)
{
    GUIGameLogicWindowBase::SetActive(active);
    MenuControls::SetEnabled(m_menuButton, active);
    MenuControls::SetEnabled(m_closeButton, active);
}

void GUIGameLogicWindow::Update()
{
    GUIGameLogicWindowBase::Update();
    m_layout.Update();
    FollowWindowMode();
    if (!(m_ownControl ? m_ownControl->IsShown() : m_layout.IsShown()))
    {
        ReleaseHideHold();
        return;
    }
    if (!m_logic)
        return;
    HandleWindowButtons();
    if (IsStatisticsShown())
        DrawStatistics();
    ShowCounters();
    if (m_active)
        HandleCommands();
}

void GUIGameLogicWindow::FollowWindowMode()
{
    if (!m_settings->IsCommandIdle(kChangeWindowMode) && m_fullScreenBox)
        m_fullScreenBox->SetChecked(m_fullScreen != 0);
}

// The hold taken by the hide ends once the window has gone from the screen.
void GUIGameLogicWindow::ReleaseHideHold()
{
    if (!m_menuManager->IsTokenFree() && m_menuManager->GetTokenHolder() == nullptr)
        m_menuManager->ReleaseToken();
}

void GUIGameLogicWindow::HandleWindowButtons()
{
    if (MenuControls::IsClicked(m_minimizeButton))
        MinimizeWindow();
    if (!MenuControls::IsClicked(m_fullScreenBox))
        return;
    m_fullScreen = m_fullScreenBox->IsChecked() ? 1 : 0;
    *m_videoSettings.fullScreen = m_fullScreen;
    m_settings->Save();
    m_settings->SetCommandIdle(kChangeWindowMode, 0);
}

void GUIGameLogicWindow::ShowCounters()
{
    const u32 lives = m_logic->lives;
    MenuControls::SetText(m_livesText, L"x " + std::to_wstring(lives > 0 ? lives - 1 : 0));
    MenuControls::SetText(m_scoreText, std::to_wstring(GetScore()));
}

// Later steps overwrite earlier ones: ESCAPE wins over SPACE, SPACE over the close button.
void GUIGameLogicWindow::HandleCommands()
{
    if (MenuControls::IsClicked(m_closeButton))
        SetResultCode(ResultCode::ExitQuestion);
    if (m_controls->IsPressed("SPACE") || m_controls->IsPressed("P"))
        SetResultCode(ResultCode::Pause);
    if (m_controls->IsPressed("ESCAPE") || MenuControls::IsClicked(m_menuButton))
        SetResultCode(ResultCode::GameLogicMenu);
    const bool ballResting = !m_logic->IsBallInPlay();
    MenuControls::SetEnabled(m_minimizeButton, ballResting);
    MenuControls::SetEnabled(m_fullScreenBox, ballResting);
    if (m_controls->IsPressed("MOUSE1") && !IsOverButtons() && IsClickInsideScreen())
        m_logic->Click();
}

bool GUIGameLogicWindow::IsOverButtons() const
{
    return Controls::IsMouseOver(m_menuButton) || Controls::IsMouseOver(m_minimizeButton) ||
           Controls::IsMouseOver(m_fullScreenBox) || Controls::IsMouseOver(m_closeButton);
}

bool GUIGameLogicWindow::IsClickInsideScreen() const
{
    const Vector2& cursor = m_guiManager->GetClickPosition();
    return cursor.x > -1.0f && cursor.x < m_guiManager->GetWidth() + 1.0f && cursor.y > -1.0f &&
           cursor.y < m_guiManager->GetHeight() + 1.0f;
}

bool GUIGameLogicWindow::IsStatisticsShown() const
{
    std::string value;
    m_settings->GetValueAsString(value, "d_show_statistics");
    return value == "1" || value == "true";
}

void GUIGameLogicWindow::DrawStatistics()
{
    if (!m_overlay)
        return;
    QueueLine(512.0f, L"FPS: " + std::to_wstring(m_timerManager->GetFPS()));
    // What was drawn in the last frame: a model out of the camera's view costs nothing.
    QueueLine(497.0f, L"Model count: " + std::to_wstring(m_modelManager->GetDrawnModelCount()));
    QueueLine(482.0f, L"Triangle count: " + std::to_wstring(m_modelManager->GetPrimitivesDrawn()));
    QueueLine(467.0f, Format(L"Time: %.1f", m_logic->GetTime()));
    const GameTools::GameCamera& camera = m_logic->GetCamera();
    QueueLine(33.0f, Format(L"Camera FOV: %.6f", camera.GetFieldOfView() * RadiansToDegrees));
    const VelkorEngine::Vector3& position = camera.GetPosition();
    QueueLine(18.0f, Format(L"Camera position: %.4f %.4f %.4f", position.x, position.y, position.z));
    const VelkorEngine::Quaternion& rotation = camera.GetRotation();
    QueueLine(3.0f, Format(L"Camera rotation: %.4f %.4f %.4f", rotation.x, rotation.y, rotation.z) +
                        Format(L" %.4f", rotation.w));
}

void GUIGameLogicWindow::QueueLine(f32 y, const std::wstring& text)
{
    const VelkorEngine::i32 font = m_toolManager->GetFontTool()->GetFontIndex("console");
    m_overlay->AddText(0, font, Vector2(8.0f, y), VelkorEngine::Color(1.0f, 1.0f, 1.0f, 1.0f), text, 0.0f, -1.0f);
}
}
