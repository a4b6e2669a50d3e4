// Helpers for the XML tests: tree pictures, children, parsing text into an owned tree, a decimal-comma locale.
#include "tests/support/XMLTestSupport.h"

#include "engine/files/XMLParser.h"

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <vector>

namespace XMLTestSupport
{
namespace
{
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
    {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out.push_back(c);
    }
    return out;
}

}

std::string NameSafe(const std::string& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text)
    {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
        {
            out.push_back(c);
            continue;
        }
        out.push_back('_');
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 15]);
    }
    return out.empty() ? "empty" : out;
}

// Values are read from copies, so taking a picture converts nothing in the tree.
std::string DumpTree(GameTools::XMLNode* node)
{
    std::string out = node->GetName();
    const auto& attributes = node->GetAttributes();
    if (!attributes.Empty())
    {
        out += "[";
        const char* separator = "";
        for (const auto& attribute : attributes)
        {
            GameTools::XMLValue value = attribute.value;
            out += separator + attribute.name + "='" + Escaped(value.GetString()) + "'";
            separator = " ";
        }
        out += "]";
    }
    GameTools::XMLValue value = node->GetValue();
    const std::string& text = value.GetString();
    if (!text.empty())
        out += "=\"" + Escaped(text) + "\"";
    std::vector<GameTools::XMLNode*> children;
    node->GetChildren(children);
    if (!children.empty())
    {
        out += "{";
        for (size_t i = 0; i < children.size(); ++i)
            out += (i ? " " : "") + DumpTree(children[i]);
        out += "}";
    }
    return out;
}

std::vector<GameTools::XMLNode*> Children(const GameTools::XMLNode& node)
{
    std::vector<GameTools::XMLNode*> children;
    node.GetChildren(children);
    return children;
}

std::unique_ptr<GameTools::XMLNode> ParseText(const std::wstring& text)
{
    GameTools::XMLNode* root = nullptr;
    GameTools::XMLParser::ParseText(root, text);
    return std::unique_ptr<GameTools::XMLNode>(root);
}

ScopedDecimalCommaLocale::ScopedDecimalCommaLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    {
        if (std::setlocale(LC_ALL, name))
        {
            m_active = true;
            return;
        }
    }
    m_active = BuildLocale() && std::setlocale(LC_ALL, "de_DE.UTF-8");
}

// No such locale installed: compile one from the system's locale sources into a folder of our own.
bool ScopedDecimalCommaLocale::BuildLocale()
{
    m_folder = std::make_unique<TestSupport::TempFolder>();
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (*m_folder / "de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    if (const char* locPath = std::getenv("LOCPATH"))
        m_previousLocPath = locPath;
    setenv("LOCPATH", m_folder->Path().c_str(), 1);
    m_locPathSet = true;
    return true;
}

ScopedDecimalCommaLocale::~ScopedDecimalCommaLocale()
{
    std::setlocale(LC_ALL, m_previous.c_str());
    if (m_locPathSet)
    {
        if (m_previousLocPath.empty())
            unsetenv("LOCPATH");
        else
            setenv("LOCPATH", m_previousLocPath.c_str(), 1);
    }
}
}
