#include "guitools/GUIControl.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
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
constexpr u32 VisibleBit = GUIWindow::StateVisible;
const std::string ResourcePrefix = "ui/";

// A looping animation never ends: a show does not wait for it.
bool IsRunningOnce(const AnimationControl* animation)
{
    return animation != nullptr && animation->IsPlaying() != 0 && animation->loop == 0;
}
}

GUIControl::GUIControl(Engine* engine, GUIResources* resources, const ControlModelDescription& description)
    : m_engine(engine),
      m_timers(engine->GetTimerManager()),
      m_models(engine->GetModelManager()),
      m_gui(engine->GetGUIManager()),
      m_resources(resources),
      m_name(description.name)
{
}

GUIControl::~GUIControl() = default;

void GUIControl::SetSelectionPosition(const Vector2& position)
{
    m_selectionPosition = position;
    m_hasSelectionArea = true;
}

void GUIControl::SetSelectionSize(const Vector2& size)
{
    m_selectionSize = size;
    m_hasSelectionArea = true;
}

void GUIControl::SetFader(const std::string& name, const Fader& fader)
{
    m_faderName = name;
    m_fader = fader;
}

bool GUIControl::UsesModel(const ControlModelDescription& description)
{
    return !description.model.empty() || description.shader.empty();
}

const Model* GUIControl::DescribedModel(const std::string& name) const
{
    if (name.empty() || m_resources == nullptr)
        return nullptr;
    return m_resources->GetModel(ResourcePrefix + name);
}

const ShaderDescriptor* GUIControl::DescribedShader(const std::string& name) const
{
    if (name.empty() || m_resources == nullptr)
        return nullptr;
    return m_resources->GetShaderUser(ResourcePrefix + name);
}

void GUIControl::ApplyDescribedShader(GUIWindow* widget, const ControlModelDescription& description) const
{
    const ShaderDescriptor* shader = DescribedShader(description.shader);
    if (widget != nullptr && shader != nullptr && widget->GetModel() != nullptr)
        widget->SetShader(*shader);
}

f32 GUIControl::FrameTime() const
{
    return m_timers->GetFrameTime();
}

AnimationControl* GUIControl::PrepareAnimation(AnimationControl* animation, u32 startFrame, u32 endFrame,
                                               FrameRange& range)
{
    if (animation == nullptr)
        return nullptr;
    animation->loop = 0;
    const u32 frameCount = animation->GetFrameCount();
    // A control without frames has one still frame, never a last frame below zero.
    const u32 last = frameCount > 0 ? frameCount - 1 : 0;
    range.first = startFrame == ControlModelDescription::NoFrame ? 0 : std::min(startFrame, last);
    range.last = endFrame == ControlModelDescription::NoFrame ? last : std::max(std::min(endFrame, last), range.first);
    if (range.first == range.last)
    {
        animation->AddAnimation(ShowAnimation, range.first, range.first);
        animation->SetAnimation(ShowAnimation);
        animation->time = 0.0f;
        animation->Stop();
        return nullptr;
    }
    animation->AddAnimation(ShowAnimation, range.first, range.last);
    animation->AddAnimation(HideAnimation, range.last, range.first);
    return animation;
}

void GUIControl::AttachWidget(GUIWindow* widget, const ControlModelDescription& description)
{
    m_widget = widget;
    if (m_widget == nullptr)
        return;
    m_model = m_widget->GetModel();
    if (m_model != nullptr)
        m_modelAnimation = PrepareAnimation(m_model->animation.get(), description.modelStartFrame,
                                            description.modelEndFrame, m_modelRange);
    if (!description.animatorModel.empty())
        CopyAnimatorModel(description);
    m_widget->ClearState(VisibleBit);
}

void GUIControl::CopyAnimatorModel(const ControlModelDescription& description)
{
    const Model* source = DescribedModel(description.animatorModel);
    if (source == nullptr)
        return;
    // An unregistered copy: its pose is updated here each frame, and the model manager never draws it.
    m_animatorModel.reset(m_models->NewModelCopy(*source, nullptr, 0));
    if (m_animatorModel == nullptr)
        return;
    m_animatorModel->SetFlags(ModelFlags::Visible);
    m_animatorAnimation = PrepareAnimation(m_animatorModel->animation.get(), description.animatorStartFrame,
                                           description.animatorEndFrame, m_animatorRange);
}

void GUIControl::Show(bool show, bool useActions)
{
    if (m_widget == nullptr)
        return;
    if (!useActions)
        m_targetShown = show;
    else
    {
        const std::string& action = show ? m_showAction : m_hideAction;
        if (action == "show")
            m_targetShown = true;
        else if (action == "hide")
            m_targetShown = false;
        else
            return;
    }
    m_transitionPending = true;
    m_elapsed = 0.0f;
    m_fadeTime = 0.0f;
    // A show becomes visible when it starts; a hide must stay visible to be seen.
    if (m_targetShown)
        m_widget->ClearState(VisibleBit);
    else
        m_widget->SetState(VisibleBit);
    m_fadeValue = m_targetShown ? m_fader.minimum : m_fader.maximum;
}

bool GUIControl::IsShown() const
{
    if (m_targetShown)
        return true;
    return m_widget != nullptr && m_widget->IsVisible();
}

bool GUIControl::IsShowFinished() const
{
    if (m_widget == nullptr || !m_targetShown)
        return true;
    if (m_transitionPending)
        return false;
    if (!m_widget->IsVisible())
        return true;
    // The animator moves the widget and with it the place where the mouse finds it; the model's own animation
    // changes only its look.
    return !IsRunningOnce(m_animatorAnimation) && IsFadeFinished();
}

bool GUIControl::IsFadeFinished() const
{
    if (!HasFader())
        return true;
    if (m_fader.type != "timed")
        return !IsRunningOnce(m_animatorModel != nullptr ? m_animatorAnimation : m_modelAnimation);
    return std::fabs(m_fadeValue - m_fader.maximum) <= FadeTolerance;
}

void GUIControl::StartAnimations(i32 id)
{
    for (AnimationControl* animation : {m_modelAnimation, m_animatorAnimation})
    {
        if (animation == nullptr)
            continue;
        animation->SetAnimation(id);
        animation->time = 0.0f;
        animation->Start();
    }
}

void GUIControl::StartShowing(f32 frameTime)
{
    if (!m_targetShown || !m_transitionPending)
        return;
    m_elapsed += frameTime;
    if (HasFader() && m_elapsed < m_fader.showOffset)
        return;
    m_widget->SetState(VisibleBit);
    StartAnimations(ShowAnimation);
    m_transitionPending = false;
}

bool GUIControl::StartHiding(f32 frameTime)
{
    if (m_targetShown || !m_transitionPending)
        return true;
    m_elapsed += frameTime;
    if (HasFader() && m_elapsed < m_fader.hideOffset)
        return true;
    StartAnimations(HideAnimation);
    m_transitionPending = false;
    if (!HasFader() && m_modelAnimation == nullptr && m_animatorAnimation == nullptr)
    {
        m_widget->ClearState(VisibleBit);
        return false;
    }
    return true;
}

void GUIControl::EndFinishedHide()
{
    // A timed fader ends the hide itself; otherwise the end of the hide animation does.
    const bool animationEndsHide = !HasFader() || m_fader.type == "model_animation";
    const auto finished = [](const AnimationControl* animation)
    { return animation != nullptr && animation->GetAnimation() == HideAnimation && animation->IsPlaying() == 0; };
    if (finished(m_modelAnimation) && m_animatorAnimation == nullptr && animationEndsHide)
        m_widget->ClearState(VisibleBit);
    if (finished(m_animatorAnimation) && animationEndsHide)
        m_widget->ClearState(VisibleBit);
}

void GUIControl::PlaceWidget()
{
    m_widget->SetLayer(m_height);
    Vector2 position = m_position;
    if (m_animatorModel != nullptr)
    {
        m_animatorModel->Update(0);
        position += AnimatorTranslation(*m_animatorModel);
    }
    m_widget->SetRelativePosition(position);
    m_widget->SetSize(m_size);
    m_widget->SetHitArea(m_hasSelectionArea, m_selectionPosition, m_selectionSize);
}

f32 GUIControl::TimedProgress(f32 frameTime)
{
    m_fadeTime += frameTime;
    const f32 t = std::max(m_fadeTime - m_fader.fadeOffset, 0.0f);
    return m_targetShown ? t * m_fader.showSpeed : 1.0f - t * m_fader.hideSpeed;
}

f32 GUIControl::AnimationProgress() const
{
    const AnimationControl* animation = m_animatorModel != nullptr ? m_animatorAnimation : m_modelAnimation;
    if (animation == nullptr)
        return 0.0f;
    const FrameRange& range = m_animatorModel != nullptr ? m_animatorRange : m_modelRange;
    const f32 frames = static_cast<f32>(range.last - range.first);
    const f32 time = animation->GetAnimation() == HideAnimation ? frames - animation->time : animation->time;
    const f32 progress = frames > 0.0f ? time / frames : 1.0f;
    return progress * (m_targetShown ? m_fader.showSpeed : m_fader.hideSpeed);
}

void GUIControl::Fade(f32 frameTime)
{
    if (!m_targetShown && m_elapsed < m_fader.hideOffset)
        return;
    f32 progress = m_fader.type == "timed" ? TimedProgress(frameTime) : AnimationProgress();
    // A fade that would never end (a description's zero, negative or unreadable speed or offset) ends at once:
    // a window waiting for its panel to hide must not wait for ever, nor a shown one stay see-through.
    const f32 speed = m_targetShown ? m_fader.showSpeed : m_fader.hideSpeed;
    if (!(speed > 0.0f) || std::isnan(progress))
        progress = m_targetShown ? 1.0f : 0.0f;
    progress = std::clamp(progress, 0.0f, 1.0f);
    if (!m_targetShown && progress < FadeTolerance)
        m_widget->ClearState(VisibleBit);
    m_fadeValue = progress * m_fader.maximum + (1.0f - progress) * m_fader.minimum;
    if (std::fabs(m_widget->GetColor().a - m_fadeValue) > FadeTolerance)
        m_widget->SetColor(Color(1.0f, 1.0f, 1.0f, m_fadeValue));
}

void GUIControl::Update()
{
    if (m_widget == nullptr)
        return;
    const f32 frameTime = FrameTime();
    StartShowing(frameTime);
    if (m_widget->IsVisible())
    {
        if (!StartHiding(frameTime))
            return;
        EndFinishedHide();
        PlaceWidget();
        if (HasFader())
            Fade(frameTime);
    }
    // A hidden parent hides the control with it.
    if (!m_widget->IsVisible() && !m_targetShown && (m_widget->GetStateBits() & VisibleBit) != 0)
    {
        m_widget->ClearState(VisibleBit);
        m_transitionPending = false;
    }
}
}
