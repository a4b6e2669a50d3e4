// The platform layer's UTF-8 decoder, and the two readings of a malformed byte built on it: a replacement
// character for typed text, the byte itself for names on disk.
#include "platform/core/Paths.h"
#include "platform/core/Utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
struct Decoded
{
    std::size_t length;
    char32_t code;
};

Decoded DecodeOnce(const std::string& text, std::size_t available)
{
    char32_t code = 0xDEAD;
    const std::size_t length = Platform::DecodeUtf8(text.data(), available, code);
    return {length, code};
}
}

TEST(Utf8, SequencesOfOneToFourBytesGiveTheirCodePoints)
{
    const struct
    {
        std::string text;
        char32_t code;
    } cases[] = {{"a", U'a'}, {"\xC3\xA9", 0xE9}, {"\xD0\x96", 0x416}, {"\xE2\x82\xAC", 0x20AC},
                 {"\xF0\x9F\x98\x80", 0x1F600}};
    for (const auto& sample : cases)
    {
        const Decoded decoded = DecodeOnce(sample.text + "z", sample.text.size() + 1);
        EXPECT_EQ(decoded.length, sample.text.size()) << sample.text;
        EXPECT_EQ(decoded.code, sample.code) << sample.text;
    }
}

TEST(Utf8, ABrokenSequenceLeavesItsFirstByteUndecoded)
{
    const struct
    {
        std::string text;
        std::size_t available;
    } cases[] = {{"\xFF", 1},          {"\x80", 1},     {"\xC3", 1}, {"\xC3\xA9", 1} /* cut by the limit */,
                 {"\xE2\x82z", 3},     {"\xF0\x9F\x98", 3}, {"", 0}};
    for (const auto& sample : cases)
    {
        const Decoded decoded = DecodeOnce(sample.text, sample.available);
        EXPECT_EQ(decoded.length, 0u) << testing::PrintToString(sample.text);
        EXPECT_EQ(decoded.code, 0xDEADu) << "the code is left alone";
    }
}

// Names written in Latin-1 rather than UTF-8 still compare ignoring case, byte for letter, and two different
// malformed names never compare equal.
TEST(Utf8, MalformedBytesOfNamesStandForThemselves)
{
    EXPECT_TRUE(Platform::NamesEqualIgnoringCase("\xC9t\xE9", "\xE9T\xC9"));
    EXPECT_FALSE(Platform::NamesEqualIgnoringCase("\xFF", "\xFE"));
    EXPECT_FALSE(Platform::NamesEqualIgnoringCase("a\xE2\x82", "a\xE2\x83"));
}
