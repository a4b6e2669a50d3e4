// A player's profile and its file.
#include "framework/ProfileBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "framework/BinaryDataFile.h"
#include "framework/BinaryFields.h"
#include "framework/GameSoundPlayer.h"
#include "framework/LevelManagerBase.h"

#include <algorithm>

namespace GameFramework
{
using VelkorEngine::FileError;

namespace
{
constexpr u32 NameAttempts = 1024;
constexpr size_t PaddedBaseLength = 16;
constexpr size_t LongBaseLength = 15;
// Longer bases are cut: a file name has room for 255 bytes, and the digits of a taken name must fit too.
constexpr size_t MaxBaseLength = 64;

std::string RandomDigits(size_t count)
{
    std::string digits;
    for (size_t i = 0; i < count; ++i)
        digits += static_cast<char>('0' + VelkorEngine::RandomIndex(10));
    return digits;
}

bool IsValidPosition(const LevelManagerBase& levels, u32 stage, u32 level)
{
    return stage < levels.GetStageCount() && level < levels.GetLevelCount(stage);
}
}

ProfileBase::ProfileBase(VelkorEngine::Engine* engine, const std::string& userDataFolder, const std::string& magic,
                         u32 version)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_fileManager(engine->GetFileManager()),
      m_dataFile(std::make_unique<GameTools::BinaryDataFile>(engine, magic, version)),
      m_userDataFolder(userDataFolder)
{
}

ProfileBase::~ProfileBase() = default;

void ProfileBase::Reset()
{
    lives = 3;
    score = 0;
}

std::string ProfileBase::FolderPath() const
{
    return m_userDataFolder + "\\" + FolderName;
}

std::string ProfileBase::GetFilePath() const
{
    return FolderPath() + "\\" + m_fileName;
}

void ProfileBase::SetFileName(const std::string& fileName)
{
    m_fileName = fileName;
    m_companionPath = GetFilePath();
    VelkorEngine::ChangePathExtension(m_companionPath, "");
}

void ProfileBase::Load(const std::string& fileName)
{
    SetFileName(fileName);
    try
    {
        m_dataFile->Open(GetFilePath(), 0);
        Read(*m_dataFile->GetFile());
        m_dataFile->Close();
    }
    catch (const FileError& error)
    {
        m_dataFile->Close();
        throw VelkorEngine::Error(error.GetMessage());
    }
}

void ProfileBase::Create(const std::wstring& newName)
{
    name = GameTools::CapStoredName(VelkorEngine::WStringTrim(newName));
    settings = {1.0f, 1.0f};
    category = 0;
    m_new = 1;
    gameInProgress = 0;
    mapStage = mapLevel = furthestStage = furthestLevel = 0;
    furthestFlag = 0;
    m_totalTime = 0.0f;
    Reset();
    std::string base = VelkorEngine::WStringToString(name);
    VelkorEngine::StringToLower(base);
    std::erase_if(base, IsNameCharacterRejected);
    base.resize(std::min(base.size(), MaxBaseLength));
    SetFileName(MakeFileName(base));
    Save();
}

bool ProfileBase::IsNameCharacterRejected(char character)
{
    const signed char value = static_cast<signed char>(character);
    return value < 'a' || value > 'z';
}

bool ProfileBase::FileExists(const std::string& candidate) const
{
    return m_fileManager->Exists(FolderPath() + "\\" + candidate);
}

std::string ProfileBase::MakeFileName(const std::string& base) const
{
    for (u32 attempt = 0; attempt < NameAttempts; ++attempt)
    {
        std::string candidate = base;
        if (candidate.size() < LongBaseLength)
            candidate += "_" + RandomDigits(PaddedBaseLength - 1 - candidate.size());
        candidate += Extension;
        if (!FileExists(candidate))
            return candidate;
        if (base.size() >= LongBaseLength)
            break;
    }
    // Every candidate so far belongs to another profile (a long base always gives the same one): add digits,
    // more of them the longer it takes, and never hand out a name that a file already has.
    for (size_t digits = 4;; ++digits)
    {
        for (u32 attempt = 0; attempt < 64; ++attempt)
        {
            const std::string candidate = base + "_" + RandomDigits(digits) + Extension;
            if (!FileExists(candidate))
                return candidate;
        }
    }
}

void ProfileBase::Save()
{
    try
    {
        m_dataFile->Open(GetFilePath(), 1);
        Write(*m_dataFile->GetFile());
        m_dataFile->Close();
    }
    catch (const FileError& error)
    {
        m_dataFile->Abandon();
        m_log->Error("(ProfileBase::Save): " + error.GetMessage());
    }
}

void ProfileBase::Rename(const std::wstring& newName)
{
    name = GameTools::CapStoredName(VelkorEngine::WStringTrim(newName));
    Save();
}

// Exactly the profile's own file goes: a name that could reach past the profiles folder ("..", separators), a
// folder or a link is refused, since the user's other files sit right beside that folder.
void ProfileBase::DeleteFiles()
{
    const bool plainName = !m_fileName.empty() && m_fileName != "." && m_fileName != ".." &&
                           m_fileName.find_first_of("\\/") == std::string::npos;
    if (plainName && VelkorEngine::FileManager::DeleteRegularFile(GetFilePath()))
        return;
    m_log->Error("(ProfileBase::DeleteFiles): \"" + m_fileName +
                 "\" is not a file of the profiles folder; it was not deleted");
}

void ProfileBase::AddLevelTime(std::unique_ptr<LevelTimeRecord> record)
{
    m_totalTime += record->time;
    const auto stored = std::find_if(m_bestTimes.begin(), m_bestTimes.end(), [&](const auto& kept) {
        return kept->category == record->category && kept->stage == record->stage && kept->level == record->level;
    });
    if (stored == m_bestTimes.end())
        m_bestTimes.push_back(std::move(record));
    else
        (*stored)->time = std::min((*stored)->time, record->time);
    Save();
}

bool ProfileBase::ValidatePositions(const LevelManagerBase& levels)
{
    bool changed = false;
    if (!IsValidPosition(levels, mapStage, mapLevel) && (mapStage != 0 || mapLevel != 0))
    {
        mapStage = mapLevel = 0;
        changed = true;
    }
    if (!IsValidPosition(levels, furthestStage, furthestLevel) && (furthestStage != 0 || furthestLevel != 0))
    {
        furthestStage = furthestLevel = 0;
        changed = true;
    }
    if (changed)
        Save();
    return changed;
}

void ProfileBase::Write(VelkorEngine::FileBinary& file)
{
    file.WriteWideString(name);
    for (u32 value : {category, lives, score, mapStage, mapLevel, furthestStage, furthestLevel})
        GameTools::WriteU32(file, value);
    GameTools::WriteU8(file, furthestFlag);
    GameTools::WriteU32(file, static_cast<u32>(m_bestTimes.size()));
    for (const auto& record : m_bestTimes)
    {
        GameTools::WriteU32(file, record->category);
        GameTools::WriteU32(file, record->stage);
        GameTools::WriteU32(file, record->level);
        GameTools::WriteF32(file, record->time);
    }
    GameTools::WriteU8(file, gameInProgress);
    WritePair(file);
}

void ProfileBase::Read(VelkorEngine::FileBinary& file)
{
    file.ReadWideString(name);
    // A file may hold one unit more than a save can write back.
    name = GameTools::CapStoredName(name);
    for (u32* value : {&category, &lives, &score, &mapStage, &mapLevel, &furthestStage, &furthestLevel})
        *value = GameTools::ReadU32(file);
    furthestFlag = GameTools::ReadU8(file);
    const u32 count = GameTools::ReadU32(file);
    m_bestTimes.clear();
    m_totalTime = 0.0f;
    for (u32 i = 0; i < count; ++i)
    {
        auto record = std::make_unique<LevelTimeRecord>();
        record->category = GameTools::ReadU32(file);
        record->stage = GameTools::ReadU32(file);
        record->level = GameTools::ReadU32(file);
        record->time = GameTools::ReadF32(file);
        m_totalTime += record->time;
        m_bestTimes.push_back(std::move(record));
    }
    gameInProgress = GameTools::ReadU8(file);
    ReadPair(file);
    m_new = 0;
}

void ProfileBase::WritePair(VelkorEngine::FileBinary& file)
{
    GameTools::WriteF32(file, settings[MusicVolume]);
    GameTools::WriteF32(file, settings[SoundVolume]);
}

void ProfileBase::ReadPair(VelkorEngine::FileBinary& file)
{
    settings[MusicVolume] = GameSoundPlayer::ClampVolume(GameTools::ReadF32(file));
    settings[SoundVolume] = GameSoundPlayer::ClampVolume(GameTools::ReadF32(file));
}
}
