// The level map window: loading the markers, selecting, starting and the blinking path.
#include "game/app/GUIStartGameLogicWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GUIDoubleClickDetecter.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GUIMapElement.h"
#include "game/app/GameData.h"
#include "game/app/MapFile.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowControl.h"

#include <cmath>

namespace Korvane
{
using namespace GameFramework;

namespace
{
constexpr f32 StepFadeTime = 0.3f;
constexpr f32 StepDelay = 0.15f;
constexpr f32 FadeOutStart = 0.6f;
constexpr f32 CycleEnd = 1.0f;
constexpr f32 Tolerance = 0.0001f;

VelkorEngine::Matrix4 ToMatrix(const std::array<f32, 16>& record)
{
    VelkorEngine::Matrix4 matrix;
    for (std::size_t i = 0; i < record.size(); ++i)
        matrix.m[i] = record[i];
    return matrix;
}

bool IsBefore(const GUIMapElement& element, u32 stage, u32 level)
{
    return element.GetStage() < stage || (element.GetStage() == stage && element.GetLevel() < level);
}

bool IsAt(const GUIMapElement& element, u32 stage, u32 level)
{
    return element.GetStage() == stage && element.GetLevel() == level;
}
}

GUIStartGameLogicWindow::GUIStartGameLogicWindow(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                                 LevelManagerBase* levelManager, ProfileManagerBase* profileManager,
                                                 GameData* data, GUITools::GUIToolManager* toolManager,
                                                 GUIMenuWindowManager* menuManager,
                                                 VelkorEngine::GUIWindow* parentWidget)
    : m_menu(engine, soundPlayer, data, toolManager, menuManager, WindowName, parentWidget), m_engine(engine),
      m_frameTimer(engine->GetTimerManager()), m_profileManager(profileManager),
      m_backButton(MenuControls::Button(m_menu, "/window/button_0")),
      m_startButton(MenuControls::Button(m_menu, "/window/button_1")),
      m_startTitle(MenuControls::Text(m_menu, "/window/button_1/title")),
      m_doubleClicks(std::make_unique<GUIDoubleClickDetecter>(engine))
{
    LoadMap(*levelManager, data);
    m_menu.SetFollower([this] { FollowFade(); });
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow()
{
    m_elements.clear();
}

// The markers are placed inside the map's panel, relative to its place; without a panel they stand on the
// window itself.
void GUIStartGameLogicWindow::LoadMap(LevelManagerBase& levelManager, GameData* data)
{
    const std::string panelName = m_menu.GetName() + "/window";
    const GUITools::GUIWindowControl* panel = m_menu.HasWindowControl(panelName) ? m_menu.GetWindowControl(panelName)
                                                                                 : nullptr;
    VelkorEngine::GUIWindow* parent = panel ? panel->GetWindow() : m_menu.GetWindow();
    const VelkorEngine::Vector2 origin = panel ? panel->GetPosition() : VelkorEngine::Vector2(0.0f, 0.0f);
    try
    {
        for (const MapElementRecord& record : MapFile::Read(m_engine->GetFileManager(), levelManager))
            m_elements.push_back(std::make_unique<GUIMapElement>(m_engine, data, m_doubleClicks.get(), record.type,
                                                                 ToMatrix(record.matrix), origin, record.stage,
                                                                 record.level, parent));
    }
    catch (const VelkorEngine::Error& error)
    {
        m_engine->GetMessageManager()->Fatal(error.GetMessage());
    }
}

void GUIStartGameLogicWindow::Show(u32 stateId)
{
    GUIStartGameLogicWindowBase::Show(stateId);
    if (stateId == StateId::LevelComplete || stateId == StateId::GameLogicRestart)
        return;
    ShowTitle(stateId == StateId::StageComplete ? "start_game/title_stage_is_passed" : "start_game/title_select_level");
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (stateId == StateId::ContinueGame)
    {
        if (profile && profile->gameInProgress)
            return;
        GUIStartGameLogicWindowBase::Show(StateId::None);
    }
    m_menu.Show(true);
    if (profile)
        SelectMapPosition(profile->mapStage, profile->mapLevel);
    if (stateId == StateId::StageComplete)
        for (const auto& element : m_elements)
            element->DisableInput();
    m_animationRunning = 1;
    m_animationTime = 0.0f;
}

// The title is optional in a menu window's description.
void GUIStartGameLogicWindow::ShowTitle(const std::string& key)
{
    const std::string name = m_menu.GetName() + "/title";
    if (m_menu.HasTextControl(name))
        MenuControls::SetTextKey(m_menu.GetTextControl(name), key);
}

void GUIStartGameLogicWindow::Hide()
{
    GUIStartGameLogicWindowBase::Hide();
    m_menu.Show(false);
}

void GUIStartGameLogicWindow::SelectMapPosition(u32 stage, u32 level)
{
    ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    const u32 furthestStage = profile->furthestStage;
    const u32 furthestLevel = profile->furthestLevel;
    if (stage > furthestStage || (stage == furthestStage && level > furthestLevel))
    {
        stage = furthestStage;
        level = furthestLevel;
    }
    for (const auto& element : m_elements)
    {
        if (element->GetType() == MapElementType::Path)
            element->SetCheckPointLook(false);
        element->Show(false);
    }
    for (const auto& element : m_elements)
    {
        if (IsBefore(*element, stage, level))
            element->SetState(GUIMapElement::Passed);
        else if (IsAt(*element, stage, level))
        {
            if (element->GetType() == MapElementType::Path)
                element->SetCheckPointLook(true);
            element->SetState(GUIMapElement::Selected);
            profile->mapStage = stage;
            profile->mapLevel = level;
            profile->Save();
        }
        else
            element->SetState(GUIMapElement::Ahead);
        element->Show(true);
        if (IsAt(*element, furthestStage, furthestLevel))
            break;
    }
}

bool GUIStartGameLogicWindow::ForwardsToPlay(u32 stateId)
{
    return stateId == StateId::ContinueGame || stateId == StateId::LevelComplete ||
           stateId == StateId::GameLogicRestart;
}

void GUIStartGameLogicWindow::Update()
{
    GUIStartGameLogicWindowBase::Update();
    m_menu.Update();
    if (ForwardsToPlay(GetStateId()))
    {
        SetResultCode(ResultCode::Start);
        GUIStartGameLogicWindowBase::Show(StateId::None);
        return;
    }
    if (!m_menu.IsShown())
        return;
    if (MenuControls::IsClicked(m_backButton))
        SetResultCode(ResultCode::MainMenu);
    if (MenuControls::IsClicked(m_startButton))
        SetResultCode(ResultCode::Start);
    m_doubleClicks->Update();
    UpdateMarkers();
    if (m_animationRunning)
        UpdateBlinking();
}

// The markers are models of their own, not controls: they take the opacity of the start button's title in the
// menu's transition, so that the window tells it takes input only once they have come in too.
void GUIStartGameLogicWindow::FollowFade()
{
    if (!m_menu.GUIWindowBase::IsShown())
        return;
    const f32 fade = m_startTitle && m_startTitle->IsShown() ? m_startTitle->GetFadeValue() : 0.0f;
    if (std::fabs(fade - m_lastFade) <= Tolerance)
        return;
    m_lastFade = fade;
    for (const auto& element : m_elements)
        element->SetFade(fade);
}

void GUIStartGameLogicWindow::UpdateMarkers()
{
    const GUIMapElement* previous = nullptr;
    for (const auto& element : m_elements)
    {
        if (!element->IsVisible() || element->GetState() == GUIMapElement::Locked ||
            element->GetState() == GUIMapElement::Highlighted)
            break;
        element->UpdateHighlight(previous == nullptr || !previous->IsHighlighted());
        previous = element.get();
        if (element->IsClicked())
        {
            SelectMapPosition(element->GetStage(), element->GetLevel());
            break;
        }
    }
    for (const auto& element : m_elements)
        if (element->IsVisible() && element->IsDoubleClicked())
            SetResultCode(ResultCode::Start);
}

std::size_t GUIStartGameLogicWindow::FindElement(u32 stage, u32 level) const
{
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        if (IsAt(*m_elements[i], stage, level))
            return i;
    return m_elements.size();
}

void GUIStartGameLogicWindow::UpdateBlinking()
{
    const ProfileBase* profile = m_profileManager->GetCurrentProfile();
    if (!profile)
        return;
    const std::size_t furthest = FindElement(profile->furthestStage, profile->furthestLevel);
    if (furthest == m_elements.size())
        return;
    m_animationTime += m_frameTimer->GetFrameTime();
    BlinkPass(0, furthest);
    BlinkPass(1, furthest);
}

// The locked steps after the furthest marker light up one after another up to the next marker, then fade
// out in the same order; the cycle starts again once the last has gone.
void GUIStartGameLogicWindow::BlinkPass(u32 pass, std::size_t furthestIndex)
{
    f32 u = m_animationTime - FadeOutStart * static_cast<f32>(pass);
    if (pass == 1 && u < 0.0f)
        return;
    for (std::size_t i = furthestIndex + 1; i < m_elements.size(); ++i)
    {
        GUIMapElement& element = *m_elements[i];
        if (!element.IsVisible())
        {
            element.Show(true);
            element.SetState(GUIMapElement::Locked);
        }
        const f32 share = u > StepFadeTime ? 1.0f : u / StepFadeTime;
        element.SetAlpha(pass == 0 ? share : 1.0f - share);
        u -= StepDelay;
        if (u < Tolerance)
            return;
        if (element.GetType() != MapElementType::Path)
        {
            if (pass == 1 && u > CycleEnd)
                m_animationTime = 0.0f;
            return;
        }
    }
}
}
