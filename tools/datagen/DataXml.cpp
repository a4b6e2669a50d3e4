// Data XML through the engine's parser.
#include "tools/datagen/DataXml.h"

#include "engine/core/Error.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLValue.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/fonts/GlyphSet.h"

namespace KorvaneTools
{
std::unique_ptr<GameTools::XMLNode> ParseDataXml(const std::string& bytes, const std::string& origin)
{
    const bool bom = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::u32string codes = DecodeUtf8(bom ? bytes.substr(3) : bytes, origin);
    const std::wstring text(codes.begin(), codes.end());
    GameTools::XMLNode* root = nullptr;
    try
    {
        GameTools::XMLParser::ParseText(root, text);
    }
    catch (const VelkorEngine::Error& error)
    {
        throw DataError(origin + ": " + error.GetMessage());
    }
    if (root == nullptr)
        throw DataError(origin + ": no element");
    return std::unique_ptr<GameTools::XMLNode>(root);
}

std::string AttributeText(const GameTools::XMLNode& node, const std::string& name)
{
    GameTools::XMLValue* value = node.GetAttributeValue(name);
    return value == nullptr ? std::string() : ValueText(*value);
}

std::string ValueText(GameTools::XMLValue& value)
{
    const std::wstring& wide = value.GetWideString();
    return EncodeUtf8(std::u32string(wide.begin(), wide.end()));
}
}
