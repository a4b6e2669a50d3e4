// The registered sprite groups: made, updated in slot order and deleted under one lock.
#include "engine/scene/SpriteGroupManager.h"

namespace VelkorEngine
{
SpriteGroupManager::SpriteGroupManager(MessageManager* log, CameraManager* cameraManager,
                                       ShaderManager* shaderManager, ModelManager* modelManager)
    : m_log(log), m_cameraManager(cameraManager), m_shaderManager(shaderManager), m_modelManager(modelManager)
{
}

SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(u32 capacity, const ShaderDescriptor* shader, Camera* camera)
{
    return Register(NewSpriteGroup(capacity, shader, camera));
}

SpriteGroup* SpriteGroupManager::NewSpriteGroup(u32 capacity, const ShaderDescriptor* shader, Camera* camera)
{
    return new SpriteGroup(m_log, m_cameraManager, m_shaderManager, m_modelManager, capacity, shader, camera);
}

SpriteGroup* SpriteGroupManager::CreateSpriteGroupCopy(const SpriteGroup& source, bool copySprites)
{
    return Register(new SpriteGroup(source, copySprites));
}

// The group is built outside the lock; only the table is shared.
SpriteGroup* SpriteGroupManager::Register(SpriteGroup* group)
{
    const std::lock_guard<std::mutex> lock(m_registration);
    m_groups.Add(std::unique_ptr<SpriteGroup>(group));
    return group;
}

void SpriteGroupManager::DeleteSpriteGroup(SpriteGroup* group)
{
    std::unique_ptr<SpriteGroup> detached;
    {
        const std::lock_guard<std::mutex> lock(m_registration);
        detached = m_groups.Extract(group);
    }
}

void SpriteGroupManager::Update()
{
    const std::lock_guard<std::mutex> lock(m_registration);
    m_groups.ForEach([](SpriteGroup& group) { group.Update(); });
}

u32 SpriteGroupManager::GetCount() const
{
    const std::lock_guard<std::mutex> lock(m_registration);
    return m_groups.GetCount();
}
}
