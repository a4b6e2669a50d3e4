#include "guitools/GUIDescriptionChain.h"

#include "engine/files/XMLNode.h"
#include "engine/files/XMLSelect.h"

#include <algorithm>

using GameTools::XMLNode;
using GameTools::XMLValue;

namespace GUITools
{
XMLNode* GUIDescriptionChain::Find(XMLNode* searchRoot, const std::string& name)
{
    return GameTools::XMLSelectNode(searchRoot, "/[name=\"" + name + "\"]");
}

std::string GUIDescriptionChain::Resolve(XMLNode* root, const Chain& searchRoots, const std::string& name, Chain& chain)
{
    Chain descent;
    std::string cycle;
    ResolveDown(root, searchRoots, name, chain, descent, cycle);
    return cycle;
}

bool GUIDescriptionChain::ResolveDown(XMLNode* root, const Chain& searchRoots, const std::string& name, Chain& chain,
                                      Chain& descent, std::string& cycle)
{
    for (XMLNode* searchRoot : searchRoots)
    {
        XMLNode* node = Find(searchRoot, name);
        if (node == nullptr)
            continue;
        if (std::find(descent.begin(), descent.end(), node) != descent.end())
        {
            cycle = name;
            return false;
        }
        chain.push_back(node);
        XMLValue* templateName = node->GetAttributeValue("template");
        if (templateName == nullptr)
            continue;
        descent.push_back(node);
        const bool resolved = ResolveDown(root, Chain{root}, templateName->GetString(), chain, descent, cycle);
        descent.pop_back();
        if (!resolved)
            return false;
    }
    return true;
}

XMLValue* GUIDescriptionChain::Attribute(const Chain& chain, const std::string& name)
{
    for (XMLNode* node : chain)
    {
        if (XMLValue* value = node->GetAttributeValue(name))
            return value;
    }
    return nullptr;
}

GUIDescriptionChain::Children GUIDescriptionChain::CollectChildren(const Chain& chain)
{
    Children children;
    for (XMLNode* node : chain)
    {
        std::vector<XMLNode*> nodes;
        node->GetChildren(nodes);
        for (XMLNode* child : nodes)
        {
            XMLValue* name = child->GetAttributeValue("name");
            if (name == nullptr)
                children.unnamedKinds.push_back(child->GetName());
            else if (std::find(children.names.begin(), children.names.end(), name->GetString()) == children.names.end())
                children.names.push_back(name->GetString());
        }
    }
    return children;
}
}
