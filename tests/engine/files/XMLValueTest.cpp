// XMLValue: which text is valid after each change, lazy conversion, and the typed readers.
#include "engine/files/XMLValue.h"

#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

using GameTools::XMLValue;

namespace
{
XMLValue Narrow(const std::string& text)
{
    XMLValue value;
    value.SetString(text);
    return value;
}

XMLValue Wide(const std::wstring& text)
{
    XMLValue value;
    value.SetWideString(text);
    return value;
}
}

TEST(XMLValueState, NewValueHasBothTextsEmpty)
{
    XMLValue value;
    EXPECT_EQ(XMLValue::BothValid, value.GetState());
    EXPECT_EQ("", value.GetString());
    EXPECT_EQ(L"", value.GetWideString());
}

TEST(XMLValueState, WideTextConvertsToNarrowOnceThenANarrowSetWinsAgain)
{
    XMLValue value;
    value.SetWideString(L"Gr\u00f6\u00dfe \u0436");
    EXPECT_EQ(XMLValue::WideValid, value.GetState());

    EXPECT_EQ("Gr\xc3\xb6\xc3\x9f" "e \xd0\xb6", value.GetString());
    EXPECT_EQ(XMLValue::BothValid, value.GetState());
    const std::string* first = &value.GetString();
    EXPECT_EQ(first, &value.GetString());

    value.SetString("plain");
    EXPECT_EQ(XMLValue::NarrowValid, value.GetState());
    EXPECT_EQ(L"plain", value.GetWideString());
    EXPECT_EQ(XMLValue::BothValid, value.GetState());
    EXPECT_EQ("plain", value.GetString());
}

TEST(XMLValueState, ReadersUseTheValidTextWithoutConverting)
{
    XMLValue value;
    value.SetString("12");
    value.GetWideString();
    value.SetWideString(L"34");
    EXPECT_EQ(34, value.GetInt());
    EXPECT_EQ(XMLValue::WideValid, value.GetState());
    value.SetString("56");
    EXPECT_EQ(56, value.GetInt());
    EXPECT_EQ(XMLValue::NarrowValid, value.GetState());
}

struct NumberCase
{
    const char* text;
    int asInt;
    float asFloat;
    bool asBool;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(c.text);
}

class XMLValueNumbers : public testing::TestWithParam<NumberCase>
{
};

TEST_P(XMLValueNumbers, NarrowAndWideTextReadAlike)
{
    const NumberCase& c = GetParam();
    const std::string text = c.text;
    XMLValue narrow = Narrow(text);
    XMLValue wide = Wide(std::wstring(text.begin(), text.end()));
    for (XMLValue* value : {&narrow, &wide})
    {
        EXPECT_EQ(c.asInt, value->GetInt()) << text;
        EXPECT_FLOAT_EQ(c.asFloat, value->GetFloat()) << text;
        EXPECT_EQ(c.asBool, value->GetBool()) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, XMLValueNumbers,
                         testing::Values(NumberCase{"42", 42, 42.0f, true}, NumberCase{"-7", -7, -7.0f, true},
                                         NumberCase{"  12abc", 12, 12.0f, true}, NumberCase{"0", 0, 0.0f, false},
                                         NumberCase{"2.75", 2, 2.75f, true}, NumberCase{"1e2", 1, 100.0f, true},
                                         NumberCase{"yes", 0, 0.0f, false}, NumberCase{"", 0, 0.0f, false},
                                         NumberCase{"0.5", 0, 0.5f, false}, NumberCase{"+3", 3, 3.0f, true}));

struct ListCase
{
    const char* text;
    float x, y, z, w;
};

void PrintTo(const ListCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(c.text);
}

class XMLValueVector4 : public testing::TestWithParam<ListCase>
{
};

TEST_P(XMLValueVector4, ReadsUpToFourNumbersWithMissingOnesZero)
{
    const ListCase& c = GetParam();
    const std::string text = c.text;
    XMLValue narrow = Narrow(text);
    XMLValue wide = Wide(std::wstring(text.begin(), text.end()));
    for (XMLValue* value : {&narrow, &wide})
    {
        const VelkorEngine::Vector4 v = value->GetVector4();
        EXPECT_FLOAT_EQ(c.x, v.x) << text;
        EXPECT_FLOAT_EQ(c.y, v.y) << text;
        EXPECT_FLOAT_EQ(c.z, v.z) << text;
        EXPECT_FLOAT_EQ(c.w, v.w) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, XMLValueVector4,
                         testing::Values(ListCase{"1 2", 1, 2, 0, 0}, ListCase{"0.5,-1e2,3", 0.5f, -100, 3, 0},
                                         ListCase{"[1;2;3;4;5]", 1, 2, 3, 4}, ListCase{"", 0, 0, 0, 0},
                                         ListCase{"  ,, 7 ,,", 7, 0, 0, 0},
                                         ListCase{"(0.25, 0.5, 0.75, 1)", 0.25f, 0.5f, 0.75f, 1},
                                         ListCase{"1\t2\r\n3 4", 1, 2, 3, 4}, ListCase{"+1 -2", 1, -2, 0, 0}));

TEST(XMLValueLists, Vector2TakesTwoNumbers)
{
    const VelkorEngine::Vector2 v = Narrow("3.5 -4 9").GetVector2();
    EXPECT_FLOAT_EQ(3.5f, v.x);
    EXPECT_FLOAT_EQ(-4.0f, v.y);
    const VelkorEngine::Vector2 single = Wide(L"8").GetVector2();
    EXPECT_FLOAT_EQ(8.0f, single.x);
    EXPECT_FLOAT_EQ(0.0f, single.y);
}

TEST(XMLValueLists, IntPairReadsIntegersAsAtoiDoes)
{
    // Letters belong to a number (as the e of 1e2 does), so "640x480" is one number that reads as 640.
    EXPECT_EQ(std::make_pair(640, 0), Narrow("640x480").GetIntPair());
    EXPECT_EQ(std::make_pair(-3, 7), Narrow("-3, 7, 9").GetIntPair());
    EXPECT_EQ(std::make_pair(2, 0), Wide(L"2.9").GetIntPair());
    EXPECT_EQ(std::make_pair(0, 0), Narrow("").GetIntPair());
}

TEST(XMLValueLocale, NumbersUseAPointWhateverTheProcessLocale)
{
    XMLTestSupport::ScopedDecimalCommaLocale locale;
    if (!locale.IsActive())
        GTEST_SKIP() << "no locale with a decimal comma can be set up on this machine";
    EXPECT_FLOAT_EQ(2.5f, Narrow("2.5").GetFloat());
    EXPECT_FLOAT_EQ(2.5f, Wide(L"2.5").GetFloat());
    const VelkorEngine::Vector4 v = Narrow("0.5, 1.25, 2.5, 3.75").GetVector4();
    EXPECT_FLOAT_EQ(0.5f, v.x);
    EXPECT_FLOAT_EQ(1.25f, v.y);
    EXPECT_FLOAT_EQ(2.5f, v.z);
    EXPECT_FLOAT_EQ(3.75f, v.w);
}
