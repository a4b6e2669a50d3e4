// Files whose bytes are scanned as UTF-8 give exactly the tree, value forms and errors of the same file read
// as wide text, whose line breaks are all CR LF; files the byte scan must not take (a CR alone, zeros, C1
// controls, other encodings) are read as wide text, and the text reader hands over bytes only when they read
// as themselves.
#include "engine/files/XMLParser.h"

#include "engine/core/Error.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using GameTools::XMLNode;
using GameTools::XMLParser;

namespace
{
const std::string Mark = "\xEF\xBB\xBF";

struct Case
{
    const char* what;
    std::string bytes;
};

// The tree with the form every value is kept in, which the plain picture of a tree does not show.
std::string DumpWithForms(XMLNode* node)
{
    std::string out = XMLTestSupport::DumpTree(node) + " forms:";
    std::vector<XMLNode*> pending{node};
    while (!pending.empty())
    {
        XMLNode* current = pending.back();
        pending.pop_back();
        out += std::to_string(current->GetValue().GetState());
        for (const auto& attribute : current->GetAttributes())
            out += std::to_string(attribute.value.GetState());
        std::vector<XMLNode*> children;
        current->GetChildren(children);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return out;
}

class XMLParserUtf8 : public testing::TestWithParam<Case>
{
protected:
    XMLParserUtf8() : m_files(m_log.get(), m_folder.Path(), "Data")
    {
        m_folder.WriteFile("Data/doc.xml", GetParam().bytes);
    }

    // The tree, or the error, of a parse through the file manager.
    std::string FromFile()
    {
        XMLNode* root = nullptr;
        return Outcome([&] { XMLParser(&m_files).Parse(root, "Data\\doc.xml"); }, root);
    }

    // The same from the file's wide text, as the text reader gives it.
    std::string FromWideText()
    {
        std::wstring text;
        m_files.OpenTextual("Data\\doc.xml", 0, 0)->ReadAll(text, 0);
        XMLNode* root = nullptr;
        return Outcome([&] { XMLParser::ParseText(root, text); }, root);
    }

    template <class Parse>
    static std::string Outcome(Parse parse, XMLNode*& root)
    {
        try
        {
            parse();
        }
        catch (const VelkorEngine::Error& error)
        {
            EXPECT_EQ(nullptr, root);
            return error.GetMessage();
        }
        std::unique_ptr<XMLNode> owned(root);
        return DumpWithForms(root);
    }

    TestSupport::TempFolder m_folder;
    std::unique_ptr<VelkorEngine::MessageManager> m_log = TestSupport::MakeQuietLog();
    VelkorEngine::FileManager m_files;
};

const std::string Body = "<?xml version=\"1.0\"?>\r\n"
                         "<texts lang=\"fr\" note=\"caf\xC3\xA9 \xE2\x82\xAC\">\r\n"
                         "  <!-- a comment with \"quotes\" > inside -->\r\n"
                         "  <caf\xC3\xA9 id=\"b\" x = 'M\xC3\xBCller'>Line one\r\nLine \xC3\xA9</caf\xC3\xA9 >\r\n"
                         "  <text\x01 a\x7F=\"1\r\n2\"/>\r\n"
                         "  <text>  split <b/> last \xC2\xA0run\t</text>\r\n"
                         "</texts>\r\n";

std::string WithLineFeeds(std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

const Case Cases[] = {
    {"MarkedUtf8", Mark + Body},
    {"UnmarkedUtf8", Body},
    {"MarkedLineFeeds", Mark + WithLineFeeds(Body)},
    {"UnmarkedMixedLineEnds", "<a v='\n1\r\n2\n'>\nx\r\n\n<b/>y\n</a>\n\r\n</b>"},
    {"LineFeedsInTags", "<a\n  v\n=\n'1'\n>\n</a\n>\n<?x\n?>\n"},
    {"UnmarkedLoneCarriageReturn", "<a>\r<b>x\ry</b>\r\n</a>"},
    {"LineFeedFirst", "\n<a/>"},
    {"CarriageReturnLast", "<a/>\r"},
    {"UnmarkedFourByteCharacters", "<a\xF0\x9F\x98\x80 v='\xF0\x9F\x98\x80'>\xF0\x9F\x98\x80</a\xF0\x9F\x98\x80>"},
    {"MarkedFourByteCharacters", Mark + "<a v='\xF0\x9F\x98\x80'>x</a>"},
    {"C1ControlInTag", "<a\xC2\x85 b\xC2\x9F='1'>x\xC2\x85y</a>"},
    {"C1ControlInText", Mark + "<a>x\xC2\x80</a>"},
    {"ZeroInUnmarkedText", std::string("<a>x\0y</a>\r\n<b/>", 16)},
    {"ZeroInMarkedText", Mark + std::string("<a v='\0'>x\0y</a>", 17)},
    {"Windows1252", "<a v='caf\xE9 \x80'>\x81x</a>"},
    {"MarkedInvalidUtf8", Mark + "<a v='\xC3(\xE2\x82'>\xED\xA0\x80</a>"},
    {"MismatchedCloseOnLine3", Mark + "<a>\r\n<b>\r\n</c\xC3\xA9>\r\n</a>"},
    {"TextOutside", "<a/>\r\n\xC3\xA9"},
    {"EndsInTag", "<a>\r\n<b x='\r\n"},
    {"AttributeTwice", "<a \xC3\xA9='1' \xC3\xA9='2'/>"},
    {"ValueWithoutQuotes", "<a x=\xC3\xA9/>"},
    {"NoElement", "\r\n \r\n"},
    {"SecondTopElement", "<a/><b/>"},
    {"CaseOfClosingName", "<A\xC3\xA9></a\xC3\xA9>"},
    {"Empty", ""},
};

TEST_P(XMLParserUtf8, FileGivesTheTreeOfItsWideText)
{
    EXPECT_EQ(FromWideText(), FromFile());
}

INSTANTIATE_TEST_SUITE_P(Files, XMLParserUtf8, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.what); });

class TextReaderUtf8 : public testing::Test
{
protected:
    TextReaderUtf8() : m_files(m_log.get(), m_folder.Path(), "Data") {}

    // Whether the reader handed over the bytes, which must then be the file's after any mark, and otherwise
    // text equal to what ReadAll gives.
    bool GaveBytes(const std::string& file, const std::string& afterMark)
    {
        m_folder.WriteFile("Data/t.txt", file);
        std::wstring expected;
        m_files.OpenTextual("Data\\t.txt", 0, 0)->ReadAll(expected, 0);
        std::vector<VelkorEngine::u8> bytes;
        std::wstring text;
        const bool gave = m_files.OpenTextual("Data\\t.txt", 0, 0)->ReadAllAsUtf8(bytes, text);
        if (gave)
        {
            EXPECT_EQ(afterMark, std::string(bytes.begin(), bytes.end()));
            EXPECT_TRUE(text.empty());
        }
        else
        {
            EXPECT_EQ(expected, text);
            EXPECT_TRUE(bytes.empty());
        }
        return gave;
    }

    TestSupport::TempFolder m_folder;
    std::unique_ptr<VelkorEngine::MessageManager> m_log = TestSupport::MakeQuietLog();
    VelkorEngine::FileManager m_files;
};

TEST_F(TextReaderUtf8, BytesOnlyWhenTheyReadAsThemselves)
{
    EXPECT_TRUE(GaveBytes(Mark + "a\r\nb \xC3\xA9", "a\r\nb \xC3\xA9"));
    EXPECT_TRUE(GaveBytes("a\r\nb \xC3\xA9\r\n", "a\r\nb \xC3\xA9\r\n"));
    EXPECT_TRUE(GaveBytes("\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"));
    EXPECT_TRUE(GaveBytes("", ""));
    EXPECT_FALSE(GaveBytes(Mark + "\xF0\x9F\x98\x80", ""));
    EXPECT_TRUE(GaveBytes("a\nb\n\r\n", "a\nb\n\r\n"));
    EXPECT_FALSE(GaveBytes("a\rb", ""));
    EXPECT_FALSE(GaveBytes("a\r\r\nb", ""));
    EXPECT_FALSE(GaveBytes(std::string("a\0b", 3), ""));
    EXPECT_FALSE(GaveBytes("caf\xE9", ""));
    EXPECT_FALSE(GaveBytes(Mark + "\xC3(", ""));
    EXPECT_FALSE(GaveBytes(std::string("\xFF\xFE" "a\0\r\0\n\0", 8), ""));
}

TEST_F(TextReaderUtf8, ReaderAlreadyUsedGivesText)
{
    m_folder.WriteFile("Data/t.txt", "one\r\ntwo\r\n");
    std::string line;
    auto reference = m_files.OpenTextual("Data\\t.txt", 0, 0);
    ASSERT_TRUE(reference->ReadLine(line, 0, 0));
    std::wstring expected;
    reference->ReadAll(expected, 0);
    auto file = m_files.OpenTextual("Data\\t.txt", 0, 0);
    ASSERT_TRUE(file->ReadLine(line, 0, 0));
    std::vector<VelkorEngine::u8> bytes;
    std::wstring text;
    EXPECT_FALSE(file->ReadAllAsUtf8(bytes, text));
    EXPECT_EQ(expected, text);
    EXPECT_FALSE(expected.empty());
}
}
