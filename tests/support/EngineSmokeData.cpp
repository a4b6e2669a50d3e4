// The smoke scene's files, built from plain descriptions with the model, shader, particle, image and sound
// writers of the tests.
#include "tests/support/EngineSmokeData.h"

#include "engine/scene/ModelFlags.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/datagen/fonts/FontRasteriser.h"
#include "tools/datagen/fonts/GlyphSet.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/ParticleFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace TestSupport
{
using namespace KorvaneTools;

namespace
{
using VelkorEngine::Vector3;
namespace Flags = VelkorEngine::ModelFlags;

constexpr u32 kDrawnFlags = Flags::Visible | Flags::DepthTest | Flags::FirstList | Flags::Lit | Flags::TriangleList;
const Vector3 kFacingCamera(0.0f, 0.0f, 1.0f);

std::string Text(const std::vector<u8>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// One textured stage read from beside the shader file.
ShaderFile OneTextureShader(const std::string& texture, u32 addressMode)
{
    ShaderFile shader;
    ShaderFileStage stage;
    stage.flags = 1; // mip mapped
    stage.firstName = texture;
    stage.addressModeU = addressMode;
    stage.addressModeV = addressMode;
    shader.stages.push_back(stage);
    return shader;
}

// Four corners, counter-clockwise as seen from the front, as two triangles of the list.
void AddQuadIndices(std::vector<u32>& indices, u32 first)
{
    indices.insert(indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
}

// Corners counter-clockwise from the lower left, each (x, y, u, v).
void AddSkinnedQuad(ModelFileDescription& d, u16 bone, const f32 (&corners)[4][4], f32 z)
{
    AddQuadIndices(d.indices, static_cast<u32>(d.skinnedVertices.size()));
    for (const auto& c : corners)
        d.skinnedVertices.push_back({c[2], c[3], {{bone, 1.0f, kFacingCamera, Vector3(c[0], c[1], z)}}});
}

// A blade from near the hub out to its tip, pointing at the angle.
void AddBlade(ModelFileDescription& d, f32 angle)
{
    const f32 c = std::cos(angle);
    const f32 s = std::sin(angle);
    const auto at = [&](f32 along, f32 across) { return std::pair(along * c - across * s, along * s + across * c); };
    const auto [x0, y0] = at(0.0f, -0.14f);
    const auto [x1, y1] = at(1.1f, -0.18f);
    const auto [x2, y2] = at(1.1f, 0.18f);
    const auto [x3, y3] = at(0.0f, 0.14f);
    AddSkinnedQuad(d, 1, {{x0, y0, 0.0f, 0.0f}, {x1, y1, 0.0f, 1.0f}, {x2, y2, 1.0f, 1.0f}, {x3, y3, 1.0f, 0.0f}},
                   0.05f);
}

// Ten key frame values of one bone: translation, rotation about z, unit scale.
void AddBoneKey(std::vector<f32>& keys, const Vector3& translation, f32 angle)
{
    keys.insert(keys.end(), {translation.x, translation.y, translation.z, 0.0f, 0.0f, std::sin(angle / 2.0f),
                             std::cos(angle / 2.0f), 1.0f, 1.0f, 1.0f});
}

// A tower (bone 0, still) carrying a rotor of three blades (bone 1) that turns once every two seconds through
// five key frames, a quarter turn apart.
ModelFileDescription Windmill()
{
    ModelFileDescription d;
    d.flags = Flags::Skeletal | kDrawnFlags;
    d.frameCount = 5;
    d.speed = 2.0f;
    d.bones = {{0, "tower", Vector3(0.0f), Vector3(-0.15f, -1.6f, 0.0f), Vector3(0.15f, 0.0f, 0.0f), 0, 0},
               {0, "rotor", Vector3(0.0f), Vector3(-1.1f, -1.1f, 0.0f), Vector3(1.1f, 1.1f, 0.05f), 0, 0}};
    const f32 quarterTurn = std::numbers::pi_v<f32> / 2.0f;
    for (u32 frame = 0; frame < d.frameCount; ++frame)
    {
        AddBoneKey(d.keyFrames, Vector3(0.0f), 0.0f);
        AddBoneKey(d.keyFrames, Vector3(0.0f), static_cast<f32>(frame) * quarterTurn);
    }
    AddSkinnedQuad(d, 0, {{-0.15f, -1.6f, 0.0f, 0.0f}, {0.15f, -1.6f, 1.0f, 0.0f}, {0.15f, 0.0f, 1.0f, 0.25f},
                          {-0.15f, 0.0f, 0.0f, 0.25f}},
                   0.0f);
    for (const f32 blade : {0.0f, 1.0f, 2.0f})
        AddBlade(d, quarterTurn + blade * 4.0f * quarterTurn / 3.0f);
    d.boxes = {{Vector3(-1.1f, -1.6f, 0.0f), Vector3(1.1f, 1.1f, 0.05f)}};
    return d;
}

// Static geometry: every face of the cube, or the floor, four vertices a face.
struct Face
{
    Vector3 normal;
    Vector3 corners[4];
};

ModelFileDescription StaticFaces(const std::vector<Face>& faces, f32 textureRepeat)
{
    ModelFileDescription d;
    d.flags = Flags::Static | kDrawnFlags;
    Vector3 minimum(1.0e9f);
    Vector3 maximum(-1.0e9f);
    const f32 uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const Face& face : faces)
    {
        AddQuadIndices(d.indices, static_cast<u32>(d.vertices.size()));
        for (u32 i = 0; i < 4; ++i)
        {
            const Vector3& p = face.corners[i];
            d.vertices.push_back({uv[i][0] * textureRepeat, uv[i][1] * textureRepeat, face.normal, p});
            minimum = Vector3(std::min(minimum.x, p.x), std::min(minimum.y, p.y), std::min(minimum.z, p.z));
            maximum = Vector3(std::max(maximum.x, p.x), std::max(maximum.y, p.y), std::max(maximum.z, p.z));
        }
    }
    d.boxes = {{minimum, maximum}};
    return d;
}

ModelFileDescription Crate()
{
    const f32 h = 0.6f;
    return StaticFaces({{Vector3(0, 0, 1), {{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}}},
                        {Vector3(0, 0, -1), {{h, -h, -h}, {-h, -h, -h}, {-h, h, -h}, {h, h, -h}}},
                        {Vector3(1, 0, 0), {{h, -h, h}, {h, -h, -h}, {h, h, -h}, {h, h, h}}},
                        {Vector3(-1, 0, 0), {{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}}},
                        {Vector3(0, 1, 0), {{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h}}},
                        {Vector3(0, -1, 0), {{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}}}},
                       1.0f);
}

ModelFileDescription Floor()
{
    return StaticFaces({{Vector3(0, 1, 0), {{-5, 0, 3}, {5, 0, 3}, {5, 0, -7}, {-5, 0, -7}}}}, 5.0f);
}

// Red and white bands, six of them up the picture.
ImageTest::Picture WindmillPicture()
{
    ImageTest::Picture p{64, 64, 3, std::vector<u8>(64 * 64 * 3)};
    for (u32 y = 0; y < p.height; ++y)
        for (u32 x = 0; x < p.width; ++x)
        {
            u8* pixel = p.pixels.data() + (y * p.width + x) * 3;
            const bool red = (y * 6 / p.height) % 2 == 0;
            pixel[0] = 230;
            pixel[1] = red ? 40 : 230;
            pixel[2] = red ? 30 : 220;
        }
    return p;
}

// Brown boards with a dark frame and a dark diagonal.
ImageTest::Picture CratePicture()
{
    ImageTest::Picture p{128, 128, 3, std::vector<u8>(128 * 128 * 3)};
    for (u32 y = 0; y < p.height; ++y)
        for (u32 x = 0; x < p.width; ++x)
        {
            u8* pixel = p.pixels.data() + (y * p.width + x) * 3;
            const bool frame = x < 12 || y < 12 || x >= 116 || y >= 116;
            const bool brace = x + 8 > y && x < y + 8;
            const u8 grain = static_cast<u8>((y / 16) % 2 * 20);
            pixel[0] = static_cast<u8>(frame || brace ? 100 : 170 + grain);
            pixel[1] = static_cast<u8>(frame || brace ? 60 : 110 + grain / 2);
            pixel[2] = static_cast<u8>(frame || brace ? 30 : 50);
        }
    return p;
}

// Green and grey squares, four by four.
ImageTest::Picture FloorPicture()
{
    ImageTest::Picture p{64, 64, 3, std::vector<u8>(64 * 64 * 3)};
    for (u32 y = 0; y < p.height; ++y)
        for (u32 x = 0; x < p.width; ++x)
        {
            u8* pixel = p.pixels.data() + (y * p.width + x) * 3;
            const bool dark = ((x / 16) + (y / 16)) % 2 == 0;
            pixel[0] = dark ? 40 : 120;
            pixel[1] = dark ? 110 : 130;
            pixel[2] = dark ? 50 : 120;
        }
    return p;
}

// A yellow-white dot whose opacity falls off from the centre.
ImageTest::Picture SparkPicture()
{
    ImageTest::Picture p{32, 32, 4, std::vector<u8>(32 * 32 * 4)};
    for (u32 y = 0; y < p.height; ++y)
        for (u32 x = 0; x < p.width; ++x)
        {
            u8* pixel = p.pixels.data() + (y * p.width + x) * 4;
            const f32 dx = (static_cast<f32>(x) - 15.5f) / 16.0f;
            const f32 dy = (static_cast<f32>(y) - 15.5f) / 16.0f;
            const f32 opacity = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
            pixel[0] = 255;
            pixel[1] = 230;
            pixel[2] = 150;
            pixel[3] = static_cast<u8>(255.0f * opacity);
        }
    return p;
}

// Sparks rising from a small box on the ground and fading as they go. The scene stands with y up, while a
// particle system's gravity and floor work along z: both are off here.
VelkorEngine::ParticleSystemFile Sparks()
{
    VelkorEngine::ParticleSystemFile file = MakeFountainParticleFile();
    file.capacity = 200;
    VelkorEngine::ParticleParameters& p = file.parameters;
    p.gravityOn = 0;
    p.floorOn = 0;
    p.emission.fill(60.0f);
    p.lifeCentre.fill(1.5f);
    p.lifeSpread.fill(0.3f);
    p.directionCentre.fill(Vector3(0.0f, 1.0f, 0.0f));
    p.directionSpread.fill(Vector3(0.35f, 0.0f, 0.35f));
    p.size.fill(0.06f);
    p.speedCentre.fill(0.012f);
    p.speedSpread.fill(0.004f);
    file.boxMinimum = Vector3(-0.15f, 0.0f, -0.15f);
    file.boxMaximum = Vector3(0.15f, 0.05f, 0.15f);
    return file;
}

ShaderFile SparkShader()
{
    ShaderFile shader = OneTextureShader("spark.tga", 0);
    shader.flags = 1;            // blended
    shader.sourceBlend = 4;      // source alpha
    shader.destinationBlend = 1; // one: sparks add light
    return shader;
}

// A dark blue panel, a little lighter towards its top.
ImageTest::Picture ConsolePicture()
{
    constexpr u32 kSide = 64;
    ImageTest::Picture picture{kSide, kSide, 4, std::vector<u8>(kSide * kSide * 4)};
    for (u32 y = 0; y < kSide; ++y)
        for (u32 x = 0; x < kSide; ++x)
        {
            u8* pixel = picture.pixels.data() + (static_cast<size_t>(y) * kSide + x) * 4;
            pixel[0] = 10;
            pixel[1] = static_cast<u8>(20 + y / 2);
            pixel[2] = static_cast<u8>(60 + y);
            pixel[3] = 255;
        }
    return picture;
}
}

std::vector<std::pair<std::string, std::string>> MakeEngineSmokeData()
{
    const SoundWavFormat stereo;
    const KorvaneTools::RasterFont font = KorvaneTools::RasteriseFont(
        std::string(KORVANE_FONT_FOLDER) + "/DejaVuSans.ttf", 32, KorvaneTools::GameGlyphSet(), 1024, 1024);
    return {
        {"Data/smoke/windmill.mlf", WriteModelFile(Windmill())},
        {"Data/smoke/windmill.srf", BuildShaderFile(OneTextureShader("windmill.tga", 1))},
        {"Data/smoke/windmill.tga", Text(ImageTest::MakeTga(WindmillPicture()))},
        {"Data/smoke/crate.mlf", WriteModelFile(Crate())},
        {"Data/smoke/crate.srf", BuildShaderFile(OneTextureShader("crate.jpg", 0))},
        {"Data/smoke/crate.jpg", Text(ImageTest::MakeJpeg(CratePicture(), 90))},
        {"Data/smoke/floor.mlf", WriteModelFile(Floor())},
        {"Data/smoke/floor.srf", BuildShaderFile(OneTextureShader("floor.bmp", 1))},
        {"Data/smoke/floor.bmp", Text(ImageTest::MakeBmp(FloorPicture()))},
        {"Data/smoke/sparks.psf", BuildParticleFile(Sparks())},
        {"Data/smoke/sparks.srf", BuildShaderFile(SparkShader())},
        {"Data/smoke/spark.tga", Text(ImageTest::MakeTga(SparkPicture()))},
        // A quarter second of a 660 Hz tone, and about 18 seconds of music: long enough to be streamed.
        {"Data/smoke/effect.wav", MakeSoundWav(stereo, MakeSoundTone(5512, 2, 660.0, 22050, 8000.0))},
        {"Data/smoke/music.ogg", MakeSoundOgg(2, 22050, MakeSoundMusic(400000, 2, 22050))},
        {"Data/smoke/font.vef", KorvaneTools::WriteFontFile(font.glyphs)},
        {"Data/smoke/font.tga", KorvaneTools::WriteTga(font.atlas)},
        {"Data/smoke/console.tga", Text(ImageTest::MakeTga(ConsolePicture()))},
    };
}

void WriteEngineSmokeData(const std::string& installationFolder)
{
    for (const auto& [name, bytes] : MakeEngineSmokeData())
    {
        const std::filesystem::path path = std::filesystem::path(installationFolder) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
    }
}

VelkorEngine::EngineParameters EngineSmokeParameters(const std::string& applicationName,
                                                     const std::string& installationFolder, const std::string& logName)
{
    VelkorEngine::EngineParameters parameters;
    parameters.applicationName = applicationName;
    parameters.version = 100;
    parameters.basePath = installationFolder;
    parameters.dataFolder = "Data";
    parameters.writeLog = 1;
    parameters.logDirectory = installationFolder;
    parameters.logName = logName;
    parameters.defaultVideoMode = "640x480x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    return parameters;
}
}
