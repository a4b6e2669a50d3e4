// Creates, shares and removes shaders: every call gives a new ShaderUser, and users of equal descriptors
// share one Shader. Owns the texture manager and advances every user's animation once a frame.
// The resource-loading thread adds users while the main thread may remove others, so the users are guarded.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace VelkorEngine
{
class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderUser;
class TextureManager;
class TimerManager;

class ShaderManager
{
public:
    ShaderManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager, Config* config,
                  RenderSystem* renderSystem);
    virtual ~ShaderManager();

    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    TextureManager* GetTextureManager() const { return m_textureManager.get(); }

    ShaderUser* AddShader(const ShaderDescriptor& descriptor);
    ShaderUser* CreateShaderUser(const ShaderDescriptor& descriptor);
    // Never null: an unreadable shader file gives a user of the default descriptor (no texture).
    ShaderUser* Load(const std::string& fileName);
    // Ignores null; a user the manager does not hold is logged and left alone.
    void RemoveShader(ShaderUser* user);
    // Once a frame: every user's animation.
    void Update();

    u32 GetShaderUserCount() const;
    u32 GetShaderCount() const;

private:
    // Under the lock: a new user of the shader that users of an equal descriptor share, or null when there is none.
    ShaderUser* ShareShader(const ShaderDescriptor& descriptor);
    // Under the lock.
    ShaderUser* KeepUser(u32 key, std::unique_ptr<ShaderUser> user);

    MessageManager* m_log;
    FileManager* m_fileManager;
    TimerManager* m_timerManager;
    RenderSystem* m_renderSystem;
    std::unique_ptr<TextureManager> m_textureManager;
    std::unordered_multimap<u32, std::unique_ptr<ShaderUser>> m_users;
    u32 m_shaderCount = 0;
    mutable std::mutex m_mutex;
};
}
