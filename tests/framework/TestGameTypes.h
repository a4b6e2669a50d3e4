// The framework's bases filled in the way a game fills them: a profile that adds two flags after the
// framework's fields (both set for a new profile), a profile manager, and a level list that keeps each
// element's name.
#pragma once

#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace FrameworkTest
{
class TestProfile : public GameFramework::ProfileBase
{
public:
    static constexpr const char* Magic = "KRPRF";
    static constexpr VelkorEngine::u32 Version = 102;

    TestProfile(VelkorEngine::Engine* engine, const std::string& userDataFolder);

    void Create(const std::wstring& name) override;

    VelkorEngine::u8 flags[2] = {0, 0};

protected:
    void Write(VelkorEngine::FileBinary& file) override;
    void Read(VelkorEngine::FileBinary& file) override;
};

class TestProfileManager : public GameFramework::ProfileManagerBase
{
public:
    TestProfileManager(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                       const std::string& userDataFolder);

protected:
    std::unique_ptr<GameFramework::ProfileBase> OpenProfile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> NewProfile(const std::wstring& name) override;
};

struct TestStage : GameFramework::StageRecord
{
    std::string element;
};

struct TestLevel : GameFramework::LevelRecord
{
    std::string element;
};

class TestLevelManager : public GameFramework::LevelManagerBase
{
public:
    // Loads at once, as a game's level manager does.
    explicit TestLevelManager(VelkorEngine::Engine* engine);

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override;
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override;
    void ReadStage(GameFramework::StageRecord& stage, GameTools::XMLNode& element) override;
    void ReadLevel(GameFramework::LevelRecord& level, GameTools::XMLNode& element) override;
};
}
