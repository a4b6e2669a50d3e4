// The generated data set in play.
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/PictureEngine.h"

#include "engine/core/Config.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem.h"
#include "framework/DataKeeper.h"
#include "game/play/GameLogic.h"
#include "game/play/GameLogicData.h"
#include "game/play/GameGeometry.h"
#include "game/play/LevelManager.h"
#include "guitools/GUITextTool.h"
#include "tests/support/RecordingSoundPlayer.h"

namespace TestSupport
{
void RecordingFloatingTexts::CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point)
{
    m_texts->push_back({text, point});
}

GeneratedLevelBed::GeneratedLevelBed(const std::string& dataRoot, unsigned seed, Display display,
                                     const std::string& videoMode)
{
    if (display != Display::Twins)
        StartRealEngine(dataRoot, videoMode, display == Display::Offscreen);
    else
    {
        twins = std::make_unique<EngineTestBed>();
        twins->parameters.basePath = dataRoot;
        twins->parameters.dataFolder = "data";
        twins->clock.SetMilliseconds(1000);
        m_engine = &twins->Start();
    }
    VelkorEngine::Engine& engine = *m_engine;
    VelkorEngine::SeedRandom(seed);
    sounds = std::make_unique<RecordingSoundPlayer>(&engine);
    levels = std::make_unique<Korvane::LevelManager>(&engine);
    resources = std::make_unique<GameTools::DataKeeper>(&engine, "en");
    resources->AddResourcesFile("data\\game_objects\\resources.xml", 1);
    textTool = std::make_unique<GUITools::GUITextTool>(&engine, "en");
}

// The game's window, with the stencil its shadows are drawn through, cleared every frame as the game's frame
// does; no log file. Frames are not held to a display's refresh: the clock is the test's.
void GeneratedLevelBed::StartRealEngine(const std::string& dataRoot, const std::string& videoMode,
                                        bool oversizedWindow)
{
    m_clock = std::make_unique<FakeClock>();
    m_clock->SetMilliseconds(1000);
    m_settings = std::make_unique<TempFolder>();
    m_settings->WriteFile("level.ini", "v_vsync 0\r\n");
    VelkorEngine::EngineParameters parameters = TestSupport::PictureEngineParameters("Level Pictures", dataRoot, videoMode);
    parameters.settingsName = "level";
    // The offscreen desktop is no larger than the game's usual window; there the picture is wanted at its full
    // size.
    parameters.allowOversizedWindow = oversizedWindow ? 1 : 0;
    parameters.settingsDirectory = m_settings->Path();
    m_realEngine = std::make_unique<VelkorEngine::Engine>(parameters);
    m_engine = m_realEngine.get();
    VelkorEngine::RenderSystem& render = *m_engine->GetRenderSystem();
    render.SetClearColor(VelkorEngine::Color(0.1f, 0.12f, 0.18f, 1.0f));
    render.SetClearFlags(VelkorEngine::RenderSystem::ClearColor | VelkorEngine::RenderSystem::ClearDepth);
}

GeneratedLevelBed::~GeneratedLevelBed()
{
    End();
    textTool.reset();
    resources.reset();
    levels.reset();
    sounds.reset();
    m_realEngine.reset();
}

GeneratedLevelBed::LevelPlace GeneratedLevelBed::FindDensestLevel(VelkorEngine::u32 lives)
{
    LevelPlace densest;
    for (VelkorEngine::u32 stage = 0; stage < levels->GetStageCount(); ++stage)
        for (VelkorEngine::u32 level = 0; level < levels->GetLevelCount(stage); ++level)
        {
            const size_t blocks = Play(stage, level, lives).GetGeometry().GetBlocks().size();
            if (blocks > densest.blocks)
                densest = {stage, level, blocks};
        }
    return densest;
}

Korvane::GameLogic& GeneratedLevelBed::Play(VelkorEngine::u32 stage, VelkorEngine::u32 levelIndex,
                                            VelkorEngine::u32 lives)
{
    End();
    Korvane::StageInfo* stageInfo = static_cast<Korvane::StageInfo*>(levels->GetStage(stage));
    Korvane::LevelInfo* levelInfo = static_cast<Korvane::LevelInfo*>(levels->GetLevel(stage, levelIndex));
    std::vector<std::string> files;
    levels->PrepareLevel({stage, levelIndex}, files);
    level = std::make_unique<Korvane::GameLogicData>(m_engine, "en", *stageInfo, *levelInfo);
    for (const std::string& file : files)
        level->AddResourcesFile(file, 0);
    level->Load();
    Korvane::GameLogicServices services;
    services.engine = m_engine;
    services.sounds = sounds.get();
    services.resources = resources.get();
    services.level = level.get();
    services.texts = textTool.get();
    services.cursor = &cursor;
    logic = std::make_unique<Korvane::GameLogic>(services, stageInfo, levelInfo, lives,
                                                 std::make_unique<RecordingFloatingTexts>(&texts));
    return *logic;
}

void GeneratedLevelBed::End()
{
    logic.reset();
    level.reset();
}

void GeneratedLevelBed::AdvanceClock()
{
    Clock().AdvanceSeconds(frameTime);
    m_engine->GetTimerManager()->Update();
}

void GeneratedLevelBed::Frame()
{
    BeginFrame();
    logic->Update();
    EndFrame();
}

void GeneratedLevelBed::BeginFrame()
{
    Clock().AdvanceSeconds(frameTime);
    m_engine->Render();
}

void GeneratedLevelBed::EndFrame()
{
    m_engine->Frame(0);
}

void GeneratedLevelBed::SetFullScreen(bool fullScreen)
{
    VelkorEngine::RenderSystem& render = *m_engine->GetRenderSystem();
    m_engine->GetConfig()->SetFromString("v_fullscreen", fullScreen ? "1" : "0");
    render.CheckVideoModeChange();
    if (render.IsResetPending())
        render.Reset(VelkorEngine::RenderSystem::ResetDevice | VelkorEngine::RenderSystem::ResetResources);
}

// Everything lies beyond a view that ends just past its near plane.
void GeneratedLevelBed::SetDrawn(bool drawn)
{
    VelkorEngine::Camera& view = *m_engine->GetCameraManager()->GetDefaultCamera();
    const bool undrawn = m_drawnFarPlane > 0.0f;
    if (!drawn && !undrawn)
    {
        m_drawnFarPlane = view.farPlane;
        view.farPlane = view.nearPlane * 1.0001f;
    }
    else if (drawn && undrawn)
    {
        view.farPlane = m_drawnFarPlane;
        m_drawnFarPlane = 0.0f;
    }
}

FakeClock& GeneratedLevelBed::Clock()
{
    return twins != nullptr ? twins->clock : *m_clock;
}

void GeneratedLevelBed::Frames(int count)
{
    for (int i = 0; i < count; ++i)
        Frame();
}
}
