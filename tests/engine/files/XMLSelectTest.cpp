// Path queries: steps, attribute conditions, document order, and the paths that select nothing.
#include "engine/files/XMLSelect.h"

#include "tests/support/XMLTestSupport.h"

#include <gtest/gtest.h>

using GameTools::XMLNode;
using GameTools::XMLValue;

namespace
{
const wchar_t* const SelectDocument = LR"(<root>
  <a id='a1'><b id='b1'/><b id='b2'/></a>
  <a id='a2'><b id='b3'/><c id='c1'/></a>
  <item id='i1'/>
  <item id='i2' name='x'/>
  <item id='i3' name="it's" type='t'/>
  <window name='options'>
    <control type='button' name='ok' id='ok'/>
    <control type='button' name='cancel' id='cancel'/>
    <control type='slider' name='volume' id='volume'/>
  </window>
</root>)";

class XMLSelect : public testing::Test
{
protected:
    void SetUp() override { m_root = XMLTestSupport::ParseText(SelectDocument); }

    // The matches of a path, each shown by its id (or its name when it has none), space separated.
    std::string Select(const std::string& path)
    {
        std::vector<XMLNode*> nodes;
        GameTools::XMLSelectNodes(m_root.get(), path, nodes);
        std::string out;
        for (XMLNode* node : nodes)
        {
            XMLValue* id = node->GetAttributeValue("id");
            out += (out.empty() ? "" : " ") + (id ? id->GetString() : node->GetName());
        }
        return out;
    }

    std::unique_ptr<XMLNode> m_root;
};

struct PathCase
{
    const char* path;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(c.path);
}

class XMLSelectPaths : public XMLSelect, public testing::WithParamInterface<PathCase>
{
};
}

TEST_P(XMLSelectPaths, SelectsInDocumentOrder)
{
    EXPECT_EQ(GetParam().expected, Select(GetParam().path)) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Table, XMLSelectPaths,
    testing::Values(
        // Plain steps; an empty step stands for the node itself.
        PathCase{"", "root"}, PathCase{"a", "a1 a2"}, PathCase{"a/b", "b1 b2 b3"}, PathCase{"/a/b", "b1 b2 b3"},
        PathCase{"a//b", "b1 b2 b3"}, PathCase{"a/", "a1 a2"}, PathCase{"/", "root"}, PathCase{"a/c", "c1"},
        PathCase{"missing", ""}, PathCase{"missing/b", ""}, PathCase{"a/b/c", ""}, PathCase{"A", ""},
        // Conditions narrow a step; an empty step with conditions looks at every child.
        PathCase{"item[name='x']", "i2"}, PathCase{"item[name=\"it's\"]", "i3"},
        PathCase{"item[name=\"it's\", type='t']", "i3"}, PathCase{"item[name=\"it's\";type='t']", "i3"},
        PathCase{"item[ name = \"it's\"  type = 't' ]", "i3"}, PathCase{"item[name='x' type='t']", ""},
        PathCase{"item[,name='x';]", "i2"}, PathCase{"item[name='x',,]", "i2"}, PathCase{"[id='i2']", "i2"},
        PathCase{"/[name=\"options\"]", "window"}, PathCase{"a[id='a1']/b", "b1 b2"},
        PathCase{"a[id='A1']", ""}, PathCase{"item[]", "i1 i2 i3"}, PathCase{"[]", "root"},
        PathCase{"window[name='options']/control[type='button']", "ok cancel"},
        PathCase{"window[name='options']/control[type='button', name='ok']", "ok"},
        PathCase{"window/[type='slider']", "volume"},
        // Malformed conditions and brackets select nothing.
        PathCase{"a[b=c]", ""}, PathCase{"a[b]", ""}, PathCase{"item[=x]", ""}, PathCase{"item[name='it's']", ""},
        PathCase{"item[name='x' type]", ""}, PathCase{"item[name='x'", ""}, PathCase{"a[id='a1/x']", ""},
        PathCase{"a]x[", ""}, PathCase{"a/b]", ""}, PathCase{"a[id='a1']/b[", ""},
        PathCase{"item[name='x']]", "i2"}));

TEST_F(XMLSelect, NodesAreAppendedToTheList)
{
    std::vector<XMLNode*> nodes{m_root.get()};
    GameTools::XMLSelectNodes(m_root.get(), "a", nodes);
    EXPECT_EQ(3u, nodes.size());
    EXPECT_EQ(m_root.get(), nodes[0]);
}

TEST_F(XMLSelect, NullNodeSelectsNothing)
{
    std::vector<XMLNode*> nodes;
    GameTools::XMLSelectNodes(nullptr, "", nodes);
    EXPECT_TRUE(nodes.empty());
    EXPECT_EQ(nullptr, GameTools::XMLSelectNode(nullptr, "a"));
    EXPECT_EQ(nullptr, GameTools::XMLSelectValue(nullptr, "", "id"));
}

TEST_F(XMLSelect, SelectNodeGivesTheFirstMatch)
{
    XMLNode* b = GameTools::XMLSelectNode(m_root.get(), "a/b");
    ASSERT_NE(nullptr, b);
    EXPECT_EQ("b1", b->GetAttributeValue("id")->GetString());
    EXPECT_EQ(nullptr, GameTools::XMLSelectNode(m_root.get(), "a/d"));
}

TEST_F(XMLSelect, ValuesComeOnlyFromMatchesThatHaveTheAttribute)
{
    std::vector<XMLValue*> values;
    GameTools::XMLSelectValues(m_root.get(), "item", "name", values);
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ("x", values[0]->GetString());
    EXPECT_EQ("it's", values[1]->GetString());

    XMLValue* first = GameTools::XMLSelectValue(m_root.get(), "item", "name");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ("x", first->GetString());
    EXPECT_EQ(nullptr, GameTools::XMLSelectValue(m_root.get(), "item", "colour"));
}

TEST_F(XMLSelect, EmptyPathReadsTheNodesOwnAttribute)
{
    XMLNode* window = GameTools::XMLSelectNode(m_root.get(), "window");
    XMLValue* name = GameTools::XMLSelectValue(window, "", "name");
    ASSERT_NE(nullptr, name);
    EXPECT_EQ("options", name->GetString());
}

struct ConditionCase
{
    const char* text;
    bool valid;
    std::vector<std::string> names;
    std::vector<std::string> values;
};

void PrintTo(const ConditionCase& c, std::ostream* os)
{
    *os << XMLTestSupport::NameSafe(c.text);
}

class XMLConditions : public testing::TestWithParam<ConditionCase>
{
};

TEST_P(XMLConditions, ParseNamesAndQuotedValues)
{
    const ConditionCase& c = GetParam();
    std::vector<std::string> names{"stale"};
    std::vector<std::string> values{"stale"};
    EXPECT_EQ(c.valid, GameTools::XMLParseConditions(c.text, names, values)) << c.text;
    if (c.valid)
    {
        EXPECT_EQ(c.names, names) << c.text;
        EXPECT_EQ(c.values, values) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, XMLConditions,
    testing::Values(ConditionCase{"", true, {}, {}}, ConditionCase{"  ", true, {}, {}},
                    ConditionCase{"a='1'", true, {"a"}, {"1"}},
                    ConditionCase{"a = \" x y \"", true, {"a"}, {" x y "}},
                    ConditionCase{"a='1',b=\"2\";c='3' d='4'", true, {"a", "b", "c", "d"}, {"1", "2", "3", "4"}},
                    ConditionCase{"a='it\"s'", true, {"a"}, {"it\"s"}}, ConditionCase{"a=''", true, {"a"}, {""}},
                    ConditionCase{"a b='1'", true, {"ab"}, {"1"}}, ConditionCase{"a", false, {}, {}},
                    ConditionCase{"a=", false, {}, {}}, ConditionCase{"a='1", false, {}, {}},
                    ConditionCase{"a=1", false, {}, {}}, ConditionCase{"='1'", false, {}, {}},
                    ConditionCase{"a,='1'", false, {}, {}}, ConditionCase{"a;b='1'", false, {}, {}}));
