// Pictures and particle systems of the play objects.
#include "tools/datagen/content/PlayArt.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/content/ObjectFileNames.h"
#include "tools/datagen/play/PlayFiles.h"
#include "tools/datagen/play/SkinPainting.h"
#include "tools/formats/ParticleFileWriter.h"

#include <cmath>
#include <numbers>

namespace KorvaneTools
{
namespace
{
using VelkorEngine::Color;
using VelkorEngine::ParticleKeyCount;
using VelkorEngine::ParticleSystemFile;

// ---- skins ----

RgbaPicture Wood(unsigned rgb, std::uint32_t seed)
{
    RgbaPicture picture(128, 128);
    Painter painter(picture);
    painter.Mottle(Colour::Hex(rgb), 6.0f, 0.25f, seed);
    for (int g = 0; g < 12; ++g)
    {
        const float y = 5.0f + static_cast<float>(g) * 10.5f;
        Line(painter, {0, y}, {128, y + 3 * std::sin(static_cast<float>(g))}, 1.2f, Colour::Hex(0x3A2A1A, 0.5f));
    }
    return picture;
}

// Left half one material, right half another: the atlases of the two-material models.
RgbaPicture TwoMaterials(const RgbaPicture& left, const RgbaPicture& right)
{
    RgbaPicture picture(128, 128);
    for (unsigned y = 0; y < 128; ++y)
        for (unsigned x = 0; x < 128; ++x)
        {
            const auto* from = x < 64 ? left.At(x, y) : right.At(x, y);
            std::copy(from, from + 4, picture.At(x, y));
        }
    return picture;
}

RgbaPicture MetalTexture(unsigned rgb, std::uint32_t seed, bool band)
{
    RgbaPicture picture = MottledPicture(128, rgb, 0.25f, seed, 5.0f);
    Painter painter(picture);
    for (int k = 0; k < 6; ++k)
        Line(painter, {0, 10.0f + static_cast<float>(k) * 22}, {128, 14.0f + static_cast<float>(k) * 22}, 3,
             Colour::Hex(0xFFFFFF, 0.12f));
    if (band)
    {
        FillRect(painter, 0, 56, 128, 72, Colour::Hex(0x4A4D52));
        Line(painter, {0, 58}, {128, 58}, 1.5f, Colour::Hex(0xD4A640));
        Line(painter, {0, 70}, {128, 70}, 1.5f, Colour::Hex(0xD4A640));
    }
    return picture;
}

RgbaPicture GlowingGold()
{
    RgbaPicture picture = MottledPicture(128, 0xD4A640, 0.3f, 77, 5.0f);
    Painter painter(picture);
    for (int c = 0; c < 5; ++c)
        Crack(painter, {25.0f * static_cast<float>(c) + 12, 64}, 60, static_cast<float>(c) * 1.3f, 300u + static_cast<unsigned>(c),
              Colour::Hex(0xFF6A20));
    return picture;
}

RgbaPicture Rope()
{
    RgbaPicture picture(128, 128);
    Painter painter(picture);
    painter.Fill(Colour::Hex(0xB89A60));
    for (int k = -8; k < 16; ++k)
        Line(painter, {static_cast<float>(k) * 12, 0}, {static_cast<float>(k) * 12 + 64, 128}, 4,
             Colour::Hex(0x7A5A30, 0.8f));
    return picture;
}

// ---- bonus emblems on a medallion: rim in the kind's glow, emblem in the middle ----
// Named "bonus_<kind>.jpg": the ballista and hammer emblems would otherwise take the names of the gun's and
// the hammer's own skins.

struct Bonus
{
    const char* name;
    unsigned rim;
};

// Rims in the glow colour the game gives each kind's falling bonus: blue helps, red-orange hinders,
// yellow arms.
constexpr unsigned Blue = 0x0090FF, RedOrange = 0xFF4200, Yellow = 0xFFD800;
const Bonus Bonuses[] = {
    {"life", Blue},           {"bat_increase", Blue},    {"bat_decrease", RedOrange}, {"balls_speed_up", RedOrange},
    {"balls_slow_down", Blue}, {"balls_split", Blue},    {"balls_super", Blue},       {"barrier", Blue},
    {"arbalest", Yellow},     {"ballista", Yellow},      {"hammer", Yellow},
};

// An arrow head pointing along x (direction 1 or -1) with its tip at (x, y).
void PaintArrow(Painter& p, float x, float y, float direction, float size, const Colour& c)
{
    p.FillPolygon({{x - size * direction, y - size}, {x, y}, {x - size * direction, y + size}}, c);
}

void Ball(Painter& p, Point centre, float radius, const Colour& colour)
{
    p.FillCircle(centre, radius, colour.Scaled(0.55f));
    p.FillCircle({centre.x - radius * 0.12f, centre.y - radius * 0.12f}, radius * 0.82f, colour);
    p.FillCircle({centre.x - radius * 0.35f, centre.y - radius * 0.35f}, radius * 0.25f, Colour::Hex(0xFFFFFF, 0.8f));
}

// Every kind has a shape of its own and a colour of its own, large enough to read on a falling medallion a few
// dozen pixels across, dark on a pale face that stays light enough in the field's dim side light; the rim keeps
// the glow colour that tells helps from hinders.
void Emblem(Painter& p, const std::string& name)
{
    const Colour ink = Colour::Hex(0x24232A);
    const Colour wood = Colour::Hex(0x7A4A1E);
    if (name == "life")
    {
        const Colour red = Colour::Hex(0xD0142A);
        p.FillCircle({45, 52}, 21, red);
        p.FillCircle({83, 52}, 21, red);
        p.FillPolygon({{25, 60}, {103, 60}, {64, 106}}, red);
        p.FillCircle({40, 46}, 6, Colour::Hex(0xFFFFFF, 0.6f));
    }
    else if (name == "bat_increase")
    {
        const Colour green = Colour::Hex(0x0E9A34);
        FillRect(p, 34, 54, 94, 74, wood);
        PaintArrow(p, 118, 64, 1, 22, green);
        PaintArrow(p, 10, 64, -1, 22, green);
    }
    else if (name == "bat_decrease")
    {
        // Two heavy heads squeezing a short bar in the middle; the increase's arrows sit at the rim instead.
        const Colour purple = Colour::Hex(0x8A1AA8);
        FillRect(p, 56, 52, 72, 76, wood);
        PaintArrow(p, 54, 64, 1, 28, purple);
        PaintArrow(p, 74, 64, -1, 28, purple);
    }
    else if (name == "balls_speed_up")
    {
        const Colour orange = Colour::Hex(0xF07800);
        p.FillPolygon({{20, 24}, {64, 64}, {20, 104}, {20, 84}, {42, 64}, {20, 44}}, orange);
        p.FillPolygon({{60, 24}, {104, 64}, {60, 104}, {60, 84}, {82, 64}, {60, 44}}, orange);
        p.FillPolygon({{20, 44}, {42, 64}, {20, 84}}, orange.Scaled(0.7f));
        p.FillPolygon({{60, 44}, {82, 64}, {60, 84}}, orange.Scaled(0.7f));
    }
    else if (name == "balls_slow_down")
    {
        const Colour ice = Colour::Hex(0x1C8AD0);
        p.FillPolygon({{34, 20}, {94, 20}, {64, 64}}, ice);
        p.FillPolygon({{64, 64}, {94, 108}, {34, 108}}, ice);
        FillRect(p, 28, 12, 100, 22, ink);
        FillRect(p, 28, 106, 100, 116, ink);
    }
    else if (name == "balls_split")
        for (int k = 0; k < 3; ++k)
            Ball(p,
                 {64 + 27 * std::cos(static_cast<float>(k) * 2 * Pi / 3 - Pi / 2),
                  68 + 27 * std::sin(static_cast<float>(k) * 2 * Pi / 3 - Pi / 2)},
                 20, Colour::Hex(0x3A4452));
    else if (name == "balls_super")
    {
        for (int k = 0; k < 12; ++k)
        {
            const float a = static_cast<float>(k) * Pi / 6;
            p.FillPolygon({{64 + 22 * std::cos(a - 0.3f), 64 + 22 * std::sin(a - 0.3f)},
                           {64 + 52 * std::cos(a), 64 + 52 * std::sin(a)},
                           {64 + 22 * std::cos(a + 0.3f), 64 + 22 * std::sin(a + 0.3f)}},
                          ink);
        }
        Ball(p, {64, 64}, 28, Colour::Hex(0xF0C000));
    }
    else if (name == "barrier")
    {
        FillRect(p, 20, 24, 36, 110, wood);
        FillRect(p, 92, 24, 108, 110, wood);
        for (float y : {44.0f, 66.0f, 88.0f})
            Line(p, {26, y}, {102, y}, 9, Colour::Hex(0x2E7A2A));
    }
    else if (name == "arbalest")
    {
        // A crossbow seen from above: stock upright, a heavy bow across, the string drawn.
        const Colour bow = Colour::Hex(0x9A2A14);
        Line(p, {64, 114}, {64, 28}, 12, wood);
        Line(p, {14, 60}, {64, 30}, 13, bow);
        Line(p, {114, 60}, {64, 30}, 13, bow);
        Line(p, {14, 60}, {64, 80}, 4, ink);
        Line(p, {114, 60}, {64, 80}, 4, ink);
    }
    else if (name == "ballista")
    {
        // A heavy bolt, head up, with fins.
        const Colour steel = Colour::Hex(0x2E6A9A);
        Line(p, {64, 116}, {64, 44}, 14, wood);
        p.FillPolygon({{30, 58}, {98, 58}, {64, 10}}, steel);
        p.FillPolygon({{64, 84}, {34, 118}, {64, 102}}, steel);
        p.FillPolygon({{64, 84}, {94, 118}, {64, 102}}, steel);
    }
    else if (name == "hammer")
    {
        // A war hammer leaning across the face.
        Line(p, {30, 108}, {80, 46}, 14, wood);
        p.FillPolygon({{50, 16}, {118, 70}, {98, 94}, {30, 40}}, ink);
    }
}

RgbaPicture BonusPicture(const Bonus& bonus)
{
    RgbaPicture picture(128, 128);
    Painter p(picture);
    p.Fill(Colour::Hex(bonus.rim));
    p.FillCircle({64, 64}, 58, Colour::Hex(bonus.rim).Scaled(0.55f));
    p.FillCircle({64, 64}, 55, Colour::Hex(0xF4EAD2));
    Emblem(p, bonus.name);
    return picture;
}

RgbaPicture Spark()
{
    RgbaPicture picture = SoftSpot(64, 0xFFFFFF, 0.5f);
    Painter p(picture);
    Line(p, {32, 2}, {32, 62}, 3, Colour::Hex(0xFFFFFF, 0.9f));
    Line(p, {2, 32}, {62, 32}, 3, Colour::Hex(0xFFFFFF, 0.9f));
    return picture;
}

RgbaPicture Smoke()
{
    RgbaPicture picture = SoftSpot(64, 0xB0B0B0, 0.7f);
    for (unsigned y = 0; y < 64; ++y)
        for (unsigned x = 0; x < 64; ++x)
        {
            auto* px = picture.At(x, y);
            px[3] = static_cast<VelkorEngine::u8>(px[3] * (0.5f + 0.5f * FractalNoise(static_cast<float>(x) / 8,
                                                                                       static_cast<float>(y) / 8, 5)));
        }
    return picture;
}

RgbaPicture Chip(unsigned rgb, const std::vector<Point>& shape)
{
    RgbaPicture picture(64, 64);
    Painter p(picture);
    p.Fill(Colour::Hex(rgb, 0.0f));
    p.FillPolygon(shape, Colour::Hex(rgb));
    return picture;
}

RgbaPicture RingPicture(unsigned rgb)
{
    RgbaPicture picture(64, 64);
    const Colour c = Colour::Hex(rgb);
    for (unsigned y = 0; y < 64; ++y)
        for (unsigned x = 0; x < 64; ++x)
        {
            const float d = std::hypot(static_cast<float>(x) - 31.5f, static_cast<float>(y) - 31.5f) / 32;
            const float a = std::max(0.0f, 1 - std::fabs(d - 0.7f) * 4) + std::max(0.0f, 0.5f - d);
            auto* px = picture.At(x, y);
            px[0] = static_cast<VelkorEngine::u8>(c.r * 255), px[1] = static_cast<VelkorEngine::u8>(c.g * 255);
            px[2] = static_cast<VelkorEngine::u8>(c.b * 255);
            px[3] = static_cast<VelkorEngine::u8>(std::min(1.0f, a) * 255);
        }
    return picture;
}

// ---- particle systems ----

struct Recipe
{
    const char* file;
    const char* texture;
    Blending blending;
    u32 capacity;
    float period;
    float emission; // per second, or the burst's count when burst
    bool burst;
    float life, lifeSpread;
    Vector3 direction, spread;
    float speedFrom, speedTo;
    float sizeFrom, sizeTo;
    std::vector<unsigned> colours; // 0xRRGGBBAA, spread evenly over the keys
    float gravity;                 // 0: off
    bool floor;
    float bounce;
    Vector3 boxMinimum, boxMaximum; // equal: a point emitter
};

Color KeyColour(const std::vector<unsigned>& colours, float t)
{
    const float at = t * static_cast<float>(colours.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(at), colours.size() - 2);
    const float f = at - static_cast<float>(i);
    const auto channel = [&](std::size_t k, int shift) { return static_cast<float>((colours[k] >> shift) & 0xFF) / 255; };
    Color c;
    c.r = channel(i, 24) * (1 - f) + channel(i + 1, 24) * f;
    c.g = channel(i, 16) * (1 - f) + channel(i + 1, 16) * f;
    c.b = channel(i, 8) * (1 - f) + channel(i + 1, 8) * f;
    c.a = channel(i, 0) * (1 - f) + channel(i + 1, 0) * f;
    return c;
}

ParticleSystemFile Particles(const Recipe& r)
{
    ParticleSystemFile file;
    file.capacity = r.capacity;
    auto& p = file.parameters;
    p.period = r.period;
    p.gravityOn = r.gravity > 0 ? 1 : 0;
    p.gravity = r.gravity;
    p.floorOn = r.floor ? 1 : 0;
    p.floorHeight = 0.0f;
    p.bounceFactor = r.bounce;
    p.dieWhenStopped = 0;
    p.stopThreshold = 0.01f;
    p.continuousEmission = r.burst ? 0 : 1;
    p.emission.fill(r.burst ? 0.0f : r.emission);
    if (r.burst)
        p.emission[0] = r.emission;
    p.lifeCentre.fill(r.life);
    p.lifeSpread.fill(r.lifeSpread);
    p.directionCentre.fill(r.direction);
    p.directionSpread.fill(r.spread);
    for (u32 k = 0; k < ParticleKeyCount; ++k)
    {
        const float t = static_cast<float>(k) / static_cast<float>(ParticleKeyCount - 1);
        p.color[k] = KeyColour(r.colours, t);
        p.size[k] = r.sizeFrom + (r.sizeTo - r.sizeFrom) * t;
        p.speedCentre[k] = r.speedFrom + (r.speedTo - r.speedFrom) * t;
        p.speedSpread[k] = p.speedCentre[k] * 0.3f;
    }
    const bool box = r.boxMinimum != r.boxMaximum;
    file.emitterShape = box ? 1 : 0;
    file.boxMinimum = r.boxMinimum;
    file.boxMaximum = r.boxMaximum;
    return file;
}

const Vector3 Zero(0.0f);
const Vector3 Up(0, 0, 1);
const Vector3 All(1.0f);

const std::vector<Recipe>& Recipes()
{
    using B = Blending;
    static const std::vector<Recipe> recipes = {
        {"ball_simple_train", "spot", B::Additive, 20, 1, 40, false, 0.35f, 0, Zero, All, 0.01f, 0.01f, 1.6f, 0.2f,
         {0xC0DCFFCC, 0xC0DCFF00}, 0, false, 0, Zero, Zero},
        {"ball_super_train", "fire", B::Additive, 30, 1, 60, false, 0.4f, 0, Zero, All, 0.02f, 0.02f, 2.4f, 0.3f,
         {0xFFD060FF, 0xE04020A0, 0x80100000}, 0, false, 0, Zero, Zero},
        {"ball_simple_hit", "spark", B::Additive, 10, 0.1f, 10, true, 0.25f, 0, Zero, All, 0.3f, 0.3f, 0.8f, 0.1f,
         {0xFFFFFFFF, 0xFFFFFF00}, 1.0f, true, 0.4f, Zero, Zero},
        {"ball_super_hit", "spark", B::Additive, 16, 0.1f, 16, true, 0.35f, 0, Zero, All, 0.45f, 0.45f, 1.2f, 0.1f,
         {0xF2CF6BFF, 0xF2CF6B00}, 1.0f, true, 0.4f, Zero, Zero},
        {"bat_destruction", "splinter", B::Alpha, 40, 0.15f, 40, true, 1.2f, 0.3f, Up, {1, 1, 0.5f}, 0.4f, 0.4f, 1.0f,
         0.5f, {0x7A5230FF, 0x9A958CC0, 0x9A958C00}, 1.0f, true, 0.3f, {-6, -3, 0}, {6, 3, 4}},
        {"block_creation", "smoke", B::Alpha, 12, 0.2f, 12, true, 0.6f, 0, Up, {1, 1, 0.2f}, 0.05f, 0.05f, 2, 4,
         {0x9A958C80, 0x9A958C00}, 0, false, 0, {-5, -3, 0}, {5, 3, 1}},
        {"block_destruction_simple", "chip", B::Alpha, 20, 0.1f, 20, true, 1.0f, 0.2f, Up, {1, 1, 0.5f}, 0.4f, 0.4f,
         0.8f, 0.6f, {0xB8A88AFF, 0xB8A88A00}, 1.0f, true, 0.3f, {-5, -3, 0}, {5, 3, 6}},
        {"block_destruction_super", "fire", B::Additive, 28, 0.1f, 28, true, 1.0f, 0, Up, {1, 1, 0.5f}, 0.55f, 0.55f,
         1.0f, 0.6f, {0xF2CF6BFF, 0xE04020C0, 0x80100000}, 1.0f, true, 0.3f, {-5, -3, 0}, {5, 3, 6}},
        {"block_explosive", "fire", B::Alpha, 40, 0.15f, 40, true, 0.9f, 0.2f, Up, All, 0.6f, 0.1f, 3, 6,
         {0xFFFFFFFF, 0xFF9A3CE0, 0x302820A0, 0x30282000}, 0.3f, false, 0, Zero, Zero},
        {"bonus_catch", "spark", B::Additive, 24, 0.1f, 24, true, 0.5f, 0, Zero, {1, 0, 1}, 0.3f, 0.3f, 1.2f, 0.2f,
         {0xF2CF6BFF, 0xF2CF6B00}, 0, false, 0, Zero, Zero},
        {"bonus_end_level", "mote", B::Additive, 30, 0.3f, 30, true, 1.0f, 0, Up, {0.3f, 0.3f, 0}, 0.25f, 0.25f, 1.5f,
         0.5f, {0xFFFFFFFF, 0xF2CF6BC0, 0xF2CF6B00}, 0, false, 0, {-5, -5, 0}, {5, 5, 0}},
        {"arbalet_train", "smoke", B::Alpha, 20, 1, 30, false, 0.2f, 0, Zero, All, 0.01f, 0.01f, 0.6f, 0.1f,
         {0xA0A0A080, 0xA0A0A000}, 0, false, 0, Zero, Zero},
        {"arbalet_hit", "splinter", B::Alpha, 10, 0.1f, 10, true, 0.6f, 0, {0, -1, 1}, All, 0.3f, 0.3f, 0.5f, 0.5f,
         {0x7A5230FF, 0x7A523000}, 1.0f, true, 0.3f, Zero, Zero},
        {"ballista_train", "smoke", B::Alpha, 30, 1, 40, false, 0.3f, 0, Zero, All, 0.01f, 0.01f, 1.0f, 0.2f,
         {0xA0A0A099, 0xA0A0A000}, 0, false, 0, Zero, Zero},
        {"ballista_hit", "splinter", B::Alpha, 18, 0.1f, 18, true, 0.8f, 0, {0, -1, 1}, All, 0.4f, 0.4f, 0.8f, 0.8f,
         {0x7A5230FF, 0x9A958CC0, 0x9A958C00}, 1.0f, true, 0.3f, Zero, Zero},
    };
    return recipes;
}
}

const std::vector<std::string>& BonusNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const Bonus& bonus : Bonuses)
            list.push_back(bonus.name);
        return list;
    }();
    return names;
}

std::vector<std::string> PlayParticlePaths()
{
    std::vector<std::string> paths;
    for (const Recipe& r : Recipes())
        paths.push_back(std::string("game_objects/particles/") + r.file + ".psf");
    return paths;
}

void AddPlayArt(DataStage& stage)
{
    AddJpeg(stage, ObjectTextures + "steel.jpg", MetalTexture(0xB8C0C8, 1, true));
    AddJpeg(stage, ObjectTextures + "gold.jpg", GlowingGold());
    AddJpeg(stage, ObjectTextures + "oak.jpg", Wood(0x7A5230, 2));
    AddJpeg(stage, ObjectTextures + "iron.jpg", MetalTexture(0x4A4D52, 3, false));
    AddJpeg(stage, ObjectTextures + "rotor.jpg", MetalTexture(0xB08040, 4, false));
    AddJpeg(stage, ObjectTextures + "crossbow.jpg", TwoMaterials(Wood(0x7A5230, 5), MetalTexture(0x8A8F96, 6, false)));
    AddJpeg(stage, ObjectTextures + "ballista.jpg", TwoMaterials(Wood(0x5A3A20, 7), MetalTexture(0x4A4D52, 8, false)));
    AddJpeg(stage, ObjectTextures + "bolt.jpg", TwoMaterials(Wood(0x9A7040, 9), MetalTexture(0x8A8F96, 10, false)));
    AddJpeg(stage, ObjectTextures + "hammer.jpg", TwoMaterials(Wood(0x7A5230, 11), MetalTexture(0x5A5D62, 12, true)));
    AddJpeg(stage, ObjectTextures + "rope.jpg", Rope());
    AddJpeg(stage, ObjectTextures + "post.jpg",
            TwoMaterials(Wood(0x7A5230, 13), MottledPicture(128, 0x2E4A8C, 0.2f, 14)));
    for (const Bonus& bonus : Bonuses)
        AddJpeg(stage, ObjectTextures + "bonus_" + bonus.name + ".jpg", BonusPicture(bonus));
    AddTga(stage, ObjectTextures + "flare_ball.tga", SoftSpot(64, 0xC8E0FF, 0.6f));
    AddTga(stage, ObjectTextures + "flare_bonus.tga", RingPicture(0xFFF0C0));
    AddTga(stage, ObjectTextures + "spot.tga", SoftSpot(64, 0xFFFFFF, 0.8f));
    AddTga(stage, ObjectTextures + "spark.tga", Spark());
    AddTga(stage, ObjectTextures + "smoke.tga", Smoke());
    AddTga(stage, ObjectTextures + "chip.tga", Chip(0xB8A88A, {{20, 14}, {48, 20}, {52, 44}, {26, 52}, {12, 34}}));
    AddTga(stage, ObjectTextures + "splinter.tga", Chip(0x8A6238, {{8, 40}, {56, 20}, {58, 26}, {12, 46}}));
    AddTga(stage, ObjectTextures + "fire.tga", SoftSpot(64, 0xFFB050, 0.5f));
    AddTga(stage, ObjectTextures + "mote.tga", SoftSpot(64, 0xFFF4C0, 1.5f));
}

void AddPlayParticles(DataStage& stage)
{
    for (const Recipe& r : Recipes())
    {
        const std::string path = std::string("game_objects/particles/") + r.file;
        stage.Add(path + ".psf", BuildParticleFile(Particles(r)));
        AddShaderFile(stage, path + ".srf", TextureShader(ObjectTextures + r.texture + ".tga", r.blending, "32bit"));
    }
}
}
