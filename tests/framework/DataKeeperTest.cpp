// Resource lists: loops, groups, language and counter substitution register the expected names; unknown
// names give the defaults with one exact error line each; duplicates keep the first object.
#include "framework/DataKeeper.h"

#include "engine/core/Error.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/Model.h"
#include "framework/ResourceCounters.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/ParticleFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace KorvaneTools;
using namespace TestSupport;
using GameTools::DataKeeper;
using VelkorEngine::MessageManager;

namespace
{
// A shader element of a resource list, with the picture every test list's shaders use.
std::string Shader(const std::string& name, const std::string& attributes = "")
{
    return "<shader name=\"" + name + "\" diffuse_file_name=\"t.tga\"" + attributes + "/>";
}

class DataKeeperTest : public testing::Test
{
protected:
    DataKeeperTest()
    {
        bed.Start();
        WriteData("ui/models/quad.mlf", WriteModelFile(MakeStaticQuad()));
        WriteData("ui/models/quad.srf", BuildShaderFile(ShaderFile{}));
        WriteData("ui/sparks.psf", BuildParticleFile(MakeSelfMadeParticleFile()));
        WriteData("ui/sparks.srf", BuildShaderFile(ShaderFile{}));
        const std::vector<VelkorEngine::u8> picture = ImageTest::MakeTga(ImageTest::MakePattern(4, 4, 3));
        WriteData("ui/t.tga", std::string(picture.begin(), picture.end()));
        keeper = std::make_unique<DataKeeper>(&bed.GetEngine(), "en");
    }

    void WriteData(const std::string& name, const std::string& bytes)
    {
        const std::string path = "data/" + name;
        std::filesystem::create_directories(std::filesystem::path(bed.folder / path).parent_path());
        bed.folder.WriteFile(path, bytes);
    }
    // Loads a list written to "data\ui\list.xml" and gives the error lines it logged.
    std::vector<std::string> LoadList(const std::string& xml)
    {
        WriteData("ui/list.xml", xml);
        const size_t before = Errors().size();
        keeper->AddResourcesFile("data\\ui\\list.xml", 1);
        const std::vector<std::string> errors = Errors();
        return std::vector<std::string>(errors.begin() + static_cast<long>(before), errors.end());
    }
    // The texts of the error lines, without the log's decoration.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> texts;
        for (const std::string& record : bed.Records(MessageManager::KindError))
        {
            const size_t start = record.find("Error: ") + 7;
            texts.push_back(record.substr(start, record.rfind('!') - start));
        }
        return texts;
    }
    // Looks a shader user up and tells whether the keeper had it (no error logged).
    bool HasShaderUser(const std::string& name)
    {
        const size_t before = Errors().size();
        keeper->GetShaderUser(name);
        return Errors().size() == before;
    }

    EngineTestBed bed;
    std::unique_ptr<DataKeeper> keeper;
};
}

TEST_F(DataKeeperTest, LoopsRunFromStartBelowCount)
{
    LoadList("<resources>"
             "<loop counter=\"i\" start=\"1\" count=\"4\">" + Shader("single%i%") + "</loop>"
             "<loop>" + Shader("never") + "</loop>"
             "<loop counter=\"i\" count=\"2\"><loop counter=\"j\" start=\"8\" count=\"10\">" +
                 Shader("pair%i2%_%j%") + "</loop></loop>"
             "</resources>");
    EXPECT_EQ(keeper->GetShaderUserCount(), 7u);
    for (const char* name : {"single1", "single2", "single3", "pair00_8", "pair00_9", "pair01_8", "pair01_9"})
        EXPECT_TRUE(HasShaderUser(name)) << name;
    EXPECT_FALSE(HasShaderUser("never"));
    EXPECT_FALSE(HasShaderUser("single0"));
}

TEST_F(DataKeeperTest, BrokenLoopsCreateNothing)
{
    const auto errors = LoadList("<resources>"
                                 "<loop count=\"-1\">" + Shader("negative%i%") + "</loop>"
                                 "<loop start=\"5\" count=\"3\">" + Shader("backwards%i%") + "</loop>"
                                 "<loop start=\"-3\" count=\"2\">" + Shader("below%i%") + "</loop>"
                                 "<loop count=\"2000000000\">" + Shader("huge%i%") + "</loop>"
                                 "</resources>");
    EXPECT_EQ(keeper->GetShaderUserCount(), 0u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("2000000000"), std::string::npos);
}

TEST_F(DataKeeperTest, GroupsPrefixNamesAndOtherLanguagesAreSkipped)
{
    const auto errors = LoadList("<resources>"
                                 "<blocks><model name=\"red\" file_name=\"models\\quad.mlf\"/>"
                                 "<inner><particles name=\"sparks\" file_name=\"sparks.psf\"/></inner></blocks>"
                                 "<model name=\"red\" file_name=\"models/quad.mlf\" color_verticies=\"1\"/>" +
                                 Shader("german", " language=\"de\"") + Shader("english", " language=\"en\"") +
                                 "<sound name=\"ignored\"/>"
                                 "<shader name=\"outer\" diffuse_file_name=\"t.tga\">" + Shader("nested") + "</shader>"
                                 "</resources>");
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(keeper->GetModelCount(), 2u);
    EXPECT_EQ(keeper->GetParticleSystemCount(), 1u);
    EXPECT_NE(keeper->GetModel("blocks/red"), keeper->GetModel("red"));
    EXPECT_EQ(keeper->GetModel("red")->animation != nullptr, true);
    keeper->GetParticleSystem("blocks/inner/sparks");
    EXPECT_TRUE(HasShaderUser("english"));
    EXPECT_TRUE(HasShaderUser("outer"));
    EXPECT_FALSE(HasShaderUser("german"));
    EXPECT_FALSE(HasShaderUser("nested"));
    EXPECT_EQ(Errors().size(), 2u) << "only the two lookups of missing names";
}

TEST_F(DataKeeperTest, CountersAreSubstitutedInFileNames)
{
    WriteData("ui/models/quad07.mlf", WriteModelFile(MakeStaticQuad()));
    WriteData("ui/models/quad07.srf", BuildShaderFile(ShaderFile{}));
    const auto errors = LoadList("<resources><loop start=\"7\" count=\"8\">"
                                 "<model name=\"m%i%\" file_name=\"models\\quad%i2%.mlf\" animation_speed=\"3\"/>"
                                 "</loop></resources>");
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(keeper->GetModel("m7")->animation->speed, 3.0f);
}

TEST_F(DataKeeperTest, UnknownNamesGiveTheDefaultsWithOneErrorEach)
{
    const auto model = keeper->GetModel("missing");
    EXPECT_EQ(keeper->GetModel("missing"), model);
    EXPECT_FLOAT_EQ(model->bounds.GetWorldMaximum().x, 1.0f);
    EXPECT_FLOAT_EQ(model->bounds.GetWorldMinimum().y, -1.0f);
    EXPECT_NE(keeper->GetShaderUser("gone"), nullptr);
    EXPECT_NE(keeper->GetParticleSystem("none"), nullptr);
    const auto errors = Errors();
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0], "(DataKeeper::GetModel): There is no \"missing\" resource");
    EXPECT_EQ(errors[1], errors[0]);
    EXPECT_EQ(errors[2], "(DataKeeper::GetShaderUser): There is no \"gone\" resource");
    EXPECT_EQ(errors[3], "(DataKeeper::GetParticleSystem): There is no \"none\" resource");
}

TEST_F(DataKeeperTest, ADuplicateKeepsTheFirstObject)
{
    const auto errors = LoadList("<resources>"
                                 "<model name=\"a\" file_name=\"models\\quad.mlf\" animation_speed=\"1\"/>"
                                 "<model name=\"a\" file_name=\"models\\quad.mlf\" animation_speed=\"2\"/>" +
                                 Shader("s") + Shader("s") +
                                 "<particles name=\"p\" file_name=\"sparks.psf\"/>"
                                 "<particles name=\"p\" file_name=\"sparks.psf\"/>"
                                 "</resources>");
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "(DataKeeper::AddModel): Model \"a\" is duplicated");
    EXPECT_EQ(errors[1], "(DataKeeper::AddShaderUser): Shader User \"s\" is duplicated");
    EXPECT_EQ(errors[2], "(DataKeeper::AddParticleSystem): Particle System \"p\" is duplicated");
    EXPECT_EQ(keeper->GetModel("a")->animation->speed, 1.0f);
    EXPECT_EQ(keeper->GetShaderUserCount(), 1u);
}

TEST_F(DataKeeperTest, QueuedListsWaitForLoad)
{
    WriteData("ui/later.xml", "<resources>" + Shader("later") + "</resources>");
    keeper->AddResourcesFile("data\\ui\\later.xml", 0);
    EXPECT_EQ(keeper->GetShaderUserCount(), 0u);
    keeper->Load();
    EXPECT_TRUE(HasShaderUser("later"));
    EXPECT_EQ(keeper->GetQueuedFiles().size(), 1u) << "the queue is kept";
}

TEST_F(DataKeeperTest, AListThatCannotBeReadIsFatal)
{
    WriteData("ui/bad.xml", "<resources><shader name=></resources>");
    for (const char* path : {"data\\ui\\absent.xml", "data\\ui\\bad.xml"})
    {
        try
        {
            keeper->AddResourcesFile(path, 1);
            ADD_FAILURE() << path;
        }
        catch (const VelkorEngine::FatalError& error)
        {
            EXPECT_FALSE(error.GetMessage().empty());
        }
    }
}

TEST_F(DataKeeperTest, AnUnnamedShaderUserIsNamedByTheCount)
{
    keeper->AddUnnamedShaderUser(bed.GetEngine().GetShaderManager()->AddShader(VelkorEngine::ShaderDescriptor(0u)));
    keeper->AddUnnamedShaderUser(bed.GetEngine().GetShaderManager()->AddShader(VelkorEngine::ShaderDescriptor(0u)));
    EXPECT_TRUE(HasShaderUser("123456789"));
    EXPECT_TRUE(HasShaderUser("123456790"));
}

TEST(ResourceCounters, SubstitutionPadsToTheGivenWidth)
{
    using GameTools::ResourceCounter;
    const std::vector<ResourceCounter> counters = {{"i", 7}, {"j", 12}};
    const struct
    {
        const char* text;
        std::string result;
    } cases[] = {
        {"a%i%", "a7"},         {"a%i2%b%i2%", "a07b07"}, {"%i3%_%j%", "007_12"}, {"%j1%", "12"},
        {"none", "none"},       {"%i", "%i"},             {"%i99999999%", "0000000007"},
        {"%i%%i2%", "7%i2%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GameTools::SubstituteCounters(c.text, counters), c.result) << c.text;
}
