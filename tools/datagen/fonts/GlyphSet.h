// The characters every game font holds: enough for the six languages' texts and for players' names typed in
// any of them. White space is left out on purpose: spaces advance by the font list's space value and a
// white-space glyph would be drawn wider than it advances.
#pragma once

#include <string>
#include <vector>

namespace KorvaneTools
{
std::vector<char32_t> GameGlyphSet();

// Code points of UTF-8 text; throws DataError naming the text's origin on a bad sequence.
std::u32string DecodeUtf8(const std::string& text, const std::string& origin);
std::string EncodeUtf8(const std::u32string& text);
// "U+0416"
std::string CodePointName(char32_t code);
bool IsWhiteSpace(char32_t code);
}
