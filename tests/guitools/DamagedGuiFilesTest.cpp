// The GUI's files damaged every way a disk or a hand edit can damage them: window descriptions, the font list,
// the font files it names and the texts, cut at every length, given huge counts and seeded random bytes. Each
// start of the GUI tools runs in a bounded child process, so a crash, a hang or a huge allocation fails the
// case; a damaged description, list or text is logged with its name and skipped, and the good files beside it
// still load; a damaged font file ends the start with a fatal error naming it.
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/XMLNode.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLSelect.h"
#include "guitools/GUIFontTool.h"
#include "guitools/GUITextTool.h"
#include "guitools/GUIToolManager.h"
#include "tests/support/BoundedRun.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/FileDamage.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tools/formats/FontFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace TestSupport;
using GUITools::GUIToolManager;
using VelkorEngine::MessageManager;

namespace
{
constexpr std::uint32_t kSeed = 28;
constexpr std::size_t kRandomFiles = 40;
constexpr std::size_t kHeader = 13;
const std::string kGoodFontPaths[] = {"data\\ui\\fonts\\plain.vef", "data\\ui\\fonts\\other.vef"};

// Every font file path a list names, at any depth, as far as the list can be read.
void CollectFontPaths(const GameTools::XMLNode& node, std::vector<std::string>& paths)
{
    if (node.GetName() == "description_file_path")
        if (GameTools::XMLValue* path = node.GetAttributeValue("path"))
            paths.push_back(path->GetString());
    std::vector<GameTools::XMLNode*> children;
    node.GetChildren(children);
    for (const GameTools::XMLNode* child : children)
        CollectFontPaths(*child, paths);
}

// Whether a fatal error is the one expected of the damage: given the error's message.
using FatalJudge = std::function<bool(const std::string&)>;

FatalJudge Naming(const std::string& text)
{
    return [text](const std::string& message) { return message.find(text) != std::string::npos; };
}

const std::string kWindow = "<window name=\"options\"><slider name=\"music\" position=\"10 20\"/>"
                            "<button name=\"back\"><text key=\"back\"/></button></window>";
const std::string kFontList = "<fonts><font name=\"plain\" size=\"20\">"
                              "<description_file_path path=\"data\\ui\\fonts\\plain.vef\"/>"
                              "<diffuse_image_path path=\"ui\\fonts\\a.tga\"/>"
                              "<opacity_image_path path=\"ui\\fonts\\a.tga\"/></font>"
                              "<font name=\"other\" size=\"10\">"
                              "<description_file_path path=\"data\\ui\\fonts\\other.vef\"/>"
                              "<diffuse_image_path path=\"ui\\fonts\\a.tga\"/>"
                              "<opacity_image_path path=\"ui\\fonts\\a.tga\"/></font></fonts>";
const std::string kTexts = "<text_file><texts><back><en text=\"Back\"/></back></texts></text_file>";

class DamagedGuiFilesTest : public testing::Test
{
protected:
    DamagedGuiFilesTest()
    {
        engine.Start();
        engine.folder.WriteFile("data/ui/windows/a_main.xml", "<window name=\"main_menu\"/>");
        engine.folder.WriteFile("data/ui/windows/b_options.xml", kWindow);
        engine.folder.WriteFile("data/ui/fonts/fonts_basic.xml", kFontList);
        engine.folder.WriteFile("data/ui/fonts/plain.vef", goodFont);
        engine.folder.WriteFile("data/ui/fonts/other.vef", goodFont);
        engine.folder.WriteFile("data/ui/texts/default_texts.xml", kTexts);
    }

    // The errors logged since the case began.
    std::vector<std::string> CaseErrors() const
    {
        const std::vector<std::string> all = engine.Records(MessageManager::KindError);
        return std::vector<std::string>(all.begin() + static_cast<long>(std::min(errorsBefore, all.size())), all.end());
    }

    bool LoggedNaming(const std::string& file) const
    {
        for (const std::string& text : CaseErrors())
            if (text.find(file) != std::string::npos)
                return true;
        return false;
    }

    // A fatal error over a damaged font list must name a font file that list now names, other than the two
    // good ones: the file whose name the damage changed.
    FatalJudge NamingADamagedFontPath()
    {
        return [this](const std::string& message) {
            auto root = std::make_unique<GameTools::XMLNode>();
            try
            {
                GameTools::XMLParser(engine.GetEngine().GetFileManager())
                    .Load(root.get(), GUITools::GUIFontTool::BasicFontList);
            }
            catch (const VelkorEngine::Error&)
            {
                // Read as far as it goes, as the font tool reads it.
            }
            std::vector<std::string> paths;
            CollectFontPaths(*root, paths);
            return std::any_of(paths.begin(), paths.end(), [&](const std::string& path) {
                return !path.empty() && std::find(std::begin(kGoodFontPaths), std::end(kGoodFontPaths), path) ==
                                            std::end(kGoodFontPaths) &&
                       message.find(path) != std::string::npos;
            });
        };
    }

    // Starts the GUI tools over each damaged copy of one file in a bounded child that reports "read",
    // "fallback" or what went wrong. A fatal error is what went wrong, unless the fatal judge is given and
    // accepts the error's message.
    void ExpectEach(const std::vector<DamagedFile>& files, const std::string& path,
                    const std::function<std::string(GUIToolManager&)>& judge, const FatalJudge& fatalJudge = {})
    {
        const BoundedOutcome outcome = CheckEachBounded(files, [&](const DamagedFile& damaged) {
            errorsBefore = engine.Records(MessageManager::KindError).size();
            engine.folder.WriteFile(path, damaged.bytes);
            try
            {
                GUIToolManager tools(&engine.GetEngine(), "en");
                const std::string got = judge(tools);
                return got == "read" || got == "fallback" ? std::string() : got;
            }
            catch (const VelkorEngine::FatalError& error)
            {
                const bool expected = fatalJudge && fatalJudge(error.GetMessage());
                return expected ? std::string() : "a fatal error: " + error.GetMessage();
            }
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }

    std::string JudgeWindows(GUIToolManager& tools) const
    {
        if (!GameTools::XMLSelectNode(tools.GetWindowsRoot(), "window[name='main_menu']"))
            return "the good description was lost";
        if (GameTools::XMLSelectNode(tools.GetWindowsRoot(), "window[name='options']/button[name='back']"))
            return "read";
        // A file cut before its first element holds no window and no error to report.
        const bool parsed = tools.GetWindowFileNames().size() == 2;
        return parsed || LoggedNaming("b_options.xml") ? "fallback" : "skipped without a word";
    }

    std::string JudgeFonts(GUIToolManager& tools, const std::string& damagedFont) const
    {
        GUITools::GUIFontTool& fonts = *tools.GetFontTool();
        const bool plain = fonts.GetFontIndex("plain") >= 0;
        const bool other = fonts.GetFontIndex("other") >= 0;
        if (damagedFont == "other.vef" && !plain)
            return "the good font was lost";
        if (plain && other)
            return "read";
        return "left out instead of ending the start";
    }

    EngineTestBed engine;
    std::size_t errorsBefore = 0;
    const std::string goodFont = KorvaneTools::WriteFontFile(GridGlyphs(L"abcAB", 0.5f));
};

}

TEST_F(DamagedGuiFilesTest, WindowDescriptionsCutOrRandomAreSkippedNamingTheFile)
{
    const auto judge = [this](GUIToolManager& tools) { return JudgeWindows(tools); };
    ExpectEach(CutsAtEveryLength(kWindow, StoredLength::AsItWas), "data/ui/windows/b_options.xml", judge);
    ExpectEach(RandomBytes(kWindow, 0, kSeed, kRandomFiles, StoredLength::AsItWas), "data/ui/windows/b_options.xml",
               judge);
}

// A font its list names but whose file cannot be read would leave its texts blank for good: the start ends in a
// fatal error naming the file.
TEST_F(DamagedGuiFilesTest, FontFilesCutOrGivenHugeCountsAreFatalNamingTheFile)
{
    const auto judge = [this](GUIToolManager& tools) { return JudgeFonts(tools, "other.vef"); };
    const std::string path = "data/ui/fonts/other.vef";
    ExpectEach(EveryCut(goodFont), path, judge, Naming("other.vef"));
    ExpectEach(WithU32At(goodFont, {kHeader}, {0xFFFFFFFFu, 0x80000000u, 0x0BA2E8BBu}, StoredLength::MatchingTheDamage),
               path, judge, Naming("other.vef"));
    ExpectEach(RandomBytes(goodFont, kHeader, kSeed, kRandomFiles, StoredLength::MatchingTheDamage), path, judge,
               Naming("other.vef"));
}

TEST_F(DamagedGuiFilesTest, FontListsCutOrRandomLoadWhatTheyCanNamingTheList)
{
    // Elements left open at the end are taken as they are, so a cut list may load some fonts without a word;
    // a list that cannot be parsed is named beside the parser's message; a path the damage changed names a font
    // file that cannot be read, which ends the start naming that file as the list gives it.
    const auto judge = [this](GUIToolManager&) {
        for (const std::string& text : CaseErrors())
            if (text.find("XML format error") != std::string::npos && text.find("fonts_basic.xml") == std::string::npos)
                return std::string("a parse error without the list's name: ") + text;
        return std::string("read");
    };
    ExpectEach(CutsAtEveryLength(kFontList, StoredLength::AsItWas), "data/ui/fonts/fonts_basic.xml", judge,
               NamingADamagedFontPath());
    ExpectEach(RandomBytes(kFontList, 0, kSeed, kRandomFiles, StoredLength::AsItWas), "data/ui/fonts/fonts_basic.xml",
               judge, NamingADamagedFontPath());
}

TEST_F(DamagedGuiFilesTest, TextsCutOrRandomGiveTheirTextOrUnknownNamingTheFile)
{
    const auto judge = [this](GUIToolManager& tools) -> std::string {
        const std::wstring text = tools.GetTextTool()->GetText("back");
        if (text == L"Back")
            return "read";
        return text == L"UNKNOWN" ? "fallback" : "a text made of the damage";
    };
    ExpectEach(CutsAtEveryLength(kTexts, StoredLength::AsItWas), "data/ui/texts/default_texts.xml", judge);
    // Random bytes may leave a well-formed file whose text is another: any text will do, as long as it is read.
    ExpectEach(RandomBytes(kTexts, 0, kSeed, kRandomFiles, StoredLength::AsItWas), "data/ui/texts/default_texts.xml",
               [](GUIToolManager& tools) {
                   tools.GetTextTool()->GetText("back");
                   return std::string("read");
               });
}
