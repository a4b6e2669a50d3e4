// The engine's two per-frame steps on the platform twins: which layer each step reaches, in which order, the
// screenshot key, and the exit message.
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using TestSupport::EngineCallJournal;
using TestSupport::EngineTestBed;

namespace
{
constexpr DWORD kDown = 0x80;
constexpr DWORD kUp = 0x00;

// Each call is found in the journal after the one before it.
::testing::AssertionResult CalledInOrder(const EngineCallJournal& journal, const std::vector<std::string>& calls)
{
    int from = 0;
    for (const std::string& call : calls)
    {
        const int at = journal.Find(call, from);
        if (at < 0)
        {
            std::string all;
            for (const std::string& made : journal.Calls())
                all += made + "\n";
            return ::testing::AssertionFailure() << "no \"" << call << "\" after call " << from << " in:\n" << all;
        }
        from = at + 1;
    }
    return ::testing::AssertionSuccess();
}

int Occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}
}

TEST(EngineFrame, RenderMeasuresTheFrameThenReadsTheWindowAndTheDevicesAndDropsTheRecords)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    bed.RunFrame();
    engine.GetMessageManager()->Message("from the last frame");
    bed.clock.AdvanceSeconds(0.025);
    bed.journal.Clear();
    engine.Render();
    EXPECT_TRUE(CalledInOrder(bed.journal, {"clock counter", "window IsVirtualKeyDown", "input GetDeviceData"}));
    EXPECT_EQ(bed.journal.Count("d3d "), 0);
    EXPECT_EQ(bed.journal.Count("sound "), 0);
    EXPECT_NEAR(engine.GetTimerManager()->GetFrameTime(), 0.025f, 0.0001f);
    EXPECT_EQ(engine.GetMessageManager()->GetRecordCount(), 0u);
}

TEST(EngineFrame, FrameRefreshesThenPlaysThenSleepsWithoutReadingTheDevices)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    engine.Render();
    bed.journal.Clear();
    engine.Frame(5);
    EXPECT_TRUE(CalledInOrder(bed.journal, {"d3d TestCooperativeLevel", "sound Primary.GetStatus", "sleep 5"}));
    EXPECT_EQ(bed.journal.Count("input "), 0);
    EXPECT_EQ(bed.journal.Count("window "), 0);
}

TEST(EngineFrame, NoSleepWhenAskedForNone)
{
    EngineTestBed bed;
    bed.Start();
    bed.journal.Clear();
    bed.RunFrame(0);
    bed.RunFrame(0);
    EXPECT_EQ(bed.journal.Count("sleep"), 0);
}

TEST(EngineFrame, PrintScreenRequestsOneScreenshotPerPress)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    Config& config = *engine.GetConfig();
    const auto requested = [&] { return !config.IsCommandIdle("sc_take_screenshot"); };
    const auto acknowledge = [&] { config.SetCommandIdle("sc_take_screenshot", 1); };

    bed.RunFrame();
    EXPECT_FALSE(requested());

    bed.input.keyboard.AddRecord(DIK_SYSRQ, kDown);
    bed.RunFrame();
    EXPECT_TRUE(requested());
    EXPECT_FALSE(engine.GetControls()->IsPressed("PRINTSCRN")) << "the press ends with its frame";
    acknowledge();

    // Held down over more frames: still the one press.
    bed.RunFrame();
    bed.RunFrame();
    EXPECT_FALSE(requested());

    // Released and pressed again within one frame: a second press.
    bed.input.keyboard.AddRecord(DIK_SYSRQ, kUp);
    bed.input.keyboard.AddRecord(DIK_SYSRQ, kDown);
    bed.RunFrame();
    EXPECT_TRUE(requested());
    acknowledge();
    bed.input.keyboard.AddRecord(DIK_SYSRQ, kUp);
    bed.RunFrame();
    EXPECT_FALSE(requested());
}

TEST(EngineFrame, ExitIsLoggedInEveryFrameWhileRequested)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    bed.RunFrame();
    engine.RequestExit();
    bed.RunFrame();
    bed.RunFrame();
    engine.GetConfig()->SetCommandIdle("exit", 1);
    bed.RunFrame();
    bed.Stop();
    EXPECT_EQ(Occurrences(bed.LogText(), "\nExiting...\n"), 2);
}
