// The contact sheet's drawing: an orthographic view tilted like the game's camera, triangles sorted far to
// near and filled with a light from the upper left.
#include "tools/datagen/play/ContactSheet.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/content/Blocks.h"
#include "tools/datagen/content/PlayObjects.h"
#include "tools/datagen/image/Painter.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
// The view: turned 30 degrees about z, then tilted 55 degrees so the top and the front both show.
Vector3 View(const Vector3& p)
{
    const float turn = 0.5f, tilt = 0.95f;
    const Vector3 a(p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn), p.z);
    return {a.x, a.y * std::cos(tilt) - a.z * std::sin(tilt), a.y * std::sin(tilt) + a.z * std::cos(tilt)};
}

void DrawItem(Painter& painter, const SheetItem& item, float left, float top, float cell)
{
    std::vector<Vector3> viewed;
    Vector3 minimum(1e30f), maximum(-1e30f);
    for (const MeshCorner& c : item.mesh.corners)
    {
        viewed.push_back(View(c.position));
        const Vector3& v = viewed.back();
        minimum = {std::min(minimum.x, v.x), std::min(minimum.y, v.y), std::min(minimum.z, v.z)};
        maximum = {std::max(maximum.x, v.x), std::max(maximum.y, v.y), std::max(maximum.z, v.z)};
    }
    if (viewed.empty())
        return;
    const float area = cell - 30.0f;
    const float scale = area / std::max({maximum.x - minimum.x, maximum.z - minimum.z, 1e-3f});
    const float midX = (minimum.x + maximum.x) / 2, midZ = (minimum.z + maximum.z) / 2;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i + 2 < viewed.size(); i += 3)
        order.push_back(i);
    // Far first: larger y is further from the viewer.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return viewed[a].y + viewed[a + 1].y + viewed[a + 2].y > viewed[b].y + viewed[b + 1].y + viewed[b + 2].y;
    });
    const Vector3 light = View(Vector3(-0.4f, -0.6f, 0.7f)).GetNormalized();
    const Colour base = Colour::Hex(item.colour);
    for (std::size_t i : order)
    {
        const Vector3 n = (viewed[i + 1] - viewed[i]).Cross(viewed[i + 2] - viewed[i]);
        if (n.y > 0.0f) // facing away: a closed mesh hides it
            continue;
        const float shade = 0.35f + 0.65f * std::max(0.0f, n.GetNormalized().Dot(light));
        std::vector<Point> points;
        for (std::size_t k = 0; k < 3; ++k)
            points.push_back({left + cell / 2 + (viewed[i + k].x - midX) * scale,
                              top + (cell - 20) / 2 - (viewed[i + k].z - midZ) * scale});
        painter.FillPolygon(points, base.Scaled(shade));
    }
}
}

RgbaPicture DrawContactSheet(const std::vector<SheetItem>& items, unsigned columns, unsigned cell)
{
    const unsigned rows = static_cast<unsigned>((items.size() + columns - 1) / columns);
    RgbaPicture picture(columns * cell, std::max(1u, rows) * cell);
    Painter painter(picture);
    painter.Fill(Colour::Hex(0x2A2B31));
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        const float left = static_cast<float>((i % columns) * cell);
        const float top = static_cast<float>((i / columns) * cell);
        painter.FillPolygon({{left + 2, top + 2}, {left + cell - 2, top + 2}, {left + cell - 2, top + cell - 2},
                             {left + 2, top + cell - 2}},
                            Colour::Hex(0x3B3D44));
        DrawItem(painter, items[i], left, top, static_cast<float>(cell));
    }
    return picture;
}

RgbaPicture ContactSheet(const std::string& which)
{
    if (which != "play")
        throw DataError("no contact sheet \"" + which + "\" (there is: play)");
    std::vector<SheetItem> items = BlockSheetItems();
    for (SheetItem& item : PlayObjectSheetItems())
        items.push_back(std::move(item));
    return DrawContactSheet(items);
}
}
