// Loading one level: block descriptions, the geometry file and the models its blocks need.
#include "game/play/GameLogicData.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/XMLNode.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "framework/BinaryDataFile.h"
#include "game/play/BlockDatabase.h"

#include <algorithm>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
// Frame mode 2 runs a shader's texture frames in a loop; 0 shows one picture.
constexpr u32 kLoopedFrames = 2;
constexpr u32 kOneFrame = 0;

const std::string& TextureName(const LevelGeometry& geometry, u32 index)
{
    return geometry.textures[index];
}
}

GameLogicData::GameLogicData(VelkorEngine::Engine* engine, const std::string& language, const StageInfo& stage,
                             const LevelInfo& level)
    : DataKeeper(engine, language), m_stage(stage), m_level(level)
{
}

GameLogicData::~GameLogicData() = default;

void GameLogicData::LoadQueuedFiles()
{
    DataKeeper::LoadQueuedFiles();
    try
    {
        LoadLevel();
    }
    catch (const VelkorEngine::FileError& error)
    {
        m_log->Fatal(error.GetMessage());
    }
}

void GameLogicData::LoadLevel()
{
    m_blocks = std::make_unique<BlockDatabase>(m_engine->GetFileManager());
    ReadGeometry();
    RegisterBlockModels();
    RegisterCommonFragments();
}

void GameLogicData::ReadGeometry()
{
    const std::string path = LevelGeometryFile::Folder + m_level.fileName;
    GameTools::BinaryDataFile file(m_engine, LevelGeometryFile::Magic, LevelGeometryFile::Version);
    file.Open(path, 0);
    LevelGeometry geometry = LevelGeometryFile::ReadBody(*file.GetFile(), path);
    m_keyFrameCount = geometry.keyFrameCount;
    m_keyFrameSpeed = geometry.keyFrameSpeed;
    MakeObjects(geometry);
}

void GameLogicData::MakeObjects(LevelGeometry& geometry)
{
    m_objects.reserve(geometry.objects.size());
    for (GeometryObjectRecord& record : geometry.objects)
    {
        GeometryObject object;
        object.description = m_blocks->Find(record.blockName);
        object.shader = MakeShader(*object.description, TextureName(geometry, record.firstTexture),
                                   TextureName(geometry, record.secondTexture));
        object.record = std::move(record);
        m_objects.push_back(std::move(object));
    }
}

VelkorEngine::ShaderUser* GameLogicData::MakeShader(const GameTools::XMLNode& description, const std::string& first,
                                                    const std::string& second)
{
    u32 frameCount = 1;
    f32 speed = 0.0f;
    BlockDatabase::GetShaderFrames(description, frameCount, speed);
    // The shader layer refuses absurd frame counts; a description asking for one gets the most it allows.
    frameCount = std::min(std::max(frameCount, 1u), VelkorEngine::ShaderDescriptor::kMaxFrames);
    const u32 mode = frameCount > 1 ? kLoopedFrames : kOneFrame;
    const VelkorEngine::ShaderDescriptor descriptor(true, mode, 1, 1, frameCount, speed, first, second, true);
    VelkorEngine::ShaderUser* shader = m_shaderManager->AddShader(descriptor);
    AddUnnamedShaderUser(shader);
    return shader;
}

void GameLogicData::RegisterBlockModels()
{
    std::vector<const GameTools::XMLNode*> used;
    for (const GeometryObject& object : m_objects)
        if (std::find(used.begin(), used.end(), object.description) == used.end())
            used.push_back(object.description);
    for (const GameTools::XMLNode* description : used)
    {
        const std::string name = BlockDatabase::GetText(*description, "name", "");
        AddModelFile(ModelFolder + name + ".mlf", ModelName(name));
        if (BlockDatabase::GetBool(*description, "collision_model", false))
            AddModelFile(ModelFolder + name + "_collision.mlf", CollisionModelName(name));
        const u32 fragments = FragmentCount(*description);
        for (u32 i = 0; i < fragments; ++i)
            AddModelFile(FragmentFolder + name + "_" + VelkorEngine::UIntToString(i, 2) + ".mlf", FragmentName(name, i));
    }
}

void GameLogicData::RegisterCommonFragments()
{
    for (u32 i = 0; i < CommonFragmentCount; ++i)
        AddModelFile(std::string(FragmentFolder) + "common\\fragment_" + VelkorEngine::UIntToString(i, 1) + ".mlf",
                     CommonFragmentName(i));
}

void GameLogicData::AddModelFile(const std::string& file, const std::string& name)
{
    AddModel(name, m_modelManager->NewModelFromFile(file, nullptr, 0));
}

std::string GameLogicData::ModelName(const std::string& block)
{
    return "geometry/" + block + "/model";
}

std::string GameLogicData::CollisionModelName(const std::string& block)
{
    return "geometry/" + block + "/collision_model";
}

std::string GameLogicData::FragmentName(const std::string& block, u32 index)
{
    return "geometry/" + block + "/fragments/" + VelkorEngine::UIntToString(index, 2);
}

u32 GameLogicData::FragmentCount(const GameTools::XMLNode& description)
{
    const VelkorEngine::i32 count = BlockDatabase::GetInt(description, "fragment_count", 0);
    return static_cast<u32>(std::clamp<VelkorEngine::i32>(count, 0, static_cast<VelkorEngine::i32>(MostFragments)));
}

std::string GameLogicData::CommonFragmentName(u32 index)
{
    return "geometry/fragments/common/" + VelkorEngine::UIntToString(index, 2);
}
}
