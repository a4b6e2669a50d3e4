// Glyph files for the font tests, written with the tools' font writer into a test's folder: every glyph a
// cell of a 16 x 16 grid over the texture, with the widths a test asks for.
#pragma once

#include "engine/core/Types.h"
#include "tools/formats/FontFileWriter.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class GUIFont;
class GUIFontManager;
}

namespace TestSupport
{
class TempFolder;

// How far a size or place worked out from a grid font may lie from the one worked out by hand.
constexpr VelkorEngine::f32 kFontTolerance = 0.0001f;

// One glyph per character, in order, each `width` font sizes wide.
std::vector<KorvaneTools::FontGlyph> GridGlyphs(const std::wstring& characters, VelkorEngine::f32 width);

// Writes the glyphs as "<name>.vef" into the folder and returns the file's absolute name.
std::string WriteFontFile(const TempFolder& folder, const std::string& name,
                          const std::vector<KorvaneTools::FontGlyph>& glyphs);

// A font of the manager under the id, from a file written as above, at the given size.
VelkorEngine::GUIFont* CreateGridFont(VelkorEngine::GUIFontManager& fonts, const TempFolder& folder,
                                      VelkorEngine::u32 id, const std::wstring& characters, VelkorEngine::f32 width,
                                      VelkorEngine::f32 size);
}
