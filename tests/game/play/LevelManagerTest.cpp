// The game's level list: environments, geometry file names, ace times, the environment resource lists, and the
// list that ends the program for a stage without its environment.
#include "game/play/LevelManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Korvane::LevelInfo;
using Korvane::LevelManager;

namespace
{
class LevelManagerTest : public ::testing::Test
{
protected:
    LevelManagerTest() { bed.Start(); }

    void WriteLevels(const std::string& xml) { bed.folder.WriteFile("data/levels/levels.xml", xml); }

    TestSupport::EngineTestBed bed;
};

TEST_F(LevelManagerTest, LevelFilesAreNamedByTwoDigitStageAndLevel)
{
    struct Case
    {
        VelkorEngine::u32 stage;
        VelkorEngine::u32 level;
        const char* name;
    };
    for (const Case& c : {Case{0, 0, "00_00.krg"}, Case{2, 3, "02_03.krg"}, Case{9, 12, "09_12.krg"},
                          Case{100, 0, "100_00.krg"}})
        EXPECT_EQ(LevelManager::LevelFileName(c.stage, c.level), c.name);
}

TEST_F(LevelManagerTest, StagesKeepTheirEnvironmentAndLevelsTheirFileAndAceTime)
{
    WriteLevels("<levels><stage environment=\"desert\"><level ace_time=\"45\"/><level/></stage>"
                "<stage environment=\"forest\"><level ace_time=\"0\"/></stage></levels>");
    const LevelManager levels(&bed.GetEngine());
    ASSERT_EQ(levels.GetStageCount(), 2u);
    EXPECT_EQ(levels.GetStageInfo(0)->environment, "desert");
    EXPECT_EQ(levels.GetStageInfo(1)->environment, "forest");
    const LevelInfo* second = levels.GetLevelInfo(0, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->fileName, "00_01.krg");
    EXPECT_EQ(second->aceTime, 60);
    EXPECT_EQ(levels.GetLevelInfo(0, 0)->aceTime, 45);
    EXPECT_EQ(levels.GetLevelInfo(1, 0)->aceTime, 0);
    EXPECT_EQ(levels.GetLevelInfo(1, 0)->fileName, "01_00.krg");
    EXPECT_EQ(levels.GetLevelInfo(1, 1), nullptr);
    EXPECT_EQ(levels.GetStageInfo(2), nullptr);
}

TEST_F(LevelManagerTest, EveryLevelOfAStageLoadsItsEnvironmentsResources)
{
    WriteLevels("<levels><stage environment=\"desert\"><level/><level/></stage></levels>");
    LevelManager levels(&bed.GetEngine());
    std::vector<std::string> files{"data\\ui\\first.xml"};
    levels.PrepareLevel({0, 1}, files);
    EXPECT_EQ(files, (std::vector<std::string>{"data\\ui\\first.xml", "data\\environment\\desert_resources.xml"}));
    // A position past the list adds nothing.
    levels.PrepareLevel({5, 0}, files);
    EXPECT_EQ(files.size(), 2u);
}

TEST_F(LevelManagerTest, StageWithoutEnvironmentEndsTheProgram)
{
    WriteLevels("<levels><stage environment=\"desert\"><level/></stage><stage><level/></stage></levels>");
    try
    {
        LevelManager levels(&bed.GetEngine());
        FAIL() << "no fatal error";
    }
    catch (const VelkorEngine::FatalError& error)
    {
        // The message first, then the file to mend.
        EXPECT_EQ(error.GetMessage(),
                  "No \"environment\" attribute in stage description in \"data\\levels\\levels.xml\"");
    }
}
}
