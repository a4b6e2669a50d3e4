// One ball: held on the bat until launched, then flying at the manager's speed; it shows the model and shadow
// of its kind (simple or super), rolls as it goes, glows with a flare sprite and leaves its kind's trail while free.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/play/BallFlight.h"

#include <array>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class SpriteGroup;
struct Sprite;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Bat;
class Effects;
class Shadow;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace BallKind
{
inline constexpr u32 Simple = 0;
inline constexpr u32 Super = 1;
}

class Ball
{
public:
    static constexpr f32 FlareSize = 2.0f;
    // The flare sits this share of the radius up, back and to the left of the centre.
    static constexpr f32 FlareOffset = 0.15f;

    // flares: the group the ball takes its flare sprite from while in play; none without it.
    Ball(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, Effects* effects,
         VelkorEngine::SpriteGroup* flares = nullptr);
    virtual ~Ball();

    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;

    // Held on the bat, in play.
    void Place(const Bat* bat, u32 kind);
    // Leaves the bat the way a hit at its resting point would send it.
    void Launch();
    // Free at once, from a place and in a direction of its own (split balls, balls a keeper lets go).
    void Release(const VelkorEngine::Vector2& position, const VelkorEngine::Vector2& direction);
    void Deactivate();
    void SetKind(u32 kind);
    // A stopped ball's trail stops emitting; a free ball's starts again when play goes on.
    void SetPaused(bool paused);
    // Works out this frame's motion (a free ball) or sits on the bat (a held one).
    void Prepare(f32 dt, f32 activity);
    // Shows the ball where its flight has taken it.
    void Update();

    bool IsActive() const { return m_active; }
    bool IsHeld() const { return m_heldOn != nullptr; }
    u32 GetKind() const { return m_kind; }
    f32 GetSpeed() const { return m_speed; }
    void SetSpeed(f32 speed) { m_speed = speed; }
    FlyingBall& GetFlight() { return m_flight; }
    const FlyingBall& GetFlight() const { return m_flight; }
    VelkorEngine::Vector2 GetRestPosition() const;
    VelkorEngine::BoundingVolume GetBounds() const;
    VelkorEngine::Model* GetModel(u32 kind) const { return m_models[kind]; }
    f32 GetRadius(u32 kind) const { return m_radii[kind]; }
    // The trail of the ball's kind; null when the resources have none.
    VelkorEngine::ParticleSystem* GetTrail() const { return m_trails[m_kind]; }
    // Null while the ball has no flare.
    const VelkorEngine::Sprite* GetFlare() const;

private:
    void ShowKind();
    void PlaceModels();
    void PlaceEffects();
    void StartTrail();
    void StopTrails();
    void TakeFlare();
    void ReleaseFlare();

    VelkorEngine::ModelManager* m_modelManager = nullptr;
    Effects* m_effects = nullptr;
    std::array<VelkorEngine::Model*, 2> m_models{};
    std::array<Shadow*, 2> m_shadows{};
    // Each model's own box, before any placing.
    std::array<VelkorEngine::BoundingVolume, 2> m_boxes;
    std::array<f32, 2> m_radii{1.0f, 1.0f};
    VelkorEngine::ParticleSystemManager* m_particles = nullptr;
    std::array<VelkorEngine::ParticleSystem*, 2> m_trails{};
    VelkorEngine::SpriteGroup* m_flares = nullptr;
    u32 m_flare = 0;
    bool m_hasFlare = false;
    bool m_paused = false;
    const Bat* m_heldOn = nullptr;
    FlyingBall m_flight;
    // The rolling turn of the models, about the axis across the motion.
    VelkorEngine::Matrix4 m_roll;
    f32 m_speed = 0.0f;
    u32 m_kind = BallKind::Simple;
    bool m_active = false;
};
}
