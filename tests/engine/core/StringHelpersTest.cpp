// Tables of the string helpers: numbers both ways, case, trimming, replacing and UTF-8 conversion.
#include "engine/core/StringHelpers.h"

#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace VelkorEngine
{
namespace
{
struct UIntCase
{
    u32 value;
    u32 digits;
    const char* expected;
};

TEST(StringHelpersNumberText, UnsignedDecimal)
{
    const UIntCase cases[] = {
        {5, 0, "5"}, {5, 2, "05"}, {123, 2, "123"}, {7, 3, "007"}, {0, 0, "0"}, {0, 3, "000"},
        {4294967295u, 0, "4294967295"}, {4294967295u, 12, "004294967295"},
    };
    for (const UIntCase& c : cases)
    {
        EXPECT_EQ(UIntToString(c.value, c.digits), c.expected) << c.value << " with " << c.digits;
        EXPECT_EQ(UIntToWString(c.value, c.digits), StringToWString(c.expected));
    }
}

struct IntCase
{
    i32 value;
    u32 digits;
    const char* expected;
};

TEST(StringHelpersNumberText, SignedDecimal)
{
    const IntCase cases[] = {
        {-7, 3, "-007"},
        {7, 3, "007"},
        {-7, 0, "-7"},
        {0, 0, "0"},
        {-123, 2, "-123"},
        {std::numeric_limits<i32>::min(), 0, "-2147483648"},
        {std::numeric_limits<i32>::max(), 0, "2147483647"},
    };
    for (const IntCase& c : cases)
    {
        EXPECT_EQ(IntToString(c.value, c.digits), c.expected) << c.value << " with " << c.digits;
        EXPECT_EQ(IntToWString(c.value, c.digits), StringToWString(c.expected));
    }
}

TEST(StringHelpersNumberText, UpperCaseHexadecimal)
{
    const UIntCase cases[] = {{171, 0, "AB"}, {255, 4, "00FF"}, {0xDEADBEEF, 0, "DEADBEEF"}, {0, 2, "00"}};
    for (const UIntCase& c : cases)
        EXPECT_EQ(UIntToHexString(c.value, c.digits), c.expected) << c.value;
}

struct FloatCase
{
    f32 value;
    u32 digits;
    const char* expected;
};

TEST(StringHelpersNumberText, FixedPointFloats)
{
    const FloatCase cases[] = {
        {3.14159f, 2, "3.14"}, {1.0f, 3, "1.000"}, {-0.5f, 1, "-0.5"}, {100.0f, 0, "100"},
        {0.125f, 3, "0.125"},  {1e10f, 1, "10000000000.0"},
    };
    for (const FloatCase& c : cases)
    {
        EXPECT_EQ(FloatToString(c.value, c.digits), c.expected) << c.value << " with " << c.digits;
        EXPECT_EQ(FloatToWString(c.value, c.digits), StringToWString(c.expected));
    }
    EXPECT_EQ(FloatToString(2.5f, 0).find('.'), std::string::npos);
}

TEST(StringHelpersNumberText, PointWhateverTheProcessLocale)
{
    // A locale with a decimal comma, when the machine has one, must change nothing.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const std::string text = FloatToString(1.5f, 2);
    const f32 parsed = StringToFloat("2.25");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, "1.50");
    EXPECT_EQ(parsed, 2.25f);
    if (!switched)
        GTEST_LOG_(INFO) << "no decimal-comma locale installed; checked the current one only";
}

TEST(StringHelpersNumberText, HugeDigitCountsStayBounded)
{
    const u32 counts[] = {63, 64, 200, 10000000, 2147483648u, std::numeric_limits<u32>::max()};
    for (const u32 digits : counts)
    {
        const size_t kept = std::min<u32>(digits, 160);
        const std::string f = FloatToString(-3.4e38f, digits);
        EXPECT_EQ(f.substr(0, 5), "-3399") << digits;
        EXPECT_EQ(f.size(), 41 + kept) << digits;
        EXPECT_EQ(UIntToString(42, digits), std::string(kept - 2, '0') + "42");
        EXPECT_EQ(IntToString(-42, digits), "-" + std::string(kept - 2, '0') + "42");
        EXPECT_EQ(UIntToHexString(42, digits), std::string(kept - 2, '0') + "2A");
    }
    // Every decimal of the smallest float is still exact.
    const std::string tiny = FloatToString(std::numeric_limits<f32>::denorm_min(), 149);
    EXPECT_EQ(tiny.substr(0, 48), "0.0000000000000000000000000000000000000000000014");
    EXPECT_EQ(tiny.size(), 151u);
    EXPECT_EQ(tiny.back(), '5');
}

TEST(StringHelpersNumberText, BoolsAndVectors)
{
    EXPECT_EQ(BoolToString(true), "1");
    EXPECT_EQ(BoolToString(false), "0");
    EXPECT_EQ(Vector3ToWString(Vector3(1.0f, -2.5f, 0.0f), 1), L"(1.0 -2.5 0.0)");
    EXPECT_EQ(Vector4ToWString(Vector4(1.0f, 2.0f, 3.0f, 4.0f), 0), L"(1 2 3 4)");
    EXPECT_EQ(Float4ToWString(0.25f, 0.5f, 0.75f, 1.0f, 2), L"(0.25 0.50 0.75 1.00)");
}

struct IntParseCase
{
    const char* text;
    i32 base;
    i32 expected;
};

TEST(StringHelpersParsing, Integers)
{
    const IntParseCase cases[] = {
        {"12abc", 10, 12},       {"ff", 16, 255},       {"0xff", 16, 255},        {"FF", 16, 255},
        {"  -42", 10, -42},      {"+17", 10, 17},       {"yes", 10, 0},           {"", 10, 0},
        {"-", 10, 0},            {"- 5", 10, 0},        {"0x", 16, 0},            {"0x1A", 0, 26},
        {"017", 0, 15},          {"101", 2, 5},         {"z", 36, 35},            {"12", 1, 0},
        {"12", 37, 0},           {"99999999999", 10, std::numeric_limits<i32>::max()},
        {"-99999999999999999999999", 10, std::numeric_limits<i32>::min()},
        {"-2147483648", 10, std::numeric_limits<i32>::min()},
    };
    for (const IntParseCase& c : cases)
    {
        EXPECT_EQ(StringToInt(c.text, c.base), c.expected) << '"' << c.text << "\" base " << c.base;
        EXPECT_EQ(WStringToInt(StringToWString(c.text), c.base), c.expected) << c.text;
    }
}

TEST(StringHelpersParsing, UnsignedIntegers)
{
    EXPECT_EQ(StringToUInt("4294967295", 10), 4294967295u);
    EXPECT_EQ(StringToUInt("4294967296", 10), 4294967295u);
    EXPECT_EQ(StringToUInt("-1", 10), 4294967295u);
    EXPECT_EQ(StringToUInt("DEADBEEF", 16), 0xDEADBEEFu);
    EXPECT_EQ(StringToUInt("12abc", 10), 12u);
    EXPECT_EQ(StringToUInt("abc", 10), 0u);
}

struct FloatParseCase
{
    const char* text;
    f32 expected;
};

TEST(StringHelpersParsing, Floats)
{
    const FloatParseCase cases[] = {
        {"3.5", 3.5f}, {"  -0.25xyz", -0.25f}, {"1e3", 1000.0f}, {"abc", 0.0f}, {"", 0.0f}, {".5", 0.5f},
        {"2,5", 2.0f}, {"+7", 7.0f},
    };
    for (const FloatParseCase& c : cases)
    {
        EXPECT_EQ(StringToFloat(c.text), c.expected) << c.text;
        EXPECT_EQ(WStringToFloat(StringToWString(c.text)), c.expected) << c.text;
    }
    EXPECT_TRUE(std::isinf(StringToFloat("1e400")));
}

TEST(StringHelpersParsing, Bools)
{
    EXPECT_FALSE(StringToBool("0"));
    EXPECT_FALSE(StringToBool("yes"));
    EXPECT_TRUE(StringToBool("2"));
    EXPECT_TRUE(StringToBool("-1"));
    EXPECT_FALSE(WStringToBool(L"0"));
    EXPECT_TRUE(WStringToBool(L"1"));
}

struct CaseCase
{
    const char* mixed;
    const char* lower;
    const char* upper;
};

TEST(StringHelpersCase, AsciiLatin1AndCyrillic)
{
    const CaseCase cases[] = {
        {"V_Mode", "v_mode", "V_MODE"},
        {"Ärger über Öl", "ärger über öl", "ÄRGER ÜBER ÖL"},
        {"Ÿÿ×÷ß", "ÿÿ×÷ß", "ŸŸ×÷ß"},
        {"Привет, Мир", "привет, мир", "ПРИВЕТ, МИР"},
        {"ЁжЇїЂђ", "ёжїїђђ", "ЁЖЇЇЂЂ"},
        {"ѠѡҊҋӀӏӁӂӐӑ", "ѡѡҋҋӏӏӂӂӑӑ", "ѠѠҊҊӀӀӁӁӐӐ"},
        {"日本 Ωω 1-2", "日本 Ωω 1-2", "日本 Ωω 1-2"},
    };
    for (const CaseCase& c : cases)
    {
        EXPECT_EQ(StringToLowerCopy(c.mixed), c.lower) << c.mixed;
        EXPECT_EQ(StringToUpperCopy(c.mixed), c.upper) << c.mixed;
        EXPECT_EQ(WStringToLowerCopy(StringToWString(c.mixed)), StringToWString(c.lower)) << c.mixed;
        std::wstring wide = StringToWString(c.mixed);
        WStringToUpper(wide);
        EXPECT_EQ(WStringToString(wide), c.upper) << c.mixed;
        std::string narrow = c.mixed;
        StringToLower(narrow);
        EXPECT_EQ(narrow, c.lower);
        StringToUpper(narrow);
        EXPECT_EQ(narrow, c.upper);
    }
}

TEST(StringHelpersCase, InvalidUtf8BytesAreKept)
{
    const std::string text = "A\xC3\x7F\xFF\xD0";
    EXPECT_EQ(StringToLowerCopy(text), "a\xC3\x7F\xFF\xD0");
}

struct TrimCase
{
    const char* text;
    const char* left;
    const char* right;
    const char* both;
};

TEST(StringHelpersTrim, AllSixWhiteSpaces)
{
    const TrimCase cases[] = {
        {"  a b \t", "a b \t", "  a b", "a b"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"\r\n\v\fx\r\n\v\f", "x\r\n\v\f", "\r\n\v\fx", "x"},
        {"x", "x", "x", "x"},
    };
    for (const TrimCase& c : cases)
    {
        std::string left = c.text;
        StringTrimLeft(left);
        EXPECT_EQ(left, c.left);
        std::string right = c.text;
        StringTrimRight(right);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(StringTrimRightCopy(c.text), c.right);
        std::string both = c.text;
        StringTrim(both);
        EXPECT_EQ(both, c.both);
        const std::wstring wide = StringToWString(c.text);
        EXPECT_EQ(WStringTrimLeftCopy(wide), StringToWString(c.left));
        EXPECT_EQ(WStringTrimRightCopy(wide), StringToWString(c.right));
        EXPECT_EQ(WStringTrim(wide), StringToWString(c.both));
    }
}

TEST(StringHelpersTrim, RemoveLeading)
{
    std::string command = "\\\\quit";
    StringRemoveLeading(command, '\\');
    EXPECT_EQ(command, "quit");
    std::string all = "\\\\";
    StringRemoveLeading(all, '\\');
    EXPECT_EQ(all, "");
    std::string inner = "a\\b";
    StringRemoveLeading(inner, '\\');
    EXPECT_EQ(inner, "a\\b");
}

struct ReplaceCase
{
    const char* text;
    const char* what;
    const char* with;
    const char* expected;
};

TEST(StringHelpersReplace, InsertedTextIsNotSearchedAgain)
{
    const ReplaceCase cases[] = {
        {"a.b.c", ".", "..", "a..b..c"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"x--y--", "--", "", "xy"},
        {"abc", "", "x", "abc"},
        {"abc", "", "", "abc"},
        {"", "a", "b", ""},
        {"aaaa", "aa", "a", "aa"},
        {"Ölöl", "ö", "o", "Ölol"},
    };
    for (const ReplaceCase& c : cases)
    {
        std::string narrow = c.text;
        StringReplaceAll(narrow, c.what, c.with);
        EXPECT_EQ(narrow, c.expected) << c.text << " / " << c.what;
        std::wstring wide = StringToWString(c.text);
        WStringReplaceAll(wide, StringToWString(c.what), StringToWString(c.with));
        EXPECT_EQ(wide, StringToWString(c.expected));
        EXPECT_EQ(WStringReplaceAllCopy(StringToWString(c.text), StringToWString(c.what), StringToWString(c.with)),
                  StringToWString(c.expected));
    }
    std::string removed = "x--y--";
    StringRemoveAll(removed, "--");
    EXPECT_EQ(removed, "xy");
    EXPECT_EQ(WStringRemoveAllCopy(L"x--y--", L"--"), L"xy");
    EXPECT_EQ(WStringRemoveAllCopy(L"xy", L""), L"xy");
}

TEST(StringHelpersConversion, Utf8RoundTrips)
{
    const std::wstring texts[] = {L"", L"plain", L"caf\u00E9", L"\u041F\u0440\u0438\u0432\u0435\u0442",
                                  L"\u20AC 5", L"\U0001F600!", L"\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF"};
    for (const std::wstring& text : texts)
        EXPECT_EQ(StringToWString(WStringToString(text)), text);
    EXPECT_EQ(WStringToString(L"caf\u00E9"), "caf\xC3\xA9");
    EXPECT_EQ(WStringToString(L"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(WStringToString(L"\U0001F600"), "\xF0\x9F\x98\x80");
}

struct DecodeCase
{
    std::string bytes;
    std::wstring expected;
};

TEST(StringHelpersConversion, InvalidSequencesSkipOneByte)
{
    const DecodeCase cases[] = {
        {"a\x80" "b", L"ab"},                       // stray continuation byte
        {"a\xC3", L"a"},                            // truncated at the end
        {"\xC3(", L"("},                            // lead without continuation
        {"\xC0\xAF", L""},                          // overlong "/"
        {"\xE0\x80\xAF", L""},                      // overlong three-byte form
        {"\xED\xA0\x80x", L"x"},                    // surrogate
        {"\xF4\x90\x80\x80", L""},                  // beyond U+10FFFF
        {"\xFF\xFE" "ok", L"ok"},                   // never valid bytes
        {std::string("ab\0cd", 5), L"ab"},          // a zero ends the text
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(StringToWString(c.bytes), c.expected);
}

TEST(StringHelpersConversion, UnencodableCharactersAreDropped)
{
    std::wstring text = L"a";
    text.push_back(static_cast<wchar_t>(0xD800));
    text.push_back(static_cast<wchar_t>(0x110000));
    text.push_back(static_cast<wchar_t>(-1));
    text += L"b";
    text.push_back(L'\0');
    text += L"c";
    EXPECT_EQ(WStringToString(text), "ab");
}

TEST(StringHelpersPaths, ExecutableDirectoryHoldsThisProgram)
{
    const std::string folder = GetExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
}
}
}
