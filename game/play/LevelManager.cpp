// The game's attributes of the level list.
#include "game/play/LevelManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLValue.h"

namespace Korvane
{
LevelManager::LevelManager(VelkorEngine::Engine* engine) : LevelManagerBase(engine)
{
    Load();
}

std::unique_ptr<GameFramework::StageRecord> LevelManager::CreateStage()
{
    return std::make_unique<StageInfo>();
}

std::unique_ptr<GameFramework::LevelRecord> LevelManager::CreateLevel()
{
    return std::make_unique<LevelInfo>();
}

void LevelManager::ReadStage(GameFramework::StageRecord& stage, GameTools::XMLNode& element)
{
    LevelManagerBase::ReadStage(stage, element);
    GameTools::XMLValue* environment = element.GetAttributeValue("environment");
    if (environment == nullptr)
        throw VelkorEngine::FileError("No \"environment\" attribute in stage description");
    static_cast<StageInfo&>(stage).environment = environment->GetString();
}

void LevelManager::ReadLevel(GameFramework::LevelRecord& level, GameTools::XMLNode& element)
{
    LevelManagerBase::ReadLevel(level, element);
    LevelInfo& info = static_cast<LevelInfo&>(level);
    info.fileName = LevelFileName(level.stage, level.level);
    const GameTools::XMLValue* aceTime = element.GetAttributeValue("ace_time");
    info.aceTime = aceTime != nullptr ? aceTime->GetInt() : DefaultAceTime;
}

void LevelManager::PrepareLevel(const GameFramework::LevelPosition& position, std::vector<std::string>& files)
{
    LevelManagerBase::PrepareLevel(position, files);
    const StageInfo* stage = GetStageInfo(position.stage);
    if (stage == nullptr)
    {
        m_log->Error("(LevelManager::PrepareLevel): There is no stage " + std::to_string(position.stage));
        return;
    }
    files.push_back("data\\environment\\" + stage->environment + "_resources.xml");
}

const StageInfo* LevelManager::GetStageInfo(u32 stage) const
{
    return static_cast<const StageInfo*>(GetStage(stage));
}

const LevelInfo* LevelManager::GetLevelInfo(u32 stage, u32 level) const
{
    return static_cast<const LevelInfo*>(GetLevel(stage, level));
}

std::string LevelManager::LevelFileName(u32 stage, u32 level)
{
    return VelkorEngine::UIntToString(stage, 2) + "_" + VelkorEngine::UIntToString(level, 2) + ".krg";
}
}
