// The level keeper loading a level on a worker thread while the main thread draws: block descriptions, the
// geometry file, the block and fragment models and one shader per placed block.
#include "game/play/GameLogicData.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/LoadingThreadDraw.h"
#include "tools/formats/LevelGeometryWriter.h"
#include "tools/formats/ModelFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace TestSupport;

TEST(GameLogicDataThreads, LevelLoadsOnAWorkerWhileTheMainThreadDraws)
{
    EngineTestBed bed;
    VelkorEngine::Engine& engine = bed.Start();
    std::filesystem::create_directories(bed.folder / "data/game_objects/blocks/models/fragments");
    std::filesystem::create_directories(bed.folder / "data/levels_geometry");
    bed.folder.WriteFile("data/game_objects/blocks/brick.xml", "<block fragment_count=\"2\"/>");
    const std::string quad = KorvaneTools::WriteModelFile(KorvaneTools::MakeStaticQuad());
    bed.folder.WriteFile("data/game_objects/blocks/models/brick.mlf", quad);
    KorvaneTools::LevelGeometry level;
    level.textures = {""};
    for (int i = 0; i < 30; ++i)
    {
        KorvaneTools::LevelObject object;
        object.block = "brick_" + std::to_string(i);
        object.keyFrames.resize(1);
        level.objects.push_back(object);
    }
    bed.folder.WriteFile("data/levels_geometry/00_00.krg", KorvaneTools::WriteLevelGeometry(level));
    Korvane::StageInfo stage;
    Korvane::LevelInfo info;
    info.fileName = "00_00.krg";
    Korvane::GameLogicData keeper(&engine, "en", stage, info);
    TestSupport::DrawWhileLoading(engine, [&] { keeper.Load(); });

    EXPECT_EQ(keeper.GetObjects().size(), 30u);
    EXPECT_EQ(keeper.GetShaderUserCount(), 30u);
    // The block's model, its two pieces and the ten common pieces.
    EXPECT_EQ(keeper.GetModelCount(), 13u);
}
