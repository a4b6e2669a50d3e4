// The player's bat: head, body and screw following the GUI cursor along the line near the bottom of the
// field, widened as a scale of the head along x, recoiling when hit, tilting and wobbling with its motion,
// bursting into pieces when a life is lost and sliding up into place when a new bat comes in. Its motion is
// worked out by BatMotion; this class gives it models, shadows, sounds and effects.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/play/BatMotion.h"

#include <array>
#include <memory>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
}

namespace GameFramework
{
class GameSoundPlayer;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Effects;
class Explosion;
class Shadow;
using VelkorEngine::f32;
using VelkorEngine::u32;

class Bat
{
public:
    static constexpr u32 SoundCreation = 28;
    static constexpr u32 SoundDestruction = 29;
    // Each part breaks into this many pieces, which sink soon so that a new bat can come.
    static constexpr u32 FragmentsPerPart = 6;
    static constexpr f32 FragmentSinkDelay = 1.0f;

    // resources: the keeper of the start-up resources ("bat/head" and the rest). cursor: the GUI position the
    // bat follows; null is the GUI manager's cursor.
    Bat(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, Effects* effects,
        GameFramework::GameSoundPlayer* sounds, const VelkorEngine::Vector2* cursor = nullptr);
    virtual ~Bat();

    Bat(const Bat&) = delete;
    Bat& operator=(const Bat&) = delete;

    // In the middle, at the default width, 30 units down and rising.
    void Reset();
    void Show(bool shown);
    bool IsHidden() const;
    void SetPaused(bool paused) { m_motion.SetPaused(paused); }
    void Widen() { m_motion.Widen(); }
    void Narrow() { m_motion.Narrow(); }
    void KnockBack() { m_motion.KnockBack(); }
    // A ball meeting the head at this point leaves in this direction: straight up from the centre, up to
    // 38.25 degrees to the side from the ends.
    VelkorEngine::Vector2 GetBounceDirection(const VelkorEngine::Vector3& point) const;
    // A lost life: the parts burst into pieces and the bat is hidden.
    void Destroy();
    void Update(f32 activity);

    VelkorEngine::Model* GetHead() const { return m_parts[Head]; }
    VelkorEngine::Model* GetBody() const { return m_parts[Body]; }
    VelkorEngine::Model* GetScrew() const { return m_parts[Screw]; }
    // The parts' world boxes; the head's includes its width.
    VelkorEngine::BoundingVolume GetHeadBounds() const;
    VelkorEngine::BoundingVolume GetBodyBounds() const;
    // The whole bat, for catching bonuses.
    const VelkorEngine::BoundingVolume& GetBounds() const { return m_bounds; }
    f32 GetHeadHalfWidth() const;
    bool IsReady() const { return m_motion.IsReady(); }
    bool HasRisen() const { return m_motion.HasRisen(); }
    const BatMotion& GetMotion() const { return m_motion; }
    const Explosion& GetExplosion(u32 part) const { return *m_explosions[part]; }

private:
    enum Part : u32
    {
        Head,
        Body,
        Screw,
        PartCount
    };

    void UpdateAfterDestruction(f32 dt);
    void HideSpentDestruction();
    void ApplyPose();

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    Effects* m_effects = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    std::array<VelkorEngine::Model*, PartCount> m_parts{};
    std::array<Shadow*, PartCount> m_shadows{};
    std::array<std::unique_ptr<Explosion>, PartCount> m_explosions;
    VelkorEngine::ParticleSystem* m_destruction = nullptr;
    const VelkorEngine::Vector2* m_cursor = nullptr;
    BatMotion m_motion;
    VelkorEngine::BoundingVolume m_bounds;
};
}
