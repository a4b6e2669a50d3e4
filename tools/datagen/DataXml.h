// Hand-written XML of data-src read through the game's own parser, so the generator and the data tests see
// exactly the tree the game will see.
#pragma once

#include "engine/files/XMLNode.h"

#include <memory>
#include <string>

namespace KorvaneTools
{
// Parses UTF-8 bytes (a leading byte-order mark is skipped); the document's first element is the root.
// Throws DataError naming the origin when the text does not parse.
std::unique_ptr<GameTools::XMLNode> ParseDataXml(const std::string& bytes, const std::string& origin);
// The attribute's text as UTF-8, or empty when it is absent.
std::string AttributeText(const GameTools::XMLNode& node, const std::string& name);
// A value's text as UTF-8.
std::string ValueText(GameTools::XMLValue& value);
}
