// The generated menu files read back through the engine's readers: pictures in power-of-two sizes with
// opacity pictures as large as their colour pictures and nets that divide into their frames; GUI models
// with the shapes and frame counts the windows and the background rely on; particle systems that stay in
// the screen plane; a shader file beside every model and particle file, naming pictures that exist.
#include "engine/scene/ModelFile.h"
#include "engine/scene/ParticleSystemFile.h"
#include "tests/data/DataStageFiles.h"
#include "tests/data/WindowDescriptions.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/ContactSheet.h"
#include "tools/formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>

using DataTest::StageFile;
using DataTest::StageHas;
using VelkorEngine::ModelFile;
using VelkorEngine::ParticleSystemFile;

namespace
{
struct Size
{
    unsigned width = 0, height = 0;
};

Size PictureSize(const std::string& path)
{
    const std::string bytes = StageFile(path);
    if (path.ends_with(".tga"))
    {
        const KorvaneTools::RgbaPicture picture = KorvaneTools::ReadTga(bytes);
        return {picture.width, picture.height};
    }
    const ImageTest::Picture picture =
        ImageTest::DecodeJpegReference(std::vector<VelkorEngine::u8>(bytes.begin(), bytes.end()));
    return {picture.width, picture.height};
}

// Every staged file below a folder with one of the extensions.
std::vector<std::string> StagedFiles(const std::string& folder, const std::vector<std::string>& extensions)
{
    std::vector<std::string> files;
    const std::filesystem::path root = std::string(KORVANE_DATA_STAGE);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder))
        for (const std::string& extension : extensions)
            if (entry.is_regular_file() && entry.path().extension() == extension)
                files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
    return files;
}

ModelFile EngineModelFile(const std::string& path)
{
    return TestSupport::ReadFormat<ModelFile>(StageFile(path), path, path);
}

float Centre(const VelkorEngine::ModelBox& box, int axis)
{
    const float low[3] = {box.minimum.x, box.minimum.y, box.minimum.z};
    const float high[3] = {box.maximum.x, box.maximum.y, box.maximum.z};
    return (low[axis] + high[axis]) / 2;
}

// The bone's translation at a frame of a one-bone model.
VelkorEngine::Vector3 BoneAt(const ModelFile& model, unsigned frame)
{
    const float* key = &model.keyFrames[frame * VelkorEngine::Skeleton::KeyFloats];
    return {key[0], key[1], key[2]};
}
}

TEST(ui, EveryMenuPictureIsPowerOfTwoAndItsOpacityMatches)
{
    const std::vector<std::string> pictures = StagedFiles("ui", {".jpg", ".tga"});
    ASSERT_GT(pictures.size(), 40u);
    for (const std::string& path : pictures)
    {
        if (path.rfind("ui/fonts/", 0) == 0)
            continue; // the font atlases have their own tests
        const Size size = PictureSize(path);
        EXPECT_TRUE(std::has_single_bit(size.width) && std::has_single_bit(size.height))
            << path << " " << size.width << "x" << size.height;
        if (path.ends_with("_alpha.jpg"))
        {
            std::string colour = path.substr(0, path.size() - 10) + ".jpg";
            ASSERT_TRUE(StageHas(colour)) << path << " has no colour picture";
            const Size colourSize = PictureSize(colour);
            EXPECT_EQ(colourSize.width, size.width) << path;
            EXPECT_EQ(colourSize.height, size.height) << path;
        }
    }
    EXPECT_EQ(PictureSize("ui/textures/panel_dark.jpg").width, PictureSize("ui/textures/panel_alpha.jpg").width);
}

TEST(ui, NetPicturesDivideIntoTheirFrames)
{
    const std::unique_ptr<GameTools::XMLNode> list =
        KorvaneTools::ParseDataXml(StageFile("ui/resources_additional.xml"), "ui/resources_additional.xml");
    std::vector<GameTools::XMLNode*> groups, shaders;
    list->GetChildren(groups);
    int nets = 0;
    for (const GameTools::XMLNode* group : groups)
    {
        group->GetChildrenByName("shader", shaders);
        for (const GameTools::XMLNode* shader : shaders)
        {
            if (KorvaneTools::AttributeText(*shader, "animation_type") != "net")
                continue;
            ++nets;
            const auto net = DataTest::ReadNumbers(KorvaneTools::AttributeText(*shader, "net_size"));
            const int frames = std::stoi(KorvaneTools::AttributeText(*shader, "frame_count"));
            std::string picture = "ui/" + KorvaneTools::AttributeText(*shader, "diffuse_file_name");
            std::replace(picture.begin(), picture.end(), '\\', '/');
            const Size size = PictureSize(picture);
            EXPECT_EQ(size.width % unsigned(net[0]), 0u) << picture;
            EXPECT_EQ(size.height % unsigned(net[1]), 0u) << picture;
            EXPECT_LE(frames, int(net[0] * net[1])) << picture;
            // Buttons show four states, check boxes eight, map markers at least six.
            EXPECT_GE(frames, 4) << picture;
        }
    }
    EXPECT_EQ(nets, 17);
}

TEST(ui, MapMarkersAreStillAndWithinTheirClickArea)
{
    for (const char* marker : {"start", "finish", "check_point", "path"})
    {
        const ModelFile model = EngineModelFile(std::string("ui/models/map_") + marker + ".mlf");
        EXPECT_EQ(model.flags & 0x7u, 0x1u) << marker;
        ASSERT_EQ(model.boxes.size(), 1u);
        EXPECT_GE(model.boxes[0].minimum.x, -12.0f) << marker;
        EXPECT_LE(model.boxes[0].maximum.x, 12.0f) << marker;
        EXPECT_GE(model.boxes[0].minimum.y, -16.0f) << marker;
        EXPECT_LE(model.boxes[0].maximum.y, 16.0f) << marker;
        EXPECT_FLOAT_EQ(model.boxes[0].minimum.z, 0.0f);
        EXPECT_FLOAT_EQ(model.boxes[0].maximum.z, 0.0f);
    }
}

TEST(ui, TitleSignDropsInOverSixteenFramesAndRestsCentred)
{
    const ModelFile sign = EngineModelFile("ui/models/title_mount.mlf");
    EXPECT_EQ(sign.flags & 0x7u, 0x2u);
    ASSERT_EQ(sign.frameCount, 16u);
    ASSERT_EQ(sign.boxes.size(), 16u);
    EXPECT_GE(Centre(sign.boxes.front(), 1), 150.0f);
    EXPECT_NEAR(Centre(sign.boxes.back(), 1), 0.0f, 0.01f);
    EXPECT_NEAR(Centre(sign.boxes.back(), 0), 0.0f, 0.01f);
}

TEST(ui, AnimatorModelsMoveOneBone)
{
    const struct
    {
        const char* path;
        unsigned frames;
        float firstY, lastY, firstX, lastX;
    } movers[] = {{"ui/models/drop_in.mlf", 20, 300, 0, 0, 0}, {"ui/background/models/drift.mlf", 240, 0, 0, 0, 0}};
    for (const auto& mover : movers)
    {
        const ModelFile model = EngineModelFile(mover.path);
        EXPECT_EQ(model.flags & 0x7u, 0x4u) << mover.path;
        ASSERT_EQ(model.frameCount, mover.frames) << mover.path;
        ASSERT_EQ(model.skeleton->GetBoneCount(), 1u) << mover.path;
        EXPECT_NEAR(BoneAt(model, 0).y, mover.firstY, 0.01f) << mover.path;
        EXPECT_NEAR(BoneAt(model, mover.frames - 1).y, mover.lastY, 0.01f) << mover.path;
        EXPECT_NEAR(BoneAt(model, 0).x, mover.firstX, 0.01f) << mover.path;
        EXPECT_NEAR(BoneAt(model, mover.frames - 1).x, mover.lastX, 0.01f) << mover.path;
    }
}

TEST(ui, BackgroundLayersCoverTheScreenAndLoopsClose)
{
    const ModelFile sky = EngineModelFile("ui/background/models/sky.mlf");
    EXPECT_FLOAT_EQ(sky.boxes[0].minimum.x, 0.0f);
    EXPECT_FLOAT_EQ(sky.boxes[0].maximum.x, 800.0f);
    EXPECT_FLOAT_EQ(sky.boxes[0].maximum.y, 600.0f);
    const ModelFile banners = EngineModelFile("ui/background/models/banners.mlf");
    ASSERT_EQ(banners.frameCount, 16u);
    const size_t perFrame = banners.vertices.size() / 16;
    for (size_t i = 0; i < perFrame; ++i)
    {
        EXPECT_NEAR(banners.vertices[i].position.x, banners.vertices[15 * perFrame + i].position.x, 0.001f);
        EXPECT_NEAR(banners.vertices[i].position.y, banners.vertices[15 * perFrame + i].position.y, 0.001f);
    }
    for (const auto& box : banners.boxes)
    {
        EXPECT_GE(box.minimum.x, 0.0f);
        EXPECT_LE(box.maximum.x, 800.0f);
        EXPECT_LE(box.maximum.y, 600.0f);
    }
}

TEST(ui, GuiParticlesStayInTheScreenPlane)
{
    for (const char* path : {"ui/particles/cursor_train.psf", "ui/particles/cursor_click.psf",
                             "ui/background/particles/embers.psf"})
    {
        const ParticleSystemFile file = TestSupport::ReadFormat<ParticleSystemFile>(StageFile(path), path, path);
        EXPECT_EQ(StageFile(path).size(), 453u) << path;
        EXPECT_EQ(file.parameters.gravityOn, 0) << path;
        EXPECT_EQ(file.parameters.floorOn, 0) << path;
        for (unsigned key = 0; key < VelkorEngine::ParticleKeyCount; ++key)
        {
            EXPECT_FLOAT_EQ(file.parameters.directionCentre[key].z, 0.0f) << path;
            EXPECT_FLOAT_EQ(file.parameters.directionSpread[key].z, 0.0f) << path;
        }
    }
}

TEST(ui, EveryModelAndParticleFileHasAShaderFileNamingPicturesInTheTree)
{
    for (const std::string& path : StagedFiles("ui", {".mlf", ".psf"}))
    {
        const std::string shader = path.substr(0, path.size() - 4) + ".srf";
        ASSERT_TRUE(StageHas(shader)) << path;
        const std::string bytes = StageFile(shader);
        // Picture names are stored as data-relative paths with backslashes, each ended by a zero.
        for (size_t at = bytes.find("ui\\"); at != std::string::npos; at = bytes.find("ui\\", at + 1))
        {
            std::string picture = bytes.substr(at, bytes.find('\0', at) - at);
            std::replace(picture.begin(), picture.end(), '\\', '/');
            EXPECT_TRUE(StageHas(picture)) << shader << " names " << picture;
            at += picture.size();
        }
    }
}

TEST(ui, HandWrittenMenuXmlIsAsciiWithPlainComments)
{
    const std::vector<std::string> files = StagedFiles("ui", {".xml"});
    ASSERT_GT(files.size(), 30u);
    for (const std::string& path : files)
    {
        if (path.rfind("ui/texts/", 0) == 0 || path.rfind("ui/fonts/", 0) == 0)
            continue; // the texts are UTF-8 with a byte-order mark; both have their own tests
        const std::string text = StageFile(path);
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << path;
        // The parser reads a comment as a tag: a quote in it opens a run that swallows the closing mark.
        for (size_t open = text.find("<!--"); open != std::string::npos; open = text.find("<!--", open + 4))
        {
            const size_t close = text.find("-->", open);
            ASSERT_NE(close, std::string::npos) << path;
            const std::string body = text.substr(open + 4, close - open - 4);
            EXPECT_TRUE(!body.empty() && body[0] == ' ') << path << ": " << body;
            EXPECT_EQ(body.find_first_of("'\">"), std::string::npos) << path << ": " << body;
        }
    }
}

TEST(ui, ContactSheetHoldsEveryMenuPicture)
{
    const KorvaneTools::RgbaPicture sheet = KorvaneTools::UiContactSheet(KORVANE_FONT_FOLDER);
    EXPECT_EQ(sheet.width, 2048u);
    EXPECT_GT(sheet.height, 2048u);
}
