// The generated data set in play.
#include "tests/support/GeneratedLevelBed.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "framework/DataKeeper.h"
#include "game/play/GameLogic.h"
#include "game/play/GameLogicData.h"
#include "game/play/LevelManager.h"
#include "guitools/GUITextTool.h"
#include "tests/support/RecordingSoundPlayer.h"

namespace TestSupport
{
void RecordingFloatingTexts::CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point)
{
    m_texts->push_back({text, point});
}

GeneratedLevelBed::GeneratedLevelBed(const std::string& dataRoot, unsigned seed)
{
    bed.parameters.basePath = dataRoot;
    bed.parameters.dataFolder = "data";
    bed.clock.SetMilliseconds(1000);
    VelkorEngine::Engine& engine = bed.Start();
    VelkorEngine::SeedRandom(seed);
    sounds = std::make_unique<RecordingSoundPlayer>(&engine);
    levels = std::make_unique<Korvane::LevelManager>(&engine);
    resources = std::make_unique<GameTools::DataKeeper>(&engine, "en");
    resources->AddResourcesFile("data\\game_objects\\resources.xml", 1);
    textTool = std::make_unique<GUITools::GUITextTool>(&engine, "en");
}

GeneratedLevelBed::~GeneratedLevelBed()
{
    End();
}

Korvane::GameLogic& GeneratedLevelBed::Play(VelkorEngine::u32 stage, VelkorEngine::u32 levelIndex,
                                            VelkorEngine::u32 lives)
{
    End();
    Korvane::StageInfo* stageInfo = static_cast<Korvane::StageInfo*>(levels->GetStage(stage));
    Korvane::LevelInfo* levelInfo = static_cast<Korvane::LevelInfo*>(levels->GetLevel(stage, levelIndex));
    std::vector<std::string> files;
    levels->PrepareLevel({stage, levelIndex}, files);
    level = std::make_unique<Korvane::GameLogicData>(&bed.GetEngine(), "en", *stageInfo, *levelInfo);
    for (const std::string& file : files)
        level->AddResourcesFile(file, 0);
    level->Load();
    Korvane::GameLogicServices services;
    services.engine = &bed.GetEngine();
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
    bed.clock.AdvanceSeconds(FrameTime);
    bed.GetEngine().GetTimerManager()->Update();
}

void GeneratedLevelBed::Frame()
{
    bed.clock.AdvanceSeconds(FrameTime);
    VelkorEngine::Engine& engine = bed.GetEngine();
    engine.Render();
    logic->Update();
    engine.Frame(0);
}

void GeneratedLevelBed::Frames(int count)
{
    for (int i = 0; i < count; ++i)
        Frame();
}
}
