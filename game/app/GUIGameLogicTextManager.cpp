// Making, projecting, updating and deleting floating texts.
#include "game/app/GUIGameLogicTextManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/CameraManager.h"
#include "game/app/GUIGameLogicText.h"

#include <algorithm>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::Vector2;

GUIGameLogicTextManager::GUIGameLogicTextManager(VelkorEngine::Engine* engine, VelkorEngine::i32 fontIndex,
                                                 VelkorEngine::GUIWindow* parentWindow)
    : m_engine(engine), m_programWindow(engine->GetWindow()), m_cameraManager(engine->GetCameraManager()),
      m_guiManager(engine->GetGUIManager()), m_fontIndex(fontIndex)
{
    m_window = m_guiManager->CreateWindow(VelkorEngine::GUIWindow::StateVisible, Vector2(0.0f, 0.0f),
                                          Vector2(0.0f, 0.0f), nullptr, parentWindow);
    if (m_window)
        m_window->SetLayer(Layer);
}

GUIGameLogicTextManager::~GUIGameLogicTextManager()
{
    m_texts.clear();
    m_guiManager->DestroyWindow(m_window);
}

void GUIGameLogicTextManager::CreateText(const std::wstring& text, const Vector2& position)
{
    if (!m_window)
        return;
    auto made = std::make_unique<GUIGameLogicText>(m_engine, position, text, m_fontIndex, m_window);
    made->KeepInside(Vector2(m_guiManager->GetWidth(), m_guiManager->GetHeight()));
    m_texts.push_back(std::move(made));
}

void GUIGameLogicTextManager::CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point)
{
    const VelkorEngine::u32 clientWidth = m_programWindow->GetWidth();
    const VelkorEngine::u32 clientHeight = m_programWindow->GetHeight();
    // The play is drawn through the default camera, which the game camera drives. The manager's current
    // camera is no guide here: texts are made while the play is updated, after the frame has been drawn, when
    // the current camera is the one the last GUI model was drawn with, and its flat projection would put the
    // text off the screen.
    const VelkorEngine::Camera* camera = m_cameraManager->GetDefaultCamera();
    if (clientWidth == 0 || clientHeight == 0 || !camera)
        return;
    // The projection counts pixels upwards from the bottom, as the GUI screen counts its units, so only the
    // scale changes.
    const Vector2 pixels = m_cameraManager->ProjectToScreen(camera, point);
    CreateText(text, Vector2(pixels.x / static_cast<f32>(clientWidth) * m_guiManager->GetWidth(),
                             pixels.y / static_cast<f32>(clientHeight) * m_guiManager->GetHeight()));
}

void GUIGameLogicTextManager::Clear()
{
    m_texts.clear();
}

void GUIGameLogicTextManager::Update()
{
    for (std::unique_ptr<GUIGameLogicText>& text : m_texts)
    {
        text->Update();
        if (!text->IsAlive())
            text.reset();
    }
    m_texts.erase(std::remove(m_texts.begin(), m_texts.end(), nullptr), m_texts.end());
}
}
