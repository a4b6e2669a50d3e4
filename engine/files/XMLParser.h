// Reads the system's XML descriptions into XMLNode trees: elements, quoted attributes, text content,
// "<!-- -->" comments and skipped "<?...>" declarations; no entities, CDATA or DOCTYPE.
#pragma once

#include "engine/files/XMLNode.h"

#include <string>

namespace GameTools
{
class XMLParser
{
public:
    XMLParser() = default;
    virtual ~XMLParser() = default;

    // Parses a whole document. With a null root the document's first element becomes the root, owned by
    // the caller, and on failure the partial tree is deleted and the root left null. With a given root every
    // top-level element becomes its child, and on failure what was already added stays.
    // Throws VelkorEngine::FileError "XML format error at line N: code K" for malformed text.
    static void ParseText(XMLNode*& root, const std::wstring& text);
};
}
