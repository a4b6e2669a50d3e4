// One layer of a menu background: a model (looping, perhaps from a random frame, perhaps moved by an
// animator model) or a copy of a particle system, in its own widget at its own height, with a colour whose
// alpha scales the layer's opacity. It fades in by itself; fading out is its background's.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
}

namespace GUITools
{
class GUIResources;

class GUIBackgroundLayer
{
public:
    // Full resource names; exactly one of model and particles is used, the model when it is given.
    struct Description
    {
        std::string model;
        std::string particles;
        std::string shader;
        std::string animatorModel;
        bool randomStart = true;
        // Below 0: the model's own speed.
        VelkorEngine::f32 animationSpeed = -1.0f;
        VelkorEngine::Color color{1.0f, 1.0f, 1.0f, 1.0f};
        VelkorEngine::i32 height = 1;
    };

    GUIBackgroundLayer(VelkorEngine::Engine* engine, GUIResources* resources, const Description& description,
                       VelkorEngine::GUIWindow* parent);
    virtual ~GUIBackgroundLayer();

    GUIBackgroundLayer(const GUIBackgroundLayer&) = delete;
    GUIBackgroundLayer& operator=(const GUIBackgroundLayer&) = delete;

    // Showing with a fade starts from transparent; hiding without one hides at once.
    void Show(bool show, bool fade, VelkorEngine::f32 speed);
    // The layer's colour with its alpha scaled by a, by the layer's own fade and by the colour's alpha.
    void SetOpacity(VelkorEngine::f32 a);
    void Update();

    VelkorEngine::GUIWindow* GetWindow() const { return m_widget; }
    VelkorEngine::ParticleSystem* GetParticleSystem() const { return m_particleSystem; }
    VelkorEngine::f32 GetOpacityFactor() const { return m_opacityFactor; }

private:
    void CreateModelLayer(const Description& description, VelkorEngine::GUIWindow* parent);
    void CreateParticleLayer(const Description& description, VelkorEngine::GUIWindow* parent);
    void CopyAnimator(const std::string& name);

    VelkorEngine::Engine* m_engine;
    GUIResources* m_resources;
    VelkorEngine::GUIManager* m_gui;
    VelkorEngine::ParticleSystemManager* m_particleSystems;
    VelkorEngine::TimerManager* m_timers;
    VelkorEngine::GUIWindow* m_widget = nullptr;
    VelkorEngine::ParticleSystem* m_particleSystem = nullptr;
    std::unique_ptr<VelkorEngine::Model> m_animatorModel;
    VelkorEngine::Color m_color;
    bool m_shown = false;
    bool m_fading = false;
    VelkorEngine::f32 m_fadeSpeed = 1.0f;
    VelkorEngine::f32 m_fadeTime = 0.0f;
    VelkorEngine::f32 m_opacityFactor = 1.0f;
};
}
