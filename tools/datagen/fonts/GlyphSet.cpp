// The game's glyph set and the UTF-8 helpers the font and text groups share.
#include "tools/datagen/fonts/GlyphSet.h"

#include "tools/datagen/DataError.h"

#include <cstdio>

namespace KorvaneTools
{
std::vector<char32_t> GameGlyphSet()
{
    struct Range
    {
        char32_t first;
        char32_t last;
    };
    // Basic Latin without space; Latin-1 letters and marks; Latin Extended-A; Cyrillic; dashes and quotes.
    constexpr Range Ranges[] = {{0x21, 0x7E}, {0xA1, 0xFF}, {0x100, 0x17F}, {0x400, 0x45F}};
    constexpr char32_t Punctuation[] = {0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x201E, 0x2026};
    std::vector<char32_t> codes;
    for (const Range& range : Ranges)
        for (char32_t code = range.first; code <= range.last; ++code)
            if (code != 0xAD) // the soft hyphen is a formatting mark, never drawn
                codes.push_back(code);
    codes.insert(codes.end(), std::begin(Punctuation), std::end(Punctuation));
    return codes;
}

std::u32string DecodeUtf8(const std::string& text, const std::string& origin)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0)
            throw DataError(origin + ": bad UTF-8 at byte " + std::to_string(i));
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
        {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                throw DataError(origin + ": bad UTF-8 at byte " + std::to_string(i));
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(code);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(const std::u32string& text)
{
    std::string out;
    for (char32_t code : text)
    {
        if (code < 0x80)
            out.push_back(static_cast<char>(code));
        else if (code < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
        else if (code < 0x10000)
        {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
        else
        {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::string CodePointName(char32_t code)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}

bool IsWhiteSpace(char32_t code)
{
    return code == 0x20 || (code >= 0x09 && code <= 0x0D) || code == 0xA0 || code == 0x1680 ||
           (code >= 0x2000 && code <= 0x200A) || code == 0x2028 || code == 0x2029 || code == 0x202F ||
           code == 0x205F || code == 0x3000;
}
}
