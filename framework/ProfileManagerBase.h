// Every profile of the installation, the current one, and the table of best level times across profiles.
// "profiles.pmf" in the user data folder keeps the current profile's name and that table.
#pragma once

#include "engine/core/Types.h"
#include "framework/LevelManagerBase.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
}

namespace GameTools
{
class BinaryDataFile;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GameSoundPlayer;
class ProfileBase;

struct BestTimeRecord
{
    u32 stage = 0;
    u32 level = 0;
    std::wstring holder;
    u32 category = 0;
    f32 time = 0.0f;
};

class ProfileManagerBase
{
public:
    static constexpr const char* FileName = "profiles.pmf";

    // Empty lists; the game's manager then calls LoadProfiles.
    ProfileManagerBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, const std::string& userDataFolder,
                       const std::string& magic, u32 version);
    virtual ~ProfileManagerBase();

    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    // The current profile's volumes become the sound player's.
    virtual void ApplyProfileSettings();
    virtual void LoadProfiles();
    // The sound player's volumes become the profile's, which is saved.
    virtual void StoreProfileSettings(ProfileBase* profile);

    ProfileBase* FindProfile(const std::wstring& name) const;
    // A new profile is saved and listed but not made current.
    ProfileBase* FindOrCreateProfile(const std::wstring& name);
    void SetCurrentProfile(ProfileBase* profile, u8 save);
    void RenameProfile(const std::wstring& oldName, const std::wstring& newName);
    void DeleteProfile(const std::wstring& name);
    void SortProfiles();
    bool GetBestTime(const LevelPosition& position, u32 category, std::wstring& holder, f32& time) const;
    // True when the time was stored: a first time, or one strictly below the stored one.
    bool SetBestTime(const LevelPosition& position, const std::wstring& holder, u32 category, f32 time);
    // A write error is logged.
    void SaveState();
    // Every profile's stored positions checked against the level list; a position it lacks becomes (0, 0).
    void ValidatePositions(const LevelManagerBase& levels);

    ProfileBase* GetCurrentProfile() const { return m_currentProfile; }
    u32 GetProfileCount() const { return static_cast<u32>(m_profiles.size()); }
    ProfileBase* GetProfile(u32 index) const { return index < m_profiles.size() ? m_profiles[index].get() : nullptr; }
    u32 GetBestTimeCount() const { return static_cast<u32>(m_bestTimes.size()); }
    const BestTimeRecord& GetBestTimeRecord(u32 index) const { return *m_bestTimes[index]; }

protected:
    // A profile from an existing file of the profiles folder; throws Error when it cannot be read.
    virtual std::unique_ptr<ProfileBase> OpenProfile(const std::string& fileName) = 0;
    // A new profile of that name, already saved.
    virtual std::unique_ptr<ProfileBase> NewProfile(const std::wstring& name) = 0;
    virtual void WriteState(VelkorEngine::FileBinary& file);
    virtual void ReadState(VelkorEngine::FileBinary& file);

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::FileManager* m_fileManager = nullptr;
    GameSoundPlayer* m_soundPlayer = nullptr;
    std::string m_userDataFolder;

private:
    void OpenListedProfiles();
    void WarnOfSharedNames() const;
    void ReadStateFile();
    BestTimeRecord* FindBestTime(const LevelPosition& position, u32 category) const;
    std::string StatePath() const;
    static std::wstring StoredName(const std::wstring& name);

    std::unique_ptr<GameTools::BinaryDataFile> m_dataFile;
    std::vector<std::unique_ptr<ProfileBase>> m_profiles;
    ProfileBase* m_currentProfile = nullptr;
    std::vector<std::unique_ptr<BestTimeRecord>> m_bestTimes;
};
}
