// The level list: stage and level records in document order, its closing log line and its fatal errors.
#include "framework/LevelManagerBase.h"

#include "engine/core/Error.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using FrameworkTest::TestLevel;
using FrameworkTest::TestLevelManager;
using FrameworkTest::TestStage;

namespace
{
class LevelManagerBaseTest : public testing::Test
{
protected:
    LevelManagerBaseTest()
    {
        bed.Start();
        std::filesystem::create_directories(bed.folder / "data/levels");
    }

    void WriteLevels(const std::string& xml) { bed.folder.WriteFile("data/levels/levels.xml", xml); }
    std::string FatalMessage()
    {
        try
        {
            TestLevelManager levels(&bed.GetEngine());
        }
        catch (const VelkorEngine::FatalError& error)
        {
            return error.GetMessage();
        }
        return "no error";
    }

    EngineTestBed bed;
};
}

TEST_F(LevelManagerBaseTest, StagesAndLevelsAreReadInDocumentOrderWhateverTheirNames)
{
    WriteLevels("<levels><stage><level/><a/><b/></stage><world><x/><y/></world><empty/></levels>");
    const TestLevelManager levels(&bed.GetEngine());
    ASSERT_EQ(levels.GetStageCount(), 3u);
    EXPECT_EQ(levels.GetLevelCount(0), 3u);
    EXPECT_EQ(levels.GetLevelCount(1), 2u);
    EXPECT_EQ(levels.GetLevelCount(2), 0u) << "a stage without levels stays";
    EXPECT_EQ(static_cast<TestStage*>(levels.GetStage(1))->element, "world");
    const auto* level = static_cast<TestLevel*>(levels.GetLevel(1, 1));
    EXPECT_EQ(level->element, "y");
    EXPECT_EQ(level->stage, 1u);
    EXPECT_EQ(level->level, 1u);
    EXPECT_EQ(levels.GetStage(1)->stage, 1u);
    EXPECT_EQ(levels.GetLevel(2, 0), nullptr);
    EXPECT_EQ(levels.GetLevel(3, 0), nullptr);
    EXPECT_EQ(bed.Records(VelkorEngine::MessageManager::KindMessage).back(),
              "\nLevel Manager: Found 3 stages with 5 levels...\n");
}

TEST_F(LevelManagerBaseTest, ABadListEndsTheProgramWithItsMessage)
{
    const struct
    {
        const char* xml;
        std::string message;
    } cases[] = {
        {"<root><levels><stage><level/></stage></levels></root>", "Incorrect \"data\\levels\\levels.xml\" file format"},
        {"<levels><stage bad=\"1\"><level/></stage></levels>", "bad stage"},
        {"<levels><stage a=></stage></levels>", "XML format error"},
    };
    for (const auto& c : cases)
    {
        WriteLevels(c.xml);
        EXPECT_EQ(FatalMessage().substr(0, c.message.size()), c.message) << c.xml;
    }
    // A syntax error gives the parser's text, then the file to mend.
    WriteLevels("<levels>\n<stage a=></stage></levels>");
    EXPECT_EQ(FatalMessage(), "XML format error at line 2: code 11 in \"data\\levels\\levels.xml\"");
    std::filesystem::remove(bed.folder / "data/levels/levels.xml");
    EXPECT_NE(FatalMessage().find("levels.xml"), std::string::npos);
}

TEST_F(LevelManagerBaseTest, LevelProgressStepsThroughStagesAndOverEmptyOnes)
{
    WriteLevels("<levels><s><a/><b/></s><empty/><s><c/></s><s><d/><e/></s><empty/></levels>");
    const TestLevelManager levels(&bed.GetEngine());
    using GameFramework::LevelPosition;
    const struct
    {
        LevelPosition at;
        LevelPosition next;
        LevelPosition previous;
        bool last;
    } cases[] = {
        {{0, 0}, {0, 1}, {0, 0}, false}, {{0, 1}, {2, 0}, {0, 0}, false}, {{2, 0}, {3, 0}, {0, 1}, false},
        {{3, 0}, {3, 1}, {2, 0}, false}, {{3, 1}, {3, 1}, {3, 0}, true},
    };
    for (const auto& c : cases)
    {
        const std::string where = std::to_string(c.at.stage) + "-" + std::to_string(c.at.level);
        EXPECT_EQ(levels.GetNextPosition(c.at), c.next) << where;
        EXPECT_EQ(levels.GetPreviousPosition(c.at), c.previous) << where;
        EXPECT_EQ(levels.IsLastLevel(c.at), c.last) << where;
    }
}
