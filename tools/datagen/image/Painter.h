// Drawing on an RgbaPicture: flat fills, anti-aliased polygons (4 × 4 samples a pixel), value noise for
// stone and parchment, and text from a TrueType face. Coordinates are pixels, y down from the top row.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace KorvaneTools
{
struct Colour
{
    float r = 0, g = 0, b = 0, a = 1;

    // From 0xRRGGBB.
    static Colour Hex(unsigned rgb, float alpha = 1.0f);
    Colour Scaled(float factor) const { return {r * factor, g * factor, b * factor, a}; }
    Colour Mixed(const Colour& other, float t) const;
};

struct Point
{
    float x = 0;
    float y = 0;
};

class Painter
{
public:
    explicit Painter(RgbaPicture& picture) : m_picture(picture) {}

    void Fill(const Colour& colour);
    // Every pixel gets the colour times (1 - amount/2 + amount × fBm noise): mottled stone and the like.
    void Mottle(const Colour& colour, float scale, float amount, std::uint32_t seed);
    // Source-over blending of a colour with a coverage in [0, 1].
    void Blend(int x, int y, const Colour& colour, float coverage);
    void FillPolygon(const std::vector<Point>& points, const Colour& colour);
    void FillCircle(Point centre, float radius, const Colour& colour);
    // Text on a baseline starting at x; returns the advance drawn. Throws DataError for a missing face.
    float Text(const std::string& faceFile, unsigned pixelSize, const std::string& utf8, float x, float baseline,
               const Colour& colour);
    // The width Text would draw.
    static float TextWidth(const std::string& faceFile, unsigned pixelSize, const std::string& utf8);

private:
    RgbaPicture& m_picture;
};

// Fractal value noise in [0, 1] at a point, the same for the same seed everywhere.
float FractalNoise(float x, float y, std::uint32_t seed);
}
