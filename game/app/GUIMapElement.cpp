// A level map marker's models, button, states and looks.
#include "game/app/GUIMapElement.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "framework/DataKeeper.h"
#include "framework/GUIDoubleClickDetecter.h"

namespace Korvane
{
using VelkorEngine::GUIWindow;
using VelkorEngine::Matrix4;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
constexpr const char* CheckPointName = "ui/map_check_point";
constexpr const char* PathName = "ui/map_path";
constexpr VelkorEngine::i32 MainLayer = 2;
constexpr VelkorEngine::i32 ShadowLayer = 1;
// The button covers this share of the model's box, so neighbouring markers never share a click.
constexpr f32 ButtonShare = 0.6f;

Matrix4 Translation(f32 x, f32 y)
{
    Matrix4 translation;
    VelkorEngine::MakeTranslationMatrix(translation, Vector3(x, y, 0.0f));
    return translation;
}

}

const char* GUIMapElement::ResourceName(MapElementType type)
{
    switch (type)
    {
    case MapElementType::Start:
        return "ui/map_start";
    case MapElementType::Finish:
        return "ui/map_finish";
    case MapElementType::CheckPoint:
        return CheckPointName;
    case MapElementType::Path:
        return PathName;
    }
    return "";
}

GUIMapElement::GUIMapElement(VelkorEngine::Engine* engine, GameTools::DataKeeper* dataKeeper,
                             GameFramework::GUIDoubleClickDetecter* doubleClicks, MapElementType type,
                             const Matrix4& record, const Vector2& origin, u32 stage, u32 level,
                             GUIWindow* parentWindow)
    : m_guiManager(engine->GetGUIManager()), m_dataKeeper(dataKeeper), m_doubleClicks(doubleClicks),
      m_parentWindow(parentWindow), m_matrix(Translation(origin.x, origin.y) * record), m_type(type), m_stage(stage),
      m_level(level)
{
    CreateModelWindows(ResourceName(type));
    CreateButton(origin);
}

GUIMapElement::~GUIMapElement()
{
    if (m_doubleClicks)
        m_doubleClicks->RemoveWidget(m_button);
    DestroyModelWindows();
    m_guiManager->DestroyButton(m_button);
}

void GUIMapElement::CreateModelWindows(const char* resourceName)
{
    m_mainWindow = CreateModelWindow(resourceName, m_matrix, MainLayer);
    m_shadowWindow = CreateModelWindow(resourceName, Translation(2.0f, -2.0f) * m_matrix, ShadowLayer);
    ShowFrame(m_shadowWindow, ShadowFrame);
}

GUIWindow* GUIMapElement::CreateModelWindow(const char* resourceName, const Matrix4& matrix, VelkorEngine::i32 layer)
{
    const VelkorEngine::Model* model = *resourceName ? m_dataKeeper->GetModel(resourceName) : nullptr;
    GUIWindow* window = m_guiManager->CreateWindow(GUIWindow::StateColored, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f),
                                                   model, m_parentWindow);
    if (!window)
        return nullptr;
    window->SetLayer(layer);
    // The marker keeps the matrix it is given instead of being stretched over the window's rectangle.
    window->SetPlaceModel(false);
    if (VelkorEngine::Model* own = window->GetModel())
    {
        own->worldMatrix = matrix;
        own->bounds.SetTransform(matrix);
    }
    if (const VelkorEngine::ShaderUser* shader = *resourceName ? m_dataKeeper->GetShaderUser(resourceName) : nullptr)
        window->SetShader(*shader);
    return window;
}

void GUIMapElement::DestroyModelWindows()
{
    m_guiManager->DestroyWindow(m_mainWindow);
    m_guiManager->DestroyWindow(m_shadowWindow);
    m_mainWindow = nullptr;
    m_shadowWindow = nullptr;
}

void GUIMapElement::CreateButton(const Vector2& origin)
{
    Vector2 centre(0.0f, 0.0f);
    Vector2 halfSize(0.0f, 0.0f);
    if (const VelkorEngine::Model* model = m_mainWindow ? m_mainWindow->GetModel() : nullptr)
    {
        VelkorEngine::BoundingVolume box;
        model->ComputeBounds(box, VelkorEngine::Model::InWorldSpace);
        const Vector3 middle = (box.GetWorldMinimum() + box.GetWorldMaximum()) * 0.5f;
        const Vector3 half = (box.GetWorldMaximum() - box.GetWorldMinimum()) * 0.5f;
        centre = Vector2(middle.x - origin.x, middle.y - origin.y);
        halfSize = Vector2(half.x * ButtonShare, half.y * ButtonShare);
    }
    m_button = m_guiManager->CreateButton(GUIWindow::StateVisible,
                                          Vector2(centre.x - halfSize.x, centre.y - halfSize.y),
                                          Vector2(2.0f * halfSize.x, 2.0f * halfSize.y),
                                          static_cast<const VelkorEngine::Model*>(nullptr), m_parentWindow);
    if (m_button && m_doubleClicks)
        m_doubleClicks->AddWidget(m_button);
}

void GUIMapElement::ShowFrame(GUIWindow* window, u32 frame)
{
    if (!window)
        return;
    const VelkorEngine::Model* model = window->GetModel();
    if (model && model->GetShader())
        model->GetShader()->SetFrame(static_cast<f32>(frame));
}

void GUIMapElement::SetMainFrame(u32 frame)
{
    m_frame = frame;
    ShowFrame(m_mainWindow, frame);
}

void GUIMapElement::SetButtonEnabled(bool enabled)
{
    if (m_button)
        m_button->SetEnabled(enabled);
}

void GUIMapElement::SetState(u32 state)
{
    m_state = state;
    SetMainFrame(state);
    if (!m_inputDisabled)
        SetButtonEnabled(state < Locked);
    if (state < Locked)
        SetAlpha(1.0f);
}

void GUIMapElement::SetAlpha(f32 alpha)
{
    m_stateAlpha = alpha;
    const VelkorEngine::Color color(1.0f, 1.0f, 1.0f, alpha * m_fade);
    if (m_mainWindow)
        m_mainWindow->SetColor(color);
    if (m_shadowWindow)
        m_shadowWindow->SetColor(color);
}

void GUIMapElement::SetFade(f32 fade)
{
    m_fade = fade;
    SetAlpha(m_stateAlpha);
}

void GUIMapElement::Show(bool visible)
{
    for (GUIWindow* window : {m_mainWindow, m_shadowWindow, static_cast<GUIWindow*>(m_button)})
    {
        if (!window)
            continue;
        if (visible)
            window->SetState(GUIWindow::StateVisible);
        else
            window->ClearState(GUIWindow::StateVisible);
    }
    if (!visible)
        return;
    m_inputDisabled = 0;
    SetButtonEnabled(true);
}

void GUIMapElement::DisableInput()
{
    m_inputDisabled = 1;
    SetButtonEnabled(false);
}

void GUIMapElement::UpdateHighlight(bool allow)
{
    m_highlighted = 0;
    if (m_state == Selected || m_state == Locked)
        return;
    if (m_button && m_button->IsMouseOver() && !m_inputDisabled && allow)
    {
        SetMainFrame(Highlighted);
        m_highlighted = 1;
        return;
    }
    SetMainFrame(m_state);
}

bool GUIMapElement::IsClicked() const
{
    return m_button && m_button->IsClicked();
}

bool GUIMapElement::IsVisible() const
{
    return m_mainWindow && (m_mainWindow->GetStateBits() & GUIWindow::StateVisible) != 0;
}

bool GUIMapElement::IsDoubleClicked() const
{
    if ((m_inputDisabled && m_state != Selected) || m_state == Locked)
        return false;
    return m_doubleClicks && m_button && m_doubleClicks->IsDoubleClicked() &&
           m_doubleClicks->GetCandidate() == m_button;
}

void GUIMapElement::SetCheckPointLook(bool on)
{
    if (on == (m_checkPointLook != 0))
        return;
    const bool visible = IsVisible();
    const VelkorEngine::Color mainColor = m_mainWindow ? m_mainWindow->GetColor() : VelkorEngine::Color();
    const VelkorEngine::Color shadowColor = m_shadowWindow ? m_shadowWindow->GetColor() : VelkorEngine::Color();
    DestroyModelWindows();
    CreateModelWindows(on ? CheckPointName : PathName);
    SetMainFrame(m_state);
    // The new windows are made hidden; they take the old ones' visibility, whichever it was.
    for (GUIWindow* window : {m_mainWindow, m_shadowWindow})
    {
        if (!window)
            continue;
        if (visible)
            window->SetState(GUIWindow::StateVisible);
        else
            window->ClearState(GUIWindow::StateVisible);
    }
    if (m_mainWindow)
        m_mainWindow->SetColor(mainColor);
    if (m_shadowWindow)
        m_shadowWindow->SetColor(shadowColor);
    m_checkPointLook = on ? 1 : 0;
}
}
