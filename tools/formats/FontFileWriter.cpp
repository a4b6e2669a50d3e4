// Glyph table writer and reader.
#include "tools/formats/FontFileWriter.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

namespace KorvaneTools
{
using VelkorEngine::u32;

std::string WriteFontFile(const std::vector<FontGlyph>& glyphs)
{
    ByteWriter out("VEFNT", 201);
    out.Put(static_cast<u32>(glyphs.size()));
    for (const FontGlyph& glyph : glyphs)
    {
        out.Put(glyph.code);
        out.Put(glyph.u);
        out.Put(glyph.v);
        out.Put(glyph.du);
        out.Put(glyph.dv);
        out.Put(glyph.width);
    }
    return out.Finish();
}

std::vector<FontGlyph> ReadFontFile(const std::string& bytes)
{
    ByteReader in(bytes);
    in.ReadHeader("VEFNT", 201);
    const auto count = in.Get<u32>();
    if (in.Remaining() != static_cast<VelkorEngine::u64>(count) * FontGlyphRecordSize)
        throw FormatError("glyph count " + std::to_string(count) + " does not match the file length");
    std::vector<FontGlyph> glyphs(count);
    for (FontGlyph& glyph : glyphs)
    {
        glyph.code = in.Get<VelkorEngine::u16>();
        glyph.u = in.Get<float>();
        glyph.v = in.Get<float>();
        glyph.du = in.Get<float>();
        glyph.dv = in.Get<float>();
        glyph.width = in.Get<float>();
    }
    return glyphs;
}
}
