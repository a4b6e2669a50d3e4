// Path queries over an XML tree, evaluated one step at a time over the nodes matched so far.
#include "engine/files/XMLSelect.h"

#include "engine/files/XMLCharacters.h"

#include <algorithm>
#include <string_view>

namespace GameTools
{
namespace
{
struct Step
{
    std::string name;
    std::vector<std::string> conditionNames;
    std::vector<std::string> conditionValues;
};

// Splits the first step off path. False when its brackets are malformed: a '/' inside them, a ']' before
// the '[', a missing ']' or a malformed condition list; values therefore never hold '/' or ']'.
bool ReadStep(std::string_view path, Step& step, std::string_view& rest)
{
    constexpr auto none = std::string_view::npos;
    const size_t slash = path.find('/');
    const size_t open = path.find('[');
    const size_t close = path.find(']');
    if (open != none || close != none)
    {
        if (open > close || (open <= slash && slash <= close))
            return false;
        if (open < slash &&
            !XMLParseConditions(std::string(path.substr(open + 1, close - open - 1)), step.conditionNames,
                                step.conditionValues))
            return false;
    }
    step.name = std::string(path.substr(0, std::min(open, slash)));
    rest = slash == none ? std::string_view() : path.substr(slash + 1);
    return true;
}

bool MeetsConditions(XMLNode* node, const Step& step)
{
    for (size_t i = 0; i < step.conditionNames.size(); ++i)
    {
        XMLValue* value = node->GetAttributeValue(step.conditionNames[i]);
        if (!value || value->GetString() != step.conditionValues[i])
            return false;
    }
    return true;
}

void AddCandidates(XMLNode* node, const Step& step, std::vector<XMLNode*>& next)
{
    std::vector<XMLNode*> candidates;
    if (!step.name.empty())
        node->GetChildrenByName(step.name, candidates);
    else if (!step.conditionNames.empty())
        node->GetChildren(candidates);
    else
        candidates.push_back(node);
    for (XMLNode* candidate : candidates)
    {
        if (MeetsConditions(candidate, step))
            next.push_back(candidate);
    }
}
}

void XMLSelectNodes(XMLNode* node, const std::string& path, std::vector<XMLNode*>& out)
{
    if (!node)
        return;
    std::vector<XMLNode*> matched{node};
    std::string_view rest = path;
    while (!rest.empty() && !matched.empty())
    {
        Step step;
        if (!ReadStep(rest, step, rest))
            return;
        std::vector<XMLNode*> next;
        for (XMLNode* n : matched)
            AddCandidates(n, step, next);
        matched.swap(next);
    }
    out.insert(out.end(), matched.begin(), matched.end());
}

XMLNode* XMLSelectNode(XMLNode* node, const std::string& path)
{
    std::vector<XMLNode*> nodes;
    XMLSelectNodes(node, path, nodes);
    return nodes.empty() ? nullptr : nodes.front();
}

void XMLSelectValues(XMLNode* node, const std::string& path, const std::string& attributeName,
                     std::vector<XMLValue*>& out)
{
    std::vector<XMLNode*> nodes;
    XMLSelectNodes(node, path, nodes);
    for (XMLNode* n : nodes)
    {
        if (XMLValue* value = n->GetAttributeValue(attributeName))
            out.push_back(value);
    }
}

XMLValue* XMLSelectValue(XMLNode* node, const std::string& path, const std::string& attributeName)
{
    std::vector<XMLValue*> values;
    XMLSelectValues(node, path, attributeName, values);
    return values.empty() ? nullptr : values.front();
}

bool XMLParseConditions(const std::string& text, std::vector<std::string>& names, std::vector<std::string>& values)
{
    names.clear();
    values.clear();
    enum class Reading { Name, Quote, Value } reading = Reading::Name;
    std::string name;
    std::string value;
    char quote = 0;
    for (char c : text)
    {
        if (reading == Reading::Value)
        {
            if (c != quote)
            {
                value.push_back(c);
                continue;
            }
            names.push_back(std::move(name));
            values.push_back(std::move(value));
            name.clear();
            value.clear();
            reading = Reading::Name;
            continue;
        }
        if (!IsVisible(c))
            continue;
        if (reading == Reading::Quote)
        {
            if (!IsQuote(c))
                return false;
            quote = c;
            reading = Reading::Value;
            continue;
        }
        if (c == '=')
        {
            if (name.empty())
                return false;
            reading = Reading::Quote;
        }
        else if (c == ',' || c == ';')
        {
            if (!name.empty())
                return false;
        }
        else
        {
            name.push_back(c);
        }
    }
    return reading == Reading::Name && name.empty();
}
}
