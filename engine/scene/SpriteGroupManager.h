// Creates, owns and updates the registered sprite groups, and makes unregistered ones for owners that keep
// their own. Registration may come from the loading thread (a particle system read there makes its group).
#pragma once

#include "engine/core/ObjectManager.h"
#include "engine/core/Types.h"
#include "engine/scene/SpriteGroup.h"

#include <mutex>

namespace VelkorEngine
{
class SpriteGroupManager
{
public:
    SpriteGroupManager(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                       ModelManager* modelManager);
    virtual ~SpriteGroupManager();

    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    // Registered: the manager owns, updates and deletes it.
    SpriteGroup* CreateSpriteGroup(u32 capacity, const ShaderDescriptor* shader, Camera* camera);
    // Not registered: the caller owns it.
    SpriteGroup* NewSpriteGroup(u32 capacity, const ShaderDescriptor* shader, Camera* camera);
    SpriteGroup* CreateSpriteGroupCopy(const SpriteGroup& source, bool copySprites);
    // Null and groups this manager does not hold are left alone.
    void DeleteSpriteGroup(SpriteGroup* group);

    // Once a frame, after the particle systems and before the models are drawn.
    void Update();

    u32 GetCount() const;

private:
    SpriteGroup* Register(SpriteGroup* group);

    MessageManager* m_log = nullptr;
    CameraManager* m_cameraManager = nullptr;
    ShaderManager* m_shaderManager = nullptr;
    ModelManager* m_modelManager = nullptr;
    ObjectManager<SpriteGroup> m_groups;
    mutable std::mutex m_registration;
};
}
