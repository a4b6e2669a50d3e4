// The level list "data\levels\levels.xml": one record per stage and one per level, in document order. The
// framework fixes the structure and the records' first fields; the game makes the records and reads its own
// attributes into them.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class FileManager;
class MessageManager;
}

namespace GameTools
{
class XMLNode;
}

namespace GameFramework
{
using VelkorEngine::u32;

struct StageRecord
{
    virtual ~StageRecord() = default;
    u32 stage = 0;
    u32 levelCount = 0;
};

struct LevelRecord
{
    virtual ~LevelRecord() = default;
    u32 stage = 0;
    u32 level = 0;
};

// A (stage, level) pair, both counted from 0.
struct LevelPosition
{
    u32 stage = 0;
    u32 level = 0;

    bool operator==(const LevelPosition&) const = default;
};

class LevelManagerBase
{
public:
    static constexpr const char* FileName = "data\\levels\\levels.xml";

    explicit LevelManagerBase(VelkorEngine::Engine* engine);
    virtual ~LevelManagerBase();

    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Appends the resource lists a level needs; the base needs none.
    virtual void PrepareLevel(const LevelPosition& position, std::vector<std::string>& files);
    // Reads the level list; anything wrong with it ends the program through the log's fatal report.
    virtual void Load();

    u32 GetStageCount() const { return static_cast<u32>(m_stages.size()); }
    // 0 for a stage the list does not have.
    u32 GetLevelCount(u32 stage) const;
    // Null for a position the list does not have.
    StageRecord* GetStage(u32 stage) const;
    LevelRecord* GetLevel(u32 stage, u32 level) const;

    // The level played after this one: the next in its stage, else the first of the next stage that has
    // levels; the very last level is followed by itself.
    LevelPosition GetNextPosition(const LevelPosition& position) const;
    // The level played before this one; the first level has none and stays.
    LevelPosition GetPreviousPosition(const LevelPosition& position) const;
    // No level follows this one.
    bool IsLastLevel(const LevelPosition& position) const;

protected:
    virtual std::unique_ptr<StageRecord> CreateStage() = 0;
    virtual std::unique_ptr<LevelRecord> CreateLevel() = 0;
    // The base sets the level count to 0; the loader sets the real count right after.
    virtual void ReadStage(StageRecord& stage, GameTools::XMLNode& element);
    virtual void ReadLevel(LevelRecord& level, GameTools::XMLNode& element);

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::FileManager* m_fileManager = nullptr;

private:
    void ReadList();
    void ReadStageElement(u32 index, GameTools::XMLNode& element);
    u32 GetTotalLevelCount() const;

    std::vector<std::unique_ptr<StageRecord>> m_stages;
    std::vector<std::vector<std::unique_ptr<LevelRecord>>> m_levels;
};
}
