// FreeType rasterising and shelf packing of a font atlas.
#include "tools/datagen/fonts/FontRasteriser.h"

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
constexpr unsigned GlyphGap = 2;

// The library and the face, released together whatever happens.
class Face
{
public:
    explicit Face(const std::string& file) : m_file(file)
    {
        if (FT_Init_FreeType(&m_library) != 0)
            throw DataError("FreeType cannot start");
        if (FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0)
        {
            FT_Done_FreeType(m_library);
            throw DataError("font file \"" + file + "\" is missing or unreadable");
        }
    }
    ~Face()
    {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    void SetPixelSize(unsigned size) { FT_Set_Pixel_Sizes(m_face, 0, size); }
    FT_GlyphSlot Load(char32_t code)
    {
        if (FT_Get_Char_Index(m_face, code) == 0)
            throw DataError("font file \"" + m_file + "\" has no glyph for " + CodePointName(code));
        if (FT_Load_Char(m_face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
            throw DataError("font file \"" + m_file + "\" cannot draw " + CodePointName(code));
        return m_face->glyph;
    }
    float Advance(char32_t code)
    {
        FT_Load_Char(m_face, code, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT);
        return static_cast<float>(m_face->glyph->advance.x) / 64.0f;
    }

private:
    std::string m_file;
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

struct Extent
{
    int above = 0; // rows above the baseline
    int below = 0; // rows below it
};

Extent InkExtent(Face& face, const std::vector<char32_t>& codes)
{
    Extent extent;
    for (char32_t code : codes)
    {
        const FT_GlyphSlot glyph = face.Load(code);
        extent.above = std::max(extent.above, glyph->bitmap_top);
        extent.below = std::max(extent.below, static_cast<int>(glyph->bitmap.rows) - glyph->bitmap_top);
    }
    return extent;
}

// The largest pixel size whose ink fits the cell. A row or two may stick out at the top for large cells:
// only the tips of the tallest accents (the double acute of capitals) lose them, and the letters grow.
unsigned FittingPixelSize(Face& face, unsigned cellHeight, const std::vector<char32_t>& codes, Extent& extent)
{
    const int tolerance = static_cast<int>(cellHeight) / 16;
    for (unsigned size = cellHeight; size > 4; --size)
    {
        face.SetPixelSize(size);
        extent = InkExtent(face, codes);
        if (extent.above + extent.below <= static_cast<int>(cellHeight) + tolerance)
            return size;
    }
    throw DataError("no pixel size fits a cell of " + std::to_string(cellHeight));
}

// Rows from the cell's top to the baseline: the ink centred in the cell, or, when it is taller, everything
// below the baseline kept (underscores and descenders matter more than the tips of accents).
int Baseline(const Extent& extent, unsigned cellHeight)
{
    const int slack = static_cast<int>(cellHeight) - extent.above - extent.below;
    return slack >= 0 ? extent.above + slack / 2 : static_cast<int>(cellHeight) - extent.below;
}

void Blit(RgbaPicture& atlas, const FT_Bitmap& bitmap, int left, int top, unsigned cellX, unsigned cellY,
          unsigned cellWidth, unsigned cellHeight)
{
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column)
        {
            const int x = left + static_cast<int>(column);
            const int y = top + static_cast<int>(row);
            if (x < 0 || y < 0 || x >= static_cast<int>(cellWidth) || y >= static_cast<int>(cellHeight))
                continue;
            const unsigned char coverage = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
            atlas.At(cellX + static_cast<unsigned>(x), cellY + static_cast<unsigned>(y))[3] = coverage;
        }
}
}

RasterFont RasteriseFont(const std::string& faceFile, unsigned cellHeight, const std::vector<char32_t>& codes,
                         unsigned atlasWidth, unsigned atlasHeight)
{
    Face face(faceFile);
    Extent extent;
    RasterFont font;
    font.pixelSize = FittingPixelSize(face, cellHeight, codes, extent);
    const int baseline = Baseline(extent, cellHeight);
    font.atlas = RgbaPicture(atlasWidth, atlasHeight);
    for (size_t i = 0; i < font.atlas.pixels.size(); i += 4)
        font.atlas.pixels[i] = font.atlas.pixels[i + 1] = font.atlas.pixels[i + 2] = 255;
    font.space = face.Advance(U' ') / static_cast<float>(cellHeight);

    unsigned x = GlyphGap, y = GlyphGap;
    for (char32_t code : codes)
    {
        const FT_GlyphSlot glyph = face.Load(code);
        const float advance = static_cast<float>(glyph->advance.x) / 64.0f;
        const auto cellWidth = static_cast<unsigned>(std::ceil(advance));
        if (x + cellWidth + GlyphGap > atlasWidth)
        {
            x = GlyphGap;
            y += cellHeight + GlyphGap;
        }
        if (y + cellHeight + GlyphGap > atlasHeight)
            throw DataError("font file \"" + faceFile + "\" at " + std::to_string(cellHeight) +
                            " pixels does not fit an atlas of " + std::to_string(atlasWidth) + "x" +
                            std::to_string(atlasHeight));
        Blit(font.atlas, glyph->bitmap, glyph->bitmap_left, baseline - glyph->bitmap_top, x, y, cellWidth,
             cellHeight);
        const float w = static_cast<float>(atlasWidth);
        const float h = static_cast<float>(atlasHeight);
        font.glyphs.push_back({static_cast<VelkorEngine::u16>(code), static_cast<float>(x) / w,
                               static_cast<float>(atlasHeight - (y + cellHeight)) / h, advance / w,
                               static_cast<float>(cellHeight) / h, advance / static_cast<float>(cellHeight)});
        x += cellWidth + GlyphGap;
    }
    return font;
}
}
