// One bolt of a gun's pool: fired from the gun's place, it flies forward along y, slows to its least speed and
// sinks towards the floor; it destroys the blocks standing on the floor that it meets (a piercing bolt goes on
// through them) and ends at a wall of the field, or silently once it has left the field altogether. Its trail
// and its burst play out before the bolt is free for the pool again.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
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
class GameField;
class GameGeometry;
class Shadow;
using VelkorEngine::f32;
using VelkorEngine::u32;

// What every bolt of one manager works with; none is owned.
struct BulletServices
{
    VelkorEngine::Engine* engine = nullptr;
    GameTools::DataKeeper* resources = nullptr;
    GameGeometry* geometry = nullptr;
    const GameField* field = nullptr;
    Effects* effects = nullptr;
    GameFramework::GameSoundPlayer* sounds = nullptr;
};

class Bullet
{
public:
    // Speed lost per second, as a share of the speed.
    static constexpr f32 Drag = 1.5f;
    static constexpr f32 SinkSpeed = 10.0f;
    // The lowest the bottom of a bolt goes.
    static constexpr f32 LowestBottom = 1.0f;
    // How far behind the bolt's centre the trail starts, in bolt radii.
    static constexpr f32 TrailDistance = 0.85f;

    Bullet(const BulletServices& services, u32 type);
    virtual ~Bullet();

    Bullet(const Bullet&) = delete;
    Bullet& operator=(const Bullet&) = delete;

    // Leaves from the gun's world matrix.
    void Fire(const VelkorEngine::Matrix4& gunMatrix);
    void Update(f32 activity);
    // A paused bolt's trail stops emitting.
    void SetPaused(bool paused);

    // Flying, or still showing its trail and burst.
    bool IsActive() const { return m_active; }
    bool HasHit() const { return m_hit; }
    u32 GetType() const { return m_type; }
    f32 GetSpeed() const { return m_speed; }
    const VelkorEngine::Vector3& GetOffset() const { return m_offset; }
    VelkorEngine::Model* GetModel() const { return m_model; }
    VelkorEngine::ParticleSystem* GetTrail() const { return m_trail; }
    VelkorEngine::ParticleSystem* GetBurst() const { return m_burst; }
    VelkorEngine::BoundingVolume GetBounds() const;

private:
    VelkorEngine::ParticleSystem* CopySystem(const char* what) const;
    void Fly(f32 step);
    void Sink(f32 step);
    void StrikeBlocks(const VelkorEngine::BoundingVolume& swept);
    bool MeetsWall(const VelkorEngine::BoundingVolume& swept) const;
    bool HasLeftField(const VelkorEngine::BoundingVolume& swept) const;
    // burst: the hit shows its burst; a bolt lost out of the field just goes.
    void Finish(bool burst);
    void FinishEffects();
    void PlaceModels();
    static void Restart(VelkorEngine::ParticleSystem* system);
    static bool IsPlaying(const VelkorEngine::ParticleSystem* system);

    BulletServices m_services;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::ParticleSystemManager* m_particles = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    Shadow* m_shadow = nullptr;
    VelkorEngine::ParticleSystem* m_trail = nullptr;
    VelkorEngine::ParticleSystem* m_burst = nullptr;
    u32 m_type = 0;
    VelkorEngine::Matrix4 m_start;
    f32 m_minimumSpeed = 0.0f;
    f32 m_speed = 0.0f;
    f32 m_launchFactor = 1.0f;
    // A bolt's destruction never sets off the neighbours.
    bool m_chain = false;
    u32 m_wallSound = 0;
    VelkorEngine::Vector3 m_offset;
    bool m_piercing = false;
    bool m_active = false;
    bool m_hit = false;
    bool m_paused = false;
};
}
