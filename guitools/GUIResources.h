// Where the controls and backgrounds take their models, shader users and particle systems from, by name.
// The GUI tools sit below the game's resource keeper, so they see it only through this face; a keeper
// that has the three look-ups is handed over wrapped in GUIResourcesOf.
#pragma once

#include <string>

namespace VelkorEngine
{
class Model;
class ParticleSystem;
class ShaderUser;
}

namespace GUITools
{
class GUIResources
{
public:
    virtual ~GUIResources() = default;

    // A name that is missing is the keeper's to report; it may give a default or null.
    virtual VelkorEngine::Model* GetModel(const std::string& name) = 0;
    virtual VelkorEngine::ShaderUser* GetShaderUser(const std::string& name) = 0;
    virtual VelkorEngine::ParticleSystem* GetParticleSystem(const std::string& name) = 0;
};

// Any keeper with GetModel, GetShaderUser and GetParticleSystem by name, seen as GUI resources.
template <typename Keeper>
class GUIResourcesOf final : public GUIResources
{
public:
    explicit GUIResourcesOf(Keeper* keeper) : m_keeper(keeper) {}

    VelkorEngine::Model* GetModel(const std::string& name) override { return m_keeper->GetModel(name); }
    VelkorEngine::ShaderUser* GetShaderUser(const std::string& name) override
    {
        return m_keeper->GetShaderUser(name);
    }
    VelkorEngine::ParticleSystem* GetParticleSystem(const std::string& name) override
    {
        return m_keeper->GetParticleSystem(name);
    }

private:
    Keeper* m_keeper;
};
}
