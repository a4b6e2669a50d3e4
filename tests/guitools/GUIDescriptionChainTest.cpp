// A control's description chain: its nodes under each search root, each followed by its templates; the first
// node with an attribute gives it; children named by any node once, in the order first named; cycles and
// unnamed children reported rather than followed.
#include "engine/files/XMLNode.h"
#include "guitools/GUIDescriptionChain.h"
#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using GameTools::XMLNode;
using GUITools::GUIDescriptionChain;

namespace
{
std::unique_ptr<XMLNode> Descriptions()
{
    return XMLTestSupport::ParseText(
        L"<descriptions>"
        L"<window name=\"tpl_panel\" size=\"10 10\" font=\"basic\"><button name=\"close\"/><text_label name=\"title\"/></window>"
        L"<window name=\"tpl_dialog\" template=\"tpl_panel\" size=\"20 20\"><button name=\"ok\"/></window>"
        L"<window name=\"dialog\" template=\"tpl_dialog\" position=\"1 2\"><text_label name=\"title\"/><button/></window>"
        L"<window name=\"orphan\" template=\"nowhere\"/>"
        L"<window name=\"loop_a\" template=\"loop_b\"/><window name=\"loop_b\" template=\"loop_a\"/>"
        L"</descriptions>");
}

std::vector<std::string> Names(const GUIDescriptionChain::Chain& chain)
{
    std::vector<std::string> names;
    for (XMLNode* node : chain)
        names.push_back(node->GetAttributeValue("name")->GetString());
    return names;
}

TEST(GUIDescriptionChainTest, ANodeIsFollowedByItsTemplatesInOrder)
{
    const std::unique_ptr<XMLNode> root = Descriptions();
    GUIDescriptionChain::Chain chain;
    EXPECT_EQ(GUIDescriptionChain::Resolve(root.get(), {root.get()}, "dialog", chain), "");
    EXPECT_EQ(Names(chain), (std::vector<std::string>{"dialog", "tpl_dialog", "tpl_panel"}));
    EXPECT_EQ(GUIDescriptionChain::Attribute(chain, "size")->GetString(), "20 20");
    EXPECT_EQ(GUIDescriptionChain::Attribute(chain, "font")->GetString(), "basic");
    EXPECT_EQ(GUIDescriptionChain::Attribute(chain, "position")->GetString(), "1 2");
    EXPECT_EQ(GUIDescriptionChain::Attribute(chain, "fader"), nullptr);
}

TEST(GUIDescriptionChainTest, AChildIsLookedUpUnderEveryNodeOfItsParentsChain)
{
    const std::unique_ptr<XMLNode> root = Descriptions();
    GUIDescriptionChain::Chain parent;
    GUIDescriptionChain::Resolve(root.get(), {root.get()}, "dialog", parent);
    GUIDescriptionChain::Chain title;
    GUIDescriptionChain::Resolve(root.get(), parent, "title", title);
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0]->GetParent(), parent[0]);
    EXPECT_EQ(title[1]->GetParent(), parent[2]);
}

TEST(GUIDescriptionChainTest, ChildrenComeOnceInTheOrderFirstNamedAndUnnamedOnesAreListed)
{
    const std::unique_ptr<XMLNode> root = Descriptions();
    GUIDescriptionChain::Chain chain;
    GUIDescriptionChain::Resolve(root.get(), {root.get()}, "dialog", chain);
    const GUIDescriptionChain::Children children = GUIDescriptionChain::CollectChildren(chain);
    EXPECT_EQ(children.names, (std::vector<std::string>{"title", "ok", "close"}));
    EXPECT_EQ(children.unnamedKinds, (std::vector<std::string>{"button"}));
}

TEST(GUIDescriptionChainTest, ACycleIsNamedAndAMissingTemplateAddsNothing)
{
    const std::unique_ptr<XMLNode> root = Descriptions();
    GUIDescriptionChain::Chain chain;
    EXPECT_EQ(GUIDescriptionChain::Resolve(root.get(), {root.get()}, "loop_a", chain), "loop_a");
    EXPECT_EQ(Names(chain), (std::vector<std::string>{"loop_a", "loop_b"}));
    chain.clear();
    EXPECT_EQ(GUIDescriptionChain::Resolve(root.get(), {root.get()}, "orphan", chain), "");
    EXPECT_EQ(Names(chain), (std::vector<std::string>{"orphan"}));
    EXPECT_EQ(GUIDescriptionChain::Find(root.get(), "nowhere"), nullptr);
    EXPECT_EQ(GUIDescriptionChain::Find(root.get(), "orphan"), chain.front());
}
}
