// The profile list, the current profile and the best times, with their file.
#include "framework/ProfileManagerBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "framework/BinaryDataFile.h"
#include "framework/BinaryFields.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ProfileBase.h"

#include <algorithm>

namespace GameFramework
{
using VelkorEngine::FileError;

ProfileManagerBase::ProfileManagerBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer,
                                       const std::string& userDataFolder, const std::string& magic, u32 version)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_fileManager(engine->GetFileManager()),
      m_soundPlayer(soundPlayer), m_userDataFolder(userDataFolder),
      m_dataFile(std::make_unique<GameTools::BinaryDataFile>(engine, magic, version))
{
}

ProfileManagerBase::~ProfileManagerBase() = default;

std::string ProfileManagerBase::StatePath() const
{
    return m_userDataFolder + "\\" + FileName;
}

void ProfileManagerBase::ApplyProfileSettings()
{
    if (!m_currentProfile || !m_soundPlayer)
        return;
    m_soundPlayer->SetMusicVolume(m_currentProfile->settings[ProfileBase::MusicVolume]);
    m_soundPlayer->SetSoundVolume(m_currentProfile->settings[ProfileBase::SoundVolume]);
}

void ProfileManagerBase::StoreProfileSettings(ProfileBase* profile)
{
    if (!profile || !m_soundPlayer)
        return;
    profile->settings[ProfileBase::MusicVolume] = m_soundPlayer->GetMusicVolume();
    profile->settings[ProfileBase::SoundVolume] = m_soundPlayer->GetSoundVolume();
    profile->Save();
}

void ProfileManagerBase::LoadProfiles()
{
    OpenListedProfiles();
    SortProfiles();
    WarnOfSharedNames();
    ReadStateFile();
    if (!m_currentProfile && !m_profiles.empty())
        SetCurrentProfile(m_profiles.front().get(), 1);
}

void ProfileManagerBase::OpenListedProfiles()
{
    std::vector<std::string> paths;
    m_fileManager->ListFiles(m_userDataFolder + "\\" + ProfileBase::FolderName, "*.prf", paths);
    for (const std::string& path : paths)
    {
        try
        {
            m_profiles.push_back(OpenProfile(VelkorEngine::GetPathFileName(path)));
        }
        catch (const VelkorEngine::Error&)
        {
            // An unreadable profile is left out of the list; its file stays on disk.
        }
    }
}

// Two files holding one name both stay listed, but a search by name only ever reaches the first.
void ProfileManagerBase::WarnOfSharedNames() const
{
    for (size_t i = 1; i < m_profiles.size(); ++i)
    {
        if (VelkorEngine::WStringToLowerCopy(m_profiles[i - 1]->name) ==
            VelkorEngine::WStringToLowerCopy(m_profiles[i]->name))
            m_log->Warning("(ProfileManagerBase::LoadProfiles): Profiles \"" + m_profiles[i - 1]->GetFileName() +
                           "\" and \"" + m_profiles[i]->GetFileName() + "\" have the same name");
    }
}

void ProfileManagerBase::ReadStateFile()
{
    try
    {
        m_dataFile->Open(StatePath(), 0);
        ReadState(*m_dataFile->GetFile());
        m_dataFile->Close();
    }
    catch (const FileError&)
    {
        m_dataFile->Close();
        m_currentProfile = nullptr;
        m_bestTimes.clear();
        SaveState();
    }
}

ProfileBase* ProfileManagerBase::FindProfile(const std::wstring& name) const
{
    const std::wstring wanted = VelkorEngine::WStringToLowerCopy(name);
    for (const auto& profile : m_profiles)
    {
        if (VelkorEngine::WStringToLowerCopy(profile->name) == wanted)
            return profile.get();
    }
    return nullptr;
}

// Profiles keep their names trimmed and cut to what their file can hold; a name is looked up as it would be
// stored, so a name typed with spaces around it, or one too long, finds the same profile.
std::wstring ProfileManagerBase::StoredName(const std::wstring& name)
{
    return GameTools::CapStoredName(VelkorEngine::WStringTrim(name));
}

ProfileBase* ProfileManagerBase::FindOrCreateProfile(const std::wstring& name)
{
    if (ProfileBase* found = FindProfile(StoredName(name)))
        return found;
    std::unique_ptr<ProfileBase> profile = NewProfile(name);
    ProfileBase* created = profile.get();
    StoreProfileSettings(created);
    m_profiles.push_back(std::move(profile));
    SortProfiles();
    SaveState();
    return created;
}

void ProfileManagerBase::SetCurrentProfile(ProfileBase* profile, u8 save)
{
    m_currentProfile = profile;
    if (save)
        SaveState();
}

void ProfileManagerBase::RenameProfile(const std::wstring& oldName, const std::wstring& newName)
{
    ProfileBase* profile = FindProfile(StoredName(oldName));
    if (!profile || FindProfile(StoredName(newName)))
        return;
    profile->Rename(newName);
    SortProfiles();
    SaveState();
}

void ProfileManagerBase::DeleteProfile(const std::wstring& name)
{
    ProfileBase* profile = FindProfile(name);
    if (!profile)
        return;
    profile->DeleteFiles();
    const auto at = std::find_if(m_profiles.begin(), m_profiles.end(),
                                 [profile](const auto& listed) { return listed.get() == profile; });
    std::unique_ptr<ProfileBase> removed = std::move(*at);
    m_profiles.erase(at);
    if (m_currentProfile == profile)
        m_currentProfile = m_profiles.empty() ? nullptr : m_profiles.front().get();
    removed.reset();
    SaveState();
}

void ProfileManagerBase::SortProfiles()
{
    std::stable_sort(m_profiles.begin(), m_profiles.end(), [](const auto& a, const auto& b) {
        return VelkorEngine::WStringToLowerCopy(a->name) < VelkorEngine::WStringToLowerCopy(b->name);
    });
}

BestTimeRecord* ProfileManagerBase::FindBestTime(const LevelPosition& position, u32 category) const
{
    for (const auto& record : m_bestTimes)
    {
        if (record->stage == position.stage && record->level == position.level && record->category == category)
            return record.get();
    }
    return nullptr;
}

bool ProfileManagerBase::GetBestTime(const LevelPosition& position, u32 category, std::wstring& holder,
                                     f32& time) const
{
    const BestTimeRecord* record = FindBestTime(position, category);
    if (!record)
        return false;
    holder = record->holder;
    time = record->time;
    return true;
}

bool ProfileManagerBase::SetBestTime(const LevelPosition& position, const std::wstring& holder, u32 category,
                                     f32 time)
{
    BestTimeRecord* record = FindBestTime(position, category);
    if (record && !(time < record->time))
        return false;
    if (!record)
    {
        m_bestTimes.push_back(std::make_unique<BestTimeRecord>());
        record = m_bestTimes.back().get();
        record->stage = position.stage;
        record->level = position.level;
        record->category = category;
    }
    record->holder = GameTools::CapStoredName(holder);
    record->time = time;
    SaveState();
    return true;
}

void ProfileManagerBase::SaveState()
{
    try
    {
        m_dataFile->Open(StatePath(), 1);
        WriteState(*m_dataFile->GetFile());
        m_dataFile->Close();
    }
    catch (const FileError& error)
    {
        m_dataFile->Abandon();
        m_log->Error("(ProfileManagerBase::SaveState): " + error.GetMessage());
    }
}

void ProfileManagerBase::ValidatePositions(const LevelManagerBase& levels)
{
    for (const auto& profile : m_profiles)
        profile->ValidatePositions(levels);
}

void ProfileManagerBase::WriteState(VelkorEngine::FileBinary& file)
{
    file.WriteWideString(m_currentProfile ? m_currentProfile->name : std::wstring());
    GameTools::WriteU32(file, static_cast<u32>(m_bestTimes.size()));
    for (const auto& record : m_bestTimes)
    {
        GameTools::WriteU32(file, record->stage);
        GameTools::WriteU32(file, record->level);
        file.WriteWideString(record->holder);
        GameTools::WriteU32(file, record->category);
        GameTools::WriteF32(file, record->time);
    }
}

void ProfileManagerBase::ReadState(VelkorEngine::FileBinary& file)
{
    std::wstring current;
    file.ReadWideString(current);
    // Names of 255 units read back; saving them would fail, so they are kept as a save writes them.
    current = GameTools::CapStoredName(current);
    if (!current.empty())
        SetCurrentProfile(FindProfile(current), 0);
    const u32 count = GameTools::ReadU32(file);
    for (u32 i = 0; i < count; ++i)
    {
        m_bestTimes.push_back(std::make_unique<BestTimeRecord>());
        BestTimeRecord& record = *m_bestTimes.back();
        record.stage = GameTools::ReadU32(file);
        record.level = GameTools::ReadU32(file);
        file.ReadWideString(record.holder);
        record.holder = GameTools::CapStoredName(record.holder);
        record.category = GameTools::ReadU32(file);
        record.time = GameTools::ReadF32(file);
    }
}
}
