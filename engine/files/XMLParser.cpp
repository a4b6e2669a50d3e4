// Reads the system's XML descriptions into XMLNode trees.
#include "engine/files/XMLParser.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"
#include "engine/files/XMLScanner.h"

#include <string_view>
#include <vector>

namespace GameTools
{
namespace
{
// U+0080 to U+009F, as UTF-8: 0xC2 and a second byte below 0xA0.
bool HoldsC1Control(std::string_view utf8)
{
    for (size_t at = utf8.find('\xC2'); at != std::string_view::npos; at = utf8.find('\xC2', at + 1))
    {
        if (at + 1 < utf8.size() && static_cast<unsigned char>(utf8[at + 1]) < 0xA0)
            return true;
    }
    return false;
}
}

XMLParser::XMLParser(VelkorEngine::FileManager* fileManager) : m_fileManager(fileManager)
{
}

void XMLParser::Parse(XMLNode*& root, const std::string& fileName)
{
    if (!m_fileManager)
        throw VelkorEngine::Error("(XMLParser::Parse) no file manager to read \"" + fileName + "\"");
    std::vector<VelkorEngine::u8> utf8;
    std::wstring text;
    const bool asUtf8 =
        m_fileManager->OpenTextual(fileName, 0, VelkorEngine::FileTextual::EncodingAnsi)->ReadAllAsUtf8(utf8, text);
    const std::string_view bytes(reinterpret_cast<const char*>(utf8.data()), utf8.size());
    if (!asUtf8)
        ParseText(root, text);
    else if (HoldsC1Control(bytes))
        ParseText(root, VelkorEngine::StringToWString(std::string(bytes)));
    else
        ScanInto<char>(root, bytes);
}

void XMLParser::Load(XMLNode* root, const std::string& fileName)
{
    if (!root)
        throw VelkorEngine::Error("(XMLParser::Load) no node to read \"" + fileName + "\" into");
    Parse(root, fileName);
}

void XMLParser::ParseText(XMLNode*& root, const std::wstring& text)
{
    ScanInto<wchar_t>(root, text);
}

template <class Char>
void XMLParser::ScanInto(XMLNode*& root, std::basic_string_view<Char> text)
{
    XMLNode* const givenRoot = root;
    try
    {
        BasicXMLScanner<Char>(root).Scan(text);
    }
    catch (...)
    {
        if (!givenRoot)
        {
            delete root;
            root = nullptr;
        }
        throw;
    }
}
}
