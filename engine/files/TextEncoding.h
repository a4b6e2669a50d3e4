// Conversions between the encodings files use and the program's strings: narrow strings hold UTF-8,
// wide strings hold Unicode code points; UTF-16 and Windows-1252 exist only inside files.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
constexpr wchar_t ReplacementCharacter = 0xFFFD;

bool IsSurrogate(u32 unit);
bool IsHighSurrogate(u32 unit);
bool IsLowSurrogate(u32 unit);
u32 CombineSurrogates(u32 high, u32 low);
// A code point that can be stored: not a surrogate and not beyond U+10FFFF.
bool IsValidCodePoint(u32 code);

// UTF-16 units of code points; a character that cannot be stored becomes U+FFFD.
std::vector<u16> ToUtf16(const std::wstring& text);
// Code points of UTF-16 units: pairs are combined, a lone surrogate becomes U+FFFD.
std::wstring FromUtf16(const std::vector<u16>& units);

// Appends the UTF-8 bytes of one valid code point.
void AppendUtf8(std::string& out, u32 code);
bool IsValidUtf8(const char* bytes, size_t count);

// Checks UTF-8 one byte at a time, for text that arrives in pieces.
class Utf8Validator
{
public:
    void Feed(u8 byte);
    void Feed(const u8* bytes, size_t count);
    // True when every sequence fed so far was valid and complete.
    bool IsValid() const { return m_valid && m_remaining == 0; }

private:
    bool m_valid = true;
    u32 m_remaining = 0;
    u32 m_code = 0;
    u32 m_smallest = 0;
};
// The code point of a Windows-1252 byte; NoCodePoint for the five bytes that stand for no character.
constexpr u32 NoCodePoint = 0xFFFFFFFF;
u32 Windows1252ToCodePoint(u8 byte);
}
