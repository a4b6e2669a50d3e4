// Loads the scene resources a part of the game needs (models, shader users, particle systems) from XML
// resource lists and keeps them under hierarchical names ("blocks/red"), so game code asks for a resource by
// name instead of by file. A name it does not have is not fatal: the error is logged and a default returned.
#pragma once

#include "engine/core/Types.h"
#include "framework/ResourceCounters.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TextureManager;
}

namespace GameTools
{
class XMLNode;
using VelkorEngine::u32;
using VelkorEngine::u8;

class DataKeeper
{
public:
    // language: the short name of the current language; list elements for other languages are skipped.
    DataKeeper(VelkorEngine::Engine* engine, const std::string& language);
    virtual ~DataKeeper();

    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // A path such as "data\ui\resources_basic.xml": loaded now, or queued for Load.
    void AddResourcesFile(const std::string& path, u8 immediately);
    // Loads the queued lists on the calling thread (the loading window's worker).
    void Load();
    virtual void LoadQueuedFiles();
    // A list that cannot be read ends the program through the log's fatal report.
    void LoadFile(const std::string& path);

    VelkorEngine::Model* GetModel(const std::string& name);
    VelkorEngine::ShaderUser* GetShaderUser(const std::string& name);
    VelkorEngine::ParticleSystem* GetParticleSystem(const std::string& name);

    // The keeper owns what it registers; null is ignored and a name already present keeps its first object.
    void AddModel(const std::string& name, VelkorEngine::Model* model);
    void AddShaderUser(const std::string& name, VelkorEngine::ShaderUser* user);
    void AddParticleSystem(const std::string& name, VelkorEngine::ParticleSystem* system);
    // Named with nine digits: the number of shader users so far plus 123456789.
    void AddUnnamedShaderUser(VelkorEngine::ShaderUser* user);

    VelkorEngine::SpriteGroup* GetDefaultSpriteGroup() const { return m_defaultSpriteGroup.get(); }
    const std::vector<std::string>& GetQueuedFiles() const { return m_queue; }
    u32 GetModelCount() const { return static_cast<u32>(m_models.size()); }
    u32 GetShaderUserCount() const { return static_cast<u32>(m_shaderUsers.size()); }
    u32 GetParticleSystemCount() const { return static_cast<u32>(m_particleSystems.size()); }

    // More loop rounds than this in one list, nested loops counted round by round, are a broken list, not a
    // series anyone means.
    static constexpr u32 MaxLoopCount = 10000;

protected:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::ShaderManager* m_shaderManager = nullptr;
    VelkorEngine::TextureManager* m_textureManager = nullptr;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::SpriteGroupManager* m_spriteGroupManager = nullptr;
    VelkorEngine::ParticleSystemManager* m_particleSystemManager = nullptr;

private:
    struct ListContext
    {
        std::string folder;
        std::string prefix;
        std::vector<ResourceCounter> counters;
    };

    void ProcessElement(XMLNode& element, const ListContext& context);
    void ProcessChildren(XMLNode& element, const ListContext& context);
    void ProcessLoop(XMLNode& element, const ListContext& context);
    void ProcessResource(XMLNode& element, const std::string& name, const ListContext& context);
    void LoadModel(XMLNode& element, const std::string& name, const ListContext& context);
    void LoadShader(XMLNode& element, const std::string& name, const ListContext& context);
    void LoadParticles(XMLNode& element, const std::string& name, const ListContext& context);
    void ReleaseRegistered();
    void ReleaseDefaults();

    std::vector<std::string> m_queue;
    // The loop rounds the list being loaded may still run.
    u32 m_loopRoundsLeft = MaxLoopCount;
    std::string m_language;
    VelkorEngine::ShaderUser* m_defaultShaderUser = nullptr;
    std::unique_ptr<VelkorEngine::Model> m_defaultModel;
    std::unique_ptr<VelkorEngine::SpriteGroup> m_defaultSpriteGroup;
    std::unique_ptr<VelkorEngine::ParticleSystem> m_defaultParticleSystem;
    std::map<std::string, VelkorEngine::ShaderUser*> m_shaderUsers;
    std::map<std::string, std::unique_ptr<VelkorEngine::Model>> m_models;
    std::map<std::string, std::unique_ptr<VelkorEngine::ParticleSystem>> m_particleSystems;
};
}
