// Play object meshes. Sizes follow the play code's scale: the bat line at y -85, balls of radius 2.5 and 3,
// the bat's head 12 wide at width 0 (the code stretches it along x), all in the object's own space.
#include "tools/datagen/content/PlayObjects.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/ObjectFileNames.h"
#include "tools/datagen/content/PlayArt.h"
#include "tools/datagen/play/PlayFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace KorvaneTools
{
namespace
{
const std::string Objects = "game_objects/";

float Smooth(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// ---- bat ----

Mesh BatHead()
{
    Mesh core = BevelledBox({-5, -1.5f, 0}, {5, 1.5f, 5}, 0.5f);
    FitTexture(core, 0, 0, 0.75f, 1);
    Mesh mesh = core;
    for (float side : {-1.0f, 1.0f})
    {
        Mesh cap = BevelledBox({side < 0 ? -6.0f : 5.0f, -1.5f, 0}, {side < 0 ? -5.0f : 6.0f, 1.5f, 5}, 0.3f);
        FitTexture(cap, 0.75f, 0, 1, 1);
        mesh.Append(cap);
    }
    return mesh;
}

Mesh BatBody()
{
    Mesh mesh = BevelledBox({-5, -5, 0.5f}, {5, -1.5f, 4.5f}, 0.6f);
    return mesh;
}

Mesh Blade(float angle)
{
    // A pitched blade from the hub out to the rotor's radius.
    Mesh blade = BevelledBox({0.6f, -0.45f, -0.12f}, {2.95f, 0.45f, 0.12f}, 0.05f); // corners within radius 3
    blade.Rotate(0, 0.35f).Rotate(2, angle).Translate({0, 0, 1.5f});
    return blade;
}

Mesh ScrewHub() { return Cylinder(0.7f, 8, 1.0f, 2.0f); }

Mesh BatScrew()
{
    Mesh mesh = ScrewHub();
    for (int b = 0; b < 4; ++b)
        mesh.Append(Blade(Pi / 2 * static_cast<float>(b)));
    ProjectBoxTexture(mesh);
    return mesh;
}

std::vector<Mesh> HeadPieces()
{
    std::vector<Mesh> pieces;
    for (int i = 0; i < 6; ++i)
    {
        const float x0 = -6.0f + 2.0f * static_cast<float>(i);
        Mesh piece = BevelledBox({x0, -1.5f, 0}, {x0 + 2, 1.5f, 5}, 0.25f);
        FitTexture(piece, 0.125f * static_cast<float>(i), 0, 0.125f * static_cast<float>(i + 1), 1);
        pieces.push_back(piece);
    }
    return pieces;
}

std::vector<Mesh> BodyPieces()
{
    std::vector<Mesh> pieces;
    for (int layer = 0; layer < 2; ++layer)
        for (int column = 0; column < 3; ++column)
        {
            const float x0 = -5.0f + 10.0f / 3 * static_cast<float>(column);
            const float z0 = 0.5f + 2.0f * static_cast<float>(layer);
            pieces.push_back(BevelledBox({x0, -5, z0}, {x0 + 10.0f / 3, -1.5f, z0 + 2}, 0.2f));
        }
    return pieces;
}

std::vector<Mesh> ScrewPieces()
{
    std::vector<Mesh> pieces;
    for (int b = 0; b < 4; ++b)
        pieces.push_back(Blade(Pi / 2 * static_cast<float>(b)));
    pieces.push_back(Cylinder(0.7f, 8, 1.0f, 1.5f));
    pieces.push_back(Cylinder(0.7f, 8, 1.5f, 2.0f));
    return pieces;
}

// ---- bonuses: upright medallions facing the camera (-y), the emblem mapped over the face ----

// Wide enough that the emblem reads at play size; raised so that its rim clears the floor by 1 at the height the
// play carries a bonus (4 above the floor).
constexpr float MedallionRadius = 5.0f;
constexpr float MedallionLift = MedallionRadius - 3.0f;

Mesh Medallion()
{
    Mesh mesh = Cylinder(MedallionRadius, 16, -0.75f, 0.75f, Pi / 16);
    mesh.Rotate(0, Pi / 2); // the disc's axis along y
    for (MeshCorner& c : mesh.corners)
    {
        c.u = (c.position.x + MedallionRadius) / (2 * MedallionRadius);
        c.v = (c.position.z + MedallionRadius) / (2 * MedallionRadius);
    }
    return mesh.Translate({0, 0, MedallionLift});
}

// ---- guns ----

// A raised gun's stock (the crossbow's) or frame (the ballista's) starts this high above the bat line; the loaded
// bolt lies on its top and the bolts leave from there.
constexpr float GunRaisedZ = 5.0f;
constexpr float CrossbowStockHeight = 1.5f, CrossbowStockFront = 6.0f;
constexpr float BallistaFrameHeight = 2.0f, BallistaFrameFront = 7.0f;

// The crossbow at a moment of its show: rise 0..1 (from inside the bat to on top of it), arms 0..1 (folded
// along the stock to spread), string -1..1 (pulled back, rest, snapped forward).
Mesh Crossbow(float rise, float arms, float string)
{
    Mesh mesh = BevelledBox({-1, -4, 0}, {1, CrossbowStockFront, CrossbowStockHeight}, 0.2f); // the stock, along +y
    FitTexture(mesh, 0, 0, 0.5f, 1);
    const float spread = (Pi / 2) * (1 - arms) * 0.9f;
    for (float side : {-1.0f, 1.0f})
    {
        Mesh arm = BevelledBox({0, -0.3f, 0.8f}, {5.5f, 0.3f, 1.6f}, 0.1f);
        arm.Rotate(2, side > 0 ? spread : Pi - spread).Translate({0, 5.0f, 0.6f});
        FitTexture(arm, 0.5f, 0, 1, 0.5f);
        mesh.Append(arm);
    }
    // The string from one arm tip to the other, drawn back along -y by how far it is pulled.
    const float tipX = 5.5f * std::cos(spread), tipY = 5.0f + 5.5f * std::sin(spread);
    Mesh cord = Box({-tipX, tipY - 0.2f - 1.5f * string, 1.0f}, {tipX + 0.01f, tipY + 0.2f - 1.5f * string, 1.3f});
    FitTexture(cord, 0.5f, 0.5f, 1, 1);
    mesh.Append(cord);
    return mesh.Translate({0, 0, GunRaisedZ - 6.0f * (1 - rise)});
}

std::vector<Mesh> ArbaletFrames()
{
    std::vector<Mesh> frames;
    for (int f = 0; f <= 40; ++f)
    {
        if (f <= 33)
        {
            const float t = static_cast<float>(f) / 33;
            frames.push_back(Crossbow(Smooth(t * 1.4f), Smooth(t * 1.6f - 0.6f), 0));
            continue;
        }
        // The shot: the string snaps forward and settles back (frame 40 is frame 33 again).
        const float s = static_cast<float>(f - 33) / 7;
        frames.push_back(Crossbow(1, 1, std::sin(s * 2 * Pi) * 0.8f));
    }
    frames.back() = frames[33];
    return frames;
}

Mesh Ballista(float rise, float recoil)
{
    Mesh mesh = BevelledBox({-1.6f, -4, 0}, {1.6f, BallistaFrameFront, BallistaFrameHeight}, 0.3f); // the heavy frame
    FitTexture(mesh, 0, 0, 0.5f, 1);
    for (float side : {-1.0f, 1.0f})
    {
        Mesh spring = Cylinder(0.9f, 8, 0, 2.6f);
        spring.Translate({side * 2.4f, 5, 0.4f});
        FitTexture(spring, 0.5f, 0.5f, 1, 1);
        mesh.Append(spring);
        Mesh arm = BevelledBox({0, -0.45f, 2.2f}, {5.0f, 0.45f, 3.0f}, 0.1f);
        arm.Rotate(2, side > 0 ? 0.25f : Pi - 0.25f).Translate({side * 2.4f, 5, 0});
        FitTexture(arm, 0.5f, 0, 1, 0.5f);
        mesh.Append(arm);
    }
    mesh.Translate({0, -1.5f * recoil, GunRaisedZ - 7.0f * (1 - rise)});
    return mesh;
}

std::vector<Mesh> BallistaFrames()
{
    std::vector<Mesh> frames;
    for (int f = 0; f <= 25; ++f)
    {
        if (f <= 19)
            frames.push_back(Ballista(Smooth(static_cast<float>(f) / 19), 0));
        else
            frames.push_back(Ballista(1, std::sin(static_cast<float>(f - 19) / 6 * Pi)));
    }
    frames.back() = frames[19];
    return frames;
}

Mesh Bolt(float thickness, float length, float headScale)
{
    const float h = thickness / 2;
    Mesh shaft = BevelledBox({-h, -length / 2, -h}, {h, length / 2 - 1.2f * headScale, h}, h * 0.3f);
    FitTexture(shaft, 0, 0, 0.7f, 1);
    // The iron head: a pyramid on the front end.
    const float back = length / 2 - 1.2f * headScale;
    Ring base = {{-h * 2 * headScale, back, -h * 2 * headScale}, {h * 2 * headScale, back, -h * 2 * headScale},
                 {h * 2 * headScale, back, h * 2 * headScale}, {-h * 2 * headScale, back, h * 2 * headScale}};
    Ring base2 = base;
    for (Vector3& p : base2)
        p.y += 0.01f;
    Mesh head = LoftWithApexes({base, base2}, {0, back - 0.01f, 0}, {0, length / 2, 0}, false);
    FitTexture(head, 0.7f, 0, 1, 1);
    Mesh mesh = shaft;
    mesh.Append(head);
    for (float side : {-1.0f, 1.0f})
    {
        Mesh fin = Box({-0.02f, -length / 2, -h * 3}, {0.02f, -length / 2 + 1.5f, h * 3});
        fin.Rotate(1, side * Pi / 4);
        FitTexture(fin, 0.7f, 0, 1, 0.3f);
        mesh.Append(fin);
    }
    return mesh;
}

// The bolt as it lies loaded on the raised gun, in bat space like the gun: its shaft on the stock's top, its
// iron head just past the stock's front end, so that it shows on the bat and flies from there.
Mesh LoadedBolt(float thickness, float length, float headScale, float stockHeight, float stockFront)
{
    const float y = stockFront - length / 2 + 1.2f * headScale;
    return Bolt(thickness, length, headScale).Translate({0, y, GunRaisedZ + stockHeight + thickness / 2});
}

// ---- hammer: held at its grip, the model's origin ----

// The play holds the grip this far above the point the head strikes, so the whole hammer stays in the fixed
// camera's view over the field.
constexpr float HammerReach = 55.0f;
constexpr float HammerHeadHeight = 10.0f;

// raise 0..1: from striking straight down to lifted back, away from the camera, and a little to the side, so
// that the handle shows at rest rather than pointing at the viewer.
Mesh Hammer(float raise)
{
    const float headTop = -HammerReach + HammerHeadHeight;
    Mesh handle = BevelledBox({-1.5f, -1.5f, headTop + 1}, {1.5f, 1.5f, 0}, 0.4f);
    FitTexture(handle, 0, 0, 0.5f, 1);
    Mesh pommel = BevelledBox({-2.2f, -2.2f, -3}, {2.2f, 2.2f, 0}, 0.5f);
    FitTexture(pommel, 0.5f, 0, 1, 0.3f);
    Mesh head = BevelledBox({-10, -5, -HammerReach}, {10, 5, headTop}, 1.2f);
    FitTexture(head, 0.5f, 0, 1, 1);
    Mesh mesh = handle;
    mesh.Append(pommel);
    mesh.Append(head);
    return mesh.Rotate(0, raise * 55.0f * Pi / 180).Rotate(1, raise * 20.0f * Pi / 180);
}

std::vector<Mesh> HammerFrames()
{
    std::vector<Mesh> frames;
    for (int f = 0; f < 10; ++f)
    {
        const float t = f <= 4 ? 1 - static_cast<float>(f) / 4 : static_cast<float>(f - 4) / 5;
        frames.push_back(Hammer(Smooth(t)));
    }
    return frames;
}

// ---- barrier ----

// The fixed camera sees the barrier's line (y -97) only from z 21 up, |x| 58 wide there, and its near plane cuts
// it off above z 33: the posts stand inside that frame and hold the ropes high, under pennants on their tops.
constexpr float BarrierY = -97.0f;
constexpr float PostX = 50.0f;
constexpr float PostTop = 28.6f;
constexpr float LowestRope = 23.0f;
constexpr float RopeSpacing = 2.5f;

Mesh Post(float x, float lift)
{
    Mesh post = BevelledBox({x - 0.9f, BarrierY - 0.9f, 0}, {x + 0.9f, BarrierY + 0.9f, PostTop}, 0.2f);
    FitTexture(post, 0, 0, 0.5f, 1);
    Mesh cap = BevelledBox({x - 1.1f, BarrierY - 1.1f, PostTop}, {x + 1.1f, BarrierY + 1.1f, PostTop + 0.8f}, 0.2f);
    FitTexture(cap, 0.5f, 0.5f, 1, 1);
    Mesh pole = Rod({x, BarrierY, PostTop + 0.8f}, {x, BarrierY, 32.6f}, 0.3f, 6);
    FitTexture(pole, 0, 0, 0.5f, 1);
    // The pennants fly towards the middle of the field, where the camera's frame is wider.
    const float towards = x < 0 ? 1.0f : -1.0f;
    Mesh pennant = DoubleQuad({x, BarrierY, 29.8f}, {towards * 6, 0, -0.4f}, {0, 0, 2.4f});
    FitTexture(pennant, 0.5f, 0, 1, 0.5f);
    Mesh mesh = post;
    mesh.Append(cap);
    mesh.Append(pole);
    mesh.Append(pennant);
    return mesh.Translate({0, 0, lift});
}

std::vector<Mesh> PostFrames(float x)
{
    std::vector<Mesh> frames;
    for (int f = 0; f < 9; ++f)
    {
        const float t = static_cast<float>(f) / 8;
        // Springs up from 8 below the ground, overshoots and settles at rest on the last frame.
        const float lift = f == 8 ? 0.0f : -8.0f * std::cos(t * 1.5f * Pi) * (1 - t);
        frames.push_back(Post(x, lift));
    }
    return frames;
}

Mesh StraightRope(float z)
{
    std::vector<Ring> rings;
    for (int s = 0; s <= 24; ++s)
    {
        const float x = -PostX + 2 * PostX * static_cast<float>(s) / 24;
        Ring ring;
        for (int k = 0; k < 6; ++k)
        {
            const float a = 2 * Pi * static_cast<float>(k) / 6;
            ring.push_back({x, BarrierY + 0.35f * std::cos(a), z + 0.35f * std::sin(a)});
        }
        rings.push_back(ring);
    }
    Mesh rope;
    // Segment by segment, each a short convex tube wound outward; then the ends.
    for (int s = 0; s < 24; ++s)
    {
        Mesh segment = Loft({rings[s], rings[s + 1]});
        Mesh sides;
        for (std::size_t i = 0; i + 2 < segment.corners.size(); i += 3)
            if (std::fabs(segment.corners[i].normal.x) < 0.5f || (s == 0 && segment.corners[i].normal.x < 0) ||
                (s == 23 && segment.corners[i].normal.x > 0))
                sides.corners.insert(sides.corners.end(), segment.corners.begin() + static_cast<long>(i),
                                     segment.corners.begin() + static_cast<long>(i) + 3);
        rope.Append(sides);
    }
    for (MeshCorner& c : rope.corners)
    {
        c.u = (c.position.x + PostX) / 8;
        c.v = std::atan2(c.position.z - z, c.position.y - BarrierY) / (2 * Pi) + 0.5f;
    }
    return rope;
}

std::vector<Mesh> RopeFrames(float z)
{
    const Mesh straight = StraightRope(z);
    std::vector<Mesh> frames;
    for (int f = 0; f < 9; ++f)
    {
        const float t = static_cast<float>(f) / 8;
        const float sag = f == 8 ? 0.0f : 2.5f * (1 - t) * std::cos(t * 2 * Pi);
        Mesh frame = straight;
        frame.Map([sag](const Vector3& p) {
            const float along = (p.x + PostX) / (2 * PostX);
            return Vector3(p.x, p.y, p.z - sag * std::sin(along * Pi));
        });
        for (std::size_t i = 0; i < frame.corners.size(); ++i)
        {
            frame.corners[i].u = straight.corners[i].u;
            frame.corners[i].v = straight.corners[i].v;
        }
        frames.push_back(frame);
    }
    return frames;
}
}

std::vector<PlayModel> PlayModels()
{
    std::vector<PlayModel> models = {
        {Objects + "balls/simple.mlf", {Sphere(2.5f, 16, 12)}, 0, ObjectTextures + "steel.jpg"},
        {Objects + "balls/super.mlf", {Sphere(3.0f, 16, 12)}, 0, ObjectTextures + "gold.jpg"},
        {Objects + "bat/head.mlf", {BatHead()}, 0, ObjectTextures + "oak.jpg"},
        {Objects + "bat/body.mlf", {BatBody()}, 0, ObjectTextures + "iron.jpg"},
        {Objects + "bat/screw.mlf", {BatScrew()}, 0, ObjectTextures + "rotor.jpg"},
    };
    const std::pair<const char*, std::vector<Mesh>> parts[] = {
        {"head", HeadPieces()}, {"body", BodyPieces()}, {"screw", ScrewPieces()}};
    const char* partTextures[] = {"oak.jpg", "iron.jpg", "rotor.jpg"};
    for (std::size_t p = 0; p < 3; ++p)
        for (unsigned i = 0; i < parts[p].second.size(); ++i)
            models.push_back({Objects + "bat/fragments/" + parts[p].first + "_" + TwoDigits(i) + ".mlf",
                              {parts[p].second[i]}, 0, ObjectTextures + partTextures[p]});
    for (const std::string& bonus : BonusNames())
        models.push_back(
            {Objects + "bonuses/" + bonus + ".mlf", {Medallion()}, 0, ObjectTextures + "bonus_" + bonus + ".jpg"});
    models.push_back({Objects + "guns/arbalet_gun.mlf", ArbaletFrames(), 60, ObjectTextures + "crossbow.jpg"});
    models.push_back({Objects + "guns/arbalet_bullet.mlf",
                      {LoadedBolt(0.4f, 7, 1, CrossbowStockHeight, CrossbowStockFront)},
                      0,
                      ObjectTextures + "bolt.jpg"});
    models.push_back({Objects + "guns/ballista_gun.mlf", BallistaFrames(), 40, ObjectTextures + "ballista.jpg"});
    models.push_back({Objects + "guns/ballista_bullet.mlf",
                      {LoadedBolt(0.8f, 10, 1.4f, BallistaFrameHeight, BallistaFrameFront)},
                      0,
                      ObjectTextures + "bolt.jpg"});
    models.push_back({Objects + "hammer/hammer.mlf", HammerFrames(), 20, ObjectTextures + "hammer.jpg"});
    models.push_back({Objects + "barrier/hardware_0.mlf", PostFrames(-PostX), 30, ObjectTextures + "post.jpg", false});
    models.push_back({Objects + "barrier/hardware_1.mlf", PostFrames(PostX), 30, ObjectTextures + "post.jpg", false});
    for (int r = 0; r < 3; ++r)
        models.push_back({Objects + "barrier/rope_" + std::to_string(r) + ".mlf",
                          RopeFrames(LowestRope + RopeSpacing * static_cast<float>(r)),
                          30,
                          ObjectTextures + "rope.jpg"});
    return models;
}

std::vector<SheetItem> PlayObjectSheetItems()
{
    std::vector<SheetItem> items;
    for (const PlayModel& model : PlayModels())
    {
        const std::string& path = model.path;
        if (path.find("fragments/") != std::string::npos && path.find("_00") == std::string::npos)
            continue;
        if (path.find("rope_") != std::string::npos || path.find("hardware_1") != std::string::npos)
            continue;
        const std::string name = path.substr(path.find('/') + 1);
        items.push_back({name, model.frames.front(), 0xB0A890});
        if (model.frames.size() > 1)
            items.push_back({name + " mid", model.frames[model.frames.size() / 2], 0xB0A890});
    }
    return items;
}

void GeneratePlayObjects(GeneratorContext& context)
{
    DataStage& stage = context.stage;
    for (const PlayModel& model : PlayModels())
    {
        const ModelFileDescription file = model.frames.size() == 1
                                              ? StaticModel(model.frames.front(), model.culled)
                                              : MorphModel(model.frames, model.speed, model.culled);
        AddModelWithShader(stage, model.path, file, TextureShader(model.texture));
    }
    AddPlayArt(stage);
    AddPlayParticles(stage);
}
}
