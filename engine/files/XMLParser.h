// Reads the system's XML descriptions into XMLNode trees: elements, quoted attributes, text content,
// "<!-- -->" comments and skipped "<?...>" declarations; no entities, CDATA or DOCTYPE.
#pragma once

#include "engine/files/XMLNode.h"

#include <string>
#include <string_view>

namespace VelkorEngine
{
class FileManager;
}

namespace GameTools
{
class XMLParser
{
public:
    explicit XMLParser(VelkorEngine::FileManager* fileManager);
    // The engine lies above the file layer, so its file manager is taken where the engine's type is known.
    template <typename EngineType>
        requires requires(EngineType* engine) { engine->GetFileManager(); }
    explicit XMLParser(EngineType* engine) : XMLParser(engine->GetFileManager())
    {
    }
    virtual ~XMLParser() = default;

    // Parses a file read through the file manager (its encoding told by its byte-order mark). With a null
    // root the document's first element becomes the root, owned by the caller; with a given root every
    // top-level element becomes its child. Throws VelkorEngine::FileError when the file cannot be opened,
    // and "XML format error at line N: code K" for malformed text.
    void Parse(XMLNode*& root, const std::string& fileName);
    // Parse into a caller's node, which must not be null.
    void Load(XMLNode* root, const std::string& fileName);

    // Parse over text already read. On failure a tree the parser rooted itself is deleted and the root
    // left null; what was added to a caller's root stays there.
    static void ParseText(XMLNode*& root, const std::wstring& text);

private:
    template <class Char>
    static void ScanInto(XMLNode*& root, std::basic_string_view<Char> text);

    VelkorEngine::FileManager* m_fileManager;
};
}
