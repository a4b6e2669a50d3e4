// The text tool: the precedence of the two files, hierarchical keys, the language, and a broken file that
// leaves the other readable.
#include "guitools/GUITextTool.h"

#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelkorEngine;
using GUITools::GUITextTool;

namespace
{
const char* const kDefaults = R"(<text_file>
  <texts>
    <game_title><en text="Korvane"/><ru text="Корвейн"/></game_title>
    <common><exit><en text="Exit"/><ru text="Выход"/></exit></common>
    <game_logic><bonuses><super_ball><en text="Super ball"/></super_ball></bonuses></game_logic>
    <only_russian><ru text="Только"/></only_russian>
    <two_lines><en text="one
two"/></two_lines>
  </texts>
</text_file>
)";

const char* const kOverrides = R"(<text_file>
  <texts>
    <common><exit><en text="Leave"/></exit></common>
  </texts>
</text_file>
)";

class GUITextToolTest : public testing::Test
{
protected:
    GUITextToolTest() { engine.Start(); }

    void Write(const std::string& name, const std::string& text)
    {
        engine.folder.WriteFile("data/ui/texts/" + name, text);
    }

    bool Logged(const std::string& text) const
    {
        const std::vector<std::string> errors = engine.Records(MessageManager::KindError);
        return std::any_of(errors.begin(), errors.end(),
                           [&](const std::string& e) { return e.find(text) != std::string::npos; });
    }

    TestSupport::EngineTestBed engine;
};

struct LookUp
{
    const char* language;
    const char* key;
    const wchar_t* text;
};

TEST_F(GUITextToolTest, KeysAreFoundInTheTextsFirstThenTheDefaults)
{
    Write("default_texts.xml", kDefaults);
    Write("texts.xml", kOverrides);
    const LookUp cases[] = {
        {"en", "game_title", L"Korvane"},
        {"ru", "game_title", L"Корвейн"},
        {"en", "common/exit", L"Leave"},
        {"ru", "common/exit", L"Выход"},
        {"en", "game_logic/bonuses/super_ball", L"Super ball"},
        {"en", "game_logic/bonuses", L"UNKNOWN"},
        {"en", "only_russian", L"UNKNOWN"},
        {"en", "nothing/here", L"UNKNOWN"},
        {"en", "two_lines", L"one\r\ntwo"}, // the text reader joins lines as the text files store them
        {"ge", "game_title", L"UNKNOWN"},
    };
    for (const LookUp& c : cases)
    {
        GUITextTool tool(&engine.GetEngine(), c.language);
        EXPECT_EQ(tool.GetText(c.key), c.text) << c.language << " " << c.key;
    }
}

TEST_F(GUITextToolTest, AMissingOrBrokenTextsFileLeavesTheDefaults)
{
    Write("default_texts.xml", kDefaults);
    {
        GUITextTool missing(&engine.GetEngine(), "en");
        EXPECT_EQ(missing.GetText("common/exit"), L"Exit");
        EXPECT_TRUE(Logged("texts.xml"));
    }
    Write("texts.xml", "<text_file><texts><common><exit><en text=\"Half\"/></exit></common><broken");
    GUITextTool broken(&engine.GetEngine(), "en");
    EXPECT_EQ(broken.GetText("common/exit"), L"Exit") << "nothing of a broken file is used";
}

TEST_F(GUITextToolTest, AFileWithoutASectionIsReportedAndABareSectionIsTaken)
{
    Write("texts.xml", "<other><x/></other>\n");
    Write("default_texts.xml", "<texts><game_title><en text=\"Bare\"/></game_title></texts>\n");
    GUITextTool tool(&engine.GetEngine(), "en");
    EXPECT_TRUE(Logged("Incorrect \"text file\" format"));
    EXPECT_EQ(tool.GetText("game_title"), L"Bare");
}
}
