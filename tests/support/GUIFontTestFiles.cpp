// Glyph files for the font tests.
#include "tests/support/GUIFontTestFiles.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "tests/support/TempFolder.h"

namespace TestSupport
{
namespace
{
constexpr VelkorEngine::u32 kGridCells = 16;
constexpr VelkorEngine::f32 kCell = 1.0f / kGridCells;
}

std::vector<KorvaneTools::FontGlyph> GridGlyphs(const std::wstring& characters, VelkorEngine::f32 width)
{
    std::vector<KorvaneTools::FontGlyph> glyphs;
    for (size_t i = 0; i < characters.size(); ++i)
    {
        KorvaneTools::FontGlyph glyph;
        glyph.code = static_cast<VelkorEngine::u16>(characters[i]);
        glyph.u = static_cast<VelkorEngine::f32>(i % kGridCells) * kCell;
        glyph.v = static_cast<VelkorEngine::f32>((i / kGridCells) % kGridCells) * kCell;
        glyph.du = kCell * width;
        glyph.dv = kCell;
        glyph.width = width;
        glyphs.push_back(glyph);
    }
    return glyphs;
}

std::string WriteFontFile(const TempFolder& folder, const std::string& name,
                          const std::vector<KorvaneTools::FontGlyph>& glyphs)
{
    folder.WriteFile(name + ".vef", KorvaneTools::WriteFontFile(glyphs));
    return folder / (name + ".vef");
}

VelkorEngine::GUIFont* CreateGridFont(VelkorEngine::GUIFontManager& fonts, const TempFolder& folder,
                                      VelkorEngine::u32 id, const std::wstring& characters, VelkorEngine::f32 width,
                                      VelkorEngine::f32 size)
{
    const std::string file = WriteFontFile(folder, "font" + std::to_string(id), GridGlyphs(characters, width));
    VelkorEngine::GUIFont* font = fonts.CreateFont(id, nullptr, file);
    font->SetSize(size);
    return font;
}
}
