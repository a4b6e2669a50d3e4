// One element of a parsed XML description: its name, text, attributes and owned child elements.
#pragma once

#include "engine/files/XMLAttributeList.h"
#include "engine/files/XMLValue.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace GameTools
{
class XMLNode
{
public:
    XMLNode();
    XMLNode(const std::string& name, const std::string& value, XMLNode* parent);
    XMLNode(std::string name, XMLNode* parent);
    // Detaches the node from its parent, then deletes its attributes and its whole subtree.
    virtual ~XMLNode();

    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    // Takes ownership of child, moving it away from its old parent. Gives back child, or null (and changes
    // nothing) when child is null, this node or one of its ancestors, which would make the tree a cycle.
    XMLNode* AddChild(XMLNode* child);
    XMLNode* AddNewChild();
    XMLNode* FindChild(const std::string& name) const;
    void GetChildren(std::vector<XMLNode*>& out) const;
    void GetChildrenByName(const std::string& name, std::vector<XMLNode*>& out) const;

    XMLValue* GetAttributeValue(const std::string& name) const;
    bool HasAttribute(const std::string& name) const;
    void SetAttribute(const std::string& name, const std::string& text);
    void SetAttribute(const std::string& name, std::string&& text);
    void SetAttributeWide(const std::string& name, const std::wstring& text);
    void SetAttributeWide(const std::string& name, std::wstring&& text);
    // The value of a new attribute of that name, or null (and nothing added) when the node has one already.
    XMLValue* AddAttribute(std::string_view name);
    void DeleteAttributes();
    // The attribute records in the order they were created.
    const XMLAttributeList& GetAttributes() const { return m_attributes; }
    // Room for count more attributes, so that a parser adding them allocates once.
    void ReserveAttributes(u32 count) { m_attributes.Reserve(count); }

    const std::string& GetName() const { return m_name; }
    XMLValue& GetValue() { return m_value; }
    const XMLValue& GetValue() const { return m_value; }
    XMLNode* GetParent() const { return m_parent; }

private:
    XMLAttribute& AttributeFor(const std::string& name);
    bool IsSelfOrAncestor(const XMLNode* node) const;
    // Removes child from the child list and gives up its ownership without deleting it.
    void ReleaseChild(XMLNode* child);
    void DeleteChildren();

    std::string m_name;
    XMLValue m_value;
    XMLAttributeList m_attributes;
    std::vector<std::unique_ptr<XMLNode>> m_children;
    XMLNode* m_parent = nullptr;
};
}
