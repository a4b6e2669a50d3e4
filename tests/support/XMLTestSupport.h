// Helpers for the XML tests: a one-line picture of a tree, a node's children, parsing text into an owned tree,
// and a process locale with a decimal comma.
#pragma once

#include "engine/files/XMLNode.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace XMLTestSupport
{
// name[attr='value' ...]="text"{child child ...}; the parts without content are left out, and line breaks
// inside texts are shown as \r and \n.
std::string DumpTree(GameTools::XMLNode* node);

// A test parameter's text made safe to stand in a test's name: letters and digits kept, any other byte
// written as '_' and two hexadecimal digits, so different texts stay different names.
std::string NameSafe(const std::string& text);

// The node's children in document order.
std::vector<GameTools::XMLNode*> Children(const GameTools::XMLNode& node);

// Parses text with the parser's own root; rethrows what the parser throws.
std::unique_ptr<GameTools::XMLNode> ParseText(const std::wstring& text);

// Switches the whole process to a locale whose decimal separator is a comma, for as long as it lives; when
// the machine has none and cannot make one, IsActive is false and nothing changed.
class ScopedDecimalCommaLocale
{
public:
    ScopedDecimalCommaLocale();
    ~ScopedDecimalCommaLocale();
    ScopedDecimalCommaLocale(const ScopedDecimalCommaLocale&) = delete;
    ScopedDecimalCommaLocale& operator=(const ScopedDecimalCommaLocale&) = delete;

    bool IsActive() const { return m_active; }

private:
    bool BuildLocale();

    std::string m_previous;
    std::unique_ptr<TestSupport::TempFolder> m_folder;
    std::string m_previousLocPath;
    bool m_locPathSet = false;
    bool m_active = false;
};
}
