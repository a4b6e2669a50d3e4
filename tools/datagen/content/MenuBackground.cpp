// Menu background art and layers.
#include "tools/datagen/content/MenuBackground.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/GuiModelFiles.h"
#include "tools/datagen/content/Palette.h"
#include "tools/datagen/content/UiModels.h"
#include "tools/datagen/content/UiPaint.h"
#include "tools/formats/ParticleFileWriter.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
using VelkorEngine::Vector3;

namespace
{
const std::string BackgroundFolder = "ui/background/";

RgbaPicture MenuSky()
{
    RgbaPicture sky(1024, 512);
    Painter painter(sky);
    const Colour top = Colour::Hex(0x1E1B4A), middle = Colour::Hex(0x5A3E6E), low = Colour::Hex(0xE89A4A);
    for (unsigned y = 0; y < 512; ++y)
    {
        const float t = float(y) / 511.0f;
        const Colour band = t < 0.6f ? top.Mixed(middle, t / 0.6f) : middle.Mixed(low, (t - 0.6f) / 0.4f);
        for (unsigned x = 0; x < 1024; ++x)
        {
            const float cloud = FractalNoise(float(x) / 160, float(y) / 40, 201);
            Colour c = band.Mixed(Colour::Hex(0xC98A7A), std::clamp((cloud - 0.55f) * 2.5f, 0.0f, 0.6f) * (1 - t * 0.5f));
            painter.Blend(int(x), int(y), c, 1.0f);
        }
    }
    // Distant hills along the bottom.
    std::vector<Point> hills = {{0, 512}};
    for (int x = 0; x <= 1024; x += 16)
        hills.push_back({float(x), 440 - 30 * FractalNoise(float(x) / 200, 0.5f, 202) - 10 * std::sin(float(x) / 90)});
    hills.push_back({1024, 512});
    painter.FillPolygon(hills, Colour::Hex(0x3A2E4A));
    return sky;
}

RgbaPicture Castle()
{
    RgbaPicture castle(1024, 512);
    Painter painter(castle);
    painter.Fill(Clear);
    const Colour wall = Colour::Hex(0x1C1A24), window = Colour::Hex(0xFFCF70);
    // Curtain wall with merlons across the picture, two towers and a keep.
    painter.FillPolygon({{0, 512}, {0, 330}, {1024, 330}, {1024, 512}}, wall);
    for (float x = 0; x < 1024; x += 32)
        painter.FillPolygon({{x, 330}, {x, 312}, {x + 18, 312}, {x + 18, 330}}, wall);
    for (float centre : {260.0f, 780.0f})
    {
        painter.FillPolygon({{centre - 50, 512}, {centre - 50, 180}, {centre + 50, 180}, {centre + 50, 512}}, wall);
        painter.FillPolygon({{centre - 62, 184}, {centre, 90}, {centre + 62, 184}}, wall);
        for (float y : {230.0f, 300.0f})
            painter.FillPolygon({{centre - 8, y + 26}, {centre - 8, y + 6}, {centre, y}, {centre + 8, y + 6}, {centre + 8, y + 26}}, window);
    }
    painter.FillPolygon({{430, 512}, {430, 230}, {594, 230}, {594, 512}}, wall);
    for (float x = 430; x < 594; x += 28)
        painter.FillPolygon({{x, 230}, {x, 212}, {x + 16, 212}, {x + 16, 230}}, wall);
    for (float x : {460.0f, 504.0f, 548.0f})
        painter.FillPolygon({{x, 300}, {x, 276}, {x + 8, 268}, {x + 16, 276}, {x + 16, 300}}, window);
    for (float x : {90.0f, 150.0f, 380.0f, 650.0f, 900.0f, 960.0f})
        painter.FillPolygon({{x, 380}, {x, 366}, {x + 8, 366}, {x + 8, 380}}, window.Scaled(0.85f));
    return castle;
}

RgbaPicture Fog()
{
    RgbaPicture fog(512, 128);
    for (unsigned y = 0; y < 128; ++y)
        for (unsigned x = 0; x < 512; ++x)
        {
            const float n = FractalNoise(float(x) / 70, float(y) / 24, 211);
            const float edge = std::sin(Pi * float(y) / 127.0f) * std::min(1.0f, std::min(float(x), 511.0f - float(x)) / 80.0f);
            VelkorEngine::u8* p = fog.At(x, y);
            p[0] = 200, p[1] = 190, p[2] = 210;
            p[3] = VelkorEngine::u8(std::clamp(edge * (0.4f + 0.8f * n), 0.0f, 1.0f) * 255);
        }
    return fog;
}

RgbaPicture MenuBanner()
{
    RgbaPicture banner(128, 512);
    Painter painter(banner);
    painter.Fill(Clear);
    const Colour blue = Colour::Hex(0x2E4A8C), gold = Colour::Hex(0xD4A640);
    painter.FillPolygon({{4, 0}, {124, 0}, {124, 500}, {64, 440}, {4, 500}}, gold);
    painter.FillPolygon({{12, 0}, {116, 0}, {116, 478}, {64, 426}, {12, 478}}, blue);
    painter.FillPolygon({{40, 120}, {88, 120}, {88, 180}, {64, 210}, {40, 180}}, gold);
    painter.FillCircle({64, 150}, 12, Colour::Hex(0x8C1F1F));
    return banner;
}

// The two banners as one morph model: each a grid hanging from its top edge, waving more toward the bottom.
ModelFileDescription Banners()
{
    constexpr unsigned Frames = 16;
    const auto wave = [](float phase) {
        return [phase](unsigned frame, float u, float v) {
            const float t = 2 * Pi * float(frame) / float(Frames - 1);
            const float hang = 1.0f - v; // 0 at the top edge
            return Vector3(6.0f * hang * std::sin(t + phase + 3 * hang + u), 2.0f * hang * std::sin(t + phase), 0.0f);
        };
    };
    ModelFileDescription left = MorphGuiModel({20, 200, 70, 380}, 2, 8, Frames, 16.0f, wave(0));
    const ModelFileDescription right = MorphGuiModel({710, 200, 70, 380}, 2, 8, Frames, 16.0f, wave(1.7f));
    // Frame f of the merged model: the left grid's vertices of frame f, then the right grid's.
    const size_t perFrame = left.vertices.size() / Frames;
    std::vector<ModelFileVertex> vertices;
    for (unsigned frame = 0; frame < Frames; ++frame)
    {
        vertices.insert(vertices.end(), left.vertices.begin() + long(frame * perFrame), left.vertices.begin() + long((frame + 1) * perFrame));
        vertices.insert(vertices.end(), right.vertices.begin() + long(frame * perFrame), right.vertices.begin() + long((frame + 1) * perFrame));
        ModelFileBox& box = left.boxes[frame];
        const ModelFileBox& other = right.boxes[frame];
        box.minimum = Vector3(std::min(box.minimum.x, other.minimum.x), std::min(box.minimum.y, other.minimum.y), 0.0f);
        box.maximum = Vector3(std::max(box.maximum.x, other.maximum.x), std::max(box.maximum.y, other.maximum.y), 0.0f);
    }
    for (u32 index : right.indices)
        left.indices.push_back(index + u32(perFrame));
    left.vertices = vertices;
    return left;
}

VelkorEngine::ParticleSystemFile Embers()
{
    VelkorEngine::ParticleSystemFile file = GuiParticles(60, 1.0f);
    auto& p = file.parameters;
    p.emission.fill(20.0f);
    p.lifeCentre.fill(4.0f);
    p.lifeSpread.fill(1.0f);
    p.directionCentre.fill(Vector3(0.0f, 1.0f, 0.0f));
    p.directionSpread.fill(Vector3(0.3f, 0.0f, 0.0f));
    p.speedCentre.fill(0.3f);
    p.size = LinearKeys(3.0f, 1.0f);
    p.color = LinearKeys(VelkorEngine::Color(1.0f, 0.81f, 0.44f, 1.0f), VelkorEngine::Color(1.0f, 0.81f, 0.44f, 0.0f));
    file.emitterShape = 1;
    file.boxMinimum = Vector3(0.0f, -10.0f, 0.0f);
    file.boxMaximum = Vector3(800.0f, 0.0f, 0.0f);
    return file;
}

RgbaPicture Ember()
{
    RgbaPicture ember(32, 32);
    Painter painter(ember);
    painter.Fill(Clear);
    for (float r = 15; r > 0; r -= 1)
        painter.FillCircle({16, 16}, r, Colour::Hex(0xFFCF70, 0.12f));
    return ember;
}

void AddLayers(DataStage& stage)
{
    const std::string t = BackgroundFolder + "textures/", m = BackgroundFolder + "models/";
    AddGuiModel(stage, m + "sky.mlf", StillGuiModel({0, 0, 800, 600}), GuiShader(t + "sky.jpg", "", GuiBlending::Opaque));
    AddGuiModel(stage, m + "castle.mlf", StillGuiModel({0, 0, 800, 400}), GuiShader(t + "castle.tga", "", GuiBlending::Alpha));
    AddGuiModel(stage, m + "fog.mlf", StillGuiModel({-100, 40, 1000, 160}),
                GuiShader(t + "fog.jpg", t + "fog_alpha.jpg", GuiBlending::Alpha));
    // Twelve seconds there and back at 20 frames a second; the last frame is the first again.
    constexpr unsigned DriftFrames = 240;
    AddGuiModel(stage, m + "drift.mlf",
                BoneMoverModel(DriftFrames, 20.0f,
                               [](unsigned frame) {
                                   return Vector3(40.0f * std::sin(2 * Pi * float(frame) / float(DriftFrames - 1)), 0.0f, 0.0f);
                               }),
                GuiShader(t + "fog.jpg", t + "fog_alpha.jpg", GuiBlending::Alpha));
    AddGuiModel(stage, m + "banners.mlf", Banners(), GuiShader(t + "banner.jpg", t + "banner_alpha.jpg", GuiBlending::Alpha));
    stage.Add(BackgroundFolder + "particles/embers.psf", BuildParticleFile(Embers()));
    stage.Add(BackgroundFolder + "particles/embers.srf",
              BuildShaderFile(GuiShader(t + "ember.tga", "", GuiBlending::Additive)));
}
}

std::vector<MenuPicture> BackgroundPictures()
{
    const std::string t = BackgroundFolder + "textures/";
    return {
        {t + "sky.jpg", PictureFile::Jpeg, MenuSky(), ""},
        {t + "castle.tga", PictureFile::Tga, Castle(), ""},
        {t + "fog.jpg", PictureFile::JpegWithOpacity, Fog(), ""},
        {t + "banner.jpg", PictureFile::JpegWithOpacity, MenuBanner(), ""},
        {t + "ember.tga", PictureFile::Tga, Ember(), ""},
    };
}

void GenerateMenuBackground(GeneratorContext& context)
{
    for (const MenuPicture& picture : BackgroundPictures())
        AddMenuPicture(context.stage, picture);
    AddLayers(context.stage);
}
}
