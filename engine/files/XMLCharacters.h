// The character classes the XML scanner and the path queries agree on.
#pragma once

namespace GameTools
{
// Letters, digits and punctuation of any script: everything but white space and control characters.
inline bool IsVisible(wchar_t c)
{
    return c > 0x20 && !(c >= 0x7F && c <= 0x9F);
}

// A byte of UTF-8 text: every byte of a multi-byte sequence belongs to a visible character, since the
// scanner reads no bytes that hold a C1 control character.
inline bool IsVisible(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte != 0x7F;
}

template <class Char>
bool IsQuote(Char c)
{
    return c == '"' || c == '\'';
}
}
