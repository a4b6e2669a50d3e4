// Path queries over an XML tree: steps of element names separated by '/', each optionally narrowed by
// attribute conditions in square brackets, such as window[name='options']/control[type="button"].
#pragma once

#include "engine/files/XMLNode.h"

#include <string>
#include <vector>

namespace GameTools
{
// Appends every node that matches path below node, in document order.
void XMLSelectNodes(XMLNode* node, const std::string& path, std::vector<XMLNode*>& out);
XMLNode* XMLSelectNode(XMLNode* node, const std::string& path);
// Appends, for every node that matches path, its attribute of that name when it has one.
void XMLSelectValues(XMLNode* node, const std::string& path, const std::string& attributeName,
                     std::vector<XMLValue*>& out);
XMLValue* XMLSelectValue(XMLNode* node, const std::string& path, const std::string& attributeName);
// Reads name='value' pairs separated by ',', ';' or white space; false when the text is malformed.
bool XMLParseConditions(const std::string& text, std::vector<std::string>& names, std::vector<std::string>& values);
}
