// The registered particle systems, the file fallback and the watch list.
#include "engine/scene/ParticleSystemManager.h"

#include "engine/core/Error.h"

#include <algorithm>

namespace VelkorEngine
{
ParticleSystemManager::ParticleSystemManager(MessageManager* log, FileManager* fileManager,
                                             TimerManager* timerManager, ShaderManager* shaderManager,
                                             SpriteGroupManager* spriteGroupManager)
    : m_log(log), m_fileManager(fileManager), m_timerManager(timerManager), m_shaderManager(shaderManager),
      m_spriteGroupManager(spriteGroupManager)
{
}

ParticleSystemManager::~ParticleSystemManager()
{
    watchList.clear();
}

ParticleSystem* ParticleSystemManager::NewSelfMadeParticleSystem(Camera* camera)
{
    return new ParticleSystem(m_log, m_fileManager, m_timerManager, m_shaderManager, m_spriteGroupManager, camera);
}

ParticleSystem* ParticleSystemManager::NewParticleSystemFromFile(const std::string& fileName, Camera* camera)
{
    try
    {
        return new ParticleSystem(m_log, m_fileManager, m_timerManager, m_shaderManager, m_spriteGroupManager,
                                  fileName, camera);
    }
    catch (const Error&)
    {
        return NewSelfMadeParticleSystem(camera);
    }
}

ParticleSystem* ParticleSystemManager::CreateParticleSystemCopy(const ParticleSystem& source)
{
    return m_systems.Add(std::make_unique<ParticleSystem>(source));
}

void ParticleSystemManager::DeleteParticleSystem(ParticleSystem* system)
{
    if (m_systems.Extract(system) != nullptr)
        std::replace(watchList.begin(), watchList.end(), system, static_cast<ParticleSystem*>(nullptr));
}

void ParticleSystemManager::Update()
{
    m_systems.ForEach([](ParticleSystem& system) { system.Update(); });
    HideFinishedSystems();
}

void ParticleSystemManager::HideFinishedSystems()
{
    for (ParticleSystem*& system : watchList)
    {
        if (system == nullptr || system->active || system->GetAliveCount() != 0)
            continue;
        system->SetVisible(false);
        system = nullptr;
    }
    RemoveNullPointers(watchList);
}
}
