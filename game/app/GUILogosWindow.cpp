#include "game/app/GUILogosWindow.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/files/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"

#include <algorithm>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 RootState = GUIWindow::StateVisible | GUIWindow::StateLayerMiddle;
constexpr u32 LogoState = GUIWindow::StateVisible | GUIWindow::StateColored;
constexpr i32 LogoLayers[GUILogosWindow::LogoCount] = {101, 100};
// The picture is a 1024 x 1024 texture of which the 800 x 600 corner fills the screen.
const Vector2 ScreenSize(800.0f, 600.0f);
const Vector2 TextureExtent(800.0f / 1024.0f, 600.0f / 1024.0f);
constexpr f32 Invisible = 0.0001f;
constexpr u32 ResultDone = 1;
}

GUILogosWindow::GUILogosWindow(Engine* engine)
    : m_engine(engine), m_fileManager(engine->GetFileManager()), m_timerManager(engine->GetTimerManager()),
      m_guiManager(engine->GetGUIManager())
{
    m_rootWindow = m_guiManager->CreateWindow(RootState, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, nullptr);
    for (u32 i = 0; i < LogoCount; ++i)
        m_logoWindows[i] = CreateLogoWindow(i);
    if (m_logoWindows[0] == nullptr)
        std::swap(m_logoWindows[0], m_logoWindows[1]);
    for (u32 i = 0; i < LogoCount; ++i)
        if (m_logoWindows[i] != nullptr)
            m_logoWindows[i]->SetLayer(LogoLayers[i]);
}

GUILogosWindow::~GUILogosWindow()
{
    DestroyLogoWindows();
    m_guiManager->DestroyWindow(m_rootWindow);
}

std::string GUILogosWindow::BigLogoPath(u32 index)
{
    return "ui\\textures\\publishers\\" + UIntToString(index, 1) + "_logo_big.jpg";
}

GUIWindow* GUILogosWindow::CreateLogoWindow(u32 index)
{
    if (!m_fileManager->Exists(FileManager::GetDataPath(BigLogoPath(index))))
        return nullptr;
    const ShaderDescriptor descriptor = BuildSingleTextureShaderDescriptor(BigLogoPath(index), "32bit", false);
    return m_guiManager->CreateQuadWindow(LogoState, Vector2(0.0f, 0.0f), ScreenSize, &descriptor, m_rootWindow,
                                          TextureExtent);
}

void GUILogosWindow::DestroyLogoWindows()
{
    for (GUIWindow*& logo : m_logoWindows)
    {
        m_guiManager->DestroyWindow(logo);
        logo = nullptr;
    }
}

void GUILogosWindow::Show(u32 stateId)
{
    GUILogosWindowBase::Show(stateId);
    m_active = true;
}

void GUILogosWindow::Hide()
{
    GUILogosWindowBase::Hide();
    m_active = false;
    DestroyLogoWindows();
}

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (!m_active)
        return;
    if (m_logoWindows[0] == nullptr)
    {
        SetResultCode(ResultDone);
        return;
    }
    m_timer += m_timerManager->GetFrameTime();
    for (GUIWindow* logo : m_logoWindows)
        if (logo != nullptr && (logo->GetStateBits() & GUIWindow::StateVisible) != 0)
        {
            FadeLogo(logo);
            return;
        }
    SetResultCode(ResultDone);
}

void GUILogosWindow::FadeLogo(GUIWindow* logo)
{
    const f32 opacity = std::max(1.0f - std::max(m_timer - OpaqueSeconds, 0.0f) / FadeSeconds, 0.0f);
    logo->SetColor(Color(1.0f, 1.0f, 1.0f, opacity));
    if (opacity >= Invisible)
        return;
    m_timer = 0.0f;
    logo->ClearState(GUIWindow::StateVisible);
}
}
