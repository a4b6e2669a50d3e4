// The block database: descriptions named after their files, found by the first name (in file order) that occurs
// in a placed block's name, their attributes and shader frames with defaults, and files it refuses.
#include "game/play/BlockDatabase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLValue.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/PackTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using Korvane::BlockDatabase;
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
class BlockDatabaseTest : public ::testing::Test
{
protected:
    BlockDatabaseTest()
    {
        bed.Start();
        std::filesystem::create_directories(bed.folder / "data/game_objects/blocks");
    }

    void Write(const std::string& file, const std::string& xml)
    {
        bed.folder.WriteFile("data/game_objects/blocks/" + file, xml);
    }

    std::string NameOf(const GameTools::XMLNode* description) const
    {
        return description->GetAttributeValue("name")->GetString();
    }

    TestSupport::EngineTestBed bed;
};

TEST_F(BlockDatabaseTest, FirstKindInFileOrderWhoseNameOccursInTheBlocksNameWins)
{
    Write("brick_red.xml", "<block strength=\"3\"/>");
    Write("Brick.xml", "<block name=\"ignored\"/>");
    Write("stone.xml", "<block strength=\"0\"/>");
    const BlockDatabase database(bed.GetEngine().GetFileManager());
    ASSERT_EQ(database.GetCount(), 3u);
    EXPECT_EQ(NameOf(database.Get(0)), "brick");
    EXPECT_EQ(NameOf(database.Find("brick_red_3")), "brick");
    EXPECT_EQ(NameOf(database.Find("old_stone")), "stone");
    try
    {
        database.Find("xyz");
        FAIL() << "found a kind for xyz";
    }
    catch (const VelkorEngine::FileError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Can't find block \"xyz\" in database");
    }
}

TEST_F(BlockDatabaseTest, AttributesAndShaderFramesHaveTheirDefaults)
{
    Write("hard.xml", "<block strength=\"3\" explosive=\"1\" type=\"ball_keeper\"><shader frame_count=\"4\" "
                      "animation_speed=\"2.5\"/></block>");
    Write("plain.xml", "<block/>");
    const BlockDatabase database(bed.GetEngine().GetFileManager());
    const GameTools::XMLNode& hard = *database.Find("hard");
    const GameTools::XMLNode& plain = *database.Find("plain");
    EXPECT_EQ(BlockDatabase::GetInt(hard, "strength", 1), 3);
    EXPECT_EQ(BlockDatabase::GetInt(plain, "strength", 1), 1);
    EXPECT_TRUE(BlockDatabase::GetBool(hard, "explosive", false));
    EXPECT_TRUE(BlockDatabase::GetBool(plain, "shadow", true));
    EXPECT_EQ(BlockDatabase::GetText(hard, "type", "brick"), "ball_keeper");
    EXPECT_EQ(BlockDatabase::GetText(plain, "type", "brick"), "brick");
    u32 frames = 0;
    f32 speed = -1.0f;
    BlockDatabase::GetShaderFrames(hard, frames, speed);
    EXPECT_EQ(frames, 4u);
    EXPECT_EQ(speed, 2.5f);
    BlockDatabase::GetShaderFrames(plain, frames, speed);
    EXPECT_EQ(frames, 1u);
    EXPECT_EQ(speed, 0.0f);
}

TEST_F(BlockDatabaseTest, NamelessOrBrokenDescriptionsAreRefused)
{
    EXPECT_EQ(BlockDatabase::NameOf("C:\\game\\data\\Blocks\\Brick.Red.XML"), "brick.red");
    EXPECT_EQ(BlockDatabase::NameOf("/data/blocks/.xml"), "");
    Write(".xml", "<block/>");
    EXPECT_THROW(BlockDatabase(bed.GetEngine().GetFileManager()), VelkorEngine::FileError);
    std::filesystem::remove(bed.folder / "data/game_objects/blocks/.xml");
    Write("broken.xml", "<block");
    EXPECT_THROW(BlockDatabase(bed.GetEngine().GetFileManager()), VelkorEngine::FileError);
}

// A damaged description is named as every other data file is, by its data path as written, whatever the
// installation folder is called.
TEST(BlockDatabaseNames, ADamagedDescriptionIsNamedByItsDataPath)
{
    TestSupport::EngineTestBed bed;
    bed.parameters.basePath = bed.folder / "LS-Caps";
    bed.folder.WriteFile("LS-Caps/data/game_objects/blocks/brick.xml", "<block");
    bed.Start();
    try
    {
        BlockDatabase database(bed.GetEngine().GetFileManager());
        FAIL() << "a broken description was read";
    }
    catch (const VelkorEngine::FileError& error)
    {
        const std::string message = error.GetMessage();
        EXPECT_NE(message.find(" in \"data\\game_objects\\blocks\\brick.xml\""), std::string::npos) << message;
    }
}

// Which kind a block's name finds first goes by the files' names whatever their case: descriptions added in
// capitals beside the pack's take their places among them by name alone.
TEST(BlockDatabaseNames, DescriptionsInCapitalsBesideThePackTakeTheirPlaceByName)
{
    TestSupport::EngineTestBed bed;
    std::filesystem::create_directories(bed.folder / "Data");
    TestSupport::WriteTestPack(bed.folder / "Data/pack0.pak",
                               {{"data\\game_objects\\blocks\\brick.xml", "<block strength=\"1\"/>"}});
    bed.folder.WriteFile("data/game_objects/blocks/Stone.xml", "<block strength=\"0\"/>");
    bed.folder.WriteFile("data/game_objects/blocks/ARCH.xml", "<block/>");
    bed.Start();
    const BlockDatabase database(bed.GetEngine().GetFileManager());
    ASSERT_EQ(database.GetCount(), 3u);
    const auto name = [](const GameTools::XMLNode* description) {
        return description->GetAttributeValue("name")->GetString();
    };
    EXPECT_EQ(name(database.Get(0)) + " " + name(database.Get(1)) + " " + name(database.Get(2)), "arch brick stone");
    EXPECT_EQ(name(database.Find("stone_brick_1")), "brick");
}

TEST_F(BlockDatabaseTest, NoDescriptionsFindNothing)
{
    const BlockDatabase database(bed.GetEngine().GetFileManager());
    EXPECT_EQ(database.GetCount(), 0u);
    EXPECT_THROW(database.Find("brick"), VelkorEngine::FileError);
}
}
