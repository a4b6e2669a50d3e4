// The XML dialect over text: the trees well-formed documents give, and the line and code of each error.
#include "engine/files/XMLParser.h"
#include "engine/files/XMLScanner.h"

#include "engine/core/Error.h"
#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using GameTools::XMLNode;
using GameTools::XMLParser;

namespace
{
// Parses text and gives the error message, or "" when it parsed.
std::string ErrorOf(const std::wstring& text)
{
    try
    {
        XMLTestSupport::ParseText(text);
    }
    catch (const VelkorEngine::FileError& e)
    {
        return e.GetMessage();
    }
    return "";
}

std::string Dump(const std::wstring& text)
{
    return XMLTestSupport::DumpTree(XMLTestSupport::ParseText(text).get());
}

std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

struct TreeCase
{
    const wchar_t* text;
    const char* tree;
};

void PrintTo(const TreeCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(Utf8(c.text));
}

class XMLParserTrees : public testing::TestWithParam<TreeCase>
{
};

struct ErrorCase
{
    const wchar_t* text;
    const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(Utf8(c.text));
}

class XMLParserErrors : public testing::TestWithParam<ErrorCase>
{
};
}

TEST_P(XMLParserTrees, GivesTheTree)
{
    EXPECT_EQ(GetParam().tree, Dump(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, XMLParserTrees,
    testing::Values(
        TreeCase{L"<a/>", "a"}, TreeCase{L"<a></a>", "a"}, TreeCase{L"<a />", "a"},
        TreeCase{L"<a x='1' y=\"2\"/>", "a[x='1' y='2']"}, TreeCase{L"<a x = '1'\t/>", "a[x='1']"},
        TreeCase{L"<a\tx='1'\r\ny='2'></a>", "a[x='1' y='2']"}, TreeCase{L"<a b='1'c='2'/>", "a[b='1' c='2']"},
        TreeCase{L"<a x=''/>", "a[x='']"}, TreeCase{L"<a x='>/\"'/>", "a[x='>/\"']"},
        TreeCase{L"<a x='1\r\n2'/>", "a[x='1\\r\\n2']"},
        TreeCase{L"<a\r\n  x = \"1\"\r\n  y='2' >t</a>", "a[x='1' y='2']=\"t\""},
        // Blanks inside an attribute name are dropped, and a '/' in the element name closes it at once.
        TreeCase{L"<a x y='1'/>", "a[xy='1']"}, TreeCase{L"<a/b>", "ab"}, TreeCase{L"<a/ x='1'>", "a[x='1']"}, TreeCase{L"<a x='&amp;'>a&lt;b</a>", "a[x='&amp;']=\"a&lt;b\""},
        TreeCase{L"< a >text</a >", "a=\"text\""}, TreeCase{L"<a><b/><b/><c></c></a>", "a{b b c}"},
        TreeCase{L"<a>x<b>y</b></a>", "a=\"x\"{b=\"y\"}"},
        // The declaration is skipped, also across lines.
        TreeCase{L"<?xml version=\"1.0\"\r\n encoding=\"utf-8\"?>\r\n<a>t</a>", "a=\"t\""},
        // Text keeps its line breaks and blanks; only the last non-blank run between tags is kept.
        TreeCase{L"<a>\r\n  hello\r\n  world \r\n</a>", "a=\"\\r\\n  hello\\r\\n  world \\r\\n\""},
        TreeCase{L"<a>first<b/>second<c/>  \r\n</a>", "a=\"second\"{b c}"},
        TreeCase{L"<a><b>  </b>x</a>", "a=\"  x\"{b}"},
        // Comments need white space after "!--"; a quote inside one opens a run that hides '>'.
        TreeCase{L"<a><!-- note --><b/></a>", "a{b}"}, TreeCase{L"<!-- first -->\r\n<a/>", "a"},
        TreeCase{L"<a><!--x--/></a>", "a{!--x--}"}, TreeCase{L"<a><!-- it's > still ' --><b/></a>", "a{b}"},
        TreeCase{L"<a>t<!-- c --></a>", "a=\"t\""},
        // Elements left open at the end are kept as they are.
        TreeCase{L"<a><b><c>", "a{b{c}}"}, TreeCase{L"<a>\r\n<b/>\r\n", "a{b}"},
        TreeCase{L"<\u00e4 \u00f6='\u00fc'>\u0436</\u00e4>", "\xc3\xa4[\xc3\xb6='\xc3\xbc']=\"\xd0\xb6\""}));

TEST_P(XMLParserErrors, GivesTheLineAndCode)
{
    EXPECT_EQ(GetParam().message, ErrorOf(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, XMLParserErrors,
    testing::Values(
        ErrorCase{L"</a>", "XML format error at line 1: code 0"},
        ErrorCase{L"\r\n  </a>", "XML format error at line 2: code 0"},
        ErrorCase{L"<a><></a>", "XML format error at line 1: code 1"},
        ErrorCase{L"<a>\r\n</></a>", "XML format error at line 2: code 1"},
        ErrorCase{L"<a>\r\n\r\n</b>", "XML format error at line 3: code 2"},
        ErrorCase{L"<a></A>", "XML format error at line 1: code 2"},
        ErrorCase{L"<a><!--x--></a>", "XML format error at line 1: code 2"},
        ErrorCase{L"<a ='1'/>", "XML format error at line 1: code 4"},
        ErrorCase{L"<a x='1' / >", "XML format error at line 1: code 5"},
        ErrorCase{L"<a / x='1'>", "XML format error at line 1: code 5"},
        ErrorCase{L"<a x/>", "XML format error at line 1: code 6"},
        ErrorCase{L"<a x='1'\r\n x='2'/>", "XML format error at line 2: code 7"},
        ErrorCase{L"<a\r\n x='1'\r\n x='2'\r\n>", "XML format error at line 4: code 7"},
        ErrorCase{L"<a x='1\r\n' x='2'/>", "XML format error at line 2: code 7"},
        ErrorCase{L"<a x=1/>", "XML format error at line 1: code 8"},
        ErrorCase{L"<a x>", "XML format error at line 1: code 10"},
        ErrorCase{L"<a x=>", "XML format error at line 1: code 11"},
        ErrorCase{L"<a b'=\" '>", "XML format error at line 1: code 11"},
        ErrorCase{L"<a/><b/>", "XML format error at line 1: code 12"},
        ErrorCase{L"<a>\r\n</a>\r\n<!-- trailing -->", "XML format error at line 3: code 12"},
        ErrorCase{L"<a/><?xml?>", "XML format error at line 1: code 12"},
        ErrorCase{L"<a/>x", "XML format error at line 1: code 13"},
        ErrorCase{L"\r\nx<a/>", "XML format error at line 2: code 13"},
        ErrorCase{L"<a", "XML format error at line 1: code 14"},
        ErrorCase{L"<a>\r\n</a", "XML format error at line 2: code 14"},
        ErrorCase{L"<a x='1>", "XML format error at line 1: code 14"},
        ErrorCase{L"<?xml version='1.0'", "XML format error at line 1: code 14"},
        ErrorCase{L"", "XML format error at line 1: code 15"},
        ErrorCase{L"  \r\n\t\r\n ", "XML format error at line 3: code 15"},
        ErrorCase{L"<!-- only a comment -->", "XML format error at line 1: code 15"},
        ErrorCase{L"<?xml version='1.0'?>\r\n", "XML format error at line 2: code 15"}));

TEST(XMLParserRoot, OwnRootIsLeftNullAfterAnError)
{
    XMLNode* root = nullptr;
    EXPECT_THROW(XMLParser::ParseText(root, L"<a><b x='1' x='2'/></a>"), VelkorEngine::FileError);
    EXPECT_EQ(nullptr, root);
    EXPECT_THROW(XMLParser::ParseText(root, L"<a x='1' x='2'/>"), VelkorEngine::FileError);
    EXPECT_EQ(nullptr, root);
}

TEST(XMLParserRoot, CallersRootReceivesEveryTopLevelElement)
{
    XMLNode holder("holder", nullptr);
    XMLNode* root = &holder;
    XMLParser::ParseText(root, L"<a/>\r\n<!-- between -->\r\n<b x='1'><c/></b>\r\n<?pi?>");
    EXPECT_EQ(&holder, root);
    EXPECT_EQ("holder{a b[x='1']{c}}", XMLTestSupport::DumpTree(&holder));
}

TEST(XMLParserRoot, CallersRootKeepsWhatWasAddedBeforeAnError)
{
    XMLNode holder("holder", nullptr);
    XMLNode* root = &holder;
    EXPECT_THROW(XMLParser::ParseText(root, L"<a/><b y='2' x/>"), VelkorEngine::FileError);
    EXPECT_EQ("holder{a b[y='2']}", XMLTestSupport::DumpTree(&holder));
}

TEST(XMLParserRoot, DocumentCannotCloseTheCallersRoot)
{
    XMLNode outer("outer", nullptr);
    XMLNode* holder = new XMLNode("holder", &outer);
    XMLNode* root = holder;
    EXPECT_EQ("XML format error at line 1: code 0", [&] {
        try
        {
            XMLParser::ParseText(root, L"<a/></holder><b/>");
        }
        catch (const VelkorEngine::FileError& e)
        {
            return e.GetMessage();
        }
        return std::string();
    }());
    EXPECT_EQ("outer{holder{a}}", XMLTestSupport::DumpTree(&outer));
}

TEST(XMLParserRoot, TextBeforeTheFirstElementBelongsToTheCallersRoot)
{
    XMLNode holder;
    XMLNode* root = &holder;
    XMLParser::ParseText(root, L"note<a/>");
    EXPECT_EQ("note", holder.GetValue().GetString());
}

TEST(XMLParserDepth, NestingUpToTheLimitIsAccepted)
{
    std::wstring text;
    for (GameTools::u32 i = 0; i < GameTools::XMLScanner::MaxDepth; ++i)
        text += L"<e>";
    EXPECT_EQ("", ErrorOf(text));
}

TEST(XMLParserDepth, NestingBeyondTheLimitIsRejected)
{
    std::wstring text;
    for (GameTools::u32 i = 0; i <= GameTools::XMLScanner::MaxDepth; ++i)
        text += L"<e>";
    EXPECT_EQ("XML format error at line 1: code 16", ErrorOf(text));
    EXPECT_EQ("XML format error at line 1: code 16", ErrorOf(text.substr(3) + L"<f/>"));
    EXPECT_EQ("", ErrorOf(text.substr(6) + L"<f/>"));
}

TEST(XMLParserDepth, HundredThousandLevelsAreAnErrorNotACrash)
{
    std::wstring text;
    for (int i = 0; i < 100000; ++i)
        text += L"<e x='1'>\r\n";
    EXPECT_EQ("XML format error at line 1025: code 16", ErrorOf(text));
}

// Any text either parses or fails with the format error; never a crash, hang or leak (run under sanitizers).
TEST(XMLParserRobustness, RandomTextParsesOrFailsCleanly)
{
    const std::wstring alphabet = L"<<<>>>//'\"=?!-- ab\r\n\t\u00e9";
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round)
    {
        std::wstring text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text.push_back(alphabet[random() % alphabet.size()]);
        for (XMLNode* start : {static_cast<XMLNode*>(nullptr), new XMLNode("holder", nullptr)})
        {
            XMLNode* root = start;
            try
            {
                XMLParser::ParseText(root, text);
                ASSERT_NE(nullptr, root);
            }
            catch (const VelkorEngine::FileError& e)
            {
                ASSERT_EQ(0u, e.GetMessage().rfind("XML format error at line ", 0));
                if (!start)
                {
                    ASSERT_EQ(nullptr, root);
                }
            }
            delete root;
        }
    }
}
