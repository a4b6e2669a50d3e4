// Resource lists damaged every way a disk or a hand edit can damage them: cut at every length and given random
// bytes, a list loads what it says or ends the program with a message naming the list; loops asking for
// huge numbers of rounds, nested or not, are skipped instead of hanging the start-up.
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "framework/DataKeeper.h"
#include "tests/support/BoundedRun.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FileDamage.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;
using GameTools::DataKeeper;

namespace
{
const std::string kList = "<resources><blocks><shader name=\"red\" frame_count=\"2\"/>"
                          "<loop counter=\"i\" start=\"1\" count=\"4\"><shader name=\"s%i2%\"/></loop>"
                          "<shader name=\"de\" language=\"de\"/></blocks></resources>";

class DamagedResourceListTest : public testing::Test
{
protected:
    DamagedResourceListTest() { bed.Start(); }

    void WriteList(const std::string& bytes)
    {
        std::filesystem::create_directories(bed.folder / "data/ui");
        bed.folder.WriteFile("data/ui/list.xml", bytes);
    }

    // "read" with the number of shaders registered, "fallback" for the fatal error naming the list.
    std::string Load()
    {
        DataKeeper keeper(&bed.GetEngine(), "en");
        try
        {
            keeper.AddResourcesFile("data\\ui\\list.xml", 1);
            return "read " + std::to_string(keeper.GetShaderUserCount());
        }
        catch (const VelkorEngine::FatalError& error)
        {
            return error.GetMessage().find("data\\ui\\list.xml") != std::string::npos
                       ? "fallback"
                       : "unclear: " + error.GetMessage();
        }
    }

    void ExpectEach(const std::vector<DamagedFile>& files)
    {
        const BoundedOutcome outcome = CheckEachBounded(files, [this](const DamagedFile& damaged) {
            WriteList(damaged.bytes);
            const std::string got = Load();
            return got.starts_with("read ") || got == "fallback" ? std::string() : got;
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }

    EngineTestBed bed;
};
}

TEST_F(DamagedResourceListTest, TheGoodListRegistersItsShaders)
{
    WriteList(kList);
    EXPECT_EQ(Load(), "read 4");
}

TEST_F(DamagedResourceListTest, EveryCutLoadsOrEndsTheProgramNamingTheList)
{
    ExpectEach(CutsAtEveryLength(kList, StoredLength::AsItWas));
}

TEST_F(DamagedResourceListTest, RandomBytesLoadOrEndTheProgramNamingTheList)
{
    ExpectEach(RandomBytes(kList, 0, 28, 60, StoredLength::AsItWas));
}

TEST_F(DamagedResourceListTest, HugeLoopsAreSkippedEvenWhenEachLoopIsSmallEnough)
{
    const std::string loop = "<loop counter=\"c\" count=\"" + std::to_string(DataKeeper::MaxLoopCount) + "\">";
    const std::string nested = "<resources>" + loop + "<loop counter=\"d\" count=\"9000\"><loop counter=\"e\" "
                               "count=\"9000\"><shader name=\"s%c%_%d%_%e%\"/></loop></loop></loop>"
                               "<loop count=\"2147483647\"><shader name=\"t%i%\"/></loop></resources>";
    WriteList(nested);
    const BoundedOutcome outcome = RunBounded([this] {
        DataKeeper keeper(&bed.GetEngine(), "en");
        keeper.AddResourcesFile("data\\ui\\list.xml", 1);
        return std::to_string(keeper.GetShaderUserCount());
    }, 60);
    ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
    EXPECT_LE(std::stoul(outcome.text), DataKeeper::MaxLoopCount);
}
