// Reads the system's XML descriptions into XMLNode trees.
#include "engine/files/XMLParser.h"

#include "engine/files/XMLScanner.h"

namespace GameTools
{
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
