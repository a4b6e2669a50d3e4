// Picture drawing for the generated art.
#include "tools/datagen/image/Painter.h"

#include "tools/datagen/Angles.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/fonts/GlyphSet.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
constexpr int Samples = 4;

float Lattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float ValueNoise(float x, float y, std::uint32_t seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    const float top = Lattice(x0, y0, seed) + (Lattice(x0 + 1, y0, seed) - Lattice(x0, y0, seed)) * sx;
    const float bottom = Lattice(x0, y0 + 1, seed) + (Lattice(x0 + 1, y0 + 1, seed) - Lattice(x0, y0 + 1, seed)) * sx;
    return top + (bottom - top) * sy;
}

VelkorEngine::u8 UnitToByte(float value)
{
    return static_cast<VelkorEngine::u8>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// The face of a text call, released whatever happens.
class TextFace
{
public:
    TextFace(const std::string& file, unsigned pixelSize)
    {
        if (FT_Init_FreeType(&m_library) != 0)
            throw DataError("FreeType cannot start");
        if (FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0)
        {
            FT_Done_FreeType(m_library);
            throw DataError("font file \"" + file + "\" is missing or unreadable");
        }
        FT_Set_Pixel_Sizes(m_face, 0, pixelSize);
    }
    ~TextFace()
    {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    TextFace(const TextFace&) = delete;
    TextFace& operator=(const TextFace&) = delete;

    FT_GlyphSlot Render(char32_t code)
    {
        FT_Load_Char(m_face, code, FT_LOAD_RENDER);
        return m_face->glyph;
    }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};
}

Colour Colour::Hex(unsigned rgb, float alpha)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Colour Colour::Mixed(const Colour& other, float t) const
{
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t};
}

float FractalNoise(float x, float y, std::uint32_t seed)
{
    float sum = 0, weight = 0, amplitude = 1, frequency = 1;
    for (std::uint32_t octave = 0; octave < 4; ++octave)
    {
        sum += amplitude * ValueNoise(x * frequency, y * frequency, seed + octave * 101u);
        weight += amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / weight;
}

void Painter::Fill(const Colour& colour)
{
    for (unsigned y = 0; y < m_picture.height; ++y)
        for (unsigned x = 0; x < m_picture.width; ++x)
        {
            VelkorEngine::u8* p = m_picture.At(x, y);
            p[0] = UnitToByte(colour.r);
            p[1] = UnitToByte(colour.g);
            p[2] = UnitToByte(colour.b);
            p[3] = UnitToByte(colour.a);
        }
}

void Painter::Mottle(const Colour& colour, float scale, float amount, std::uint32_t seed)
{
    for (unsigned y = 0; y < m_picture.height; ++y)
        for (unsigned x = 0; x < m_picture.width; ++x)
        {
            const float n = 1.0f - amount / 2 + amount * FractalNoise(float(x) / scale, float(y) / scale, seed);
            VelkorEngine::u8* p = m_picture.At(x, y);
            p[0] = UnitToByte(colour.r * n);
            p[1] = UnitToByte(colour.g * n);
            p[2] = UnitToByte(colour.b * n);
            p[3] = UnitToByte(colour.a);
        }
}

void Painter::Blend(int x, int y, const Colour& colour, float coverage)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(m_picture.width) || y >= static_cast<int>(m_picture.height))
        return;
    VelkorEngine::u8* p = m_picture.At(static_cast<unsigned>(x), static_cast<unsigned>(y));
    const float alpha = std::clamp(colour.a * coverage, 0.0f, 1.0f);
    const float below = static_cast<float>(p[3]) / 255.0f;
    const float out = alpha + below * (1 - alpha);
    const float channels[3] = {colour.r, colour.g, colour.b};
    for (int c = 0; c < 3; ++c)
    {
        const float old = static_cast<float>(p[c]) / 255.0f;
        p[c] = UnitToByte(out > 0 ? (channels[c] * alpha + old * below * (1 - alpha)) / out : 0.0f);
    }
    p[3] = UnitToByte(out);
}

void Painter::FillPolygon(const std::vector<Point>& points, const Colour& colour)
{
    if (points.size() < 3)
        return;
    float top = points[0].y, bottom = points[0].y;
    for (const Point& p : points)
    {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int firstRow = std::max(0, static_cast<int>(std::floor(top)));
    const int lastRow = std::min(static_cast<int>(m_picture.height) - 1, static_cast<int>(std::ceil(bottom)));
    std::vector<float> coverage(m_picture.width);
    for (int row = firstRow; row <= lastRow; ++row)
    {
        std::fill(coverage.begin(), coverage.end(), 0.0f);
        for (int s = 0; s < Samples; ++s)
        {
            const float y = static_cast<float>(row) + (static_cast<float>(s) + 0.5f) / Samples;
            std::vector<float> crossings;
            for (size_t i = 0; i < points.size(); ++i)
            {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % points.size()];
                if ((a.y <= y) != (b.y <= y))
                    crossings.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
            }
            std::sort(crossings.begin(), crossings.end());
            const int limit = static_cast<int>(m_picture.width) * Samples;
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            {
                // Sub-samples whose centre (sx + 0.5) / Samples lies in [left, right).
                const int first = std::max(0, static_cast<int>(std::ceil(crossings[i] * Samples - 0.5f)));
                const int last = std::min(limit, static_cast<int>(std::ceil(crossings[i + 1] * Samples - 0.5f)));
                for (int sx = first; sx < last; ++sx)
                    coverage[static_cast<size_t>(sx / Samples)] += 1.0f / (Samples * Samples);
            }
        }
        for (unsigned x = 0; x < m_picture.width; ++x)
            if (coverage[x] > 0)
                Blend(static_cast<int>(x), row, colour, coverage[x]);
    }
}

void Painter::FillCircle(Point centre, float radius, const Colour& colour)
{
    std::vector<Point> points;
    constexpr int Segments = 48;
    for (int i = 0; i < Segments; ++i)
    {
        const float angle = 2 * Pi * static_cast<float>(i) / Segments;
        points.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    FillPolygon(points, colour);
}

float Painter::Text(const std::string& faceFile, unsigned pixelSize, const std::string& utf8, float x,
                    float baseline, const Colour& colour)
{
    TextFace face(faceFile, pixelSize);
    float pen = x;
    for (char32_t code : DecodeUtf8(utf8, "picture text"))
    {
        const FT_GlyphSlot glyph = face.Render(code);
        const int left = static_cast<int>(std::lround(pen)) + glyph->bitmap_left;
        const int top = static_cast<int>(std::lround(baseline)) - glyph->bitmap_top;
        for (unsigned row = 0; row < glyph->bitmap.rows; ++row)
            for (unsigned column = 0; column < glyph->bitmap.width; ++column)
            {
                const unsigned char c = glyph->bitmap.buffer[row * static_cast<unsigned>(glyph->bitmap.pitch) + column];
                if (c != 0)
                    Blend(left + static_cast<int>(column), top + static_cast<int>(row), colour, c / 255.0f);
            }
        pen += static_cast<float>(glyph->advance.x) / 64.0f;
    }
    return pen - x;
}

float Painter::TextWidth(const std::string& faceFile, unsigned pixelSize, const std::string& utf8)
{
    TextFace face(faceFile, pixelSize);
    float width = 0;
    for (char32_t code : DecodeUtf8(utf8, "picture text"))
        width += static_cast<float>(face.Render(code)->advance.x) / 64.0f;
    return width;
}
}
