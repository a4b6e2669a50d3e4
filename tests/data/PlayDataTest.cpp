// The playfield data as the game reads it: every name the play code fetches resolves once to files that
// exist, colliding meshes are closed triangle lists wound outward, objects have the sizes and origins the
// code assumes, animations have their frames and close their loops, pictures have power-of-two sides, and
// the scenery leaves the field and the camera's view clear.
#include "tests/data/DataStageFiles.h"
#include "tests/data/GeneratorRunFiles.h"
#include "tests/data/PlayModelFile.h"
#include "tests/data/ResourceListWalk.h"
#include "game/play/Hammer.h"
#include "engine/scene/ModelFile.h"
#include "engine/scene/ParticleSystemFile.h"
#include "tests/support/FilesTestSupport.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/GameView.h"
#include "tools/datagen/content/Levels.h"
#include "tools/datagen/play/BlockKinds.h"
#include "tools/datagen/play/ContactSheet.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace DataTest;
using VelkorEngine::Vector3;

namespace
{
struct ExpectedResource
{
    std::string kind;
    std::string name;
    std::string list;
};

std::vector<ExpectedResource> ExpectedPlayResources()
{
    std::ifstream in(std::string(KORVANE_EXPECT_FOLDER) + "/play_resources.txt");
    std::vector<ExpectedResource> expected;
    std::string line;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ExpectedResource resource;
        fields >> resource.kind >> resource.name >> resource.list;
        expected.push_back(resource);
    }
    return expected;
}

const char* const PlayLists[] = {"game_objects/resources.xml", "environment/courtyard_resources.xml",
                                 "environment/crypt_resources.xml"};

std::string FolderOf(const std::string& path) { return path.substr(0, path.find('/')); }

std::string Sibling(const std::string& path, const std::string& extension)
{
    return path.substr(0, path.rfind('.')) + extension;
}

PlayModelFile Model(const std::string& path)
{
    const std::string bytes = StageFile(path);
    EXPECT_FALSE(bytes.empty()) << path;
    return ReadPlayModel(bytes);
}

std::vector<std::string> StagePaths(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> paths;
    const std::filesystem::path root = std::string(KORVANE_DATA_STAGE);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            paths.push_back(std::filesystem::relative(entry.path(), root).generic_string());
    return paths;
}

// Width and height of a JPEG (from its frame header), TGA or BMP.
std::pair<unsigned, unsigned> PictureSize(const std::string& bytes, const std::string& path)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes.at(i))); };
    if (path.ends_with(".tga"))
        return {byte(12) | byte(13) << 8, byte(14) | byte(15) << 8};
    if (path.ends_with(".bmp"))
        return {byte(18) | byte(19) << 8, byte(22) | byte(23) << 8};
    for (std::size_t i = 2; i + 9 < bytes.size();)
    {
        if (byte(i) != 0xFF)
            break;
        const unsigned marker = byte(i + 1);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
            return {byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6)};
        i += 2 + (byte(i + 2) << 8 | byte(i + 3));
    }
    return {0, 0};
}

void ExpectBox(const PlayModelFile& model, const Vector3& minimum, const Vector3& maximum, const std::string& what)
{
    const auto& [low, high] = model.boxes.front();
    EXPECT_NEAR(low.x, minimum.x, 0.01f) << what;
    EXPECT_NEAR(low.y, minimum.y, 0.01f) << what;
    EXPECT_NEAR(low.z, minimum.z, 0.01f) << what;
    EXPECT_NEAR(high.x, maximum.x, 0.01f) << what;
    EXPECT_NEAR(high.y, maximum.y, 0.01f) << what;
    EXPECT_NEAR(high.z, maximum.z, 0.01f) << what;
}

void ExpectSameFrame(const PlayModelFile& model, unsigned a, unsigned b, const std::string& what)
{
    ASSERT_LT(std::max(a, b), model.frameCount) << what;
    for (std::size_t v = 0; v < model.positions[a].size(); ++v)
    {
        const Vector3 d = model.positions[a][v] - model.positions[b][v];
        ASSERT_LT(d.Length(), 1e-4f) << what << ": frames " << a << " and " << b << " differ at vertex " << v;
    }
}

// Meshes the collision world takes stay small; balls collide as spheres and may have more triangles.
void ExpectColliderShape(const std::string& path, std::size_t triangleLimit = 200)
{
    const PlayModelFile model = Model(path);
    EXPECT_NE(model.flags & 0x8, 0u) << path << " is not a triangle list";
    EXPECT_EQ(model.indices.size() % 3, 0u) << path;
    EXPECT_LE(model.indices.size() / 3, triangleLimit) << path;
    EXPECT_TRUE(IsClosed(model)) << path << " has holes or faces wound against their neighbours";
    EXPECT_GT(SignedVolume(model), 0.0) << path << " is wound inward";
}
}

constexpr float GameFrameWidth = 800.0f, GameFrameHeight = 600.0f;

// Where the game's fixed camera shows a point: x and y in pixels of an 800 x 600 frame, z the depth along the view.
Vector3 GameCameraScreen(const Vector3& p)
{
    const float pitch = 2 * std::asin(0.4939f);
    const Vector3 forward(0, std::sin(pitch), -std::cos(pitch)), up(0, std::cos(pitch), std::sin(pitch));
    const Vector3 d = p - Vector3(0, -140, 98);
    const float depth = d.Dot(forward), tanHalf = std::tan(30.0f * 3.14159265f / 180.0f);
    return {GameFrameWidth / 2 * (1 + d.x / (depth * tanHalf * 4 / 3)),
            GameFrameHeight / 2 * (1 - d.Dot(up) / (depth * tanHalf)), depth};
}

// Inside the frame and beyond the near plane.
bool InGameFrame(const Vector3& p)
{
    const Vector3 screen = GameCameraScreen(p);
    return screen.z >= 70.0f && screen.x >= 0 && screen.x <= GameFrameWidth && screen.y >= 0 &&
           screen.y <= GameFrameHeight;
}

TEST(play, EveryNameThePlayCodeFetchesIsRegisteredOnceByItsList)
{
    std::map<std::string, std::vector<std::string>> listedIn; // kind + name → lists
    for (const char* list : PlayLists)
        for (const ListedResource& resource : WalkResourceList(StageFile(list), FolderOf(list), list))
            listedIn[resource.kind + " " + resource.name].push_back(list);
    std::set<std::string> expected;
    for (const ExpectedResource& resource : ExpectedPlayResources())
    {
        const std::string key = resource.kind + " " + resource.name;
        expected.insert(key);
        ASSERT_EQ(listedIn[key].size(), 1u) << key << " must be registered exactly once";
        EXPECT_EQ(listedIn[key].front(), resource.list) << key;
    }
    EXPECT_EQ(expected.size(), 85u);
    for (const auto& [key, lists] : listedIn)
        EXPECT_TRUE(expected.count(key)) << key << " is registered but nobody fetches it";
}

TEST(play, EveryListedFileExistsWithItsShaderFile)
{
    for (const char* list : PlayLists)
        for (const ListedResource& resource : WalkResourceList(StageFile(list), FolderOf(list), list))
            for (const std::string& file : resource.files)
            {
                EXPECT_TRUE(StageHas(file)) << resource.name << ": " << file;
                if (resource.kind != "shader")
                {
                    EXPECT_TRUE(StageHas(Sibling(file, ".srf"))) << file << " has no shader file";
                }
            }
}

TEST(play, EnvironmentDescriptionsNameOnlyTheirOwnResources)
{
    for (const char* environment : {"courtyard", "crypt"})
    {
        const std::string list = std::string("environment/") + environment + "_resources.xml";
        std::set<std::string> names;
        for (const ListedResource& resource : WalkResourceList(StageFile(list), "environment", list))
            names.insert(resource.kind + " " + resource.name);
        const std::string path = std::string("environment/") + environment + ".xml";
        const auto root = KorvaneTools::ParseDataXml(StageFile(path), path);
        std::vector<GameTools::XMLNode*> models;
        root->GetChildrenByName("model", models);
        EXPECT_EQ(models.size(), 10u) << path;
        for (const GameTools::XMLNode* model : models)
        {
            const std::string name = KorvaneTools::AttributeText(*model, "name");
            EXPECT_TRUE(names.count("model " + name)) << path << ": " << name;
            const std::string shader = KorvaneTools::AttributeText(*model, "shader");
            if (!shader.empty())
            {
                EXPECT_TRUE(names.count("shader " + shader)) << path << ": " << shader;
            }
        }
    }
}

TEST(play, EveryBlockDescriptionHasItsModelsAndPieces)
{
    const std::vector<std::string> descriptions = StagePaths("game_objects/blocks", ".xml");
    EXPECT_EQ(descriptions.size(), 10u);
    std::vector<std::string> names;
    for (const std::string& path : descriptions)
    {
        const std::string name = path.substr(path.rfind('/') + 1, path.size() - path.rfind('/') - 5);
        names.push_back(name);
        const auto root = KorvaneTools::ParseDataXml(StageFile(path), path);
        EXPECT_EQ(root->GetName(), "block");
        const std::string models = "game_objects/blocks/models/";
        EXPECT_TRUE(StageHas(models + name + ".mlf")) << name;
        EXPECT_EQ(StageHas(models + name + "_collision.mlf"),
                  KorvaneTools::AttributeText(*root, "collision_model") == "1")
            << name;
        const int count = std::stoi(KorvaneTools::AttributeText(*root, "fragment_count"));
        for (int i = 0; i <= count; ++i)
        {
            char file[64];
            std::snprintf(file, sizeof file, "fragments/%s_%02d.mlf", name.c_str(), i);
            EXPECT_EQ(StageHas(models + file), i < count) << file;
        }
    }
    // The game matches a level's block names by substring, first in sorted order.
    for (const std::string& a : names)
        for (const std::string& b : names)
            EXPECT_TRUE(a == b || b.find(a) == std::string::npos) << a << " is part of " << b;
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(StageHas("game_objects/blocks/models/fragments/common/fragment_" + std::to_string(i) + ".mlf"));
}

TEST(play, LevelTexturesExistWithEveryFrameOfTheirSequences)
{
    const std::map<std::string, int> frames = {{"granite0.jpg", 3}, {"rune0.jpg", 4}};
    for (const std::string& name : KorvaneTools::LevelTableNames())
        for (const std::string& texture : KorvaneTools::BuildLevel(name).textures)
        {
            if (texture.empty())
                continue;
            const int count = frames.count(texture) ? frames.at(texture) : 1;
            for (int f = 0; f < count; ++f)
            {
                std::string file = texture;
                if (count > 1)
                    file.replace(file.find('0'), 1, std::to_string(f));
                EXPECT_TRUE(StageHas("game_objects/blocks/textures/" + file)) << name << ": " << file;
            }
        }
}

TEST(play, BlocksAndTheirCollidersAreClosedTriangleListsWoundOutward)
{
    for (const std::string& path : StagePaths("game_objects/blocks/models", ".mlf"))
    {
        if (path.find("/fragments/") != std::string::npos)
            continue;
        SCOPED_TRACE(path);
        ExpectColliderShape(path);
    }
    for (const char* path : {"game_objects/bat/head.mlf", "game_objects/bat/body.mlf"})
        ExpectColliderShape(path);
    for (const char* path : {"game_objects/balls/simple.mlf", "game_objects/balls/super.mlf"})
        ExpectColliderShape(path, 1000);
}

TEST(play, BlockModelsStandOnTheirOriginWithTheirKindsSize)
{
    for (const KorvaneTools::BlockKind& kind : KorvaneTools::BlockKinds())
    {
        const Vector3 minimum(-kind.width / 2, -kind.depth / 2, 0), maximum(kind.width / 2, kind.depth / 2, kind.height);
        const std::string models = std::string("game_objects/blocks/models/") + kind.name;
        ExpectBox(Model(models + ".mlf"), minimum, maximum, kind.name);
        if (StageHas(models + "_collision.mlf"))
            ExpectBox(Model(models + "_collision.mlf"), minimum, maximum, std::string(kind.name) + " collision");
    }
}

TEST(play, BallsAndBatHaveTheSizesThePlayCodeAssumes)
{
    ExpectBox(Model("game_objects/balls/simple.mlf"), Vector3(-2.5f), Vector3(2.5f), "simple ball");
    ExpectBox(Model("game_objects/balls/super.mlf"), Vector3(-3.0f), Vector3(3.0f), "super ball");
    ExpectBox(Model("game_objects/bat/head.mlf"), {-6, -1.5f, 0}, {6, 1.5f, 5}, "head");
    ExpectBox(Model("game_objects/bat/body.mlf"), {-5, -5, 0.5f}, {5, -1.5f, 4.5f}, "body");
    const PlayModelFile screw = Model("game_objects/bat/screw.mlf");
    for (const Vector3& p : screw.positions.front())
    {
        EXPECT_LE(std::hypot(p.x, p.y), 3.01f);
        EXPECT_GE(p.z, 0.9f);
        EXPECT_LE(p.z, 2.1f);
    }
    for (const char* part : {"head", "body", "screw"})
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(StageHas(std::string("game_objects/bat/fragments/") + part + "_0" + std::to_string(i) + ".mlf"));
}

TEST(play, AnimatedModelsHaveTheirFramesAndLoopsClose)
{
    struct Animation
    {
        const char* path;
        unsigned frames;
        unsigned pose;
        unsigned samePose;
    };
    const Animation animations[] = {
        {"game_objects/guns/arbalet_gun.mlf", 41, 40, 33}, {"game_objects/guns/ballista_gun.mlf", 26, 25, 19},
        {"game_objects/hammer/hammer.mlf", 10, 9, 0},       {"environment/models/courtyard_flames.mlf", 8, 7, 0},
        {"environment/models/courtyard_banners.mlf", 16, 15, 0}, {"environment/models/crypt_flames.mlf", 8, 7, 0},
        {"environment/models/crypt_chains.mlf", 16, 15, 0},
    };
    for (const Animation& animation : animations)
    {
        const PlayModelFile model = Model(animation.path);
        EXPECT_EQ(model.frameCount, animation.frames) << animation.path;
        EXPECT_GT(model.speed, 0.0f) << animation.path;
        ExpectSameFrame(model, animation.pose, animation.samePose, animation.path);
    }
    // The barrier parks on its last frame: the posts stand on the ground, the ropes hang straight between them.
    for (int post = 0; post < 2; ++post)
    {
        const PlayModelFile model = Model("game_objects/barrier/hardware_" + std::to_string(post) + ".mlf");
        ASSERT_EQ(model.frameCount, 9u);
        EXPECT_NEAR(model.boxes.back().first.z, 0.0f, 1e-3f);
        EXPECT_NEAR(std::fabs(model.boxes.back().first.x + model.boxes.back().second.x) / 2, 50, 5.0f);
    }
    for (int rope = 0; rope < 3; ++rope)
    {
        const PlayModelFile model = Model("game_objects/barrier/rope_" + std::to_string(rope) + ".mlf");
        ASSERT_EQ(model.frameCount, 9u);
        const auto& [low, high] = model.boxes.back();
        EXPECT_NEAR((low.z + high.z) / 2, 23.0f + 2.5f * static_cast<float>(rope), 1e-3f);
        EXPECT_NEAR(high.z - low.z, 0.7f, 0.1f);
        EXPECT_NEAR(low.x, -50, 1e-3f);
        EXPECT_NEAR(high.x, 50, 1e-3f);
        EXPECT_NEAR((low.y + high.y) / 2, -97, 1e-3f);
    }
}

TEST(play, RaisedBarrierStandsInTheGameCamerasFrame)
{
    // The ropes whole, and of the posts all that rises above the frame's bottom edge (their pennants with it).
    for (int rope = 0; rope < 3; ++rope)
    {
        const std::string path = "game_objects/barrier/rope_" + std::to_string(rope) + ".mlf";
        const PlayModelFile model = Model(path);
        for (const Vector3& p : model.positions.back())
            ASSERT_TRUE(InGameFrame(p)) << path << " at " << p.x << " " << p.y << " " << p.z;
    }
    const float topRope = Model("game_objects/barrier/rope_2.mlf").boxes.back().second.z;
    for (int post = 0; post < 2; ++post)
    {
        const std::string path = "game_objects/barrier/hardware_" + std::to_string(post) + ".mlf";
        const PlayModelFile model = Model(path);
        unsigned shown = 0;
        for (const Vector3& p : model.positions.back())
        {
            if (GameCameraScreen(p).y > GameFrameHeight)
                continue;
            ++shown;
            ASSERT_TRUE(InGameFrame(p)) << path << " at " << p.x << " " << p.y << " " << p.z;
        }
        EXPECT_GT(shown, model.positions.back().size() / 2) << path;
        EXPECT_GT(model.boxes.back().second.z, topRope + 2.0f) << path << ": the pennant flies above the ropes";
    }
}

TEST(play, LoadedBoltsLieOnTheirRaisedGuns)
{
    struct Gun
    {
        const char* gun;
        const char* bolt;
        unsigned readyFrame;
    };
    for (const Gun& gun : {Gun{"game_objects/guns/arbalet_gun.mlf", "game_objects/guns/arbalet_bullet.mlf", 33},
                           Gun{"game_objects/guns/ballista_gun.mlf", "game_objects/guns/ballista_bullet.mlf", 19}})
    {
        SCOPED_TRACE(gun.bolt);
        const PlayModelFile ready = Model(gun.gun);
        ASSERT_GT(ready.boxes.size(), gun.readyFrame);
        const auto& [gunLow, gunHigh] = ready.boxes[gun.readyFrame];
        const PlayModelFile bolt = Model(gun.bolt);
        ASSERT_EQ(bolt.frameCount, 1u);
        const auto& [low, high] = bolt.boxes.front();
        // Above the bat's head (z 0..5), along the gun's stock, and not far above the gun.
        EXPECT_GT(low.z, 5.5f);
        EXPECT_LT(low.z, gunHigh.z);
        EXPECT_LT(high.z, gunHigh.z + 2.0f);
        EXPECT_NEAR(low.x + high.x, 0.0f, 1e-3f);
        EXPECT_GT(low.y, gunLow.y);
        EXPECT_GT(high.y, gunHigh.y - 1.0f) << "the head shows in front of the stock";
        EXPECT_GT(high.y - low.y, 6.0f) << "a bolt points along y";
    }
}

// The play holds the grip (the model's origin) the hammer's reach above the point it strikes.
TEST(play, HammerHangsFromItsGripAndStrikesStraightDownAtItsReach)
{
    const PlayModelFile hammer = Model("game_objects/hammer/hammer.mlf");
    ASSERT_EQ(hammer.frameCount, 10u);
    const auto& [low, high] = hammer.boxes[4];
    EXPECT_NEAR(low.z, -Korvane::Hammer::Reach, 0.01f);
    EXPECT_NEAR(high.z, 0, 0.01f);
    EXPECT_NEAR(low.y + high.y, 0, 0.01f);
    EXPECT_NEAR(low.x + high.x, 0, 0.01f);
    EXPECT_GT(hammer.boxes[0].second.y, Korvane::Hammer::Reach * 0.6f) << "frame 0 is raised away from the camera";
    EXPECT_GT(hammer.boxes[0].first.z, -Korvane::Hammer::Reach * 0.7f) << "frame 0 is raised";
}

TEST(play, ParticleSystemsAreWholeFilesWithTheirShaders)
{
    const std::vector<std::string> systems = StagePaths("game_objects/particles", ".psf");
    EXPECT_EQ(systems.size(), 15u);
    for (const std::string& path : systems)
    {
        const std::string bytes = StageFile(path);
        EXPECT_EQ(bytes.size(), 453u) << path;
        unsigned shape = 0;
        std::memcpy(&shape, bytes.data() + bytes.size() - 28, 4);
        EXPECT_LE(shape, 1u) << path;
        EXPECT_TRUE(StageHas(Sibling(path, ".srf"))) << path;
    }
}

TEST(play, EveryModelHasItsShaderFileAndEveryPictureHasPowerOfTwoSides)
{
    for (const char* folder : {"game_objects", "environment"})
    {
        for (const std::string& path : StagePaths(folder, ".mlf"))
            EXPECT_TRUE(StageHas(Sibling(path, ".srf"))) << path;
        for (const char* extension : {".jpg", ".tga", ".bmp"})
            for (const std::string& path : StagePaths(folder, extension))
            {
                const auto [width, height] = PictureSize(StageFile(path), path);
                EXPECT_TRUE(std::has_single_bit(width) && std::has_single_bit(height))
                    << path << " " << width << "x" << height;
                const std::string diffuse = path.substr(0, path.size() - 10) + ".jpg";
                if (path.ends_with("_alpha.jpg") && StageHas(diffuse))
                {
                    EXPECT_EQ(PictureSize(StageFile(diffuse), diffuse), PictureSize(StageFile(path), path)) << path;
                }
            }
    }
    // A shader's opacity picture has the size of its diffuse one.
    for (const char* list : PlayLists)
        for (const ListedResource& resource : WalkResourceList(StageFile(list), FolderOf(list), list))
            if (resource.kind == "shader" && resource.files.size() == 2)
            {
                EXPECT_EQ(PictureSize(StageFile(resource.files[0]), resource.files[0]),
                          PictureSize(StageFile(resource.files[1]), resource.files[1]))
                    << resource.name;
            }
}

TEST(play, SceneryLeavesTheFieldAndTheCameraClear)
{
    const Vector3 camera(0, -140, 98);
    const float pitch = 2 * std::asin(0.4939f);
    const Vector3 forward(0, std::sin(pitch), -std::cos(pitch));
    for (const std::string& path : StagePaths("environment/models", ".mlf"))
    {
        const PlayModelFile model = Model(path);
        for (const auto& frame : model.positions)
            for (const Vector3& p : frame)
            {
                ASSERT_LE((p - camera).Dot(forward), 640.0f) << path << " reaches beyond the far plane";
                ASSERT_FALSE(p.y < -100.01f && p.z > 2.0f) << path << " stands between the camera and the field";
                const bool inField = p.x > -76.99f && p.x < 76.99f && p.y > -99.99f && p.y < 109.99f;
                ASSERT_FALSE(inField && p.z > 0.01f) << path << " stands inside the field at " << p.x << " " << p.y;
            }
    }
    for (const char* walls : {"environment/models/courtyard_walls.mlf", "environment/models/crypt_walls.mlf"})
        ExpectBox(Model(walls), {-87, -100, 0}, {87, 120, 25}, walls);
}

TEST(play, TopViewGameViewAndContactSheetShowSomething)
{
    const KorvaneTools::RgbaPicture view = KorvaneTools::LevelTopView(KorvaneTools::BuildLevel("01_04"));
    const KorvaneTools::RgbaPicture game = KorvaneTools::GameView("00_03");
    const KorvaneTools::RgbaPicture sheet = KorvaneTools::ContactSheet("play");
    for (const KorvaneTools::RgbaPicture* picture : {&view, &game, &sheet})
    {
        ASSERT_GT(picture->width, 100u);
        std::set<unsigned> colours;
        for (std::size_t i = 0; i + 3 < picture->pixels.size(); i += 4 * 97)
            colours.insert(picture->pixels[i] << 16 | picture->pixels[i + 1] << 8 | picture->pixels[i + 2]);
        EXPECT_GT(colours.size(), 20u);
    }
}

TEST(play, EngineReadsEveryModelAndParticleSystem)
{
    for (const char* folder : {"game_objects", "environment"})
    {
        for (const std::string& path : StagePaths(folder, ".mlf"))
        {
            const std::string error =
                TestSupport::ReadFormatError<VelkorEngine::ModelFile>(StageFile(path), path, path);
            EXPECT_EQ(error, "no error") << path;
        }
        for (const std::string& path : StagePaths(folder, ".psf"))
        {
            const std::string error =
                TestSupport::ReadFormatError<VelkorEngine::ParticleSystemFile>(StageFile(path), path, path);
            EXPECT_EQ(error, "no error") << path;
        }
    }
}

TEST(play, GeneratorRefusesBlockDescriptionsThatDisagreeWithTheMeshes)
{
    const auto withBlock = [](const std::string& name, const std::string& xml) {
        return GenerateWithReplacedSources({"game_objects"}, {{"game_objects/blocks/" + name + ".xml", xml}},
                                           {"sources", "blocks"});
    };
    EXPECT_EQ(withBlock("brick", SourceFile("game_objects/blocks/brick.xml")), "");
    EXPECT_NE(withBlock("brick", "<block strength=\"1\" fragment_count=\"5\"/>").find("fragment_count"),
              std::string::npos);
    EXPECT_NE(withBlock("cage", "<block type=\"ball_keeper\" fragment_count=\"4\"/>").find("collision_model"),
              std::string::npos);
}
