// Short-lived particles emitted from a point, a box or a path, moved by their own direction and speed keys,
// gravity and a bouncing floor, and faded over their lives; each particle is one sprite of the system's own
// sprite group. Built from a particle system file, from the built-in values ("self_made") or from another
// system.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/FreeIndexQueue.h"
#include "engine/scene/Particle.h"
#include "engine/scene/ParticleParameters.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Camera;
class FileManager;
class MessageManager;
class Model;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

class ParticleSystem
{
public:
    enum EmitterShape : u32
    {
        ShapePoint = 0,
        ShapeBox = 1,
        ShapePath = 2
    };

    static constexpr u32 SelfMadeCapacity = 100;

    // The built-in system, named "self_made". A null camera is the camera manager's default camera. The shader
    // manager is reached through the sprite group's model.
    ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                   ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, Camera* camera);
    // Reads "data\" + fileName, and its look from the shader file of the same name with the extension "srf"
    // (the default look when that cannot be read). A particle file that cannot be read is logged as an
    // error and thrown as Error with the same message.
    ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                   ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager, const std::string& fileName,
                   Camera* camera);
    // The source's description and emitter box with a sprite group of its own; idle, no particle alive, the
    // emitter at the origin and no path.
    explicit ParticleSystem(const ParticleSystem& source);
    virtual ~ParticleSystem();

    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Once a frame with the frame time; nothing happens while paused or hidden.
    void Update();
    void ReleaseAllParticles();
    // Frees the particles whose age has reached their lifetime and their sprites at once, as the next update
    // would: a particle stopped on the floor, or one left behind while the system is paused or hidden.
    void ReleaseDeadParticles();

    void SetPosition(const Vector3& position) { emitterPosition = position; }
    void SetVisible(bool visible);
    bool IsVisible() const;
    Model* GetModel() const;
    ShaderUser* GetShader() const;
    void SetShader(const ShaderDescriptor& descriptor);
    // Tints every particle.
    void SetColor(const Color& color);

    const std::string& GetName() const { return m_name; }
    const ParticleParameters& GetParameters() const { return m_parameters; }
    u32 GetCapacity() const { return m_capacity; }
    u32 GetAliveCount() const { return m_aliveCount; }
    u32 GetPeakAliveCount() const { return m_peakAliveCount; }
    // Neither emitting nor holding a live particle: hidden now, it freezes nothing that could show again
    // elsewhere, and started at a new place it shows only what it emits there.
    bool IsSpent() const { return active == 0 && m_aliveCount == 0; }
    SpriteGroup* GetSpriteGroup() const { return m_spriteGroup; }
    const BoundingVolume& GetEmitterBox() const { return m_emitterBox; }
    // index below GetCapacity().
    const Particle& GetParticle(u32 index) const { return m_particles[index]; }

    // Set directly by the owner: a cycle starts with time 0 and active 1 (and loop for a repeating effect).
    u8 paused = 0;
    // Seconds within the current cycle.
    f32 time = 0.0f;
    u8 loop = 0;
    // Emits while set.
    u8 active = 0;
    Vector3 emitterPosition;
    u32 emitterShape = ShapePoint;
    // Absolute positions.
    std::vector<Vector3> pathPoints;
    // 1: anywhere on the segments between consecutive points; 0: at one of the points.
    u8 pathInterpolate = 0;

private:
    void ReadFile(const std::string& fileName);
    void CreateSpriteGroup(const ShaderDescriptor& shader, Camera* camera);
    void ResetParticles();

    u32 AdvanceCycle(f32 dt);
    void RunContinuousCycle(f32 dt);
    void RunBurstCycle(f32 dt);
    void RunBurstSegments(f32 dt);
    i32 CycleSegment(f32 cycleTime) const;
    void EmitBurst(u32 segment);
    void EmitOwed(f32 lifeCentre, f32 lifeSpread);
    void EmitParticle(f32 lifeCentre, f32 lifeSpread);
    Vector3 StartPosition() const;
    Vector3 PathPosition() const;
    void DrawDirectionKeys(Particle& particle) const;
    void MoveParticles(f32 dt);
    void FreeParticle(u32 index);
    void Bounce(Particle& particle, Vector3& position, const Vector3& displacement) const;

    MessageManager* m_log = nullptr;
    FileManager* m_fileManager = nullptr;
    TimerManager* m_timerManager = nullptr;
    SpriteGroupManager* m_spriteGroupManager = nullptr;
    std::string m_name;
    ParticleParameters m_parameters;
    SpriteGroup* m_spriteGroup = nullptr;
    // Fractional particles owed to the next frames.
    f32 m_accumulator = 0.0f;
    FreeIndexQueue m_freeParticles;
    u32 m_capacity = 0;
    std::vector<Particle> m_particles;
    u32 m_aliveCount = 0;
    u32 m_peakAliveCount = 0;
    // The cycle key segment the last burst update ended in, -1 when none.
    i32 m_lastSegment = -1;
    // The cycle's time as the last burst update left it: a smaller time is a cycle started again.
    f32 m_cycleTimeSeen = 0.0f;
    BoundingVolume m_emitterBox;
};
}
