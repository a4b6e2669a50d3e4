// The game's profile manager: the framework's manager with the game's list file and profile class.
#pragma once

#include "framework/ProfileManagerBase.h"

namespace Korvane
{
class ProfileManager : public GameFramework::ProfileManagerBase
{
public:
    static constexpr const char* Magic = "FLPMF";
    static constexpr VelkorEngine::u32 Version = 100;

    // Loads every profile of the user data folder at once.
    ProfileManager(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                   const std::string& userDataFolder);

protected:
    std::unique_ptr<GameFramework::ProfileBase> OpenProfile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> NewProfile(const std::wstring& name) override;
};
}
