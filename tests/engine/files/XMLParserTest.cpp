// The XML parser over files: every text encoding and line ending gives the same tree and line numbers,
// files come from disk or packs, and the failures of opening and of the caller's arguments.
#include "engine/files/XMLParser.h"

#include "engine/core/Error.h"
#include "engine/files/FileManager.h"
#include "engine/files/XMLSelect.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/PackTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using GameTools::XMLNode;
using GameTools::XMLParser;

namespace
{
const char32_t* const Document = U"<?xml version=\"1.0\"?>\r\n"
                                 U"<texts lang=\"fr\">\r\n"
                                 U"  <text id=\"caf\u00e9\" value='M\u00fcller \u20ac'/>\r\n"
                                 U"  <!-- a comment -->\r\n"
                                 U"  <text id=\"b\">Line one\r\nLine two</text>\r\n"
                                 U"</texts>\r\n";

const char* const DocumentTree = "texts[lang='fr']{text[id='caf\xc3\xa9' value='M\xc3\xbcller \xe2\x82\xac'] "
                                 "text[id='b']=\"Line one\\r\\nLine two\"}";

std::string Utf8(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text)
    {
        if (c < 0x80)
        {
            out.push_back(static_cast<char>(c));
        }
        else if (c < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else
        {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Utf16(const std::u32string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char32_t c : text)
    {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    }
    return out;
}

// Windows-1252: the document's characters beyond ASCII are all in its upper half.
std::string Windows1252(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text)
        out.push_back(c == U'\u20ac' ? '\x80' : static_cast<char>(c));
    return out;
}

std::u32string WithLineEnds(const std::u32string& text, const std::u32string& lineEnd)
{
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text.compare(i, 2, U"\r\n") == 0)
        {
            out += lineEnd;
            ++i;
        }
        else
        {
            out.push_back(text[i]);
        }
    }
    return out;
}

class XMLParserFiles : public testing::Test
{
protected:
    XMLParserFiles() : m_files(m_log.get(), m_folder.Path(), "Data") {}

    std::string Parse(const std::string& bytes)
    {
        m_folder.WriteFile("Data/doc.xml", bytes);
        XMLNode* root = nullptr;
        XMLParser(&m_files).Parse(root, "Data\\doc.xml");
        std::unique_ptr<XMLNode> owned(root);
        return XMLTestSupport::DumpTree(root);
    }

    std::string ErrorOf(const std::string& bytes)
    {
        try
        {
            Parse(bytes);
        }
        catch (const VelkorEngine::Error& e)
        {
            return e.GetMessage();
        }
        return "";
    }

    TestSupport::TempFolder m_folder;
    std::unique_ptr<VelkorEngine::MessageManager> m_log = TestSupport::MakeQuietLog();
    VelkorEngine::FileManager m_files;
};

struct FakeEngine
{
    VelkorEngine::FileManager* files;
    VelkorEngine::FileManager* GetFileManager() const { return files; }
};
}

TEST_F(XMLParserFiles, EveryEncodingGivesTheSameTree)
{
    EXPECT_EQ(DocumentTree, Parse("\xEF\xBB\xBF" + Utf8(Document))) << "UTF-8 with its mark";
    EXPECT_EQ(DocumentTree, Parse(Utf8(Document))) << "UTF-8 without a mark";
    EXPECT_EQ(DocumentTree, Parse(Utf16(Document, false))) << "UTF-16 little-endian";
    EXPECT_EQ(DocumentTree, Parse(Utf16(Document, true))) << "UTF-16 big-endian";
    EXPECT_EQ(DocumentTree, Parse(Windows1252(Document))) << "ANSI";
}

TEST_F(XMLParserFiles, ValuesReadTheSameAsNarrowAndAsWideText)
{
    m_folder.WriteFile("Data/doc.xml", Utf8(Document));
    XMLNode* root = nullptr;
    XMLParser(&m_files).Parse(root, "Data\\doc.xml");
    std::unique_ptr<XMLNode> owned(root);
    XMLNode* text = root->FindChild("text");
    // Text beyond ASCII is kept as read, wide; plain ASCII may be kept narrow, as it converts unchanged.
    EXPECT_EQ(GameTools::XMLValue::WideValid, text->GetAttributeValue("value")->GetState());
    EXPECT_EQ(L"M\u00fcller \u20ac", text->GetAttributeValue("value")->GetWideString());
    EXPECT_EQ("M\xc3\xbcller \xe2\x82\xac", text->GetAttributeValue("value")->GetString());
    EXPECT_EQ(L"fr", root->GetAttributeValue("lang")->GetWideString());
    EXPECT_EQ("fr", root->GetAttributeValue("lang")->GetString());
    XMLNode* second = GameTools::XMLSelectNode(root, "text[id='b']");
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(L"Line one\r\nLine two", second->GetValue().GetWideString());
}

TEST_F(XMLParserFiles, EveryLineEndCountsOneLine)
{
    const std::u32string broken = U"<a>\r\n<b>\r\n</c>\r\n</a>";
    for (const std::u32string& lineEnd : {std::u32string(U"\r\n"), std::u32string(U"\n"), std::u32string(U"\r")})
    {
        const std::u32string text = WithLineEnds(broken, lineEnd);
        EXPECT_EQ("XML format error at line 3: code 2", ErrorOf(Utf8(text)));
        EXPECT_EQ("XML format error at line 3: code 2", ErrorOf(Utf16(text, false)));
    }
}

TEST_F(XMLParserFiles, WhiteSpaceOnlyFileGivesItsLastLine)
{
    EXPECT_EQ("XML format error at line 4: code 15", ErrorOf("\n  \n\t\n"));
}

TEST_F(XMLParserFiles, MissingFileFailsAsTheFileManagerSays)
{
    XMLNode* root = nullptr;
    try
    {
        XMLParser(&m_files).Parse(root, "Data\\missing.xml");
        FAIL() << "no error";
    }
    catch (const VelkorEngine::FileError& e)
    {
        EXPECT_EQ(0u, e.GetMessage().rfind("Failed to open \"", 0)) << e.GetMessage();
    }
    EXPECT_EQ(nullptr, root);
}

TEST_F(XMLParserFiles, LoadAddsTheTopElementToTheCallersNode)
{
    m_folder.WriteFile("Data/one.xml", "<window name='a'/>");
    m_folder.WriteFile("Data/two.xml", "<window name='b'><button/></window>");
    XMLNode root;
    XMLParser parser(&m_files);
    parser.Load(&root, "Data\\one.xml");
    parser.Load(&root, "data/TWO.xml");
    EXPECT_EQ("{window[name='a'] window[name='b']{button}}", XMLTestSupport::DumpTree(&root));
}

TEST_F(XMLParserFiles, LoadNeedsANode)
{
    m_folder.WriteFile("Data/one.xml", "<window/>");
    EXPECT_THROW(XMLParser(&m_files).Load(nullptr, "Data\\one.xml"), VelkorEngine::Error);
}

TEST_F(XMLParserFiles, DocumentsInPacksParseAsLooseOnes)
{
    std::filesystem::create_directories(m_folder / "Data");
    TestSupport::WriteTestPack(m_folder / "Data/ui.pak", {{"data\\ui\\fonts.xml", "<fonts><font name='menu'/></fonts>"}});
    VelkorEngine::FileManager files(m_log.get(), m_folder.Path(), "Data");
    XMLNode root;
    XMLParser(&files).Load(&root, "Data\\UI\\Fonts.xml");
    EXPECT_EQ("{fonts{font[name='menu']}}", XMLTestSupport::DumpTree(&root));
}

TEST_F(XMLParserFiles, EngineGivesItsFileManager)
{
    m_folder.WriteFile("Data/one.xml", "<window/>");
    FakeEngine engine{&m_files};
    XMLNode root;
    XMLParser(&engine).Load(&root, "Data\\one.xml");
    EXPECT_EQ("{window}", XMLTestSupport::DumpTree(&root));
}
