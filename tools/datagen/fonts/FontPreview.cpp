// Text preview with the game's glyph box rules.
#include "tools/datagen/fonts/FontPreview.h"

#include "tools/datagen/fonts/GlyphSet.h"

#include <algorithm>
#include <cmath>

namespace KorvaneTools
{
namespace
{
constexpr unsigned Margin = 10;
constexpr unsigned GroundColour = 0x202428;

const FontGlyph* FindGlyph(const RasterFont& table, char32_t code)
{
    for (const FontGlyph& glyph : table.glyphs)
        if (glyph.code == code)
            return &glyph;
    return nullptr;
}

float LineWidth(const PreviewLine& line)
{
    float width = 0;
    for (char32_t code : line.text)
    {
        const FontGlyph* glyph = IsWhiteSpace(code) ? nullptr : FindGlyph(*line.table, code);
        width += line.size * (glyph ? glyph->width : line.table->space);
    }
    return width;
}

void Blend(VelkorEngine::u8* pixel, unsigned tint, VelkorEngine::u8 coverage)
{
    for (int c = 0; c < 3; ++c)
    {
        const unsigned colour = (tint >> (16 - 8 * c)) & 0xFF;
        pixel[c] = static_cast<VelkorEngine::u8>((colour * coverage + pixel[c] * (255u - coverage)) / 255u);
    }
}

// The glyph box with its lower-left corner showing (u, v) and its top showing v + dv.
void DrawGlyph(RgbaPicture& canvas, const PreviewLine& line, const FontGlyph& glyph, float left, unsigned top)
{
    const RgbaPicture& atlas = line.table->atlas;
    const int boxWidth = static_cast<int>(std::lround(line.size * glyph.width));
    const int boxHeight = static_cast<int>(std::lround(line.size));
    for (int row = 0; row < boxHeight; ++row)
        for (int column = 0; column < boxWidth; ++column)
        {
            // Texture coordinates of the pixel centre; row 0 of the box is its top.
            const float s = glyph.u + glyph.du * (static_cast<float>(column) + 0.5f) / static_cast<float>(boxWidth);
            const float t = glyph.v + glyph.dv * (1.0f - (static_cast<float>(row) + 0.5f) / float(boxHeight));
            const auto texelX = std::min(atlas.width - 1, static_cast<unsigned>(s * static_cast<float>(atlas.width)));
            const auto fromBottom = std::min(atlas.height - 1, static_cast<unsigned>(t * float(atlas.height)));
            const VelkorEngine::u8 coverage = atlas.At(texelX, atlas.height - 1 - fromBottom)[3];
            const int x = static_cast<int>(left) + column;
            const auto y = top + static_cast<unsigned>(row);
            if (x >= 0 && static_cast<unsigned>(x) < canvas.width && y < canvas.height)
                Blend(canvas.At(static_cast<unsigned>(x), y), line.tint, coverage);
        }
}
}

RgbaPicture DrawPreview(const std::vector<PreviewLine>& lines)
{
    float width = 0;
    float height = 0;
    for (const PreviewLine& line : lines)
    {
        width = std::max(width, LineWidth(line));
        height += line.size + Margin;
    }
    RgbaPicture canvas(static_cast<unsigned>(std::ceil(width)) + 2 * Margin,
                       static_cast<unsigned>(std::ceil(height)) + Margin);
    for (size_t i = 0; i < canvas.pixels.size(); i += 4)
    {
        canvas.pixels[i] = GroundColour >> 16;
        canvas.pixels[i + 1] = (GroundColour >> 8) & 0xFF;
        canvas.pixels[i + 2] = GroundColour & 0xFF;
        canvas.pixels[i + 3] = 255;
    }
    unsigned top = Margin;
    for (const PreviewLine& line : lines)
    {
        float left = Margin;
        for (char32_t code : line.text)
        {
            const FontGlyph* glyph = IsWhiteSpace(code) ? nullptr : FindGlyph(*line.table, code);
            if (glyph)
                DrawGlyph(canvas, line, *glyph, left, top);
            left += line.size * (glyph ? glyph->width : line.table->space);
        }
        top += static_cast<unsigned>(std::lround(line.size)) + Margin;
    }
    return canvas;
}
}
