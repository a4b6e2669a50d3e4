// One element of a parsed XML description: its name, text, attributes and owned child elements.
#include "engine/files/XMLNode.h"

#include <algorithm>
#include <utility>

namespace GameTools
{
XMLNode::XMLNode() = default;

XMLNode::XMLNode(const std::string& name, const std::string& value, XMLNode* parent) : m_name(name)
{
    m_value.SetString(value);
    if (parent)
        parent->AddChild(this);
}

XMLNode::XMLNode(std::string name, XMLNode* parent) : m_name(std::move(name))
{
    if (parent)
        parent->AddChild(this);
}

XMLNode::~XMLNode()
{
    if (m_parent)
        m_parent->ReleaseChild(this);
    for (const auto& child : m_children)
        child->m_parent = nullptr;
    DeleteAttributes();
    DeleteChildren();
}

// Deletes the subtree without recursion, so a tree of any depth cannot exhaust the stack: every node's
// children are taken over before the node itself goes, leaving each destructor nothing below it to delete.
void XMLNode::DeleteChildren()
{
    std::vector<std::unique_ptr<XMLNode>> pending;
    pending.reserve(m_children.size());
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        pending.push_back(std::move(*it));
    m_children.clear();

    while (!pending.empty())
    {
        std::unique_ptr<XMLNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
        {
            (*it)->m_parent = nullptr;
            pending.push_back(std::move(*it));
        }
        node->m_children.clear();
    }
}

void XMLNode::DeleteAttributes()
{
    m_attributes.Clear();
}

bool XMLNode::IsSelfOrAncestor(const XMLNode* node) const
{
    for (const XMLNode* n = this; n; n = n->m_parent)
    {
        if (n == node)
            return true;
    }
    return false;
}

XMLNode* XMLNode::AddChild(XMLNode* child)
{
    // Only a node with children can be an ancestor, so building a tree leaf by leaf never walks upwards.
    if (!child || child == this || (!child->m_children.empty() && IsSelfOrAncestor(child)))
        return nullptr;
    if (child->m_parent)
    {
        XMLNode* oldParent = child->m_parent;
        child->m_parent = nullptr;
        oldParent->ReleaseChild(child);
    }
    // A parsed element with children nearly always has several: one allocation instead of three.
    if (m_children.capacity() == 0)
        m_children.reserve(4);
    m_children.emplace_back(child);
    child->m_parent = this;
    return child;
}

void XMLNode::ReleaseChild(XMLNode* child)
{
    auto owned = std::find_if(m_children.begin(), m_children.end(),
                              [child](const std::unique_ptr<XMLNode>& c) { return c.get() == child; });
    if (owned != m_children.end())
    {
        owned->release();
        m_children.erase(owned);
    }
}

XMLNode* XMLNode::AddNewChild()
{
    return AddChild(new XMLNode());
}

XMLNode* XMLNode::FindChild(const std::string& name) const
{
    for (const auto& child : m_children)
    {
        if (child->m_name == name)
            return child.get();
    }
    return nullptr;
}

void XMLNode::GetChildren(std::vector<XMLNode*>& out) const
{
    out.clear();
    out.reserve(m_children.size());
    for (const auto& child : m_children)
        out.push_back(child.get());
}

void XMLNode::GetChildrenByName(const std::string& name, std::vector<XMLNode*>& out) const
{
    out.clear();
    for (const auto& child : m_children)
    {
        if (child->m_name == name)
            out.push_back(child.get());
    }
}

XMLValue* XMLNode::GetAttributeValue(const std::string& name) const
{
    XMLAttribute* attribute = m_attributes.Find(name);
    return attribute ? &attribute->value : nullptr;
}

bool XMLNode::HasAttribute(const std::string& name) const
{
    return m_attributes.Find(name) != nullptr;
}

XMLAttribute& XMLNode::AttributeFor(const std::string& name)
{
    XMLAttribute* existing = m_attributes.Find(name);
    return existing ? *existing : m_attributes.Append(name);
}

XMLValue* XMLNode::AddAttribute(std::string_view name)
{
    return m_attributes.Find(name) ? nullptr : &m_attributes.Append(name).value;
}

void XMLNode::SetAttribute(const std::string& name, const std::string& text)
{
    AttributeFor(name).value.SetString(text);
}

void XMLNode::SetAttribute(const std::string& name, std::string&& text)
{
    AttributeFor(name).value.SetString(std::move(text));
}

void XMLNode::SetAttributeWide(const std::string& name, const std::wstring& text)
{
    AttributeFor(name).value.SetWideString(text);
}

void XMLNode::SetAttributeWide(const std::string& name, std::wstring&& text)
{
    AttributeFor(name).value.SetWideString(std::move(text));
}
}
