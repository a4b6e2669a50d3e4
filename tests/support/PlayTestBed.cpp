// The play objects of one level on the engine's twins.
#include "tests/support/PlayTestBed.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "framework/ScoreKeeper.h"
#include "game/play/BallManager.h"
#include "game/play/Bat.h"
#include "game/play/Effects.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"

#include <filesystem>

using namespace VelkorEngine;

namespace TestSupport
{
namespace
{
BoundingVolume Wall(const Vector3& minimum, const Vector3& maximum)
{
    BoundingVolume wall;
    wall.SetBox(minimum, maximum);
    return wall;
}
}

PlayTestBed::PlayTestBed(unsigned seed)
{
    bed.Start();
    SeedRandom(seed);
    scores = std::make_unique<GameFramework::ScoreKeeper>(0);
    for (u32 event = 0; event <= 8; ++event)
        scores->RegisterScoreEvent(event, 10);
    resources = std::make_unique<GameTools::DataKeeper>(&bed.GetEngine(), "en");
    ModelManager* models = bed.GetEngine().GetModelManager();
    resources->AddModel("balls/simple/model", models->NewBoxModel(Vector3(-1.5f), Vector3(1.5f), nullptr, nullptr, 0));
    resources->AddModel("balls/super/model", models->NewBoxModel(Vector3(-2.0f), Vector3(2.0f), nullptr, nullptr, 0));
    resources->AddModel("bat/head", models->NewBoxModel(Vector3(-5, -1, 0), Vector3(5, 1, 3), nullptr, nullptr, 0));
    resources->AddModel("bat/body", models->NewBoxModel(Vector3(-8, -5, 0), Vector3(8, -1, 3), nullptr, nullptr, 0));
    resources->AddModel("bat/screw", models->NewBoxModel(Vector3(-1), Vector3(1), nullptr, nullptr, 0));
}

PlayTestBed::PlayTestBed(unsigned seed, const std::string& dataSet)
{
    std::filesystem::create_directory_symlink(dataSet, bed.folder / "data");
    bed.Start();
    SeedRandom(seed);
    scores = std::make_unique<GameFramework::ScoreKeeper>(0);
    for (u32 event = 0; event <= 8; ++event)
        scores->RegisterScoreEvent(event, 10);
    resources = std::make_unique<GameTools::DataKeeper>(&bed.GetEngine(), "en");
    resources->AddResourcesFile("data\\game_objects\\resources.xml", 1);
}

PlayTestBed::~PlayTestBed()
{
    // The blocks and balls hold shadows of the effects; the balls are hit by the blocks' keepers.
    geometry.reset();
    balls.reset();
    bat.reset();
    effects.reset();
}

void PlayTestBed::Write(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(bed.folder / path).parent_path());
    bed.folder.WriteFile(path, bytes);
}

void PlayTestBed::WriteBlock(const std::string& file, const std::string& xml)
{
    Write("data/game_objects/blocks/" + file, xml);
}

KorvaneTools::LevelObject PlayTestBed::At(const std::string& block, float x, float y, float z)
{
    KorvaneTools::LevelObject object;
    object.block = block;
    object.keyFrames = {KorvaneTools::LevelKeyFrame{{x, y, z}, {0, 0, 0, 1}}};
    return object;
}

void PlayTestBed::Build(std::vector<KorvaneTools::LevelObject> objects)
{
    KorvaneTools::LevelGeometry geometryFile;
    geometryFile.textures = {""};
    geometryFile.objects = std::move(objects);
    Write("data/levels_geometry/00_00.krg", KorvaneTools::WriteLevelGeometry(geometryFile));
    BuildLevel("00_00.krg");
}

void PlayTestBed::BuildLevel(const std::string& fileName)
{
    Korvane::StageInfo stage;
    Korvane::LevelInfo info;
    info.fileName = fileName;
    level = std::make_unique<Korvane::GameLogicData>(&bed.GetEngine(), "en", stage, info);
    level->Load();
    if (!effects)
        effects = std::make_unique<Korvane::Effects>(&bed.GetEngine());
    field = std::make_unique<Korvane::GameField>(std::vector<BoundingVolume>{
        Wall(Vector3(-87, -100, 0), Vector3(Left, 120, 20)), Wall(Vector3(Right, -100, 0), Vector3(87, 120, 20)),
        Wall(Vector3(-87, Top, 0), Vector3(87, 120, 20))});
    bat = std::make_unique<Korvane::Bat>(&bed.GetEngine(), resources.get(), effects.get(), sounds, &cursor);
    geometry = std::make_unique<Korvane::GameGeometry>(&bed.GetEngine(), resources.get(), level.get(), effects.get(),
                                                      scores.get(), sounds);
    balls = std::make_unique<Korvane::BallManager>(&bed.GetEngine(), resources.get(), effects.get(), field.get(),
                                                   geometry.get(), bat.get(), sounds, lives, barrier);
    geometry->Build(balls.get());
}

void PlayTestBed::Frames(int count, float activity)
{
    for (int i = 0; i < count; ++i)
    {
        bed.clock.AdvanceSeconds(frameTime);
        bed.GetEngine().GetTimerManager()->Update();
        bat->Update(activity);
        balls->Update(lives, activity);
        geometry->Update(activity);
        effects->Update();
    }
}
}
