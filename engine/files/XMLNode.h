// One element of a parsed XML description: its name, text, attributes and owned child elements.
#pragma once

#include "engine/files/XMLValue.h"

#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GameTools
{
struct XMLAttribute
{
    std::string name;
    XMLValue value;
};

class XMLNode
{
public:
    XMLNode();
    XMLNode(const std::string& name, const std::string& value, XMLNode* parent);
    XMLNode(const std::string& name, XMLNode* parent);
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
    void SetAttributeWide(const std::string& name, const std::wstring& text);
    void SetAttributeWide(const std::string& name, std::wstring&& text);
    void DeleteAttributes();
    // The attribute records in the order they were created.
    const std::list<XMLAttribute>& GetAttributes() const { return m_attributes; }

    const std::string& GetName() const { return m_name; }
    XMLValue& GetValue() { return m_value; }
    const XMLValue& GetValue() const { return m_value; }
    XMLNode* GetParent() const { return m_parent; }

private:
    // Elements have a handful of attributes, found fastest by a linear search; past this many, an index
    // keeps the duplicate checks of a parse from growing with the square of the count.
    static constexpr size_t AttributeIndexThreshold = 8;

    XMLAttribute* FindAttribute(const std::string& name) const;
    XMLAttribute& AttributeFor(const std::string& name);
    bool IsSelfOrAncestor(const XMLNode* node) const;
    // Removes child from the two child lists and gives up its ownership without deleting it.
    void ReleaseChild(XMLNode* child);
    void DeleteChildren();

    std::string m_name;
    XMLValue m_value;
    // A list keeps every record in place, so XMLValue pointers handed out stay valid as attributes are added.
    std::list<XMLAttribute> m_attributes;
    std::unique_ptr<std::map<std::string, XMLAttribute*, std::less<>>> m_attributeIndex;
    std::vector<std::unique_ptr<XMLNode>> m_children;
    XMLNode* m_parent = nullptr;
};
}
