// The level keeper: block descriptions matched to the geometry file's objects, one shader per object with the
// description's texture frames, the block, collision and fragment models under their names, and levels the
// game cannot use ending the program with the reader's message.
#include "game/play/GameLogicData.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ShaderUser.h"
#include "tests/support/EngineTestBed.h"
#include "tools/formats/LevelGeometryWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using Korvane::GameLogicData;
using KorvaneTools::LevelObject;

namespace
{
LevelObject ObjectOfBlock(const std::string& block, VelkorEngine::u32 texture = 1)
{
    LevelObject object;
    object.block = block;
    object.firstTexture = texture;
    object.keyFrames.resize(1);
    return object;
}

class GameLogicDataTest : public ::testing::Test
{
protected:
    GameLogicDataTest()
    {
        bed.Start();
        stage.environment = "desert";
        level.fileName = "00_00.krg";
        WriteBlock("brick.xml", "<block/>");
        WriteBlock("pillar.xml", "<block collision_model=\"1\" fragment_count=\"3\"><shader frame_count=\"4\" "
                                 "animation_speed=\"2.5\"/></block>");
    }

    void Write(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(bed.folder / path).parent_path());
        bed.folder.WriteFile(path, bytes);
    }
    void WriteBlock(const std::string& file, const std::string& xml) { Write("data/game_objects/blocks/" + file, xml); }
    void WriteLevel(const KorvaneTools::LevelGeometry& geometry)
    {
        Write("data/levels_geometry/00_00.krg", KorvaneTools::WriteLevelGeometry(geometry));
    }

    // Loads the level and gives the keeper, or the fatal message it ended with.
    std::unique_ptr<GameLogicData> Load(std::string* fatal = nullptr)
    {
        auto keeper = std::make_unique<GameLogicData>(&bed.GetEngine(), "en", stage, level);
        try
        {
            keeper->Load();
        }
        catch (const VelkorEngine::FatalError& error)
        {
            if (fatal == nullptr)
                throw;
            *fatal = error.GetMessage();
        }
        return keeper;
    }

    bool HasModel(GameLogicData& keeper, const std::string& name)
    {
        const size_t before = bed.Records(VelkorEngine::MessageManager::KindError).size();
        keeper.GetModel(name);
        return bed.Records(VelkorEngine::MessageManager::KindError).size() == before;
    }

    TestSupport::EngineTestBed bed;
    Korvane::StageInfo stage;
    Korvane::LevelInfo level;
};

TEST_F(GameLogicDataTest, EmptyLevelRegistersOnlyTheCommonFragments)
{
    KorvaneTools::LevelGeometry geometry;
    WriteLevel(geometry);
    auto keeper = Load();
    EXPECT_TRUE(keeper->GetObjects().empty());
    EXPECT_EQ(keeper->GetModelCount(), GameLogicData::CommonFragmentCount);
    EXPECT_TRUE(HasModel(*keeper, "geometry/fragments/common/00"));
    EXPECT_TRUE(HasModel(*keeper, "geometry/fragments/common/09"));
    EXPECT_EQ(keeper->GetShaderUserCount(), 0u);
}

TEST_F(GameLogicDataTest, ObjectsFindTheirKindsAndEachUsedKindRegistersItsModels)
{
    KorvaneTools::LevelGeometry geometry;
    geometry.keyFrameCount = 3;
    geometry.keyFrameSpeed = 1.5f;
    geometry.textures = {"", "stone.jpg", "moss.jpg"};
    geometry.objects = {ObjectOfBlock("Pillar_Left", 2), ObjectOfBlock("brick_7"), ObjectOfBlock("pillar_right", 2)};
    geometry.objects[0].secondTexture = 1;
    geometry.objects[0].supports = {1};
    geometry.objects[1].dependents = {0};
    WriteLevel(geometry);
    auto keeper = Load();

    EXPECT_EQ(keeper->GetKeyFrameCount(), 3u);
    EXPECT_FLOAT_EQ(keeper->GetKeyFrameSpeed(), 1.5f);
    const auto& objects = keeper->GetObjects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].record.blockName, "pillar_left");
    EXPECT_EQ(objects[0].description, objects[2].description);
    EXPECT_NE(objects[0].description, objects[1].description);
    EXPECT_EQ(objects[0].record.supports, (std::vector<VelkorEngine::u16>{1}));
    EXPECT_EQ(objects[1].record.dependents, (std::vector<VelkorEngine::u16>{0}));

    const VelkorEngine::ShaderStage& pillar = objects[0].shader->GetStage(0);
    EXPECT_EQ(pillar.frameCount, 4u);
    EXPECT_EQ(pillar.mode, 2u);
    EXPECT_FLOAT_EQ(pillar.speed, 2.5f);
    EXPECT_EQ(pillar.firstName, "game_objects\\blocks\\textures\\moss.jpg");
    EXPECT_EQ(pillar.secondName, "game_objects\\blocks\\textures\\stone.jpg");
    const VelkorEngine::ShaderStage& brick = objects[1].shader->GetStage(0);
    EXPECT_EQ(brick.mode, 0u);
    EXPECT_EQ(brick.secondName, "");
    // Every object's shader is registered, equal ones too.
    EXPECT_EQ(keeper->GetShaderUserCount(), 3u);

    // pillar: model, collision model, three fragments; brick: model; and the ten common fragments.
    EXPECT_EQ(keeper->GetModelCount(), 5u + 1u + GameLogicData::CommonFragmentCount);
    for (const char* name : {"geometry/pillar/model", "geometry/pillar/collision_model", "geometry/pillar/fragments/00",
                             "geometry/pillar/fragments/02", "geometry/brick/model"})
        EXPECT_TRUE(HasModel(*keeper, name)) << name;
    EXPECT_FALSE(HasModel(*keeper, "geometry/brick/collision_model"));
}

TEST_F(GameLogicDataTest, AKindAskingForCountlessFragmentsRegistersAHundred)
{
    WriteBlock("rubble.xml", "<block fragment_count=\"100000\"/>");
    KorvaneTools::LevelGeometry geometry;
    geometry.textures = {"", "stone.jpg"};
    geometry.objects = {ObjectOfBlock("rubble")};
    WriteLevel(geometry);
    auto keeper = Load();
    EXPECT_EQ(keeper->GetModelCount(), 1u + GameLogicData::MostFragments + GameLogicData::CommonFragmentCount);
    EXPECT_TRUE(HasModel(*keeper, "geometry/rubble/fragments/99"));
    EXPECT_FALSE(HasModel(*keeper, "geometry/rubble/fragments/100"));
}

TEST_F(GameLogicDataTest, LevelsTheGameCannotUseEndTheProgramWithTheReadersMessage)
{
    struct Case
    {
        const char* what;
        std::string bytes;
        std::string message;
    };
    KorvaneTools::LevelGeometry unknown;
    unknown.textures = {""};
    unknown.objects = {ObjectOfBlock("Xyz", 0)};
    std::string oldVersion = KorvaneTools::WriteLevelGeometry(KorvaneTools::LevelGeometry{});
    oldVersion[9] = 104;
    std::string cut = KorvaneTools::WriteLevelGeometry(unknown);
    cut.resize(cut.size() - 3);
    const std::string path = "data\\levels_geometry\\00_00.krg";
    const Case cases[] = {
        {"unknown block", KorvaneTools::WriteLevelGeometry(unknown), "Can't find block \"xyz\" in database"},
        {"old version", oldVersion, "Incorrect \"" + path + "\" format version (104), current is 105"},
        {"cut short", cut, ""},
        {"missing", "", ""},
    };
    for (const Case& c : cases)
    {
        if (!c.bytes.empty())
            Write("data/levels_geometry/00_00.krg", c.bytes);
        else
            std::filesystem::remove(bed.folder / "data/levels_geometry/00_00.krg");
        std::string fatal;
        Load(&fatal);
        if (!c.message.empty())
            EXPECT_EQ(fatal, c.message) << c.what;
        else
            EXPECT_NE(fatal.find("00_00.krg"), std::string::npos) << c.what << ": " << fatal;
    }
}
}
