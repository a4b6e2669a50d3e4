// Block meshes and skins.
#include "tools/datagen/content/Blocks.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/Random.h"
#include "tools/datagen/content/ObjectFileNames.h"
#include "tools/datagen/play/BlockKinds.h"
#include "tools/datagen/play/PlayFiles.h"
#include "tools/datagen/play/SkinPainting.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>

namespace KorvaneTools
{
namespace
{
const std::string BlockFolder = "game_objects/blocks/";

Mesh KindBox(const BlockKind& kind, float bevel)
{
    return BevelledBox({-kind.width / 2, -kind.depth / 2, 0}, {kind.width / 2, kind.depth / 2, kind.height}, bevel);
}

Mesh Keg(float bottom, float top, float fromAngle, float toAngle)
{
    // The keg's bulging profile; a slice of it between two angles (a stave) when the angles do not span
    // the whole turn.
    const float heights[] = {0, 1.2f, 3.5f, 5.8f, 7};
    const float radii[] = {3.4f, 3.8f, 4.0f, 3.8f, 3.4f};
    std::vector<Ring> rings;
    const bool whole = toAngle - fromAngle > 6.0f;
    for (int k = 0; k < 5; ++k)
    {
        if (heights[k] < bottom - 1e-4f || heights[k] > top + 1e-4f)
            continue;
        Ring ring;
        if (whole)
            ring = CircleRing(radii[k], 12, heights[k]); // corners on the axes: the keg fills its 8 × 8 box
        else
        {
            ring.push_back({0, 0, heights[k]});
            for (int s = 0; s <= 2; ++s)
            {
                const float a = fromAngle + (toAngle - fromAngle) * static_cast<float>(s) / 2;
                ring.push_back({radii[k] * std::cos(a), radii[k] * std::sin(a), heights[k]});
            }
        }
        rings.push_back(ring);
    }
    return Loft(rings, whole);
}

Mesh CageModel(const BlockKind& kind)
{
    const float hx = kind.width / 2, hy = kind.depth / 2;
    Mesh mesh = Box({-hx, -hy, 0}, {hx, hy, 1});
    mesh.Append(Box({-hx, -hy, kind.height - 1}, {hx, hy, kind.height}));
    const float xs[] = {-hx + 0.5f, -hx / 3, hx / 3, hx - 0.5f};
    for (float y : {-hy + 0.5f, hy - 0.5f})
        for (float x : xs)
            mesh.Append(Box({x - 0.4f, y - 0.4f, 1}, {x + 0.4f, y + 0.4f, kind.height - 1}));
    ProjectBoxTexture(mesh);
    return mesh;
}

Mesh PillarModel(const BlockKind& kind)
{
    const float h = kind.height;
    Mesh mesh = BevelledBox({-3, -3, 0}, {3, 3, 1.2f}, 0.3f);
    mesh.Append(Loft({CircleRing(2.4f, 8, 1.2f, Pi / 8), CircleRing(2.2f, 8, h - 1.2f, Pi / 8)}, true));
    mesh.Append(BevelledBox({-3, -3, h - 1.2f}, {3, 3, h}, 0.3f));
    ProjectBoxTexture(mesh);
    return mesh;
}

Mesh IronModel(const BlockKind& kind)
{
    // A core a little thinner than the block, with riveted plates standing out of its front to the block's
    // full depth: every part convex and closed.
    const float hx = kind.width / 2, hy = kind.depth / 2;
    Mesh mesh = BevelledBox({-hx, -hy + 0.4f, 0}, {hx, hy, kind.height}, 0.3f);
    for (float x : {-0.52f * hx, 0.52f * hx})
        mesh.Append(BevelledBox({x - 2.0f, -hy, 0.8f}, {x + 2.0f, -hy + 0.4f, kind.height - 0.8f}, 0.1f));
    ProjectBoxTexture(mesh);
    return mesh;
}

// Splits a box-shaped kind into bevelled pieces: columns across x times layers along z.
std::vector<Mesh> BoxPieces(const BlockKind& kind, int across, int layers)
{
    std::vector<Mesh> pieces;
    const float w = kind.width / static_cast<float>(across), h = kind.height / static_cast<float>(layers);
    for (int layer = 0; layer < layers; ++layer)
        for (int column = 0; column < across; ++column)
        {
            const float x0 = -kind.width / 2 + w * static_cast<float>(column);
            const float z0 = h * static_cast<float>(layer);
            pieces.push_back(BevelledBox({x0, -kind.depth / 2, z0}, {x0 + w, kind.depth / 2, z0 + h},
                                         std::min(w, h) * 0.12f));
        }
    return pieces;
}

std::vector<Mesh> KegStaves()
{
    std::vector<Mesh> staves;
    for (int s = 0; s < 6; ++s)
        staves.push_back(Keg(0, 7, 2 * Pi * static_cast<float>(s) / 6, 2 * Pi * static_cast<float>(s + 1) / 6));
    return staves;
}

std::vector<Mesh> PillarDrums()
{
    std::vector<Mesh> drums;
    for (int d = 0; d < 3; ++d)
        for (int half = 0; half < 2; ++half)
        {
            const float z0 = 4.0f * static_cast<float>(d), z1 = z0 + 4.0f;
            std::vector<Ring> rings;
            for (float z : {z0, z1})
            {
                Ring ring;
                for (int k = 0; k <= 4; ++k)
                {
                    const float a = Pi * static_cast<float>(half) + Pi * static_cast<float>(k) / 4 + Pi / 8;
                    ring.push_back({2.6f * std::cos(a), 2.6f * std::sin(a), z});
                }
                rings.push_back(ring);
            }
            drums.push_back(Loft(rings));
        }
    return drums;
}

struct KindShape
{
    const char* name;
    std::function<Mesh()> model;
    std::function<std::vector<Mesh>()> fragments;
    bool collisionBox;
    unsigned sheetColour;
};

const std::vector<KindShape>& KindShapes()
{
    static const std::vector<KindShape> shapes = {
        {"brick", [] { return KindBox(FindBlockKind("brick"), 0.6f); },
         [] { return BoxPieces(FindBlockKind("brick"), 2, 2); }, false, 0xC8A26A},
        {"granite", [] { return KindBox(FindBlockKind("granite"), 0.6f); },
         [] { return BoxPieces(FindBlockKind("granite"), 2, 2); }, false, 0x8E949C},
        {"iron", [] { return IronModel(FindBlockKind("iron")); },
         [] { return BoxPieces(FindBlockKind("iron"), 2, 1); }, false, 0x4A4D52},
        {"ghost", [] { return KindBox(FindBlockKind("ghost"), 0.6f); },
         [] { return BoxPieces(FindBlockKind("ghost"), 2, 2); }, false, 0xA8C8F0},
        {"powder", [] { return Keg(0, 7, 0, 7); }, [] { return KegStaves(); }, false, 0x7A5230},
        {"cage", [] { return CageModel(FindBlockKind("cage")); },
         [] { return BoxPieces(FindBlockKind("cage"), 2, 2); }, true, 0x4A4D52},
        {"vault", [] { return CageModel(FindBlockKind("vault")); },
         [] { return BoxPieces(FindBlockKind("vault"), 2, 2); }, true, 0xD4A640},
        {"pillar", [] { return PillarModel(FindBlockKind("pillar")); }, [] { return PillarDrums(); }, true,
         0xE8E0CC},
        {"slab", [] { return KindBox(FindBlockKind("slab"), 0.4f); },
         [] { return BoxPieces(FindBlockKind("slab"), 4, 1); }, false, 0xCFC6AE},
        {"rune", [] { return KindBox(FindBlockKind("rune"), 0.6f); },
         [] { return BoxPieces(FindBlockKind("rune"), 2, 2); }, false, 0x5FB0E0},
    };
    return shapes;
}

const KindShape& FindShape(const std::string& kind)
{
    for (const KindShape& shape : KindShapes())
        if (kind == shape.name)
            return shape;
    throw DataError("no shape for block kind \"" + kind + "\"");
}

// ---- skins (128 × 128; every face of a block shows the whole picture) ----

RgbaPicture BrickAshlar(unsigned rgb, std::uint32_t seed)
{
    RgbaPicture picture = MottledPicture(128, rgb, 0.35f, seed);
    Painter painter(picture);
    Frame(painter, 128, 6, Colour::Hex(0x3C3935));
    Frame(painter, 128, 10, Colour::Hex(0x3C3935, 0.35f));
    return picture;
}

RgbaPicture GraniteStage(int damage)
{
    RgbaPicture picture = MottledPicture(128, 0x8E949C, 0.5f, 21, 4.0f);
    Painter painter(picture);
    Frame(painter, 128, 5, Colour::Hex(0x3B3D44));
    for (int c = 0; c < damage * 3; ++c)
        Crack(painter, {64.0f + static_cast<float>(c % 3 - 1) * 20, 64.0f + static_cast<float>(c / 3 - 1) * 16},
              30.0f + 12.0f * static_cast<float>(damage), static_cast<float>(c) * 2.1f, 100u + static_cast<unsigned>(c),
              Colour::Hex(0x1E1F24));
    return picture;
}

RgbaPicture IronSkin(unsigned rgb, unsigned rivets)
{
    RgbaPicture picture = MottledPicture(128, rgb, 0.3f, 31, 6.0f);
    Painter painter(picture);
    Frame(painter, 128, 12, Colour::Hex(0x2A2B31));
    for (float x : {20.0f, 64.0f, 108.0f})
        for (float y : {20.0f, 108.0f})
        {
            painter.FillCircle({x, y}, 6, Colour::Hex(rivets));
            painter.FillCircle({x - 1.5f, y - 1.5f}, 2.5f, Colour::Hex(0xFFFFFF, 0.5f));
        }
    return picture;
}

RgbaPicture RuneSkin(unsigned base, unsigned glow, float strength, std::uint32_t seed)
{
    RgbaPicture picture = MottledPicture(128, base, 0.35f, seed);
    Painter painter(picture);
    Frame(painter, 128, 5, Colour::Hex(0x1E1F24));
    Colour light = Colour::Hex(glow);
    Glow(painter, {64, 64}, 44 * strength + 10, Colour::Hex(glow, 0.8f * strength));
    light.a = 0.4f + 0.6f * strength;
    Line(painter, {64, 24}, {64, 104}, 7, light);
    Line(painter, {64, 44}, {40, 24}, 7, light);
    Line(painter, {64, 44}, {88, 24}, 7, light);
    Line(painter, {64, 84}, {40, 104}, 7, light);
    Line(painter, {64, 84}, {88, 104}, 7, light);
    return picture;
}

RgbaPicture KegSkin()
{
    RgbaPicture picture(128, 128);
    Painter painter(picture);
    for (int s = 0; s < 8; ++s)
    {
        const float x = static_cast<float>(s) * 16;
        FillRect(painter, x, 0, x + 16, 128, Colour::Hex(s % 2 == 0 ? 0x7A5230 : 0x6A4628));
        FillRect(painter, x, 0, x + 1.5f, 128, Colour::Hex(0x3A2A1A));
    }
    for (float y : {22.0f, 100.0f})
        FillRect(painter, 0, y, 128, y + 9, Colour::Hex(0x8C1F1F));
    painter.FillCircle({64, 60}, 14, Colour::Hex(0x101010));
    painter.FillPolygon({{64, 40}, {70, 58}, {64, 80}, {58, 58}}, Colour::Hex(0x101010));
    return picture;
}

RgbaPicture LimestoneSkin(bool fluted, std::uint32_t seed)
{
    RgbaPicture picture = MottledPicture(128, 0xE0D8C4, 0.2f, seed);
    Painter painter(picture);
    if (fluted)
        for (int f = 0; f < 8; ++f)
            FillRect(painter, 8.0f + static_cast<float>(f) * 15, 0, 12.0f + static_cast<float>(f) * 15, 128,
                     Colour::Hex(0xA89F8A, 0.6f));
    else
    {
        FillRect(painter, 0, 50, 128, 78, Colour::Hex(0xB8AE96));
        for (int k = 0; k < 8; ++k)
            painter.FillCircle({8.0f + static_cast<float>(k) * 16, 64}, 5, Colour::Hex(0x8A826E));
    }
    Frame(painter, 128, 3, Colour::Hex(0x8A826E));
    return picture;
}

RgbaPicture Grey(unsigned level)
{
    RgbaPicture picture(128, 128);
    Painter(picture).Fill(Colour::Hex(level * 0x010101));
    picture.pixels.assign(picture.pixels.size(), static_cast<VelkorEngine::u8>(level));
    return picture;
}

void AddSkins(DataStage& stage)
{
    const std::string textures = BlockFolder + "textures/";
    AddJpeg(stage, textures + "brick.jpg", BrickAshlar(0xC8A26A, 11));
    for (int damage = 0; damage < 3; ++damage)
        AddJpeg(stage, textures + "granite" + std::to_string(damage) + ".jpg", GraniteStage(damage));
    AddJpeg(stage, textures + "iron.jpg", IronSkin(0x4A4D52, 0x8A8F96));
    AddJpeg(stage, textures + "ghost.jpg", RuneSkin(0xB8CCE8, 0xE8F4FF, 0.6f, 41));
    AddJpegOpacity(stage, textures + "ghost_alpha.jpg", Grey(153)); // 60 % opaque
    AddJpeg(stage, textures + "powder.jpg", KegSkin());
    AddJpeg(stage, textures + "cage.jpg", IronSkin(0x3B3D44, 0x5E5A55));
    AddJpeg(stage, textures + "vault.jpg", IronSkin(0xD4A640, 0xF2CF6B));
    AddJpeg(stage, textures + "pillar.jpg", LimestoneSkin(true, 51));
    AddJpeg(stage, textures + "slab.jpg", LimestoneSkin(false, 52));
    for (int step = 0; step < 4; ++step)
        AddJpeg(stage, textures + "rune" + std::to_string(step) + ".jpg",
                RuneSkin(0x3B3D44, 0x5FE0C8, 0.25f + 0.25f * static_cast<float>(step), 61));
}

int DescriptionInt(const DataStage& stage, const std::string& kind, const std::string& attribute)
{
    const std::string path = BlockFolder + kind + ".xml";
    const auto root = ParseDataXml(stage.Get(path), path);
    const std::string text = AttributeText(*root, attribute);
    return text.empty() ? 0 : std::stoi(text);
}
}

Mesh BlockModel(const std::string& kind) { return FindShape(kind).model(); }
std::vector<Mesh> BlockFragments(const std::string& kind) { return FindShape(kind).fragments(); }
bool HasCollisionBox(const std::string& kind) { return FindShape(kind).collisionBox; }

Mesh CommonFragment(unsigned index)
{
    // An irregular chunk: a squashed, jittered double pyramid around its own origin.
    Random random(1000 + index);
    const float radius = 1.5f + 1.5f * static_cast<float>(index) / 9.0f;
    const int sides = 5 + static_cast<int>(index % 3);
    std::vector<Ring> rings;
    for (float level : {-0.45f, 0.35f})
    {
        Ring ring;
        for (int s = 0; s < sides; ++s)
        {
            const float a = 2 * Pi * (static_cast<float>(s) + 0.3f * static_cast<float>(random.Signed())) /
                            static_cast<float>(sides);
            const float r = radius * (0.75f + 0.25f * static_cast<float>(random.Unit()));
            ring.push_back({r * std::cos(a), r * std::sin(a), level * radius});
        }
        rings.push_back(ring);
    }
    Mesh mesh = LoftWithApexes(rings, {0.2f, -0.1f, -0.9f * radius}, {-0.1f, 0.2f, 0.8f * radius}, false);
    return mesh;
}

std::vector<SheetItem> BlockSheetItems()
{
    std::vector<SheetItem> items;
    for (const KindShape& shape : KindShapes())
    {
        items.push_back({shape.name, shape.model(), shape.sheetColour});
        Mesh exploded;
        for (const Mesh& piece : shape.fragments())
        {
            Vector3 minimum, maximum;
            piece.Bounds(minimum, maximum);
            Mesh moved = piece;
            const Vector3 centre = (minimum + maximum) / 2.0f;
            exploded.Append(moved.Translate(Vector3(centre.x, centre.y, centre.z - 3.0f) * 0.3f));
        }
        items.push_back({std::string(shape.name) + " pieces", exploded, shape.sheetColour});
    }
    Mesh rocks;
    for (unsigned i = 0; i < 10; ++i)
    {
        Mesh rock = CommonFragment(i);
        rocks.Append(rock.Translate({static_cast<float>(i % 5) * 7 - 14, static_cast<float>(i / 5) * 7, 0}));
    }
    items.push_back({"common pieces", rocks, 0x9A958C});
    return items;
}

void GenerateBlocks(GeneratorContext& context)
{
    DataStage& stage = context.stage;
    for (const KindShape& shape : KindShapes())
    {
        const BlockKind& kind = FindBlockKind(shape.name);
        const ShaderFile skin = TextureShader(BlockFolder + "textures/" + kind.skin);
        AddModelWithShader(stage, BlockFolder + "models/" + shape.name + ".mlf", StaticModel(shape.model()), skin);
        const bool wantsBox = DescriptionInt(stage, shape.name, "collision_model") != 0;
        if (wantsBox != shape.collisionBox)
            throw DataError(BlockFolder + shape.name + ".xml: collision_model disagrees with the generated models");
        if (shape.collisionBox)
        {
            Mesh box = Box({-kind.width / 2, -kind.depth / 2, 0}, {kind.width / 2, kind.depth / 2, kind.height});
            AddModelWithShader(stage, BlockFolder + "models/" + shape.name + "_collision.mlf", StaticModel(box), skin);
        }
        const std::vector<Mesh> pieces = shape.fragments();
        if (DescriptionInt(stage, shape.name, "fragment_count") != static_cast<int>(pieces.size()))
            throw DataError(BlockFolder + shape.name + ".xml: fragment_count is not " + std::to_string(pieces.size()));
        for (unsigned i = 0; i < pieces.size(); ++i)
            AddModelWithShader(stage, BlockFolder + "models/fragments/" + shape.name + "_" + TwoDigits(i) + ".mlf",
                               StaticModel(pieces[i]), skin);
    }
    const ShaderFile rock = TextureShader(BlockFolder + "textures/granite0.jpg");
    for (unsigned i = 0; i < 10; ++i)
        AddModelWithShader(stage, BlockFolder + "models/fragments/common/fragment_" + std::to_string(i) + ".mlf",
                           StaticModel(CommonFragment(i)), rock);
    AddSkins(stage);
}
}
