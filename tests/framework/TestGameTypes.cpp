// The game-like classes of the framework tests.
#include "tests/framework/TestGameTypes.h"

#include "engine/core/Error.h"
#include "engine/files/XMLNode.h"
#include "framework/BinaryFields.h"

namespace FrameworkTest
{
TestProfile::TestProfile(VelkorEngine::Engine* engine, const std::string& userDataFolder)
    : ProfileBase(engine, userDataFolder, Magic, Version)
{
}

void TestProfile::Create(const std::wstring& name)
{
    flags[0] = flags[1] = 1;
    ProfileBase::Create(name);
}

void TestProfile::Write(VelkorEngine::FileBinary& file)
{
    ProfileBase::Write(file);
    GameTools::WriteU8(file, flags[0]);
    GameTools::WriteU8(file, flags[1]);
}

void TestProfile::Read(VelkorEngine::FileBinary& file)
{
    ProfileBase::Read(file);
    flags[0] = GameTools::ReadU8(file);
    flags[1] = GameTools::ReadU8(file);
}

TestProfileManager::TestProfileManager(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                                       const std::string& userDataFolder)
    : ProfileManagerBase(engine, soundPlayer, userDataFolder, "FLPMF", 100)
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> TestProfileManager::OpenProfile(const std::string& fileName)
{
    auto profile = std::make_unique<TestProfile>(m_engine, m_userDataFolder);
    profile->Load(fileName);
    return profile;
}

std::unique_ptr<GameFramework::ProfileBase> TestProfileManager::NewProfile(const std::wstring& name)
{
    auto profile = std::make_unique<TestProfile>(m_engine, m_userDataFolder);
    profile->Create(name);
    return profile;
}

TestLevelManager::TestLevelManager(VelkorEngine::Engine* engine) : LevelManagerBase(engine)
{
    Load();
}

std::unique_ptr<GameFramework::StageRecord> TestLevelManager::CreateStage()
{
    return std::make_unique<TestStage>();
}

std::unique_ptr<GameFramework::LevelRecord> TestLevelManager::CreateLevel()
{
    return std::make_unique<TestLevel>();
}

// A stage element carrying bad="1" fails the way a game's reader fails on a bad attribute.
void TestLevelManager::ReadStage(GameFramework::StageRecord& stage, GameTools::XMLNode& element)
{
    LevelManagerBase::ReadStage(stage, element);
    if (element.HasAttribute("bad"))
        throw VelkorEngine::FileError("bad stage");
    static_cast<TestStage&>(stage).element = element.GetName();
}

void TestLevelManager::ReadLevel(GameFramework::LevelRecord& level, GameTools::XMLNode& element)
{
    static_cast<TestLevel&>(level).element = element.GetName();
}
}
