// The keeper of one level's resources: loaded on the loading thread, it first loads its queued resource lists
// (the stage's environment among them), then the block descriptions and the level's geometry file, and
// registers under fixed names the block, collision and fragment models the play objects fetch later. A level
// the game cannot use ends the program through the log's fatal report: there is no partial level.
#pragma once

#include "engine/core/Vector3.h"
#include "framework/DataKeeper.h"
#include "game/play/LevelGeometryFile.h"
#include "game/play/LevelManager.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class ShaderUser;
}

namespace Korvane
{
class BlockDatabase;

// One placed block: its file record, the description of its kind and the shader built for its textures.
struct GeometryObject
{
    GeometryObjectRecord record;
    GameTools::XMLNode* description = nullptr;
    VelkorEngine::ShaderUser* shader = nullptr;
};

class GameLogicData : public GameTools::DataKeeper
{
public:
    static constexpr const char* ModelFolder = "game_objects\\blocks\\models\\";
    static constexpr const char* FragmentFolder = "game_objects\\blocks\\models\\fragments\\";
    static constexpr u32 CommonFragmentCount = 10;
    // More pieces than this is a broken description, not a block anyone modelled.
    static constexpr u32 MostFragments = 100;

    GameLogicData(VelkorEngine::Engine* engine, const std::string& language, const StageInfo& stage,
                  const LevelInfo& level);
    ~GameLogicData() override;

    // The queued lists, then the block database, the geometry file and the block models.
    void LoadQueuedFiles() override;

    const StageInfo& GetStage() const { return m_stage; }
    const LevelInfo& GetLevel() const { return m_level; }
    VelkorEngine::u32 GetKeyFrameCount() const { return m_keyFrameCount; }
    VelkorEngine::f32 GetKeyFrameSpeed() const { return m_keyFrameSpeed; }
    const std::vector<GeometryObject>& GetObjects() const { return m_objects; }
    // Null before the load.
    const BlockDatabase* GetBlockDatabase() const { return m_blocks.get(); }

    // The names the block models are registered under.
    static std::string ModelName(const std::string& block);
    static std::string CollisionModelName(const std::string& block);
    static std::string FragmentName(const std::string& block, VelkorEngine::u32 index);
    static std::string CommonFragmentName(VelkorEngine::u32 index);
    // The pieces of a kind of block: its fragment_count, 0 when absent or negative, at most MostFragments.
    static VelkorEngine::u32 FragmentCount(const GameTools::XMLNode& description);

private:
    void LoadLevel();
    void ReadGeometry();
    void MakeObjects(LevelGeometry& geometry);
    VelkorEngine::ShaderUser* MakeShader(const GameTools::XMLNode& description, const std::string& first,
                                         const std::string& second);
    void RegisterBlockModels();
    void RegisterCommonFragments();
    void AddModelFile(const std::string& file, const std::string& name);

    StageInfo m_stage;
    LevelInfo m_level;
    VelkorEngine::u32 m_keyFrameCount = 0;
    VelkorEngine::f32 m_keyFrameSpeed = 0.0f;
    std::unique_ptr<BlockDatabase> m_blocks;
    std::vector<GeometryObject> m_objects;
};
}
