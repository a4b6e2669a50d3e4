// The balls in play: a fixed pool of balls, the collision world they are swept through, the common speed (by
// lives, with the speed-up and slow-down windows and a rise for every block destroyed), the launch from the
// bat, the bounces off bat, blocks and walls, and the balls lost below the field.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "game/play/BallSpeed.h"
#include "game/play/FieldLimits.h"

#include <array>
#include <memory>
#include <set>
#include <vector>

namespace VelkorEngine
{
class Engine;
class ParticleSystem;
class SpriteGroup;
struct Vector3;
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
class Ball;
class Barrier;
class Bat;
class Effects;
class GameField;
class GameGeometry;
class Physics;
using VelkorEngine::f32;
using VelkorEngine::u32;

class BallManager
{
public:
    static constexpr u32 PoolSize = 18;
    static constexpr u32 SoundHitBat = 17;
    static constexpr u32 SoundHitFieldSimple = 18;
    static constexpr u32 SoundHitFieldSuper = 19;
    static constexpr u32 SoundHitBarrier = 20;
    static constexpr u32 SoundLost = 21;
    // Sparks where a ball meets something, per kind of ball.
    static constexpr u32 HitEffectCount = 36;
    // The balls' flares sort behind what is drawn after the floor.
    static constexpr f32 FlareSortBias = -0.6f;

    BallManager(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, Effects* effects, const GameField* field,
                GameGeometry* geometry, Bat* bat, GameFramework::GameSoundPlayer* sounds, u32 lives,
                Barrier* barrier = nullptr);
    virtual ~BallManager();

    BallManager(const BallManager&) = delete;
    BallManager& operator=(const BallManager&) = delete;

    // A ball of the kind held on the bat: a free pool ball joins the play; with all in play one of them (of the
    // same kind if there is one) is taken back onto the bat.
    Ball* AddBall(u32 kind);
    // A ball of the kind let go at once from a place, in a direction (a ball keeper's).
    Ball* AddFreeBall(u32 kind, const VelkorEngine::Vector2& position, const VelkorEngine::Vector2& direction);
    void RemoveBall(u32 index);
    void RequestLaunch() { m_launchRequested = true; }
    bool HasHeldBall() const;
    bool IsBallInPlay() const { return m_ballInPlay; }
    // Stops or resumes the balls in play with the game.
    void SetPaused(bool paused);
    void StartSpeedUp() { m_speed.StartSpeedUp(); }
    void StartSlowDown() { m_speed.StartSlowDown(); }
    void ResetSpeed(bool keepHalf) { m_speed.Reset(keepHalf); }
    void MakeSuperBalls();
    void SplitBalls();
    void Update(u32 lives, f32 activity);

    const std::vector<Ball*>& GetBalls() const { return m_inPlay; }
    const BallSpeed& GetSpeed() const { return m_speed; }
    const FieldLimits& GetLimits() const { return m_limits; }
    Physics& GetPhysics() const { return *m_physics; }
    const std::vector<VelkorEngine::ParticleSystem*>& GetHitEffects(u32 kind) const { return m_hitEffects[kind]; }
    // Null when the resources have no flare shader.
    VelkorEngine::SpriteGroup* GetFlares() const { return m_flares; }

private:
    Ball* TakePoolBall(u32 kind);
    void RemoveLostBalls();
    void GuardEscape();
    void BuildObjects();
    void StepBall(Ball& ball, std::set<u32>& ignored);
    void HitBlock(Ball& ball, u32 index, std::set<u32>& ignored);
    void HitBarrier(std::set<u32>& ignored);
    void PlaySound(u32 id) const;
    void ShowHitEffect(u32 kind, const VelkorEngine::Vector3& point);
    static VelkorEngine::ParticleSystem* FreeHitEffect(const std::vector<VelkorEngine::ParticleSystem*>& effects);
    void HideSpentHitEffects();

    VelkorEngine::Engine* m_engine = nullptr;
    const GameField* m_field = nullptr;
    GameGeometry* m_geometry = nullptr;
    Bat* m_bat = nullptr;
    Barrier* m_barrier = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    std::unique_ptr<Physics> m_physics;
    VelkorEngine::SpriteGroup* m_flares = nullptr;
    std::array<std::unique_ptr<Ball>, PoolSize> m_pool;
    std::vector<Ball*> m_inPlay;
    std::array<std::vector<VelkorEngine::ParticleSystem*>, 2> m_hitEffects;
    BallSpeed m_speed;
    FieldLimits m_limits;
    bool m_launchRequested = false;
    bool m_ballInPlay = false;
    bool m_stopped = false;
};
}
