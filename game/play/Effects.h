// The play's one-shot particle effects, kept until they have burnt out, and the shadows of everything that
// casts one on the playfield floor, in a table of slots that are reused.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "game/play/Shadow.h"

#include <deque>
#include <memory>
#include <vector>

namespace VelkorEngine
{
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class Skeleton;
}

namespace Korvane
{
using VelkorEngine::u32;

class Effects
{
public:
    explicit Effects(VelkorEngine::Engine* engine);
    virtual ~Effects();

    Effects(const Effects&) = delete;
    Effects& operator=(const Effects&) = delete;

    // Returns the shadow's slot; a freed slot is reused before the table grows.
    u32 AddShadow(const VelkorEngine::Skeleton* casterPose, const VelkorEngine::Model* casterModel, bool copyMesh);
    // Deletes the shadow and frees its slot; a shadow these effects do not hold is left alone.
    void RemoveShadow(Shadow* shadow);
    // Null for a free or unknown slot.
    Shadow* GetShadow(u32 slot) const;

    // The direction the lighting throws every shadow in, now and for shadows added later.
    void SetShadowDirection(const VelkorEngine::Vector2& direction);

    // Takes a system of the particle-system manager and starts it; it is deleted through the manager once it
    // has stopped emitting and its last particle has died. Null is ignored.
    void AddEffect(VelkorEngine::ParticleSystem* system);
    // Once a frame: the shadows follow their casters, burnt-out effects go.
    void Update();

    u32 GetShadowCount() const { return static_cast<u32>(m_usedSlots.size()); }
    u32 GetEffectCount() const { return static_cast<u32>(m_running.size()); }
    // The running effects, oldest first.
    VelkorEngine::ParticleSystem* GetEffect(u32 index) const { return m_running[index]; }

private:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::ModelManager* m_models = nullptr;
    VelkorEngine::ParticleSystemManager* m_particles = nullptr;
    std::deque<u32> m_freeSlots;
    std::vector<u32> m_usedSlots;
    std::vector<std::unique_ptr<Shadow>> m_shadows;
    std::vector<VelkorEngine::ParticleSystem*> m_running;
    VelkorEngine::Vector2 m_shadowDirection;
};
}
