// The base of every control a window description creates: one engine widget under a full control name,
// placed every frame from the description, with the control's show and hide transitions: a delay, the
// widget model's show and hide animations, a helper "animator" model that moves the control, and a fader
// that changes the widget's opacity.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "guitools/ControlModelDescription.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class AnimationControl;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ShaderDescriptor;
class TimerManager;
}

namespace GUITools
{
class GUIResources;

class GUIControl
{
public:
    // A fader definition of the descriptions; the defaults are those of a definition without attributes.
    struct Fader
    {
        std::string type = "timed";
        VelkorEngine::f32 showSpeed = 1.0f;
        VelkorEngine::f32 hideSpeed = 1.0f;
        VelkorEngine::f32 minimum = 0.0f;
        VelkorEngine::f32 maximum = 1.0f;
        VelkorEngine::f32 fadeOffset = 0.0f;
        VelkorEngine::f32 showOffset = 0.0f;
        VelkorEngine::f32 hideOffset = 0.0f;
    };

    // Animation ids on the model's and the animator's animation controls.
    static constexpr VelkorEngine::i32 ShowAnimation = 0;
    static constexpr VelkorEngine::i32 HideAnimation = 1;

    GUIControl(VelkorEngine::Engine* engine, GUIResources* resources, const ControlModelDescription& description);
    virtual ~GUIControl();

    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;

    // One frame: the transition, the widget's place, the fade.
    virtual void Update();
    // With actions the control's show or hide action decides what happens; without, show is the target.
    virtual void Show(bool show, bool useActions);
    // True while the control is shown or on its way there, else while its widget is still visible.
    virtual bool IsShown() const;
    // False while a show is under way: its delay, the animator's move, the fade. A control on its way out, or
    // kept off the screen by a hidden parent, has no show to finish.
    virtual bool IsShowFinished() const;

    const std::string& GetName() const { return m_name; }
    VelkorEngine::GUIWindow* GetWidget() const { return m_widget; }

    void SetShowAction(const std::string& action) { m_showAction = action; }
    void SetHideAction(const std::string& action) { m_hideAction = action; }
    void SetHeight(VelkorEngine::i32 height) { m_height = height; }
    void SetPosition(const VelkorEngine::Vector2& position) { m_position = position; }
    void SetSize(const VelkorEngine::Vector2& size) { m_size = size; }
    // Either turns the separate mouse-sensitive area on.
    void SetSelectionPosition(const VelkorEngine::Vector2& position);
    void SetSelectionSize(const VelkorEngine::Vector2& size);
    // An empty name is no fader.
    void SetFader(const std::string& name, const Fader& fader);

    const VelkorEngine::Vector2& GetPosition() const { return m_position; }
    const VelkorEngine::Vector2& GetSize() const { return m_size; }
    VelkorEngine::i32 GetHeight() const { return m_height; }
    bool HasFader() const { return !m_faderName.empty(); }
    const std::string& GetFaderName() const { return m_faderName; }
    const Fader& GetFader() const { return m_fader; }
    // The opacity the fader gives now.
    VelkorEngine::f32 GetFadeValue() const { return m_fadeValue; }
    // Whether the transition in progress leads to the shown state.
    bool IsTargetShown() const { return m_targetShown; }

protected:
    // Binds the widget made by the derived constructor and prepares its animations; the widget ends hidden.
    void AttachWidget(VelkorEngine::GUIWindow* widget, const ControlModelDescription& description);

    // The widget rule of every control kind: a model (or nothing) unless only a shader is described, in
    // which case a textured rectangle.
    static bool UsesModel(const ControlModelDescription& description);
    // "ui/" + the name from the resources; null for an empty name.
    const VelkorEngine::Model* DescribedModel(const std::string& name) const;
    const VelkorEngine::ShaderDescriptor* DescribedShader(const std::string& name) const;
    // A model widget also takes the described shader when one is given.
    void ApplyDescribedShader(VelkorEngine::GUIWindow* widget, const ControlModelDescription& description) const;

    VelkorEngine::f32 FrameTime() const;

    VelkorEngine::Engine* m_engine;
    VelkorEngine::TimerManager* m_timers;
    VelkorEngine::ModelManager* m_models;
    VelkorEngine::GUIManager* m_gui;
    GUIResources* m_resources;

private:
    struct FrameRange
    {
        VelkorEngine::u32 first = 0;
        VelkorEngine::u32 last = 0;
    };

    // Null when the animation holds one frame only: that model stands still.
    static VelkorEngine::AnimationControl* PrepareAnimation(VelkorEngine::AnimationControl* animation,
                                                           VelkorEngine::u32 startFrame,
                                                           VelkorEngine::u32 endFrame, FrameRange& range);
    void CopyAnimatorModel(const ControlModelDescription& description);
    void StartAnimations(VelkorEngine::i32 id);
    void StartShowing(VelkorEngine::f32 frameTime);
    // False when the hide ended the frame.
    bool StartHiding(VelkorEngine::f32 frameTime);
    void EndFinishedHide();
    void PlaceWidget();
    void Fade(VelkorEngine::f32 frameTime);
    VelkorEngine::f32 TimedProgress(VelkorEngine::f32 frameTime);
    VelkorEngine::f32 AnimationProgress() const;
    bool IsFadeFinished() const;

    std::string m_name;
    VelkorEngine::GUIWindow* m_widget = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    VelkorEngine::AnimationControl* m_modelAnimation = nullptr;
    FrameRange m_modelRange;
    std::unique_ptr<VelkorEngine::Model> m_animatorModel;
    VelkorEngine::AnimationControl* m_animatorAnimation = nullptr;
    FrameRange m_animatorRange;
    std::string m_showAction = "show";
    std::string m_hideAction = "hide";
    VelkorEngine::i32 m_height = 1;
    VelkorEngine::Vector2 m_position{0.0f, 0.0f};
    VelkorEngine::Vector2 m_size{1.0f, 1.0f};
    bool m_hasSelectionArea = false;
    VelkorEngine::Vector2 m_selectionPosition{0.0f, 0.0f};
    VelkorEngine::Vector2 m_selectionSize{0.0f, 0.0f};
    std::string m_faderName;
    Fader m_fader;
    bool m_targetShown = false;
    VelkorEngine::f32 m_fadeTime = 0.0f;
    VelkorEngine::f32 m_fadeValue = 0.0f;
    bool m_transitionPending = false;
    VelkorEngine::f32 m_elapsed = 0.0f;
};
}
