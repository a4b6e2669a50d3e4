// One falling bonus: a medallion spinning on its way down to the bat with a coloured glow behind it, lost
// below the field, or caught, when it gives way to a short burst of sparks.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class Engine;
class Model;
class ParticleSystem;
class SpriteGroup;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

class Bonus
{
public:
    static constexpr f32 FallSpeed = 18.0f;
    // Radians a second about the vertical.
    static constexpr f32 SpinSpeed = 3.14159265f;
    // A bonus that has fallen below this is lost; one exactly on it still falls.
    static constexpr f32 LostBelow = -110.0f;
    static constexpr f32 GlowSize = 10.0f;
    // The medallion's centre stands this high over the floor, level with the bat.
    static constexpr f32 Height = 4.0f;
    static constexpr f32 CatchEffectSortBias = -0.298f;

    // model: shown while the bonus falls, handed back to the manager when the bonus ends. glows: the group the
    // glow sprite is taken from; none without one.
    Bonus(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, VelkorEngine::SpriteGroup* glows, u32 kind,
          VelkorEngine::Model* model, const VelkorEngine::Color& glowColor);
    virtual ~Bonus();

    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;

    // Falling from the place; nothing for a bonus already under way.
    void Start(const VelkorEngine::Vector2& position);
    void Update(f32 activity);
    // The bat took it: the medallion and the glow go, the sparks fly.
    void Catch();

    u32 GetKind() const { return m_kind; }
    bool IsAlive() const { return m_alive; }
    bool IsCaught() const { return m_caught; }
    bool IsFalling() const { return m_alive && !m_caught; }
    VelkorEngine::Vector3 GetPosition() const { return {m_position.x, m_position.y, Height}; }
    f32 GetSpin() const { return m_spin; }
    VelkorEngine::Model* GetModel() const { return m_model; }
    // The model's world box.
    VelkorEngine::BoundingVolume GetBounds() const;
    bool HasGlow() const { return m_hasGlow; }
    u32 GetGlowSprite() const { return m_glowSprite; }
    VelkorEngine::ParticleSystem* GetCatchEffect() const { return m_catchEffect; }

private:
    void UpdateMatrix();
    void ReleaseGlow();
    void Fall(f32 step);
    void WaitForSparks();

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::SpriteGroup* m_glows = nullptr;
    u32 m_kind = 0;
    VelkorEngine::Model* m_model = nullptr;
    VelkorEngine::Color m_glowColor;
    // A full group gives no sprite; the bonus then has no glow and must not give back another's.
    bool m_hasGlow = false;
    u32 m_glowSprite = 0;
    VelkorEngine::Vector2 m_position;
    f32 m_spin = 0.0f;
    bool m_caught = false;
    bool m_alive = false;
    VelkorEngine::ParticleSystem* m_catchEffect = nullptr;
};
}
