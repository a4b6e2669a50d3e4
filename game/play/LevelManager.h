// The game's level list: the framework reads the stages and levels of "data\levels\levels.xml", the game adds
// each stage's environment and each level's geometry file and ace time.
#pragma once

#include "framework/LevelManagerBase.h"

#include <string>
#include <vector>

namespace Korvane
{
using VelkorEngine::i32;
using VelkorEngine::u32;

struct StageInfo : GameFramework::StageRecord
{
    std::string environment;
};

struct LevelInfo : GameFramework::LevelRecord
{
    std::string fileName;
    i32 aceTime = 0;
};

class LevelManager : public GameFramework::LevelManagerBase
{
public:
    static constexpr i32 DefaultAceTime = 60;

    // Reads the whole level list at once; a list the game cannot use ends the program through the log.
    explicit LevelManager(VelkorEngine::Engine* engine);

    // Adds the environment's resource list of the position's stage; a stage the list lacks adds nothing.
    void PrepareLevel(const GameFramework::LevelPosition& position, std::vector<std::string>& files) override;

    // Null for a stage or level the list does not have.
    const StageInfo* GetStageInfo(u32 stage) const;
    const LevelInfo* GetLevelInfo(u32 stage, u32 level) const;

    // "SS_LL.krg", each index with at least two digits.
    static std::string LevelFileName(u32 stage, u32 level);

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override;
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override;
    void ReadStage(GameFramework::StageRecord& stage, GameTools::XMLNode& element) override;
    void ReadLevel(GameFramework::LevelRecord& level, GameTools::XMLNode& element) override;
};
}
