// Free string helpers. Everything here is independent of the process locale: numbers always use ".",
// narrow text is UTF-8, wide text holds code points, and case mapping uses its own tables.
#include "engine/core/StringHelpers.h"

#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"
#include "platform/core/Paths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <locale.h>

namespace VelkorEngine
{
namespace
{
// Digit counts beyond this are cut: it covers every decimal of the exact value of any float, and keeps
// a wild count from asking for gigabytes of padding.
constexpr u32 MaxDigitCount = 160;

u32 ClampDigits(u32 digits)
{
    return std::min(digits, MaxDigitCount);
}

std::string FormatFixed(f32 value, u32 digits)
{
    // Sign, the 39 integer digits of the largest float, the point and the decimals.
    std::array<char, MaxDigitCount + 48> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, static_cast<int>(ClampDigits(digits)));
    return std::string(buffer.data(), result.ptr);
}

std::string PadDigits(std::string digits, u32 minimumDigits)
{
    const u32 wanted = ClampDigits(minimumDigits);
    if (digits.size() < wanted)
        digits.insert(0, wanted - digits.size(), '0');
    return digits;
}

std::string FormatUnsigned(u64 value, u32 minimumDigits, int base)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, base);
    return PadDigits(std::string(buffer.data(), result.ptr), minimumDigits);
}

std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

template <typename Char>
bool IsWhiteSpace(Char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of an ASCII letter or digit as a digit of any base up to 36; 36 for anything else.
template <typename Char>
u32 DigitValue(Char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<u32>(c - '0');
    if (c >= 'a' && c <= 'z')
        return static_cast<u32>(c - 'a') + 10;
    if (c >= 'A' && c <= 'Z')
        return static_cast<u32>(c - 'A') + 10;
    return 36;
}

struct ParsedInteger
{
    bool negative = false;
    u64 magnitude = 0; // saturated at the largest u64
};

// Reads an integer the way strtol does (leading white space, a sign, the "0x" prefix in base 16, and
// base 0 choosing 8, 10 or 16 from the prefix), stopping at the first character that is no digit.
template <typename Char>
ParsedInteger ParseInteger(const std::basic_string<Char>& text, i32 base)
{
    ParsedInteger parsed;
    if (base != 0 && (base < 2 || base > 36))
        return parsed;
    size_t pos = 0;
    while (pos < text.size() && IsWhiteSpace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        parsed.negative = text[pos++] == '-';
    const bool hexPrefix = pos + 2 < text.size() && text[pos] == '0' &&
                           (text[pos + 1] == 'x' || text[pos + 1] == 'X') && DigitValue(text[pos + 2]) < 16;
    if ((base == 0 || base == 16) && hexPrefix)
    {
        pos += 2;
        base = 16;
    }
    else if (base == 0)
        base = (pos < text.size() && text[pos] == '0') ? 8 : 10;
    const u32 radix = static_cast<u32>(base);
    constexpr u64 Largest = std::numeric_limits<u64>::max();
    for (; pos < text.size() && DigitValue(text[pos]) < radix; ++pos)
    {
        const u32 digit = DigitValue(text[pos]);
        if (parsed.magnitude > (Largest - digit) / radix)
            parsed.magnitude = Largest;
        else
            parsed.magnitude = parsed.magnitude * radix + digit;
    }
    return parsed;
}

// Out-of-range values saturate, as the 32-bit long of the C parsers does.
i32 ToInt32(const ParsedInteger& parsed)
{
    constexpr u64 LargestNegative = static_cast<u64>(std::numeric_limits<i32>::max()) + 1;
    if (parsed.negative)
        return parsed.magnitude >= LargestNegative ? std::numeric_limits<i32>::min()
                                                   : -static_cast<i32>(parsed.magnitude);
    return parsed.magnitude > static_cast<u64>(std::numeric_limits<i32>::max())
               ? std::numeric_limits<i32>::max()
               : static_cast<i32>(parsed.magnitude);
}

// A negative text is negated in unsigned arithmetic, as strtoul does; too large a magnitude saturates.
u32 ToUInt32(const ParsedInteger& parsed)
{
    if (parsed.magnitude > std::numeric_limits<u32>::max())
        return std::numeric_limits<u32>::max();
    const u32 magnitude = static_cast<u32>(parsed.magnitude);
    return parsed.negative ? 0u - magnitude : magnitude;
}

locale_t ClassicLocale()
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

// Lower-case code points of ASCII, Latin-1 and Cyrillic to upper case; anything else is returned as it is.
char32_t UpperCodePoint(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) && (c & 1))
        return c - 1;
    if (c == 0x4CF)
        return 0x4C0;
    if (c >= 0x4C1 && c <= 0x4CE && !(c & 1))
        return c - 1;
    return c;
}

char32_t LowerCodePoint(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) && !(c & 1))
        return c + 1;
    if (c == 0x4C0)
        return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE && (c & 1))
        return c + 1;
    return c;
}

bool IsContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Every cased letter handled here lies below U+0800, so in UTF-8 it and its counterpart are one or two
// bytes long: mapping them in place never changes the text's length. Other bytes are kept as they are.
void MapUtf8InPlace(std::string& text, char32_t (*map)(char32_t))
{
    for (size_t pos = 0; pos < text.size(); ++pos)
    {
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80)
        {
            text[pos] = static_cast<char>(map(lead));
            continue;
        }
        if (lead < 0xC2 || lead > 0xDF || pos + 1 >= text.size() ||
            !IsContinuationByte(static_cast<unsigned char>(text[pos + 1])))
            continue;
        const char32_t codePoint =
            (static_cast<char32_t>(lead & 0x1F) << 6) | (static_cast<unsigned char>(text[pos + 1]) & 0x3F);
        const char32_t mapped = map(codePoint);
        if (mapped >= 0x80 && mapped < 0x800)
        {
            text[pos] = static_cast<char>(0xC0 | (mapped >> 6));
            text[pos + 1] = static_cast<char>(0x80 | (mapped & 0x3F));
        }
        ++pos;
    }
}

void MapWideInPlace(std::wstring& text, char32_t (*map)(char32_t))
{
    for (wchar_t& c : text)
    {
        if (c >= 0)
            c = static_cast<wchar_t>(map(static_cast<char32_t>(c)));
    }
}

template <typename Char>
std::basic_string<Char> TrimLeftCopy(const std::basic_string<Char>& text)
{
    const auto first = std::find_if(text.begin(), text.end(), [](Char c) { return !IsWhiteSpace(c); });
    return std::basic_string<Char>(first, text.end());
}

template <typename Char>
std::basic_string<Char> TrimRightCopy(const std::basic_string<Char>& text)
{
    const auto last = std::find_if(text.rbegin(), text.rend(), [](Char c) { return !IsWhiteSpace(c); });
    return std::basic_string<Char>(text.begin(), last.base());
}

// Inserted text is never searched again, so a replacement that contains the search text still ends.
// An empty search text would match everywhere: it replaces nothing.
template <typename Char>
void ReplaceAll(std::basic_string<Char>& text, const std::basic_string<Char>& what,
                const std::basic_string<Char>& with)
{
    if (what.empty())
        return;
    size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::basic_string<Char>::npos)
    {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
}

// The length of the valid UTF-8 sequence at pos and its code point; 0 when the sequence is invalid
// (a stray continuation byte, a truncated or overlong sequence, a surrogate, or beyond U+10FFFF).
size_t DecodeUtf8(const std::string& text, size_t pos, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80)
    {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    }
    else
        return 0;
    if (text.size() - pos < length)
        return 0;
    for (size_t i = 1; i < length; ++i)
    {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuationByte(byte))
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
        out.push_back(static_cast<char>(c));
    else if (c < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else if (c < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsEncodable(wchar_t c)
{
    return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}
}

std::string FloatToString(f32 value, u32 digits)
{
    return FormatFixed(value, digits);
}

std::string UIntToString(u32 value, u32 digits)
{
    return FormatUnsigned(value, digits, 10);
}

std::string IntToString(i32 value, u32 digits)
{
    const u64 magnitude = value < 0 ? 0u - static_cast<u64>(static_cast<i64>(value)) : static_cast<u64>(value);
    const std::string text = FormatUnsigned(magnitude, digits, 10);
    return value < 0 ? "-" + text : text;
}

std::string UIntToHexString(u32 value, u32 digits)
{
    std::string text = FormatUnsigned(value, digits, 16);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(UpperCodePoint(static_cast<unsigned char>(c))); });
    return text;
}

std::wstring FloatToWString(f32 value, u32 digits)
{
    return Widen(FloatToString(value, digits));
}

std::wstring UIntToWString(u32 value, u32 digits)
{
    return Widen(UIntToString(value, digits));
}

std::wstring IntToWString(i32 value, u32 digits)
{
    return Widen(IntToString(value, digits));
}

std::string BoolToString(bool value)
{
    return value ? "1" : "0";
}

std::wstring Vector3ToWString(const Vector3& v, u32 digits)
{
    return L"(" + FloatToWString(v.x, digits) + L" " + FloatToWString(v.y, digits) + L" " +
           FloatToWString(v.z, digits) + L")";
}

std::wstring Vector4ToWString(const Vector4& v, u32 digits)
{
    return L"(" + FloatToWString(v.x, digits) + L" " + FloatToWString(v.y, digits) + L" " +
           FloatToWString(v.z, digits) + L" " + FloatToWString(v.w, digits) + L")";
}

std::wstring Float4ToWString(f32 x, f32 y, f32 z, f32 w, u32 digits)
{
    return Vector4ToWString(Vector4(x, y, z, w), digits);
}

f32 StringToFloat(const std::string& text)
{
    return static_cast<f32>(strtod_l(text.c_str(), nullptr, ClassicLocale()));
}

u32 StringToUInt(const std::string& text, i32 base)
{
    return ToUInt32(ParseInteger(text, base));
}

i32 StringToInt(const std::string& text, i32 base)
{
    return ToInt32(ParseInteger(text, base));
}

bool StringToBool(const std::string& text)
{
    return StringToInt(text, 10) != 0;
}

f32 WStringToFloat(const std::wstring& text)
{
    return static_cast<f32>(wcstod_l(text.c_str(), nullptr, ClassicLocale()));
}

i32 WStringToInt(const std::wstring& text, i32 base)
{
    return ToInt32(ParseInteger(text, base));
}

bool WStringToBool(const std::wstring& text)
{
    return WStringToInt(text, 10) != 0;
}

void StringToLower(std::string& text)
{
    MapUtf8InPlace(text, LowerCodePoint);
}

void StringToUpper(std::string& text)
{
    MapUtf8InPlace(text, UpperCodePoint);
}

void WStringToLower(std::wstring& text)
{
    MapWideInPlace(text, LowerCodePoint);
}

void WStringToUpper(std::wstring& text)
{
    MapWideInPlace(text, UpperCodePoint);
}

std::string StringToLowerCopy(const std::string& text)
{
    std::string copy = text;
    StringToLower(copy);
    return copy;
}

std::string StringToUpperCopy(const std::string& text)
{
    std::string copy = text;
    StringToUpper(copy);
    return copy;
}

std::wstring WStringToLowerCopy(const std::wstring& text)
{
    std::wstring copy = text;
    WStringToLower(copy);
    return copy;
}

void StringTrimLeft(std::string& text)
{
    text = TrimLeftCopy(text);
}

void StringTrimRight(std::string& text)
{
    text = TrimRightCopy(text);
}

void StringTrim(std::string& text)
{
    StringTrimLeft(text);
    StringTrimRight(text);
}

std::string StringTrimRightCopy(const std::string& text)
{
    return TrimRightCopy(text);
}

void StringRemoveLeading(std::string& text, char character)
{
    text.erase(0, text.find_first_not_of(character));
}

std::wstring WStringTrimLeftCopy(const std::wstring& text)
{
    return TrimLeftCopy(text);
}

std::wstring WStringTrimRightCopy(const std::wstring& text)
{
    return TrimRightCopy(text);
}

std::wstring WStringTrim(const std::wstring& text)
{
    return WStringTrimLeftCopy(WStringTrimRightCopy(text));
}

void StringReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    ReplaceAll(text, what, with);
}

void StringRemoveAll(std::string& text, const std::string& what)
{
    ReplaceAll(text, what, std::string());
}

void WStringReplaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    ReplaceAll(text, what, with);
}

std::wstring WStringReplaceAllCopy(const std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    std::wstring copy = text;
    ReplaceAll(copy, what, with);
    return copy;
}

std::wstring WStringRemoveAllCopy(const std::wstring& text, const std::wstring& what)
{
    return WStringReplaceAllCopy(text, what, std::wstring());
}

// Invalid bytes are skipped one at a time; a zero byte ends the text, as it would a C string.
std::wstring StringToWString(const std::string& text)
{
    std::wstring result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
    {
        char32_t codePoint = 0;
        const size_t length = DecodeUtf8(text, pos, codePoint);
        if (length == 0)
        {
            ++pos;
            continue;
        }
        if (codePoint == 0)
            break;
        result.push_back(static_cast<wchar_t>(codePoint));
        pos += length;
    }
    return result;
}

// Values that are no code point (surrogates, negatives, beyond U+10FFFF) are dropped; a zero ends the text.
std::string WStringToString(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (const wchar_t c : text)
    {
        if (c == 0)
            break;
        if (IsEncodable(c))
            AppendUtf8(result, static_cast<char32_t>(c));
    }
    return result;
}

std::string GetExecutableDirectory()
{
    return Platform::GetExecutableFolder();
}
}
