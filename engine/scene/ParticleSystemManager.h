// Makes particle systems, owns and updates the registered ones once a frame before the sprite groups are
// rebuilt, and hides the watched systems that have finished.
#pragma once

#include "engine/core/ObjectManager.h"
#include "engine/core/Types.h"
#include "engine/scene/ParticleSystem.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class ParticleSystemManager
{
public:
    ParticleSystemManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                          ShaderManager* shaderManager, SpriteGroupManager* spriteGroupManager);
    virtual ~ParticleSystemManager();

    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    // Not registered: the caller owns them and updates them, if at all. Either may run on the loading thread.
    ParticleSystem* NewSelfMadeParticleSystem(Camera* camera);
    // A file that cannot be read (already logged) gives the self-made system with the same camera.
    ParticleSystem* NewParticleSystemFromFile(const std::string& fileName, Camera* camera);
    // Registered: the manager owns, updates and deletes it.
    ParticleSystem* CreateParticleSystemCopy(const ParticleSystem& source);
    // Null and systems this manager does not hold are left alone.
    void DeleteParticleSystem(ParticleSystem* system);

    // Once a frame, before SpriteGroupManager::Update.
    void Update();

    u32 GetCount() const { return m_systems.GetCount(); }

    // Systems, registered or not, that their users hand over to be hidden once they have stopped emitting
    // and their last particle has died; each is then dropped from the list. Not owned.
    std::vector<ParticleSystem*> watchList;

private:
    void HideFinishedSystems();

    MessageManager* m_log = nullptr;
    FileManager* m_fileManager = nullptr;
    TimerManager* m_timerManager = nullptr;
    ShaderManager* m_shaderManager = nullptr;
    SpriteGroupManager* m_spriteGroupManager = nullptr;
    ObjectManager<ParticleSystem> m_systems;
};
}
