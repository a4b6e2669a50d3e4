// The data keeper loading its queued lists on a worker thread while the main thread draws and logs.
#include "framework/DataKeeper.h"

#include "tests/support/EngineTestBed.h"
#include "tests/support/LoadingThreadDraw.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace KorvaneTools;
using namespace TestSupport;

TEST(DataKeeperThreads, QueuedListsLoadOnAWorkerWhileTheMainThreadDraws)
{
    EngineTestBed bed;
    VelkorEngine::Engine& engine = bed.Start();
    std::filesystem::create_directories(bed.folder / "data/game/models");
    bed.folder.WriteFile("data/game/models/quad.mlf", WriteModelFile(MakeStaticQuad()));
    bed.folder.WriteFile("data/game/models/quad.srf", BuildShaderFile(ShaderFile{}));
    const std::vector<VelkorEngine::u8> picture = ImageTest::MakeTga(ImageTest::MakePattern(4, 4, 3));
    bed.folder.WriteFile("data/game/t.tga", std::string(picture.begin(), picture.end()));
    bed.folder.WriteFile("data/game/list.xml", "<resources><loop count=\"20\">"
                                               "<model name=\"m%i%\" file_name=\"models\\quad.mlf\"/>"
                                               "<shader name=\"s%i%\" diffuse_file_name=\"t.tga\"/>"
                                               "</loop></resources>");
    GameTools::DataKeeper keeper(&engine, "en");
    keeper.AddResourcesFile("data\\game\\list.xml", 0);
    TestSupport::DrawWhileLoading(engine, [&] { keeper.Load(); });

    EXPECT_EQ(keeper.GetModelCount(), 20u);
    EXPECT_EQ(keeper.GetShaderUserCount(), 20u);
    EXPECT_TRUE(bed.Records(VelkorEngine::MessageManager::KindError).empty());
}
