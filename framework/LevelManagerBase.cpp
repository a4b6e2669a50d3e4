// Reading the level list into stage and level records.
#include "framework/LevelManagerBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"

namespace GameFramework
{
LevelManagerBase::LevelManagerBase(VelkorEngine::Engine* engine)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_fileManager(engine->GetFileManager())
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::PrepareLevel(const LevelPosition&, std::vector<std::string>&) {}

void LevelManagerBase::ReadStage(StageRecord& stage, GameTools::XMLNode&)
{
    stage.levelCount = 0;
}

void LevelManagerBase::ReadLevel(LevelRecord&, GameTools::XMLNode&) {}

void LevelManagerBase::Load()
{
    try
    {
        ReadList();
    }
    catch (const VelkorEngine::FileError& error)
    {
        m_log->Fatal(VelkorEngine::MessageNamingFile(error.GetMessage(), FileName));
    }
    m_log->Message("\nLevel Manager: Found " + std::to_string(GetStageCount()) + " stages with " +
                   std::to_string(GetTotalLevelCount()) + " levels...");
}

void LevelManagerBase::ReadList()
{
    GameTools::XMLNode root;
    GameTools::XMLParser(m_fileManager).Load(&root, FileName);
    GameTools::XMLNode* list = root.FindChild("levels");
    if (!list)
        throw VelkorEngine::FileError("Incorrect \"" + std::string(FileName) + "\" file format");
    std::vector<GameTools::XMLNode*> stages;
    list->GetChildren(stages);
    m_stages.clear();
    m_levels.clear();
    m_stages.resize(stages.size());
    m_levels.resize(stages.size());
    for (u32 i = 0; i < stages.size(); ++i)
        ReadStageElement(i, *stages[i]);
}

void LevelManagerBase::ReadStageElement(u32 index, GameTools::XMLNode& element)
{
    m_stages[index] = CreateStage();
    StageRecord& stage = *m_stages[index];
    stage.stage = index;
    ReadStage(stage, element);
    std::vector<GameTools::XMLNode*> levels;
    element.GetChildren(levels);
    stage.levelCount = static_cast<u32>(levels.size());
    std::vector<std::unique_ptr<LevelRecord>>& list = m_levels[index];
    list.resize(levels.size());
    for (u32 j = 0; j < levels.size(); ++j)
    {
        list[j] = CreateLevel();
        list[j]->stage = index;
        list[j]->level = j;
        ReadLevel(*list[j], *levels[j]);
    }
}

u32 LevelManagerBase::GetTotalLevelCount() const
{
    u32 total = 0;
    for (const auto& list : m_levels)
        total += static_cast<u32>(list.size());
    return total;
}

u32 LevelManagerBase::GetLevelCount(u32 stage) const
{
    return stage < m_stages.size() && m_stages[stage] ? m_stages[stage]->levelCount : 0;
}

StageRecord* LevelManagerBase::GetStage(u32 stage) const
{
    return stage < m_stages.size() ? m_stages[stage].get() : nullptr;
}

LevelRecord* LevelManagerBase::GetLevel(u32 stage, u32 level) const
{
    if (stage >= m_levels.size() || level >= m_levels[stage].size())
        return nullptr;
    return m_levels[stage][level].get();
}

// Stages without levels are stepped over, so a level list with an empty stage never hands out a position
// that has no level record.
LevelPosition LevelManagerBase::GetNextPosition(const LevelPosition& position) const
{
    if (position.level + 1 < GetLevelCount(position.stage))
        return {position.stage, position.level + 1};
    for (u32 stage = position.stage + 1; stage < GetStageCount(); ++stage)
    {
        if (GetLevelCount(stage) > 0)
            return {stage, 0};
    }
    return position;
}

LevelPosition LevelManagerBase::GetPreviousPosition(const LevelPosition& position) const
{
    if (position.level > 0)
        return {position.stage, position.level - 1};
    for (u32 stage = position.stage; stage-- > 0;)
    {
        if (GetLevelCount(stage) > 0)
            return {stage, GetLevelCount(stage) - 1};
    }
    return position;
}

bool LevelManagerBase::IsLastLevel(const LevelPosition& position) const
{
    return GetNextPosition(position) == position;
}
}
