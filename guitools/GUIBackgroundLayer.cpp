#include "guitools/GUIBackgroundLayer.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "guitools/AnimatorTranslation.h"
#include "guitools/FadeTolerance.h"
#include "guitools/GUIResources.h"

#include <algorithm>
#include <cmath>

using namespace VelkorEngine;

namespace GUITools
{
namespace
{
// Particles blend by their alpha over what lies behind them.
constexpr u32 AlphaBlended = 1;
constexpr u32 BlendSourceAlpha = 4;
constexpr u32 BlendInverseSourceAlpha = 5;
// A layer's model is drawn in the GUI's own units.
const Vector2 LayerPlace{0.0f, 0.0f};
const Vector2 LayerScale{1.0f, 1.0f};

void StartLooping(AnimationControl* animation, f32 speed, bool randomStart)
{
    if (animation == nullptr)
        return;
    animation->loop = 1;
    if (speed >= 0.0f)
        animation->speed = speed;
    animation->Start();
    if (randomStart)
        animation->StartAtRandomFrame();
}
}

GUIBackgroundLayer::GUIBackgroundLayer(Engine* engine, GUIResources* resources, const Description& description,
                                       GUIWindow* parent)
    : m_engine(engine),
      m_resources(resources),
      m_gui(engine->GetGUIManager()),
      m_particleSystems(engine->GetParticleSystemManager()),
      m_timers(engine->GetTimerManager()),
      m_color(description.color)
{
    if (!description.model.empty())
        CreateModelLayer(description, parent);
    else
        CreateParticleLayer(description, parent);
    if (!description.animatorModel.empty())
        CopyAnimator(description.animatorModel);
    if (m_widget != nullptr)
        m_widget->SetLayer(description.height);
    if (m_particleSystem != nullptr && m_particleSystem->GetModel() != nullptr && m_widget != nullptr)
        m_particleSystem->GetModel()->depth = m_widget->GetDepth();
}

GUIBackgroundLayer::~GUIBackgroundLayer()
{
    m_gui->DestroyWindow(m_widget);
    m_particleSystems->DeleteParticleSystem(m_particleSystem);
}

void GUIBackgroundLayer::CreateModelLayer(const Description& description, GUIWindow* parent)
{
    const Model* model = m_resources->GetModel(description.model);
    m_widget = m_gui->CreateWindow(GUIWindow::StateColored, LayerPlace, LayerScale, model, parent);
    if (m_widget == nullptr)
        return;
    if (Model* own = m_widget->GetModel())
        StartLooping(own->animation.get(), description.animationSpeed, description.randomStart);
    if (!description.shader.empty())
    {
        if (ShaderUser* shader = m_resources->GetShaderUser(description.shader))
            m_widget->SetShader(*shader);
    }
}

void GUIBackgroundLayer::CreateParticleLayer(const Description& description, GUIWindow* parent)
{
    m_widget = m_gui->CreateWindow(GUIWindow::StateColored, LayerPlace, LayerScale, nullptr, parent);
    const ParticleSystem* source = m_resources->GetParticleSystem(description.particles);
    if (source == nullptr)
        return;
    m_particleSystem = m_particleSystems->CreateParticleSystemCopy(*source);
    if (m_particleSystem == nullptr)
        return;
    m_particleSystem->SetVisible(false);
    if (Model* model = m_particleSystem->GetModel())
    {
        model->SetCamera(m_gui->GetCamera());
        // Sorted among the GUI's widgets by the layer's depth, not by its distance from the camera.
        model->SetFlags(ModelFlags::KeepDepth);
    }
    if (description.shader.empty())
        return;
    if (const ShaderUser* shader = m_resources->GetShaderUser(description.shader))
    {
        ShaderDescriptor blended(*shader);
        blended.SetFlags(AlphaBlended);
        blended.SetBlendFactor(0, BlendSourceAlpha);
        blended.SetBlendFactor(1, BlendInverseSourceAlpha);
        m_particleSystem->SetShader(blended);
    }
}

void GUIBackgroundLayer::CopyAnimator(const std::string& name)
{
    const Model* source = m_resources->GetModel(name);
    if (source == nullptr)
        return;
    // Unregistered: only its pose is used, it is never drawn.
    m_animatorModel.reset(m_engine->GetModelManager()->NewModelCopy(*source, nullptr, 0));
    if (m_animatorModel == nullptr)
        return;
    m_animatorModel->SetFlags(ModelFlags::Visible);
    StartLooping(m_animatorModel->animation.get(), -1.0f, false);
}

void GUIBackgroundLayer::Show(bool show, bool fade, f32 speed)
{
    m_shown = show;
    m_fading = fade;
    m_fadeSpeed = speed;
    m_fadeTime = 0.0f;
    if (show)
    {
        m_widget->SetState(GUIWindow::StateVisible);
        if (m_particleSystem != nullptr)
            m_particleSystem->SetVisible(true);
        m_opacityFactor = fade ? 0.0f : 1.0f;
    }
    else if (!fade)
    {
        m_widget->ClearState(GUIWindow::StateVisible);
        if (m_particleSystem != nullptr)
            m_particleSystem->SetVisible(false);
        m_opacityFactor = 1.0f;
    }
    SetOpacity(1.0f);
}

void GUIBackgroundLayer::SetOpacity(f32 a)
{
    Color color = m_color;
    color.a = a * m_opacityFactor * m_color.a;
    if (m_widget != nullptr)
        m_widget->SetColor(color);
    if (m_particleSystem != nullptr)
        m_particleSystem->SetColor(color);
}

void GUIBackgroundLayer::Update()
{
    if (m_widget == nullptr || !m_widget->IsVisible())
        return;
    if (m_animatorModel != nullptr)
    {
        m_animatorModel->Update(0);
        m_widget->SetRelativePosition(AnimatorTranslation(*m_animatorModel));
    }
    if (m_particleSystem != nullptr)
    {
        const Vector2 position = m_widget->GetAbsolutePosition();
        m_particleSystem->SetPosition(Vector3(position.x, position.y, 0.0f));
    }
    if (m_fading && m_shown)
    {
        m_opacityFactor = std::min(m_fadeSpeed * m_fadeTime, 1.0f);
        m_fadeTime += m_timers->GetFrameTime();
        if (std::fabs(1.0f - m_opacityFactor) < FadeTolerance)
            m_fading = false;
    }
    SetOpacity(1.0f);
}
}
