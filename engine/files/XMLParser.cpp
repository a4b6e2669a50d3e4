// Reads the system's XML descriptions into XMLNode trees.
#include "engine/files/XMLParser.h"

#include "engine/core/Error.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"
#include "engine/files/XMLScanner.h"

namespace GameTools
{
XMLParser::XMLParser(VelkorEngine::FileManager* fileManager) : m_fileManager(fileManager)
{
}

void XMLParser::Parse(XMLNode*& root, const std::string& fileName)
{
    if (!m_fileManager)
        throw VelkorEngine::Error("(XMLParser::Parse) no file manager to read \"" + fileName + "\"");
    std::wstring text;
    m_fileManager->OpenTextual(fileName, 0, VelkorEngine::FileTextual::EncodingAnsi)->ReadAll(text, 0);
    ParseText(root, text);
}

void XMLParser::Load(XMLNode* root, const std::string& fileName)
{
    if (!root)
        throw VelkorEngine::Error("(XMLParser::Load) no node to read \"" + fileName + "\" into");
    Parse(root, fileName);
}

void XMLParser::ParseText(XMLNode*& root, const std::wstring& text)
{
    XMLNode* const givenRoot = root;
    try
    {
        XMLScanner(root).Scan(text);
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
