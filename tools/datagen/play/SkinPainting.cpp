// Drawing steps for the play skins.
#include "tools/datagen/play/SkinPainting.h"

#include "tools/datagen/Random.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
RgbaPicture MottledPicture(unsigned size, unsigned rgb, float amount, std::uint32_t seed, float scale)
{
    RgbaPicture picture(size, size);
    Painter(picture).Mottle(Colour::Hex(rgb), scale, amount, seed);
    return picture;
}

void FillRect(Painter& painter, float x0, float y0, float x1, float y1, const Colour& colour)
{
    painter.FillPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour);
}

void Frame(Painter& painter, float size, float width, const Colour& colour)
{
    FillRect(painter, 0, 0, size, width, colour);
    FillRect(painter, 0, size - width, size, size, colour);
    FillRect(painter, 0, 0, width, size, colour);
    FillRect(painter, size - width, 0, size, size, colour);
}

void Line(Painter& painter, Point from, Point to, float width, const Colour& colour)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float length = std::max(std::hypot(dx, dy), 1e-3f);
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    painter.FillPolygon({{from.x + nx, from.y + ny}, {to.x + nx, to.y + ny}, {to.x - nx, to.y - ny},
                         {from.x - nx, from.y - ny}},
                        colour);
}

void Glow(Painter& painter, Point centre, float radius, const Colour& colour)
{
    for (int step = 8; step >= 1; --step)
    {
        const float r = radius * static_cast<float>(step) / 8.0f;
        Colour c = colour;
        c.a = colour.a * 0.18f;
        painter.FillCircle(centre, r, c);
    }
}

void Crack(Painter& painter, Point from, float length, float angle, std::uint32_t seed, const Colour& colour)
{
    Random random(seed);
    Point at = from;
    for (float walked = 0; walked < length; walked += 6)
    {
        angle += static_cast<float>(random.Signed()) * 0.7f;
        const Point next{at.x + 6 * std::cos(angle), at.y + 6 * std::sin(angle)};
        Line(painter, at, next, 1.6f, colour);
        if (random.Unit() < 0.15)
            Crack(painter, next, length / 3, angle + 1.2f, random.Next(), colour);
        at = next;
    }
}

RgbaPicture SoftSpot(unsigned size, unsigned rgb, float hardness)
{
    RgbaPicture picture(size, size);
    const Colour colour = Colour::Hex(rgb);
    const float half = static_cast<float>(size) / 2;
    for (unsigned y = 0; y < size; ++y)
        for (unsigned x = 0; x < size; ++x)
        {
            const float d = std::hypot(static_cast<float>(x) + 0.5f - half, static_cast<float>(y) + 0.5f - half) / half;
            const float a = std::clamp(1.0f - d, 0.0f, 1.0f);
            auto* p = picture.At(x, y);
            p[0] = static_cast<VelkorEngine::u8>(colour.r * 255);
            p[1] = static_cast<VelkorEngine::u8>(colour.g * 255);
            p[2] = static_cast<VelkorEngine::u8>(colour.b * 255);
            p[3] = static_cast<VelkorEngine::u8>(255 * std::pow(a, 1.0f / std::max(hardness, 0.1f)));
        }
    return picture;
}
}
