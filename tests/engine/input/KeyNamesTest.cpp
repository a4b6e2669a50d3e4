// The control-name table: its size, uniqueness, order and codes.
#include "engine/input/KeyNames.h"
#include "platform/dinput7/DirectInput.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace VelkorEngine;

namespace
{
u32 CodeOf(const std::string& name)
{
    for (const KeyName& key : kKeyNames)
        if (name == key.name)
            return key.code;
    ADD_FAILURE() << "no control named \"" << name << "\"";
    return 0xFFFFFFFFu;
}
}

TEST(KeyNames, HoldsOneHundredAndEightDistinctNames)
{
    std::set<std::string> names;
    for (const KeyName& key : kKeyNames)
    {
        ASSERT_NE(key.name, nullptr);
        names.insert(key.name);
    }
    EXPECT_EQ(names.size(), kKeyNameCount);
    EXPECT_EQ(names.count(""), 1u);
}

TEST(KeyNames, NamesAreUpperCase)
{
    for (const KeyName& key : kKeyNames)
        for (const char* c = key.name; *c != '\0'; ++c)
            EXPECT_FALSE(*c >= 'a' && *c <= 'z') << key.name;
}

TEST(KeyNames, MouseButtonsComeFirstWithTheirNumbers)
{
    for (u32 i = 0; i < kMouseButtonCount; ++i)
    {
        EXPECT_EQ(std::string(kKeyNames[i].name), "MOUSE" + std::to_string(i + 1));
        EXPECT_EQ(kKeyNames[i].code, i);
    }
}

TEST(KeyNames, EveryKeyboardNameHasItsOwnCode)
{
    std::map<u32, std::string> byCode;
    for (u32 i = kMouseButtonCount; i < kKeyNameCount; ++i)
    {
        const auto [entry, inserted] = byCode.emplace(kKeyNames[i].code, kKeyNames[i].name);
        EXPECT_TRUE(inserted) << kKeyNames[i].name << " shares its code with " << entry->second;
        EXPECT_GT(kKeyNames[i].code, 0u);
        EXPECT_LT(kKeyNames[i].code, 256u);
    }
}

TEST(KeyNames, CodesOfNamedKeys)
{
    const struct
    {
        const char* name;
        u32 code;
    } cases[] = {{"ESCAPE", 0x01},   {"1", 0x02},         {"0", 0x0B},        {"BACKSPACE", 0x0E},
                 {"Q", 0x10},        {"", 0x1B},          {"ENTER", 0x1C},    {"LCTRL", 0x1D},
                 {"A", 0x1E},        {"~", 0x29},         {"LSHIFT", 0x2A},   {"\\", 0x2B},
                 {"SPACE", 0x39},    {"CAPS_LOCK", 0x3A}, {"F1", 0x3B},       {"F10", 0x44},
                 {"NUMPAD_7", 0x47}, {"NUMPAD_0", 0x52},  {"F11", 0x57},      {"F12", 0x58},
                 {"RCTRL", 0x9D},    {"PRINTSCRN", 0xB7}, {"RALT", 0xB8},     {"PAUSE", 0xC5},
                 {"HOME", 0xC7},     {"UPARROW", 0xC8},   {"PAGEUP", 0xC9},   {"LEFTARROW", 0xCB},
                 {"END", 0xCF},      {"PAGEDOWN", 0xD1},  {"DELETE", 0xD3},   {"NUMPAD_DELETE", 0x53},
                 {"'", 0x28},        {"MOUSE3", 2}};
    for (const auto& c : cases)
        EXPECT_EQ(CodeOf(c.name), c.code) << c.name;
}

TEST(KeyNames, RegistrationOrderOfTheTail)
{
    const char* tail[] = {"~", ";", "=", ",", "-", ".", "/", "[", "\\", "", "'"};
    const u32 first = kKeyNameCount - 11;
    for (u32 i = 0; i < 11; ++i)
        EXPECT_STREQ(kKeyNames[first + i].name, tail[i]);
    EXPECT_STREQ(kKeyNames[8].name, "CAPS_LOCK");
    EXPECT_STREQ(kKeyNames[11].name, "0");
    EXPECT_STREQ(kKeyNames[21].name, "A");
    EXPECT_STREQ(kKeyNames[62].name, "PRINTSCRN");
}
