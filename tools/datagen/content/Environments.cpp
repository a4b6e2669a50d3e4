// Scenery meshes and pictures of the courtyard and the crypt.
#include "tools/datagen/content/Environments.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/play/PlayFiles.h"
#include "tools/datagen/play/SkinPainting.h"
#include "tools/formats/ImageWriters.h"

#include <cmath>
#include <numbers>

namespace KorvaneTools
{
namespace
{
const std::string Models = "environment/models/";
const std::string EnvironmentTextures = "environment/textures/";

Mesh Textured(Mesh mesh, float repeat)
{
    ProjectBoxTexture(mesh, repeat);
    return mesh;
}

// The three walls over the field's zones, with merlons above their tops (decoration only).
Mesh FieldWalls()
{
    Mesh walls = Box({-87, -100, 0}, {-77, 110, 20});
    walls.Append(Box({77, -100, 0}, {87, 110, 20}));
    walls.Append(Box({-87, 110, 0}, {87, 120, 20}));
    for (int k = 0; k < 10; ++k)
    {
        const float y = -60.0f + 17.0f * static_cast<float>(k);
        walls.Append(Box({-87, y, 20}, {-81, y + 8, 25}));
        walls.Append(Box({81, y, 20}, {87, y + 8, 25}));
    }
    for (int k = 0; k < 10; ++k)
    {
        const float x = -80.0f + 17.0f * static_cast<float>(k);
        walls.Append(Box({x, 114, 20}, {x + 8, 120, 25}));
    }
    return Textured(walls, 8);
}

Mesh Ground() { return Quad({-500, -250, -0.5f}, {1000, 0, 0}, {0, 670, 0}, 24, 16); }
Mesh FieldFloor() { return Quad({-77, -100, 0}, {154, 0, 0}, {0, 210, 0}); }

Mesh Torches()
{
    Mesh mesh;
    for (float x : {-82.0f, 82.0f})
        for (float y : {0.0f, 80.0f})
        {
            mesh.Append(Box({x - 1.2f, y - 1.2f, 17}, {x + 1.2f, y + 1.2f, 20}));
            Mesh cup = Cylinder(1.4f, 6, 20, 21.5f);
            mesh.Append(cup.Translate({x, y, 0}));
        }
    return Textured(mesh, 1);
}

// Crossed flame quads at each spot, licking upward and swaying over a closed loop of frames.
std::vector<Mesh> Flames(const std::vector<Vector3>& spots, float height, int frames)
{
    std::vector<Mesh> result;
    for (int f = 0; f < frames; ++f)
    {
        const float t = 2 * Pi * static_cast<float>(f % (frames - 1)) / static_cast<float>(frames - 1);
        Mesh mesh;
        for (std::size_t s = 0; s < spots.size(); ++s)
        {
            const float sway = 0.6f * std::sin(t + static_cast<float>(s));
            const float h = height * (1 + 0.15f * std::sin(2 * t + static_cast<float>(s)));
            const Vector3 base = spots[s];
            mesh.Append(DoubleQuad(base + Vector3(-height / 3, 0, 0), {height * 2 / 3, 0, 0}, {sway, 0, h}));
            mesh.Append(DoubleQuad(base + Vector3(0, -height / 3, 0), {0, height * 2 / 3, 0}, {0, sway, h}));
        }
        result.push_back(mesh);
    }
    return result;
}

// A cloth grid hanging from its top edge, rippling over a closed loop of frames.
std::vector<Mesh> Cloths(const std::vector<Vector3>& tops, float width, float length, float y, int frames)
{
    std::vector<Mesh> result;
    for (int f = 0; f < frames; ++f)
    {
        const float t = 2 * Pi * static_cast<float>(f % (frames - 1)) / static_cast<float>(frames - 1);
        Mesh mesh;
        for (const Vector3& top : tops)
            for (int row = 0; row < 12; ++row)
                for (int column = 0; column < 8; ++column)
                {
                    const auto at = [&](int c, int r) {
                        const float down = static_cast<float>(r) / 12;
                        const float wave = 2.0f * down * std::sin(t + static_cast<float>(c) * 0.8f + down * 3);
                        return Vector3(top.x - width / 2 + width * static_cast<float>(c) / 8, y - wave,
                                       top.z - length * down);
                    };
                    Mesh cell = DoubleQuad(at(column, row + 1), at(column + 1, row + 1) - at(column, row + 1),
                                           at(column, row) - at(column, row + 1));
                    for (std::size_t k = 0; k < cell.corners.size(); ++k)
                    {
                        const bool right = k < 6 ? (cell.corners[k].u > 0.5f) : (cell.corners[k].u < 0.5f);
                        const bool upper = cell.corners[k].v > 0.5f;
                        cell.corners[k].u = (static_cast<float>(column) + (right ? 1.0f : 0.0f)) / 8;
                        cell.corners[k].v = 1 - (static_cast<float>(row) + (upper ? 0.0f : 1.0f)) / 12;
                    }
                    mesh.Append(cell);
                }
        result.push_back(mesh);
    }
    return result;
}

Mesh Crenellated(float x0, float x1, float y0, float y1, float height)
{
    Mesh mesh = Box({x0, y0, -0.5f}, {x1, y1, height});
    for (float x = x0; x + 8 <= x1; x += 16)
        mesh.Append(Box({x, y0, height}, {x + 8, y1, height + 8}));
    return Textured(mesh, 10);
}

Mesh Towers()
{
    Mesh mesh;
    for (float x : {-220.0f, 220.0f})
    {
        Mesh body = Cylinder(40, 16, -0.5f, 200);
        FitTexture(body, 0, 0, 1, 0.5f);
        Mesh roof = LoftWithApexes({CircleRing(46, 16, 200), CircleRing(46, 16, 200.01f)}, {0, 0, 199.99f},
                                   {0, 0, 290}, false);
        ProjectBoxTexture(roof);
        FitTexture(roof, 0, 0.5f, 1, 1);
        body.Append(roof);
        mesh.Append(body.Translate({x, 420, 0}));
    }
    return mesh;
}

Mesh Arches(float y, int count, float spacing, float height)
{
    Mesh mesh;
    for (int a = 0; a < count; ++a)
    {
        const float x = (static_cast<float>(a) - static_cast<float>(count - 1) / 2) * spacing;
        mesh.Append(Box({x - spacing / 2, y, -0.5f}, {x - spacing / 2 + 10, y + 12, height}));
        // The arch itself: blocks along a half circle over the opening.
        for (int k = 0; k < 7; ++k)
        {
            const float a0 = Pi * static_cast<float>(k) / 7, a1 = Pi * static_cast<float>(k + 1) / 7;
            const float r = spacing / 2 - 5;
            std::vector<Ring> rings;
            Ring ring = {{x + r * std::cos(a0), y, height + r * std::sin(a0)},
                         {x + (r + 8) * std::cos(a0), y, height + (r + 8) * std::sin(a0)},
                         {x + (r + 8) * std::cos(a1), y, height + (r + 8) * std::sin(a1)},
                         {x + r * std::cos(a1), y, height + r * std::sin(a1)}};
            Ring back = ring;
            for (Vector3& p : back)
                p.y += 12;
            Mesh stone = Loft({ring, back});
            mesh.Append(stone);
        }
    }
    mesh.Append(Box({spacing * static_cast<float>(count) / 2 - 10, y, -0.5f}, {spacing * static_cast<float>(count) / 2, y + 12, 80}));
    return Textured(mesh, 6);
}

Mesh Columns(const std::vector<Vector3>& spots, float radius, float height)
{
    Mesh mesh;
    for (const Vector3& spot : spots)
    {
        Mesh column = Loft({CircleRing(radius, 10, -0.5f), CircleRing(radius * 0.9f, 10, height)}, true);
        column.Append(Box({-radius * 1.3f, -radius * 1.3f, height}, {radius * 1.3f, radius * 1.3f, height + 4}));
        mesh.Append(column.Translate(spot));
    }
    return Textured(mesh, 3);
}

Mesh Tombs()
{
    Mesh mesh;
    for (float x : {-160.0f, 160.0f})
    {
        mesh.Append(BevelledBox({x - 14, 120, -0.5f}, {x + 14, 180, 14}, 1.5f));
        mesh.Append(BevelledBox({x - 12, 122, 14}, {x + 12, 178, 20}, 3));
    }
    return Textured(mesh, 1);
}

std::vector<Vector3> CandleSpots()
{
    std::vector<Vector3> spots;
    for (float x : {-100.0f, 100.0f})
        for (float y : {20.0f, 60.0f, 100.0f})
            for (int k = 0; k < 3; ++k)
                spots.push_back({x + static_cast<float>(k) * 2.5f - 2.5f, y + static_cast<float>(k % 2) * 2, 6.0f + static_cast<float>(k)});
    return spots;
}

Mesh Candles()
{
    Mesh mesh;
    for (float x : {-100.0f, 100.0f})
        for (float y : {20.0f, 60.0f, 100.0f})
            mesh.Append(Box({x - 6, y - 4, -0.5f}, {x + 6, y + 4, 4}));
    for (const Vector3& spot : CandleSpots())
    {
        Mesh candle = Cylinder(0.8f, 6, 4, spot.z);
        mesh.Append(candle.Translate({spot.x, spot.y, 0}));
    }
    return Textured(mesh, 1);
}

std::vector<Mesh> Chains(int frames)
{
    std::vector<Mesh> result;
    for (int f = 0; f < frames; ++f)
    {
        const float t = 2 * Pi * static_cast<float>(f % (frames - 1)) / static_cast<float>(frames - 1);
        Mesh mesh;
        int index = 0;
        for (float x : {-130.0f, -60.0f, 60.0f, 130.0f})
        {
            const float sway = 3.0f * std::sin(t + static_cast<float>(index++));
            mesh.Append(DoubleQuad({x - 1.5f, 300, 140}, {3, 0, 0}, {sway, 0, -80}));
        }
        for (MeshCorner& c : mesh.corners)
            c.v = (c.position.z - 60) / 80 * 8;
        result.push_back(mesh);
    }
    return result;
}

// ---- pictures ----

RgbaPicture DaySky()
{
    RgbaPicture picture(512, 256);
    for (unsigned y = 0; y < 256; ++y)
        for (unsigned x = 0; x < 512; ++x)
        {
            const float t = static_cast<float>(y) / 255;
            const Colour sky = Colour::Hex(0x5A8AD0).Mixed(Colour::Hex(0xCFE0F0), t);
            const float cloud = std::max(0.0f, FractalNoise(static_cast<float>(x) / 40, static_cast<float>(y) / 20, 9) - 0.55f) * 2.5f;
            const Colour c = sky.Mixed(Colour::Hex(0xFFFFFF), std::min(cloud, 0.8f) * (1 - t * 0.5f));
            auto* p = picture.At(x, y);
            p[0] = static_cast<VelkorEngine::u8>(c.r * 255), p[1] = static_cast<VelkorEngine::u8>(c.g * 255),
            p[2] = static_cast<VelkorEngine::u8>(c.b * 255), p[3] = 255;
        }
    Painter painter(picture);
    for (int h = 0; h < 5; ++h)
        painter.FillCircle({static_cast<float>(h) * 130 + 20, 300}, 90, Colour::Hex(0x6F8A6A));
    return picture;
}

RgbaPicture Flagstones(unsigned rgb, unsigned mortar, std::uint32_t seed, bool circle, unsigned glow)
{
    RgbaPicture picture = MottledPicture(512, rgb, 0.3f, seed, 14);
    Painter painter(picture);
    for (int k = 0; k <= 8; ++k)
    {
        FillRect(painter, 0, static_cast<float>(k) * 64 - 2, 512, static_cast<float>(k) * 64 + 2, Colour::Hex(mortar));
        for (int j = 0; j <= 8; ++j)
        {
            const float x = static_cast<float>(j) * 64 + (k % 2) * 32;
            FillRect(painter, x - 2, static_cast<float>(k) * 64, x + 2, static_cast<float>(k) * 64 + 64, Colour::Hex(mortar));
        }
    }
    if (circle)
        for (float r : {150.0f, 170.0f})
            for (int s = 0; s < 64; ++s)
            {
                const float a0 = 2 * Pi * static_cast<float>(s) / 64, a1 = 2 * Pi * static_cast<float>(s + 1) / 64;
                Line(painter, {256 + r * std::cos(a0), 256 + r * std::sin(a0)}, {256 + r * std::cos(a1), 256 + r * std::sin(a1)},
                     4, Colour::Hex(glow, 0.7f));
            }
    return picture;
}

RgbaPicture WallAshlar(unsigned rgb, unsigned mortar, std::uint32_t seed, unsigned size)
{
    RgbaPicture picture = MottledPicture(size, rgb, 0.3f, seed, 8);
    Painter painter(picture);
    const float course = static_cast<float>(size) / 8;
    for (int k = 0; k < 8; ++k)
    {
        FillRect(painter, 0, static_cast<float>(k) * course, static_cast<float>(size), static_cast<float>(k) * course + 2,
                 Colour::Hex(mortar));
        for (int j = 0; j <= 4; ++j)
        {
            const float x = static_cast<float>(j) * course * 2 + (k % 2) * course;
            FillRect(painter, x, static_cast<float>(k) * course, x + 2, static_cast<float>(k + 1) * course, Colour::Hex(mortar));
        }
    }
    return picture;
}

RgbaPicture TowerAtlas()
{
    RgbaPicture picture = WallAshlar(0x9A958C, 0x3C3935, 71, 256);
    Painter painter(picture);
    FillRect(painter, 0, 0, 256, 128, Colour::Hex(0x3B4250));
    for (int k = 0; k < 8; ++k)
        FillRect(painter, 0, static_cast<float>(k) * 16, 256, static_cast<float>(k) * 16 + 2, Colour::Hex(0x2A2B31));
    return picture;
}

RgbaPicture FlamePicture(unsigned inner, unsigned outer)
{
    RgbaPicture picture(64, 128);
    const Colour a = Colour::Hex(inner), b = Colour::Hex(outer);
    for (unsigned y = 0; y < 128; ++y)
        for (unsigned x = 0; x < 64; ++x)
        {
            const float up = 1 - static_cast<float>(y) / 127; // 0 at the bottom row
            const float width = 28 * std::sin(std::min(1.0f, (1 - up) * 1.2f) * Pi * 0.5f + 0.2f) * (1 - up * 0.2f);
            const float d = std::fabs(static_cast<float>(x) - 31.5f) / std::max(width, 1.0f);
            const float alpha = std::clamp(1 - d, 0.0f, 1.0f) * std::clamp((1 - up) * 3, 0.0f, 1.0f);
            const Colour c = a.Mixed(b, std::min(1.0f, d + up * 0.5f));
            auto* p = picture.At(x, y);
            p[0] = static_cast<VelkorEngine::u8>(c.r * 255), p[1] = static_cast<VelkorEngine::u8>(c.g * 255),
            p[2] = static_cast<VelkorEngine::u8>(c.b * 255), p[3] = static_cast<VelkorEngine::u8>(alpha * 255);
        }
    return picture;
}

RgbaPicture BlueBanner(bool opacity)
{
    RgbaPicture picture(128, 256);
    Painter painter(picture);
    if (opacity)
    {
        painter.Fill(Colour::Hex(0x000000));
        painter.FillPolygon({{0, 0}, {128, 0}, {128, 220}, {64, 256}, {0, 220}}, Colour::Hex(0xFFFFFF));
        return picture;
    }
    painter.Fill(Colour::Hex(0x2E4A8C));
    FillRect(painter, 0, 0, 128, 10, Colour::Hex(0xD4A640));
    FillRect(painter, 44, 80, 84, 170, Colour::Hex(0xD4A640));
    for (float x : {44.0f, 58.0f, 72.0f})
        FillRect(painter, x, 68, x + 10, 82, Colour::Hex(0xD4A640));
    FillRect(painter, 58, 140, 70, 170, Colour::Hex(0x2E4A8C));
    return picture;
}

RgbaPicture Heraldry()
{
    RgbaPicture picture(64, 64);
    Painter painter(picture);
    painter.Fill(Colour::Hex(0x5E5A55));
    painter.FillPolygon({{8, 6}, {56, 6}, {56, 34}, {32, 60}, {8, 34}}, Colour::Hex(0xD4A640));
    painter.FillPolygon({{12, 10}, {52, 10}, {52, 32}, {32, 54}, {12, 32}}, Colour::Hex(0x8C1F1F));
    Line(painter, {18, 16}, {46, 44}, 5, Colour::Hex(0xF4F1E8));
    Line(painter, {46, 16}, {18, 44}, 5, Colour::Hex(0xF4F1E8));
    return picture;
}

RgbaPicture ChainPicture()
{
    RgbaPicture picture(32, 64);
    Painter painter(picture);
    painter.Fill(Colour::Hex(0x4A4D52, 0.0f));
    for (float y : {4.0f, 36.0f})
    {
        painter.FillPolygon({{8, y}, {24, y}, {24, y + 24}, {8, y + 24}}, Colour::Hex(0x8A8F96));
        painter.FillPolygon({{12, y + 5}, {20, y + 5}, {20, y + 19}, {12, y + 19}}, Colour::Hex(0x4A4D52, 0.0f));
    }
    FillRect(painter, 14, 26, 18, 40, Colour::Hex(0x6A6F76));
    // Clear holes: the painter blends, so cut the alpha out by hand.
    for (float y : {4.0f, 36.0f})
        for (unsigned py = static_cast<unsigned>(y) + 6; py < static_cast<unsigned>(y) + 18; ++py)
            for (unsigned px = 13; px < 19; ++px)
                picture.At(px, py)[3] = 0;
    return picture;
}

void AddPictures(DataStage& stage)
{
    AddJpeg(stage, EnvironmentTextures + "sky_day.jpg", DaySky());
    AddJpeg(stage, EnvironmentTextures + "cobbles.jpg", MottledPicture(128, 0x7A7670, 0.5f, 81, 3));
    AddJpeg(stage, EnvironmentTextures + "field_courtyard.jpg", Flagstones(0x9A958C, 0x5E5A55, 82, true, 0xD4A640));
    AddJpeg(stage, EnvironmentTextures + "wall_stone.jpg", WallAshlar(0x9A958C, 0x3C3935, 83, 128));
    AddJpeg(stage, EnvironmentTextures + "wall_big.jpg", WallAshlar(0x8A857C, 0x3C3935, 84, 256));
    AddJpeg(stage, EnvironmentTextures + "towers.jpg", TowerAtlas());
    AddJpeg(stage, EnvironmentTextures + "iron_dark.jpg", MottledPicture(64, 0x3B3D44, 0.3f, 85, 4));
    AddJpeg(stage, EnvironmentTextures + "banner_blue.jpg", BlueBanner(false));
    AddJpegOpacity(stage, EnvironmentTextures + "banner_blue_alpha.jpg", BlueBanner(true));
    AddTga(stage, EnvironmentTextures + "flame.tga", FlamePicture(0xFFF0A0, 0xFF9A3C));
    stage.Add(EnvironmentTextures + "heraldry.bmp", WriteBmp(Heraldry()));
    AddJpeg(stage, EnvironmentTextures + "crypt_back.jpg", WallAshlar(0x3B3D44, 0x1E1F24, 86, 256));
    AddJpeg(stage, EnvironmentTextures + "crypt_floor.jpg", MottledPicture(128, 0x2A2B31, 0.5f, 87, 3));
    AddJpeg(stage, EnvironmentTextures + "field_crypt.jpg", Flagstones(0x4A4C55, 0x2A2B31, 88, true, 0x5FE0C8));
    AddJpeg(stage, EnvironmentTextures + "crypt_wall.jpg", WallAshlar(0x3B3D44, 0x1E1F24, 89, 128));
    AddJpeg(stage, EnvironmentTextures + "arch_stone.jpg", WallAshlar(0x5E5A55, 0x2A2B31, 90, 128));
    AddJpeg(stage, EnvironmentTextures + "tomb.jpg", WallAshlar(0x7A7670, 0x4F6B3A, 91, 128));
    AddJpeg(stage, EnvironmentTextures + "candle.jpg", MottledPicture(64, 0xE8DCB8, 0.15f, 92, 4));
    AddTga(stage, EnvironmentTextures + "flame_green.tga", FlamePicture(0xD0FFF4, 0x5FE0C8));
    AddTga(stage, EnvironmentTextures + "chain.tga", ChainPicture());
}
}

std::vector<SceneryModel> SceneryModels(const std::string& environment)
{
    const std::string t = EnvironmentTextures;
    if (environment == "courtyard")
    {
        std::vector<Vector3> torchFlames = {{-82, 0, 21.5f}, {-82, 80, 21.5f}, {82, 0, 21.5f}, {82, 80, 21.5f}};
        Mesh sky = Quad({-700, 520, 0}, {1400, 0, 0}, {0, 0, 500});
        // Facing the camera (-y): turn the quad's face around.
        for (std::size_t i = 0; i + 2 < sky.corners.size(); i += 3)
            std::swap(sky.corners[i + 1], sky.corners[i + 2]);
        OrientAwayFrom(sky, {0, 600, 250});
        Mesh crest = Box({-20, 377, 80}, {20, 380, 120});
        ProjectBoxTexture(crest);
        return {
            {"courtyard/sky", {sky}, 0, t + "sky_day.jpg", false, ""},
            {"courtyard/ground", {Ground()}, 0, t + "cobbles.jpg", true, ""},
            {"courtyard/field", {FieldFloor()}, 0, t + "field_courtyard.jpg", true, ""},
            {"courtyard/walls", {FieldWalls()}, 0, t + "wall_stone.jpg", true, ""},
            {"courtyard/backdrop", {Crenellated(-500, 500, 380, 400, 140)}, 0, t + "wall_big.jpg", true, ""},
            {"courtyard/crest", {crest}, 0, t + "heraldry.bmp", true, ""},
            {"courtyard/towers", {Towers()}, 0, t + "towers.jpg", true, ""},
            {"courtyard/torches", {Torches()}, 0, t + "iron_dark.jpg", true, ""},
            {"courtyard/flames", Flames(torchFlames, 5, 8), 15, t + "flame.tga", false, "32bit"},
            {"courtyard/banners", Cloths({{-300, 0, 130}, {-120, 0, 130}, {120, 0, 130}, {300, 0, 130}}, 30, 70, 378, 16),
             10, t + "banner_blue.jpg", false, t + "banner_blue_alpha.jpg"},
        };
    }
    if (environment == "crypt")
    {
        Mesh back = Quad({-700, 450, -0.5f}, {1400, 0, 0}, {0, 0, 300}, 6, 2);
        OrientAwayFrom(back, {0, 600, 150});
        std::vector<Vector3> pillars;
        for (float x : {-150.0f, 150.0f})
            for (float y : {150.0f, 230.0f, 310.0f}) // behind the field: nearer ones would cut across the view
                pillars.push_back({x, y, 0});
        std::vector<Vector3> flames = CandleSpots();
        for (Vector3& f : flames)
            f.z += 0.1f;
        return {
            {"crypt/backwall", {back}, 0, t + "crypt_back.jpg", false, ""},
            {"crypt/ground", {Ground()}, 0, t + "crypt_floor.jpg", true, ""},
            {"crypt/field", {FieldFloor()}, 0, t + "field_crypt.jpg", true, ""},
            {"crypt/walls", {FieldWalls()}, 0, t + "crypt_wall.jpg", true, ""},
            {"crypt/arches", {Arches(360, 5, 120, 90)}, 0, t + "arch_stone.jpg", true, ""},
            {"crypt/pillars", {Columns(pillars, 8, 130)}, 0, t + "arch_stone.jpg", true, ""},
            {"crypt/tombs", {Tombs()}, 0, t + "tomb.jpg", true, ""},
            {"crypt/candles", {Candles()}, 0, t + "candle.jpg", true, ""},
            {"crypt/flames", Flames(flames, 1.6f, 8), 15, t + "flame_green.tga", false, "32bit"},
            {"crypt/chains", Chains(16), 8, t + "chain.tga", false, "32bit"},
        };
    }
    throw DataError("no environment \"" + environment + "\"");
}

void GenerateEnvironments(GeneratorContext& context)
{
    for (const char* environment : {"courtyard", "crypt"})
        for (const SceneryModel& model : SceneryModels(environment))
        {
            const std::string file = Models + model.name.substr(0, model.name.find('/')) + "_" +
                                     model.name.substr(model.name.find('/') + 1) + ".mlf";
            const ModelFileDescription description = model.frames.size() == 1
                                                         ? StaticModel(model.frames.front(), model.culled)
                                                         : MorphModel(model.frames, model.speed, model.culled);
            const Blending blending = model.opacity.empty() ? Blending::Opaque : Blending::Alpha;
            const bool wrap = model.name.ends_with("ground") || model.name.ends_with("walls") ||
                              model.name.ends_with("backdrop") || model.name.ends_with("arches") ||
                              model.name.ends_with("pillars") || model.name.ends_with("chains") ||
                              model.name.ends_with("backwall");
            AddModelWithShader(context.stage, file, description,
                               TextureShader(model.texture, blending, model.opacity, wrap));
        }
    AddPictures(context.stage);
}
}
