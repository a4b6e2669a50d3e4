// The environment description: model copies with their shaders, colours and lighting, transparent pieces
// sorted by depth, elements without a name or of other kinds skipped, and the description's file missing.
#include "game/play/Environment.h"

#include "engine/core/Error.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <filesystem>

using Korvane::Environment;
using namespace VelkorEngine;

namespace
{
class EnvironmentTest : public ::testing::Test
{
protected:
    EnvironmentTest()
    {
        bed.Start();
        keeper = std::make_unique<GameTools::DataKeeper>(&bed.GetEngine(), "en");
        ModelManager* models = bed.GetEngine().GetModelManager();
        keeper->AddModel("courtyard/wall",
                         models->NewBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr, ModelFlags::VertexColor));
        ShaderManager* shaders = bed.GetEngine().GetShaderManager();
        keeper->AddShaderUser("stone", shaders->AddShader(ShaderDescriptor(true, 0, 1, 1, 1, 0.0f, "s.tga", "", true)));
        keeper->AddShaderUser("glass",
                              shaders->AddShader(ShaderDescriptor(true, 0, 1, 1, 1, 0.0f, "g.tga", "g_a.tga", true)));
        std::filesystem::create_directories(bed.folder / "data/environment");
    }

    std::unique_ptr<Environment> Read(const std::string& models)
    {
        bed.folder.WriteFile("data/environment/courtyard.xml", "<environment>" + models + "</environment>");
        return std::make_unique<Environment>(&bed.GetEngine(), keeper.get(), "courtyard");
    }

    TestSupport::EngineTestBed bed;
    std::unique_ptr<GameTools::DataKeeper> keeper;
};

TEST_F(EnvironmentTest, PiecesTakeTheirShadersAndOnlyTransparentOnesAreSortedByDepth)
{
    const auto environment = Read("<model name=\"courtyard/wall\" shader=\"stone\" depth=\"10\"/>"
                                  "<model name=\"courtyard/wall\" shader=\"glass\" depth=\"10\"/>"
                                  "<model name=\"courtyard/wall\" lighting=\"0\" color=\"0.5 0.25 1 1\"/>"
                                  "<model shader=\"stone\"/><light name=\"courtyard/wall\"/>");
    const auto& models = environment->GetModels();
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0]->depthOffset, 0.0f);
    EXPECT_FALSE(models[0]->flags & ModelFlags::SecondList);
    EXPECT_TRUE(models[0]->flags & ModelFlags::Lit);
    EXPECT_FLOAT_EQ(models[1]->depthOffset, -5.1f);
    EXPECT_TRUE(models[1]->flags & ModelFlags::SecondList);
    EXPECT_FALSE(models[1]->flags & ModelFlags::Lit);
    EXPECT_FALSE(models[2]->flags & ModelFlags::Lit);
    EXPECT_NEAR(models[2]->GetColor().g, 0.25f, 1.0f / 255);
}

TEST_F(EnvironmentTest, MissingDescriptionIsAFileError)
{
    EXPECT_THROW(Environment(&bed.GetEngine(), keeper.get(), "crypt"), FileError);
}

TEST_F(EnvironmentTest, ADamagedDescriptionIsAFileErrorNamingIt)
{
    bed.folder.WriteFile("data/environment/crypt.xml", "<environment>\n<model name=\"wall\"");
    try
    {
        Environment(&bed.GetEngine(), keeper.get(), "crypt");
        ADD_FAILURE() << "read";
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetMessage(), "XML format error at line 2: code 14 in \"data\\environment\\crypt.xml\"");
    }
}
}
