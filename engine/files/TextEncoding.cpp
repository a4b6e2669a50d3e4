// UTF-16 surrogates, UTF-8 bytes and the Windows-1252 table.
#include "engine/files/TextEncoding.h"

#include <algorithm>
#include <array>

namespace VelkorEngine
{
namespace
{
// Windows-1252 bytes 0x80 to 0x9F; the other bytes equal their Latin-1 code points.
constexpr std::array<u16, 32> Windows1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
}

bool IsSurrogate(u32 unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool IsHighSurrogate(u32 unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(u32 unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

u32 CombineSurrogates(u32 high, u32 low)
{
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

bool IsValidCodePoint(u32 code)
{
    return code <= 0x10FFFF && !IsSurrogate(code);
}

std::vector<u16> ToUtf16(const std::wstring& text)
{
    std::vector<u16> units;
    units.reserve(text.size());
    for (wchar_t character : text)
    {
        u32 code = static_cast<u32>(character);
        if (!IsValidCodePoint(code))
            code = ReplacementCharacter;
        if (code < 0x10000)
        {
            units.push_back(static_cast<u16>(code));
            continue;
        }
        code -= 0x10000;
        units.push_back(static_cast<u16>(0xD800 + (code >> 10)));
        units.push_back(static_cast<u16>(0xDC00 + (code & 0x3FF)));
    }
    return units;
}

std::wstring FromUtf16(const std::vector<u16>& units)
{
    std::wstring text;
    text.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i)
    {
        const u32 unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1]))
            text += static_cast<wchar_t>(CombineSurrogates(unit, units[++i]));
        else
            text += static_cast<wchar_t>(IsSurrogate(unit) ? ReplacementCharacter : unit);
    }
    return text;
}

void AppendUtf8(std::string& out, u32 code)
{
    if (code < 0x80)
        out += static_cast<char>(code);
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void Utf8Validator::Feed(u8 byte)
{
    if (!m_valid)
        return;
    if (m_remaining > 0)
    {
        if ((byte & 0xC0) != 0x80)
        {
            m_valid = false;
            return;
        }
        m_code = (m_code << 6) | (byte & 0x3F);
        if (--m_remaining == 0)
            m_valid = m_code >= m_smallest && IsValidCodePoint(m_code);
        return;
    }
    if (byte < 0x80)
        return;
    const u32 length = (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
    if (length == 0)
    {
        m_valid = false;
        return;
    }
    m_remaining = length - 1;
    m_code = byte & (0x7F >> length);
    m_smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
}

// Plain ASCII, most of every text, passes without the state machine.
void Utf8Validator::Feed(const u8* bytes, size_t count)
{
    const u8* const end = bytes + count;
    while (bytes != end && m_valid)
    {
        if (m_remaining == 0)
            bytes = std::find_if(bytes, end, [](u8 byte) { return byte >= 0x80; });
        if (bytes != end)
            Feed(*bytes++);
    }
}

bool IsValidUtf8(const char* bytes, size_t count)
{
    Utf8Validator validator;
    validator.Feed(reinterpret_cast<const u8*>(bytes), count);
    return validator.IsValid();
}

u32 Windows1252ToCodePoint(u8 byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return Windows1252High[byte - 0x80] ? Windows1252High[byte - 0x80] : NoCodePoint;
    return byte;
}
}
