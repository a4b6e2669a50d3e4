// Rasterises a face into one atlas: cells of the line's height in shelves, v = 0 at the picture's bottom row.
#include "tests/support/SmokeFontAtlas.h"

#include "tests/support/ImageTestFiles.h"
#include "tools/formats/FontFileWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace TestSupport
{
using VelkorEngine::f32;
using VelkorEngine::u32;

namespace
{
constexpr u32 kAtlasSize = 512;
constexpr u32 kGap = 2;

std::vector<u32> CodePoints()
{
    std::vector<u32> codes;
    for (u32 c = 0x21; c <= 0x7E; ++c)
        codes.push_back(c);
    for (u32 c = 0x410; c <= 0x44F; ++c)
        codes.push_back(c);
    codes.push_back(0x401);
    codes.push_back(0x451);
    return codes;
}

class Face
{
public:
    Face(const std::string& file, u32 pixelHeight)
    {
        if (FT_Init_FreeType(&m_library) != 0)
            throw std::runtime_error("FreeType did not start");
        if (FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0)
            throw std::runtime_error("cannot read the face " + file);
        FT_Set_Pixel_Sizes(m_face, 0, pixelHeight);
    }
    ~Face()
    {
        if (m_face != nullptr)
            FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    FT_Face Get() const { return m_face; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};
}

SmokeFont MakeSmokeFont(const std::string& faceFile, u32 pixelHeight)
{
    const Face face(faceFile, pixelHeight);
    FT_Face ft = face.Get();
    const int ascent = static_cast<int>(std::ceil(ft->size->metrics.ascender / 64.0));
    const int cellHeight = ascent + static_cast<int>(std::ceil(-ft->size->metrics.descender / 64.0));
    ImageTest::Picture picture{kAtlasSize, kAtlasSize, 4, std::vector<VelkorEngine::u8>(kAtlasSize * kAtlasSize * 4)};
    std::vector<KorvaneTools::FontGlyph> glyphs;
    u32 x = kGap;
    u32 top = kGap; // rows from the picture's top
    for (const u32 code : CodePoints())
    {
        if (FT_Get_Char_Index(ft, code) == 0 || FT_Load_Char(ft, code, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot slot = ft->glyph;
        const u32 advance = static_cast<u32>(std::max<long>(1, (slot->advance.x + 63) / 64));
        if (x + advance + kGap > kAtlasSize)
        {
            x = kGap;
            top += static_cast<u32>(cellHeight) + kGap;
        }
        if (top + static_cast<u32>(cellHeight) + kGap > kAtlasSize)
            break;
        for (u32 row = 0; row < slot->bitmap.rows; ++row)
            for (u32 column = 0; column < slot->bitmap.width; ++column)
            {
                const int px = static_cast<int>(x) + slot->bitmap_left + static_cast<int>(column);
                const int py = static_cast<int>(top) + ascent - slot->bitmap_top + static_cast<int>(row);
                if (px < static_cast<int>(x) || px >= static_cast<int>(x + advance) || py < static_cast<int>(top) ||
                    py >= static_cast<int>(top) + cellHeight)
                    continue;
                const u32 pictureRow = kAtlasSize - 1 - static_cast<u32>(py);
                VelkorEngine::u8* pixel =
                    picture.pixels.data() + (static_cast<size_t>(pictureRow) * kAtlasSize + static_cast<u32>(px)) * 4;
                pixel[0] = pixel[1] = pixel[2] = 255;
                pixel[3] = slot->bitmap.buffer[row * static_cast<u32>(slot->bitmap.pitch) + column];
            }
        KorvaneTools::FontGlyph glyph;
        glyph.code = static_cast<VelkorEngine::u16>(code);
        glyph.u = static_cast<f32>(x) / kAtlasSize;
        glyph.v = static_cast<f32>(kAtlasSize - top - static_cast<u32>(cellHeight)) / kAtlasSize;
        glyph.du = static_cast<f32>(advance) / kAtlasSize;
        glyph.dv = static_cast<f32>(cellHeight) / kAtlasSize;
        glyph.width = static_cast<f32>(advance) / static_cast<f32>(cellHeight);
        glyphs.push_back(glyph);
        x += advance + kGap;
    }
    SmokeFont font;
    font.glyphFile = KorvaneTools::WriteFontFile(glyphs);
    const std::vector<VelkorEngine::u8> tga = ImageTest::MakeTga(picture);
    font.atlas.assign(tga.begin(), tga.end());
    if (FT_Load_Char(ft, ' ', FT_LOAD_DEFAULT) == 0)
        font.space = static_cast<f32>(ft->glyph->advance.x) / 64.0f / static_cast<f32>(cellHeight);
    return font;
}
}
