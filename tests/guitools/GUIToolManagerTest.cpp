// The tool manager: every window description under one root by its top element, broken ones skipped.
#include "guitools/GUIToolManager.h"

#include "engine/files/XMLNode.h"
#include "engine/files/XMLSelect.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelkorEngine;
using GUITools::GUIToolManager;

namespace
{
TEST(GUIToolManagerTest, EveryWindowDescriptionHangsFromOneRootAndBrokenOnesAreSkipped)
{
    TestSupport::EngineTestBed engine;
    engine.Start();
    engine.folder.WriteFile("data/ui/windows/a_main.xml",
                            "<window name=\"main_menu\"><button name=\"start\"/></window>");
    engine.folder.WriteFile("data/ui/windows/b_broken.xml", "<window name=\"broken\"><button");
    engine.folder.WriteFile("data/ui/windows/c_exit.xml", "<window name=\"exit\"/>");
    engine.folder.WriteFile("data/ui/windows/notes.txt", "<window name=\"not read\"/>");
    engine.folder.WriteFile("data/ui/texts/default_texts.xml",
                            "<text_file><texts><game_title><en text=\"Korvane\"/></game_title></texts></text_file>");

    GUIToolManager tools(&engine.GetEngine(), "en");
    EXPECT_EQ(tools.GetLanguage(), "en");
    EXPECT_EQ(tools.GetTextTool()->GetText("game_title"), L"Korvane");
    ASSERT_NE(tools.GetFontTool(), nullptr);
    ASSERT_EQ(tools.GetWindowFileNames().size(), 2u);
    EXPECT_NE(tools.GetWindowFileNames()[0].find("a_main.xml"), std::string::npos);
    EXPECT_NE(tools.GetWindowFileNames()[1].find("c_exit.xml"), std::string::npos);
    EXPECT_NE(GameTools::XMLSelectNode(tools.GetWindowsRoot(), "window[name='main_menu']/button"), nullptr);
    EXPECT_NE(GameTools::XMLSelectNode(tools.GetWindowsRoot(), "window[name='exit']"), nullptr);
    EXPECT_EQ(GameTools::XMLSelectNode(tools.GetWindowsRoot(), "window[name='broken']"), nullptr);
    const std::vector<std::string> errors = engine.Records(MessageManager::KindError);
    EXPECT_TRUE(std::any_of(errors.begin(), errors.end(),
                            [](const std::string& e) { return e.find("XML format error") != std::string::npos; }));
}
}
