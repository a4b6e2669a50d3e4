// Shader sharing by descriptor equality, shader files with their fallback, and the per-frame animation.
#include "engine/render/ShaderManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

#include <algorithm>

namespace VelkorEngine
{
ShaderManager::ShaderManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                             Config* config, RenderSystem* renderSystem)
    : m_log(log), m_fileManager(fileManager), m_timerManager(timerManager), m_renderSystem(renderSystem),
      m_textureManager(std::make_unique<TextureManager>(log, fileManager, config, timerManager, renderSystem))
{
}

ShaderManager::~ShaderManager()
{
    // The users release their shaders, and the shaders their textures, while the texture manager lives.
    m_users.clear();
}

ShaderUser* ShaderManager::AddShader(const ShaderDescriptor& descriptor)
{
    {
        const std::lock_guard lock(m_mutex);
        if (ShaderUser* user = ShareShader(descriptor))
            return user;
    }
    // The textures are read without the lock, which the main thread takes every frame to animate its users.
    auto created = std::make_unique<Shader>(m_log, m_fileManager, m_renderSystem, m_textureManager.get(), descriptor);
    const std::lock_guard lock(m_mutex);
    // Another thread may have made an equal shader meanwhile: that one is shared and this one dropped.
    if (ShaderUser* user = ShareShader(descriptor))
        return user;
    auto user = std::make_unique<ShaderUser>(m_log, m_timerManager, created.get(), descriptor);
    // From here the user owns its share of the shader.
    created.release();
    ++m_shaderCount;
    return KeepUser(descriptor.GetKey(), std::move(user));
}

ShaderUser* ShaderManager::ShareShader(const ShaderDescriptor& descriptor)
{
    const auto [first, last] = m_users.equal_range(descriptor.GetKey());
    for (auto it = first; it != last; ++it)
    {
        if (*it->second == descriptor)
            return KeepUser(descriptor.GetKey(),
                            std::make_unique<ShaderUser>(m_log, m_timerManager, it->second->GetShader(), descriptor));
    }
    return nullptr;
}

ShaderUser* ShaderManager::KeepUser(u32 key, std::unique_ptr<ShaderUser> user)
{
    ShaderUser* result = user.get();
    m_users.emplace(key, std::move(user));
    return result;
}

ShaderUser* ShaderManager::CreateShaderUser(const ShaderDescriptor& descriptor)
{
    return AddShader(descriptor);
}

ShaderUser* ShaderManager::Load(const std::string& fileName)
{
    std::unique_ptr<ShaderDescriptor> descriptor;
    try
    {
        descriptor = std::make_unique<ShaderDescriptor>(m_log, m_fileManager, fileName);
    }
    catch (const Error&)
    {
        descriptor = std::make_unique<ShaderDescriptor>(0u);
    }
    return AddShader(*descriptor);
}

void ShaderManager::RemoveShader(ShaderUser* user)
{
    if (user == nullptr)
        return;
    const std::lock_guard lock(m_mutex);
    // Found by address alone: a user removed before must not be read to learn its key.
    const auto found = std::find_if(m_users.begin(), m_users.end(),
                                    [&](const auto& entry) { return entry.second.get() == user; });
    if (found == m_users.end())
    {
        m_log->Error("Shader Manager: Failed to remove shader");
        return;
    }
    if (user->GetShader()->referenceCount == 1)
        --m_shaderCount;
    m_users.erase(found);
}

void ShaderManager::Update()
{
    const std::lock_guard lock(m_mutex);
    for (auto& entry : m_users)
        entry.second->Update();
}

u32 ShaderManager::GetShaderUserCount() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<u32>(m_users.size());
}

u32 ShaderManager::GetShaderCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_shaderCount;
}
}
