// XMLNode: ownership of children and attributes, moving children between parents, lookups by name.
#include "engine/files/XMLNode.h"

#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using GameTools::XMLNode;
using XMLTestSupport::Children;

namespace
{
// Counts how often each node is destroyed, to show every node is deleted exactly once.
class CountedNode : public XMLNode
{
public:
    CountedNode(const std::string& name, XMLNode* parent, std::map<std::string, int>& deaths)
        : XMLNode(name, parent), m_deaths(deaths)
    {
    }
    ~CountedNode() override { ++m_deaths[GetName()]; }

private:
    std::map<std::string, int>& m_deaths;
};
}

TEST(XMLNodeTree, ConstructorsLinkToTheParentInOrder)
{
    XMLNode root;
    EXPECT_EQ("", root.GetName());
    EXPECT_EQ(nullptr, root.GetParent());
    XMLNode* a = new XMLNode("a", &root);
    XMLNode* b = new XMLNode("b", "text", &root);
    XMLNode* c = root.AddNewChild();
    EXPECT_EQ((std::vector<XMLNode*>{a, b, c}), Children(root));
    EXPECT_EQ(&root, a->GetParent());
    EXPECT_EQ("text", b->GetValue().GetString());
    EXPECT_EQ("", c->GetName());
    EXPECT_EQ("", c->GetValue().GetString());
}

TEST(XMLNodeTree, DestroyingTheRootDeletesEveryNodeOnce)
{
    std::map<std::string, int> deaths;
    {
        XMLNode root;
        auto* a = new CountedNode("a", &root, deaths);
        new CountedNode("a1", a, deaths);
        auto* a2 = new CountedNode("a2", a, deaths);
        new CountedNode("a21", a2, deaths);
        new CountedNode("b", &root, deaths);
    }
    EXPECT_EQ((std::map<std::string, int>{{"a", 1}, {"a1", 1}, {"a2", 1}, {"a21", 1}, {"b", 1}}), deaths);
}

TEST(XMLNodeTree, DeletingAChildDetachesItFromItsParent)
{
    std::map<std::string, int> deaths;
    XMLNode root;
    auto* a = new CountedNode("a", &root, deaths);
    auto* b = new CountedNode("b", &root, deaths);
    new CountedNode("a1", a, deaths);
    delete a;
    EXPECT_EQ((std::vector<XMLNode*>{b}), Children(root));
    EXPECT_EQ(nullptr, root.FindChild("a"));
    EXPECT_EQ(1, deaths["a"]);
    EXPECT_EQ(1, deaths["a1"]);
    EXPECT_EQ(0, deaths["b"]);
}

TEST(XMLNodeTree, AddChildMovesAChildWithoutDeletingIt)
{
    std::map<std::string, int> deaths;
    XMLNode first;
    XMLNode second;
    auto* moved = new CountedNode("item", &first, deaths);
    new CountedNode("keep", &first, deaths);
    new CountedNode("grandchild", moved, deaths);

    EXPECT_EQ(moved, second.AddChild(moved));
    EXPECT_EQ(0, deaths["item"]);
    EXPECT_EQ(nullptr, first.FindChild("item"));
    EXPECT_EQ(1u, Children(first).size());
    EXPECT_EQ(moved, second.FindChild("item"));
    EXPECT_EQ(&second, moved->GetParent());
    EXPECT_EQ(1u, Children(*moved).size());
}

TEST(XMLNodeTree, AddingTheSameChildAgainMovesItToTheEnd)
{
    XMLNode root;
    XMLNode* a = new XMLNode("a", &root);
    XMLNode* b = new XMLNode("b", &root);
    root.AddChild(a);
    EXPECT_EQ((std::vector<XMLNode*>{b, a}), Children(root));
    std::vector<XMLNode*> named;
    root.GetChildrenByName("a", named);
    EXPECT_EQ((std::vector<XMLNode*>{a}), named);
}

TEST(XMLNodeTree, NodeCannotBecomeItsOwnDescendant)
{
    XMLNode root;
    XMLNode* a = new XMLNode("a", &root);
    XMLNode* b = new XMLNode("b", a);
    EXPECT_EQ(nullptr, b->AddChild(&root));
    EXPECT_EQ(nullptr, b->AddChild(a));
    EXPECT_EQ(nullptr, b->AddChild(b));
    EXPECT_EQ(nullptr, b->AddChild(nullptr));
    EXPECT_EQ(&root, a->GetParent());
    EXPECT_EQ(a, b->GetParent());
    EXPECT_TRUE(Children(*b).empty());
}

TEST(XMLNodeTree, NameLookupsFindOnlyMatchingChildrenInOrderOfAddition)
{
    XMLNode root;
    XMLNode* item1 = new XMLNode("item", &root);
    new XMLNode("other", &root);
    XMLNode* item2 = new XMLNode("item", &root);
    new XMLNode("items", &root);
    XMLNode* item3 = new XMLNode("item", &root);

    EXPECT_EQ(item1, root.FindChild("item"));
    EXPECT_EQ(nullptr, root.FindChild("Item"));
    std::vector<XMLNode*> items{&root};
    root.GetChildrenByName("item", items);
    EXPECT_EQ((std::vector<XMLNode*>{item1, item2, item3}), items);
    root.GetChildrenByName("missing", items);
    EXPECT_TRUE(items.empty());
    std::vector<XMLNode*> all{&root};
    root.GetChildren(all);
    EXPECT_EQ(5u, all.size());
}

TEST(XMLNodeTree, AVeryDeepTreeIsDestroyedWithoutExhaustingTheStack)
{
    auto* root = new XMLNode("level", nullptr);
    XMLNode* node = root;
    for (int i = 0; i < 1000000; ++i)
        node = new XMLNode("level", node);
    delete root;
}

TEST(XMLNodeAttributes, SetKeepsThePositionOfAnExistingAttribute)
{
    XMLNode node;
    node.SetAttribute("x", "1");
    node.SetAttributeWide("y", L"2");
    node.SetAttribute("x", "3");
    const auto& attributes = node.GetAttributes();
    ASSERT_EQ(2u, attributes.Size());
    auto it = attributes.begin();
    EXPECT_EQ("x", it->name);
    EXPECT_EQ(node.GetAttributeValue("x"), &it->value);
    EXPECT_EQ("3", node.GetAttributeValue("x")->GetString());
    ++it;
    EXPECT_EQ("y", it->name);
    EXPECT_EQ(GameTools::XMLValue::WideValid, it->value.GetState());
    EXPECT_EQ(attributes.end(), ++it);
    EXPECT_EQ(2, node.GetAttributeValue("y")->GetInt());
}

TEST(XMLNodeAttributes, LookupsAreCaseSensitive)
{
    XMLNode node;
    node.SetAttribute("Name", "a");
    EXPECT_TRUE(node.HasAttribute("Name"));
    EXPECT_FALSE(node.HasAttribute("name"));
    EXPECT_EQ(nullptr, node.GetAttributeValue("name"));
    EXPECT_EQ("a", node.GetAttributeValue("Name")->GetString());
}

TEST(XMLNodeAttributes, DeleteAttributesEmptiesTheList)
{
    XMLNode node;
    node.SetAttribute("a", "1");
    node.SetAttribute("b", "2");
    node.DeleteAttributes();
    EXPECT_TRUE(node.GetAttributes().Empty());
    EXPECT_FALSE(node.HasAttribute("a"));
    node.SetAttribute("a", "3");
    EXPECT_EQ(1u, node.GetAttributes().Size());
    EXPECT_EQ("3", node.GetAttributeValue("a")->GetString());
}

TEST(XMLNodeAttributes, ValuePointersStayValidAsAttributesAreAdded)
{
    XMLNode node;
    node.ReserveAttributes(2);
    node.SetAttribute("first", "1");
    GameTools::XMLValue* first = node.GetAttributeValue("first");
    for (int i = 0; i < 100; ++i)
        node.SetAttribute("a" + std::to_string(i), std::to_string(i));
    EXPECT_EQ(first, node.GetAttributeValue("first"));
    EXPECT_EQ("1", first->GetString());
    EXPECT_EQ(57, node.GetAttributeValue("a57")->GetInt());
    EXPECT_EQ(nullptr, node.GetAttributeValue("a100"));
}

TEST(XMLNodeAttributes, OrderOfCreationSurvivesReservedAndGrownStorage)
{
    XMLNode node;
    node.ReserveAttributes(3);
    node.ReserveAttributes(5);
    std::vector<std::string> expected;
    for (int i = 0; i < 20; ++i)
    {
        expected.push_back("n" + std::to_string(i));
        node.SetAttribute(expected.back(), "v");
        if (i == 6)
            node.ReserveAttributes(10);
    }
    node.SetAttribute("n3", "changed");
    std::vector<std::string> names;
    for (const auto& attribute : node.GetAttributes())
        names.push_back(attribute.name);
    EXPECT_EQ(expected, names);
    EXPECT_EQ(20u, node.GetAttributes().Size());
    EXPECT_EQ("changed", node.GetAttributeValue("n3")->GetString());
}

TEST(XMLNodeAttributes, ReservedButUnusedStorageHoldsNoAttributes)
{
    XMLNode node;
    node.ReserveAttributes(4);
    EXPECT_TRUE(node.GetAttributes().Empty());
    EXPECT_EQ(node.GetAttributes().begin(), node.GetAttributes().end());
    EXPECT_FALSE(node.HasAttribute(""));
}
