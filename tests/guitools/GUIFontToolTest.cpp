// The font tool: names to ids across both lists, per-language values, case and monospace, fonts left out
// with their messages, and a font file that cannot be read ending the start.
#include "guitools/GUIFontTool.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/GUIFontTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelkorEngine;
using GUITools::GUIFontTool;

namespace
{
class GUIFontToolTest : public testing::Test
{
protected:
    GUIFontToolTest()
    {
        engine.Start();
        const std::vector<KorvaneTools::FontGlyph> glyphs = TestSupport::GridGlyphs(L"abAB", 0.5f);
        engine.folder.WriteFile("data/ui/fonts/en/plain.vef", KorvaneTools::WriteFontFile(glyphs));
        engine.folder.WriteFile("data/ui/fonts/ru/plain.vef",
                                KorvaneTools::WriteFontFile(TestSupport::GridGlyphs(L"пП", 0.25f)));
        engine.folder.WriteFile("data/ui/fonts/en/lower.vef",
                                KorvaneTools::WriteFontFile(TestSupport::GridGlyphs(L"ab", 0.5f)));
    }

    void WriteList(const std::string& name, const std::string& fonts)
    {
        engine.folder.WriteFile("data/ui/fonts/" + name, "<fonts>\n" + fonts + "</fonts>\n");
    }

    static std::string Font(const std::string& attributes, const std::string& file = "plain",
                            const std::string& inner = "")
    {
        return "<font " + attributes + ">\n<description_file_path path=\"data\\ui\\fonts\\en\\" + file +
               ".vef\"/>\n<diffuse_image_path path=\"ui\\fonts\\a.tga\"/>\n"
               "<opacity_image_path path=\"ui\\fonts\\a.tga\"/>\n" +
               inner + "</font>\n";
    }

    bool Logged(const std::string& text) const
    {
        const std::vector<std::string> errors = engine.Records(MessageManager::KindError);
        return std::any_of(errors.begin(), errors.end(),
                           [&](const std::string& e) { return e.find(text) != std::string::npos; });
    }

    GUIFontManager& Fonts() { return *engine.GetEngine().GetGUIManager()->GetFontManager(); }

    TestSupport::EngineTestBed engine;
};

TEST_F(GUIFontToolTest, FontsAreNumberedAcrossBothListsAndFoundByName)
{
    WriteList("fonts_basic.xml", Font("name=\"title\" size=\"36\"") + Font("name=\"text\" size=\"18\""));
    WriteList("fonts_additional.xml", Font("name=\"console\" size=\"14\" monospace=\"1\""));
    GUIFontTool tool(&engine.GetEngine(), "en");
    EXPECT_EQ(tool.GetFontIndex("title"), 0);
    EXPECT_EQ(tool.GetFontIndex("text"), 1);
    EXPECT_EQ(tool.GetFontIndex("console"), -1);
    tool.LoadAdditionalFonts();
    EXPECT_EQ(tool.GetFontIndex("console"), 2);
    EXPECT_TRUE(tool.GetFont("console")->IsMonospace());
    EXPECT_FALSE(tool.GetFont("text")->IsMonospace());
    EXPECT_EQ(tool.GetFont("title")->GetSize(), 36.0f);
    EXPECT_EQ(tool.GetFont("title"), Fonts().GetFont(0));
    EXPECT_EQ(tool.GetFont("nothing"), nullptr);
    EXPECT_EQ(tool.GetFontIndex("nothing"), -1);
}

TEST_F(GUIFontToolTest, TheLanguagesChildWinsOnlyForThatLanguage)
{
    const std::string russian = "<ru size=\"26\"><description_file_path path=\"data\\ui\\fonts\\ru\\plain.vef\"/>"
                                "<properties space=\"0.5\"/></ru>\n<properties space=\"0.3\" shift=\"1.5\"/>\n";
    WriteList("fonts_basic.xml", Font("name=\"common\" size=\"20\"", "plain", russian));
    {
        GUIFontTool english(&engine.GetEngine(), "en");
        const GUIFont& font = *english.GetFont("common");
        EXPECT_EQ(font.GetSize(), 20.0f);
        EXPECT_FLOAT_EQ(font.GetSpace(), 0.3f);
        EXPECT_FLOAT_EQ(font.GetShift(), 1.5f);
        EXPECT_TRUE(font.HasGlyph(L'a'));
    }
    EXPECT_EQ(Fonts().GetFont(0), nullptr) << "the tool removes its fonts";
    GUIFontTool russianTool(&engine.GetEngine(), "ru");
    const GUIFont& font = *russianTool.GetFont("common");
    EXPECT_EQ(font.GetSize(), 26.0f);
    EXPECT_FLOAT_EQ(font.GetSpace(), 0.5f);
    EXPECT_FLOAT_EQ(font.GetShift(), 1.5f);
    EXPECT_TRUE(font.HasGlyph(L'п'));
    EXPECT_FALSE(font.HasGlyph(L'a'));
}

TEST_F(GUIFontToolTest, CaseIsMatchedExactly)
{
    WriteList("fonts_basic.xml", Font("name=\"lower\" size=\"20\" case=\"lower\"", "lower") +
                                     Font("name=\"mixed\" size=\"20\" case=\"Lower\"", "lower"));
    GUIFontTool tool(&engine.GetEngine(), "en");
    EXPECT_TRUE(tool.GetFont("lower")->HasGlyph(L'A'));
    EXPECT_FALSE(tool.GetFont("mixed")->HasGlyph(L'A'));
}

TEST_F(GUIFontToolTest, IncompleteFontsAreReportedAndLeftOut)
{
    const std::string noName = "<font size=\"20\"/>\n";
    const std::string noSize = Font("name=\"nosize\"");
    const std::string noImages = "<font name=\"noimages\" size=\"20\"><description_file_path path=\"x\"/></font>\n";
    WriteList("fonts_basic.xml", noName + noSize + noImages + Font("name=\"good\" size=\"20\""));
    GUIFontTool tool(&engine.GetEngine(), "en");
    EXPECT_TRUE(Logged("(GUIFontTool::GUIFontTool): font with \"0\" index have not name"));
    EXPECT_TRUE(Logged("(GUIFontTool::GUIFontTool): font with \"nosize\" name have not size"));
    EXPECT_TRUE(Logged("(GUIFontTool::GUIFontTool): font with \"noimages\" name have not diffuse image"));
    EXPECT_TRUE(Logged("(GUIFontTool::GUIFontTool): font with \"noimages\" name have not opacity image"));
    EXPECT_EQ(tool.GetFontIndex("nosize"), -1);
    EXPECT_EQ(tool.GetFontIndex("good"), 0);
}

// Every text set in a font whose file cannot be read would stay blank, and a window waiting for its title to
// print would wait for ever: the start ends instead, naming the file to mend.
TEST_F(GUIFontToolTest, AFontFileThatCannotBeReadIsFatalNamingTheFile)
{
    std::string badMagic = KorvaneTools::WriteFontFile(TestSupport::GridGlyphs(L"ab", 0.5f));
    badMagic[4] = 'X';
    engine.folder.WriteFile("data/ui/fonts/en/badmagic.vef", badMagic);
    for (const char* file : {"missing", "badmagic"})
    {
        SCOPED_TRACE(file);
        WriteList("fonts_basic.xml", Font("name=\"good\" size=\"20\"") + Font("name=\"bad\" size=\"20\"", file));
        try
        {
            GUIFontTool tool(&engine.GetEngine(), "en");
            ADD_FAILURE() << "the start went on without the font";
        }
        catch (const FatalError& error)
        {
            EXPECT_NE(error.GetMessage().find(std::string(file) + ".vef"), std::string::npos) << error.GetMessage();
        }
        EXPECT_NE(engine.LogText().find(std::string("PROGRAM ABORTING: ")), std::string::npos);
    }

    WriteList("fonts_basic.xml", Font("name=\"good\" size=\"20\""));
    WriteList("fonts_additional.xml", Font("name=\"late\" size=\"20\"", "badmagic"));
    GUIFontTool tool(&engine.GetEngine(), "en");
    EXPECT_THROW(tool.LoadAdditionalFonts(), FatalError);
    EXPECT_EQ(tool.GetFontIndex("late"), -1);
}

// A tool whose building throws is never destroyed: the fonts it had made before the bad one must not stay in the
// font manager, where nothing would ever remove them.
TEST_F(GUIFontToolTest, AToolThatFailsWhileBeingBuiltLeavesNoFontBehind)
{
    WriteList("fonts_basic.xml", Font("name=\"title\" size=\"36\"") + Font("name=\"text\" size=\"18\"", "lower") +
                                     Font("name=\"bad\" size=\"20\"", "missing"));
    EXPECT_THROW(GUIFontTool(&engine.GetEngine(), "en"), FatalError);
    EXPECT_EQ(Fonts().GetFont(0), nullptr);
    EXPECT_EQ(Fonts().GetFont(1), nullptr);
    EXPECT_EQ(Fonts().GetFont(2), nullptr);

    WriteList("fonts_basic.xml", Font("name=\"title\" size=\"36\""));
    const GUIFontTool mended(&engine.GetEngine(), "en");
    EXPECT_EQ(mended.GetFontIndex("title"), 0);
    EXPECT_NE(Fonts().GetFont(0), nullptr);
    EXPECT_EQ(Fonts().GetFont(1), nullptr);
}

TEST_F(GUIFontToolTest, AMissingOrBrokenListLoadsNothingAndGoesOn)
{
    GUIFontTool missing(&engine.GetEngine(), "en");
    EXPECT_TRUE(Logged("fonts_basic.xml"));
    engine.folder.WriteFile("data/ui/fonts/fonts_additional.xml",
                            "<fonts>" + Font("name=\"a\" size=\"5\"") + "<broken");
    missing.LoadAdditionalFonts();
    EXPECT_EQ(missing.GetFontIndex("a"), 0) << "what was read before the fault is kept";
}
}
