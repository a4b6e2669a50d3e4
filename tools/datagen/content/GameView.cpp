// The game view's small rasteriser: the game camera (at (0, -140, 98), pitched down about 59 degrees from
// looking straight down, a 4:3 frame 60 degrees high, near plane 70), triangles clipped at the near plane
// and filled with a depth test.
#include "tools/datagen/content/GameView.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/content/Blocks.h"
#include "tools/datagen/content/Environments.h"
#include "tools/datagen/content/Levels.h"
#include "tools/datagen/content/PlayObjects.h"
#include "tools/datagen/image/Painter.h"
#include "tools/datagen/play/BlockKinds.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace KorvaneTools
{
namespace
{
constexpr unsigned Width = 800, Height = 600;
constexpr float Near = 70.0f;

struct ViewPoint
{
    Vector3 p; // x right, y up, z depth along the view axis
};

class Raster
{
public:
    Raster() : m_picture(Width, Height), m_depth(Width * Height, std::numeric_limits<float>::max())
    {
        Painter(m_picture).Fill(Colour::Hex(0x101014));
        const float pitch = 2.0f * std::asin(0.4939f);
        m_forward = Vector3(0, std::sin(pitch), -std::cos(pitch));
        m_up = Vector3(0, std::cos(pitch), std::sin(pitch));
    }

    void Draw(const Mesh& mesh, unsigned rgb)
    {
        const Colour base = Colour::Hex(rgb);
        const Vector3 light = Vector3(0.3f, -0.5f, 0.8f).GetNormalized();
        for (std::size_t i = 0; i + 2 < mesh.corners.size(); i += 3)
        {
            const Vector3& a = mesh.corners[i].position;
            const Vector3 n = (mesh.corners[i + 1].position - a).Cross(mesh.corners[i + 2].position - a);
            if (n.Length() < 1e-9f)
                continue;
            const float shade = 0.45f + 0.55f * std::fabs(n.GetNormalized().Dot(light));
            std::vector<Vector3> polygon;
            for (std::size_t k = 0; k < 3; ++k)
                polygon.push_back(ToView(mesh.corners[i + k].position));
            polygon = ClipNear(polygon);
            for (std::size_t k = 1; k + 1 < polygon.size(); ++k)
                Fill(polygon[0], polygon[k], polygon[k + 1], base.Scaled(shade));
        }
    }

    RgbaPicture& Picture() { return m_picture; }

private:
    Vector3 ToView(const Vector3& world) const
    {
        const Vector3 d = world - Vector3(0, -140, 98);
        return {d.x, d.Dot(m_up), d.Dot(m_forward)};
    }

    static std::vector<Vector3> ClipNear(const std::vector<Vector3>& in)
    {
        std::vector<Vector3> out;
        for (std::size_t i = 0; i < in.size(); ++i)
        {
            const Vector3& a = in[i];
            const Vector3& b = in[(i + 1) % in.size()];
            if (a.z >= Near)
                out.push_back(a);
            if ((a.z >= Near) != (b.z >= Near))
                out.push_back(a + (b - a) * ((Near - a.z) / (b.z - a.z)));
        }
        return out;
    }

    Vector3 Project(const Vector3& v) const
    {
        const float tanHalf = std::tan(30.0f * Pi / 180.0f);
        return {Width / 2.0f + Width / 2.0f * v.x / (v.z * tanHalf * 4.0f / 3.0f),
                Height / 2.0f - Height / 2.0f * v.y / (v.z * tanHalf), v.z};
    }

    void Fill(const Vector3& va, const Vector3& vb, const Vector3& vc, const Colour& colour)
    {
        const Vector3 a = Project(va), b = Project(vb), c = Project(vc);
        const float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (std::fabs(area) < 1e-6f)
            return;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(static_cast<int>(Width) - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(static_cast<int>(Height) - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
            {
                const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
                const float wa = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
                const float wb = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
                const float wc = 1 - wa - wb;
                if (wa < 0 || wb < 0 || wc < 0)
                    continue;
                // Depth interpolates linearly in 1/z across the screen.
                const float inverse = wa / a.z + wb / b.z + wc / c.z;
                const float depth = 1 / inverse;
                float& stored = m_depth[static_cast<std::size_t>(y) * Width + static_cast<std::size_t>(x)];
                if (depth >= stored)
                    continue;
                stored = depth;
                auto* p = m_picture.At(static_cast<unsigned>(x), static_cast<unsigned>(y));
                p[0] = static_cast<VelkorEngine::u8>(std::clamp(colour.r, 0.0f, 1.0f) * 255);
                p[1] = static_cast<VelkorEngine::u8>(std::clamp(colour.g, 0.0f, 1.0f) * 255);
                p[2] = static_cast<VelkorEngine::u8>(std::clamp(colour.b, 0.0f, 1.0f) * 255);
                p[3] = 255;
            }
    }

    RgbaPicture m_picture;
    std::vector<float> m_depth;
    Vector3 m_forward;
    Vector3 m_up;
};

unsigned SceneryColour(const std::string& name)
{
    static const std::map<std::string, unsigned> colours = {
        {"sky", 0x8AB0E0},    {"ground", 0x7A7670}, {"field", 0x9A958C},   {"walls", 0x8A857C},
        {"backdrop", 0x8A857C}, {"crest", 0x8C1F1F}, {"towers", 0x9A958C},  {"torches", 0x3B3D44},
        {"flames", 0xFF9A3C}, {"banners", 0x2E4A8C}, {"backwall", 0x2A2B31}, {"arches", 0x5E5A55},
        {"pillars", 0x5E5A55}, {"tombs", 0x7A7670},  {"candles", 0xE8DCB8}, {"chains", 0x8A8F96}};
    const auto found = colours.find(name.substr(name.find('/') + 1));
    unsigned rgb = found == colours.end() ? 0xFF00FF : found->second;
    if (name.starts_with("crypt/") && (rgb == 0x7A7670 || rgb == 0x9A958C || rgb == 0x8A857C))
        rgb = 0x4A4C55;
    if (name == "crypt/flames")
        rgb = 0x5FE0C8;
    return rgb;
}

const std::map<std::string, unsigned>& BlockColours()
{
    static const std::map<std::string, unsigned> colours = {
        {"brick", 0xC8A26A}, {"granite", 0x8E949C}, {"iron", 0x4A4D52}, {"ghost", 0xA8C8F0}, {"powder", 0x7A5230},
        {"cage", 0x4A4D52},  {"vault", 0xD4A640},   {"pillar", 0xE8E0CC}, {"slab", 0xCFC6AE}, {"rune", 0x5FB0E0}};
    return colours;
}

void DrawPlayObjects(Raster& raster)
{
    for (const PlayModel& model : PlayModels())
    {
        Mesh mesh = model.frames.back(); // the barrier at rest
        const std::string& path = model.path;
        if (path.ends_with("bat/head.mlf"))
            mesh.Scale({2.0f, 1, 1}).Translate({0, -85, 0}); // default width 20 stretches the head twice
        else if (path.ends_with("bat/body.mlf"))
            mesh.Translate({0, -85, 0});
        else if (path.ends_with("bat/screw.mlf"))
            mesh.Translate({0, -92, 1.5f});
        else if (path.ends_with("balls/simple.mlf"))
            mesh.Translate({4, -78, 2.5f});
        else if (path.find("barrier/") == std::string::npos)
            continue;
        raster.Draw(mesh, path.find("barrier/rope") != std::string::npos ? 0xB89A60
                          : path.find("balls/") != std::string::npos  ? 0xD0D8E0
                                                                      : 0x7A5230);
    }
}
}

RgbaPicture GameView(const std::string& name)
{
    Raster raster;
    for (const SceneryModel& model : SceneryModels(name.starts_with("00_") ? "courtyard" : "crypt"))
        raster.Draw(model.frames.front(), SceneryColour(model.name));
    const LevelGeometry level = BuildLevel(name);
    for (const LevelObject& object : level.objects)
    {
        Mesh block = BlockModel(object.block);
        const auto& at = object.keyFrames.front().position;
        raster.Draw(block.Translate({at[0], at[1], at[2]}), BlockColours().at(object.block));
    }
    DrawPlayObjects(raster);
    return raster.Picture();
}
}
