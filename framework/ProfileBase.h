// One player's saved state: name, progress through the stages, lives and score carried between levels, best
// level times, volumes. Kept in its own file in the "profiles" folder of the user data folder and written in
// full after every change; the game's profile adds its own fields after these.
#pragma once

#include "engine/core/Types.h"

#include <array>
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

class LevelManagerBase;

struct LevelTimeRecord
{
    u32 category = 0;
    u32 stage = 0;
    u32 level = 0;
    f32 time = 0.0f;
};

class ProfileBase
{
public:
    static constexpr const char* FolderName = "profiles";
    static constexpr const char* Extension = ".prf";
    static constexpr u32 SoundVolume = 0;
    static constexpr u32 MusicVolume = 1;

    // Fields empty; the game's profile then loads an existing file or creates a new profile.
    ProfileBase(VelkorEngine::Engine* engine, const std::string& userDataFolder, const std::string& magic,
                u32 version);
    virtual ~ProfileBase();

    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    // Lives 3, score 0.
    virtual void Reset();
    // Reads the named file of the profiles folder; a bad file throws Error with the file's message.
    virtual void Load(const std::string& fileName);
    // Start values, a file name made from the name that no existing file has, then saved.
    virtual void Create(const std::wstring& name);
    // A write error is logged: the profile stays in memory and the previous file on disk.
    void Save();
    // The file name stays.
    void Rename(const std::wstring& name);
    // Deletes the profile's file, a regular file of the profiles folder, and nothing else; refused and logged
    // otherwise.
    void DeleteFiles();
    void AddLevelTime(std::unique_ptr<LevelTimeRecord> record);
    // Map and furthest positions that the level list does not have become (0, 0), saved; true when changed.
    bool ValidatePositions(const LevelManagerBase& levels);

    // Only 'a'..'z' may stand in a file name.
    static bool IsNameCharacterRejected(char character);

    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetCompanionPath() const { return m_companionPath; }
    std::string GetFilePath() const;
    f32 GetTotalTime() const { return m_totalTime; }
    bool IsNew() const { return m_new != 0; }
    const std::vector<std::unique_ptr<LevelTimeRecord>>& GetBestTimes() const { return m_bestTimes; }

    // The stored fields; the window flow changes them and then calls Save.
    std::wstring name;
    std::array<f32, 2> settings{1.0f, 1.0f};
    u32 category = 0;
    u32 lives = 0;
    u32 score = 0;
    u32 mapStage = 0;
    u32 mapLevel = 0;
    u32 furthestStage = 0;
    u32 furthestLevel = 0;
    u8 furthestFlag = 0;
    u8 gameInProgress = 0;

protected:
    virtual void Write(VelkorEngine::FileBinary& file);
    virtual void Read(VelkorEngine::FileBinary& file);
    virtual void WritePair(VelkorEngine::FileBinary& file);
    virtual void ReadPair(VelkorEngine::FileBinary& file);

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::FileManager* m_fileManager = nullptr;

private:
    std::string FolderPath() const;
    void SetFileName(const std::string& fileName);
    std::string MakeFileName(const std::string& base) const;
    bool FileExists(const std::string& candidate) const;

    std::unique_ptr<GameTools::BinaryDataFile> m_dataFile;
    std::string m_userDataFolder;
    std::string m_fileName;
    std::string m_companionPath;
    std::vector<std::unique_ptr<LevelTimeRecord>> m_bestTimes;
    f32 m_totalTime = 0.0f;
    u8 m_new = 0;
};
}
