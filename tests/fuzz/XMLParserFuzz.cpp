// libFuzzer target over the XML parser and the path queries. The input is a document, optionally followed
// by a zero byte and a path; its first byte chooses between the parser's own root and a caller's root.
#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLSelect.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
void Query(GameTools::XMLNode* root, const std::string& path)
{
    std::vector<GameTools::XMLNode*> nodes;
    GameTools::XMLSelectNodes(root, path, nodes);
    for (GameTools::XMLNode* node : nodes)
    {
        node->GetValue().GetString();
        node->GetValue().GetVector4();
        node->GetValue().GetIntPair();
        for (const auto& attribute : node->GetAttributes())
            attribute.value.GetFloat();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool callersRoot = data[0] & 1;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t split = input.find('\0');
    const std::wstring document = VelkorEngine::StringToWString(input.substr(0, split));
    const std::string path = split == std::string::npos ? std::string() : input.substr(split + 1);

    GameTools::XMLNode* holder = callersRoot ? new GameTools::XMLNode() : nullptr;
    GameTools::XMLNode* root = holder;
    try
    {
        GameTools::XMLParser::ParseText(root, document);
    }
    catch (const VelkorEngine::FileError&)
    {
        if (!holder && root)
            __builtin_trap();
    }
    Query(root, path);
    delete root;
    return 0;
}
