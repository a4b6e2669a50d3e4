#include "game/app/ProfileManager.h"

#include "game/app/Profile.h"

namespace Korvane
{
ProfileManager::ProfileManager(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                               const std::string& userDataFolder)
    : ProfileManagerBase(engine, soundPlayer, userDataFolder, Magic, Version)
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::OpenProfile(const std::string& fileName)
{
    auto profile = std::make_unique<Profile>(m_engine, m_userDataFolder);
    profile->Load(fileName);
    return profile;
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::NewProfile(const std::wstring& name)
{
    auto profile = std::make_unique<Profile>(m_engine, m_userDataFolder);
    profile->Create(name);
    return profile;
}
}
