// The resource list walk of the data tests.
#include "tests/data/ResourceListWalk.h"

#include "tools/datagen/DataXml.h"

#include <algorithm>
#include <cstdio>

namespace DataTest
{
namespace
{
using GameTools::XMLNode;
using KorvaneTools::AttributeText;

struct Counter
{
    std::string name;
    unsigned value;
};

std::string Substitute(std::string text, const std::vector<Counter>& counters)
{
    for (const Counter& counter : counters)
    {
        const std::size_t start = text.find("%" + counter.name);
        if (start == std::string::npos)
            continue;
        const std::size_t end = text.find('%', start + 1 + counter.name.size());
        if (end == std::string::npos)
            continue;
        const std::string token = text.substr(start, end - start + 1);
        const std::string width = text.substr(start + 1 + counter.name.size(), end - start - 1 - counter.name.size());
        char value[32];
        std::snprintf(value, sizeof value, "%0*u", width.empty() ? 0 : std::stoi(width), counter.value);
        for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at))
            text.replace(at, token.size(), value);
    }
    return text;
}

std::string DataPath(const std::string& folder, std::string file)
{
    std::replace(file.begin(), file.end(), '\\', '/');
    return folder + "/" + file;
}

void Walk(const XMLNode& node, const std::string& folder, const std::string& prefix, std::vector<Counter>& counters,
          std::vector<ListedResource>& out)
{
    const std::string& kind = node.GetName();
    if (kind == "loop")
    {
        const std::string counterName = AttributeText(node, "counter").empty() ? "i" : AttributeText(node, "counter");
        const std::string start = AttributeText(node, "start");
        const std::string count = AttributeText(node, "count");
        std::vector<XMLNode*> children;
        node.GetChildren(children);
        for (unsigned i = start.empty() ? 0 : std::stoul(start); i < (count.empty() ? 0 : std::stoul(count)); ++i)
        {
            counters.push_back({counterName, i});
            for (const XMLNode* child : children)
                Walk(*child, folder, prefix, counters, out);
            counters.pop_back();
        }
        return;
    }
    const std::string name = AttributeText(node, "name");
    if (!name.empty())
    {
        ListedResource resource{kind, prefix + Substitute(name, counters), {}};
        for (const char* attribute : {"file_name", "diffuse_file_name", "opacity_file_name"})
        {
            const std::string file = AttributeText(node, attribute);
            if (!file.empty() && file != "32bit")
                resource.files.push_back(DataPath(folder, Substitute(file, counters)));
        }
        if (kind == "model" || kind == "shader" || kind == "particles")
            out.push_back(resource);
        return;
    }
    const std::string nextPrefix = kind.empty() || kind == "resources" ? prefix : prefix + kind + "/";
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    for (const XMLNode* child : children)
        Walk(*child, folder, nextPrefix, counters, out);
}
}

std::vector<ListedResource> WalkResourceList(const std::string& bytes, const std::string& folder,
                                             const std::string& origin)
{
    const auto root = KorvaneTools::ParseDataXml(bytes, origin);
    std::vector<ListedResource> out;
    std::vector<Counter> counters;
    Walk(*root, folder, "", counters, out);
    return out;
}
}
