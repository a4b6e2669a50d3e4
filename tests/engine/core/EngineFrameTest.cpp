// The engine's two per-frame steps on the platform twins: which layer each step reaches, in which order, the
// screenshot key, and the exit message.
#include "tests/support/EngineTestBed.h"

#include "engine/render/Camera.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ParticleSystem.h"
#include "tests/support/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

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

// A lit box in front of the default camera, so every frame draws something.
void AddBoxInView(Engine& engine)
{
    engine.GetCameraManager()->GetDefaultCamera()->position = Vector3(0.0f, 0.0f, 10.0f);
    engine.GetModelManager()->CreateBoxModel(Vector3(-1.0f, -1.0f, -1.0f), Vector3(1.0f, 1.0f, 1.0f), nullptr, nullptr, 0);
}

// The first call of that name (and first argument, when given); -1 when there is none.
int IndexOf(const std::vector<KorvaneTest::D3D7Call>& calls, const std::string& name, long first = -1)
{
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].name == name && (first < 0 || calls[i].first == static_cast<DWORD>(first)))
            return static_cast<int>(i);
    return -1;
}

std::string Bytes(const std::vector<u8>& bytes) { return std::string(bytes.begin(), bytes.end()); }

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

TEST(EngineFrame, FrameRefreshesDrawsPlaysSleepsThenPresentsWithoutReadingTheDevices)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    AddBoxInView(engine);
    engine.Render();
    bed.journal.Clear();
    engine.Frame(5);
    EXPECT_TRUE(CalledInOrder(bed.journal, {"d3d TestCooperativeLevel", "d3d BeginScene", "d3d DrawIndexedPrimitive",
                                            "d3d EndScene", "sound Primary.GetStatus", "sleep 5", "d3d Blt"}));
    EXPECT_EQ(bed.journal.Count("d3d Blt"), 1) << "one presentation";
    EXPECT_EQ(bed.journal.Count("input "), 0);
    EXPECT_EQ(bed.journal.Count("window "), 0);
}

TEST(EngineFrame, PresentsByCopyInAWindowAndByFlipInFullScreen)
{
    for (const u8 fullScreen : {0, 1})
    {
        SCOPED_TRACE(fullScreen ? "full screen" : "window");
        EngineTestBed bed;
        bed.parameters.defaultFullScreen = fullScreen;
        Engine& engine = bed.Start();
        AddBoxInView(engine);
        bed.journal.Clear();
        bed.RunFrame();
        EXPECT_TRUE(CalledInOrder(bed.journal, {"d3d EndScene", fullScreen ? "d3d Flip" : "d3d Blt"}));
        EXPECT_EQ(bed.journal.Count(fullScreen ? "d3d Blt" : "d3d Flip"), 0);
        EXPECT_TRUE(bed.Records(MessageManager::KindError).empty());
    }
}

TEST(EngineFrame, CamerasAndLightsAreUpdatedBeforeTheModelsAreDrawn)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    AddBoxInView(engine);
    bed.RunFrame();
    bed.display.ClearCalls();

    // Moved and re-lit between frames: the next frame draws with both.
    engine.GetCameraManager()->GetDefaultCamera()->position = Vector3(0.0f, 0.0f, 12.0f);
    engine.GetLightManager()->SetAmbientColor(Color(0.5f, 0.25f, 0.0f, 1.0f));
    bed.RunFrame();
    const std::vector<KorvaneTest::D3D7Call> moved = bed.display.Calls();
    bed.display.ClearCalls();
    engine.GetCameraManager()->GetDefaultCamera()->position = Vector3(0.0f, 0.0f, 15.0f);
    bed.RunFrame();
    const std::vector<KorvaneTest::D3D7Call> movedAgain = bed.display.Calls();

    const int scene = IndexOf(moved, "BeginScene");
    ASSERT_GE(scene, 0);
    const int ambient = IndexOf(moved, "SetRenderState", D3DRENDERSTATE_AMBIENT);
    ASSERT_GE(ambient, 0);
    EXPECT_LT(ambient, scene);
    const int view = IndexOf(moved, "SetTransform", D3DTRANSFORMSTATE_VIEW);
    const int viewAgain = IndexOf(movedAgain, "SetTransform", D3DTRANSFORMSTATE_VIEW);
    ASSERT_GE(view, 0);
    ASSERT_GE(viewAgain, 0);
    EXPECT_GT(view, scene);
    // The view moved by the 3 units the camera moved between these two frames.
    EXPECT_NEAR(std::fabs(moved[view].matrix._43 - movedAgain[viewAgain].matrix._43), 3.0f, 0.001f);
}

TEST(EngineFrame, ParticlesAndTheirSpritesAreUpdatedBeforeTheModelsAreDrawn)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    ParticleSystemManager& particles = *engine.GetParticleSystemManager();
    const std::unique_ptr<ParticleSystem> source(particles.NewSelfMadeParticleSystem(nullptr));
    ParticleSystem* system = particles.CreateParticleSystemCopy(*source);
    system->active = 1;
    system->loop = 1;
    // Far enough back to see every particle wherever it flies.
    engine.GetCameraManager()->GetDefaultCamera()->position = Vector3(0.0f, 0.0f, 40.0f);
    // Frames of a twentieth of a second: a particle is born every second frame, and each frame draws as many
    // squares as are alive at its end.
    u32 births = 0;
    for (int frame = 0; frame < 6; ++frame)
    {
        const u32 before = system->GetAliveCount();
        bed.clock.AdvanceSeconds(0.05);
        bed.display.ClearCalls();
        bed.RunFrame();
        births += system->GetAliveCount() > before ? 1 : 0;
        const std::vector<KorvaneTest::D3D7Call> calls = bed.display.Calls();
        const int draw = IndexOf(calls, "DrawIndexedPrimitive");
                if (system->GetAliveCount() == 0)
        {
            EXPECT_LT(draw, 0) << "frame " << frame;
            continue;
        }
        ASSERT_GE(draw, 0) << "frame " << frame;
        EXPECT_EQ(calls[draw].fourth, 6 * system->GetAliveCount()) << "frame " << frame;
    }
    EXPECT_GE(births, 2u);
    particles.DeleteParticleSystem(system);
}

TEST(EngineFrame, ShadersAnimateBeforeTheModelsAreDrawn)
{
    EngineTestBed bed;
    bed.folder.WriteFile("Data/grid.tga", Bytes(ImageTest::MakeTga(ImageTest::MakePattern(8, 4, 3))));
    Engine& engine = bed.Start();
    engine.GetCameraManager()->GetDefaultCamera()->position = Vector3(0.0f, 0.0f, 10.0f);
    // Two cells side by side, ten a second: every frame of 0.1 s shows the next cell.
    const ShaderDescriptor grid(false, ShaderStage::ModeGrid, 2, 1, 2, 10.0f, "grid.tga", "", false);
    engine.GetModelManager()->CreateBoxModel(Vector3(-1.0f, -1.0f, -1.0f), Vector3(1.0f, 1.0f, 1.0f), &grid, nullptr, 0);
    bed.display.ClearCalls();
    bed.clock.AdvanceSeconds(0.1);
    bed.RunFrame();
    const std::vector<KorvaneTest::D3D7Call> calls = bed.display.Calls();
    const int cell = IndexOf(calls, "SetTransform", D3DTRANSFORMSTATE_TEXTURE0);
    ASSERT_GE(cell, 0) << "the first frame already shows the second cell";
    EXPECT_LT(calls[cell].matrix._11, 0.5f) << "half the picture's width or less";
    EXPECT_GT(cell, IndexOf(calls, "BeginScene"));
    EXPECT_LT(cell, IndexOf(calls, "DrawIndexedPrimitive"));
}

TEST(EngineFrame, ALostDeviceSkipsDrawingAndPresentingUntilItIsRestored)
{
    EngineTestBed bed;
    Engine& engine = bed.Start();
    AddBoxInView(engine);
    bed.RunFrame();
    bed.display.Fail("TestCooperativeLevel", DDERR_SURFACELOST, 1);
    bed.journal.Clear();
    bed.RunFrame();
    EXPECT_EQ(bed.journal.Count("d3d BeginScene"), 0);
    EXPECT_EQ(bed.journal.Count("d3d Blt"), 0);
    EXPECT_EQ(engine.GetModelManager()->GetDrawnModelCount(), 0u);
    EXPECT_TRUE(CalledInOrder(bed.journal, {"sound Primary.GetStatus"})) << "the sound goes on";

    bed.journal.Clear();
    bed.RunFrame();
    EXPECT_TRUE(CalledInOrder(bed.journal, {"d3d TestCooperativeLevel", "d3d RestoreAllSurfaces", "d3d BeginScene",
                                            "d3d DrawIndexedPrimitive", "d3d EndScene", "d3d Blt"}));
    EXPECT_EQ(engine.GetModelManager()->GetDrawnModelCount(), 1u);
    EXPECT_TRUE(bed.Records(MessageManager::KindError).empty());
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

// A window's back buffer may be undefined after the swap: the frame a screenshot is asked for is read back
// before it, and only then.
TEST(EngineFrame, PrintScreenReadsTheFrameBackBeforeItIsPresented)
{
    EngineTestBed bed;
    bed.Start();
    bed.RunFrame();
    bed.journal.Clear();
    bed.RunFrame();
    EXPECT_EQ(bed.journal.Count("d3d Lock"), 0);

    bed.input.keyboard.AddRecord(DIK_SYSRQ, kDown);
    bed.journal.Clear();
    bed.RunFrame();
    EXPECT_TRUE(CalledInOrder(bed.journal, {"d3d EndScene", "d3d Lock", "d3d Unlock", "d3d Blt"}));
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
