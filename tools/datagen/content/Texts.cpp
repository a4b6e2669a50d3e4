// The text group: checks the hand-written text files against the keys the game looks up, the six languages
// and the fonts, so a missing translation or an undrawable character stops the build instead of showing
// "UNKNOWN" or a gap in the game.
#include "tools/datagen/content/Texts.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/GeneratorGroup.h"
#include "tools/datagen/content/Fonts.h"
#include "tools/datagen/fonts/GlyphSet.h"
#include "tools/formats/FontFileWriter.h"

#include <set>

namespace KorvaneTools
{
namespace
{
constexpr const char* DefaultTexts = "ui/texts/default_texts.xml";
constexpr const char* Texts = "ui/texts/texts.xml";

void CollectTexts(const GameTools::XMLNode& node, const std::string& key, TextTable& table)
{
    std::vector<GameTools::XMLNode*> children;
    node.GetChildren(children);
    for (const GameTools::XMLNode* child : children)
    {
        if (child->HasAttribute("text"))
            table[key][child->GetName()] = AttributeText(*child, "text");
        else
            CollectTexts(*child, key.empty() ? child->GetName() : key + "/" + child->GetName(), table);
    }
}

// The glyphs of every table in the stage, or the game's glyph set when the fonts were not made in this run.
std::map<std::string, std::set<char32_t>> FontCoverage(const DataStage& stage)
{
    std::map<std::string, std::set<char32_t>> coverage;
    for (const GlyphTable& table : GlyphTables())
    {
        const std::string path = std::string("ui/fonts/en/") + table.name + ".vef";
        if (!stage.Has(path))
            continue;
        for (const FontGlyph& glyph : ReadFontFile(stage.Get(path)))
            coverage[path].insert(glyph.code);
    }
    if (coverage.empty())
    {
        const std::vector<char32_t> set = GameGlyphSet();
        coverage["the game's glyph set"] = std::set<char32_t>(set.begin(), set.end());
    }
    return coverage;
}

void CheckKeys(const TextTable& table)
{
    for (const TextKey& key : GameTextKeys())
        for (const std::string& language : GameLanguages())
        {
            const auto found = table.find(key.key);
            if (found == table.end() || found->second.count(language) == 0 || found->second.at(language).empty())
                throw DataError(std::string(DefaultTexts) + ": key \"" + key.key + "\" has no \"" + language +
                                "\" text");
        }
    for (const char* key : ProfileNameKeys())
        for (const auto& [language, text] : table.at(key))
            if (text.find("%PROFILE_NAME%") == std::string::npos)
                throw DataError(std::string(DefaultTexts) + ": key \"" + key + "\" in \"" + language +
                                "\" lacks %PROFILE_NAME%");
}

void CheckCharacters(const TextTable& table, const DataStage& stage)
{
    for (const auto& [font, codes] : FontCoverage(stage))
        for (const auto& [key, languages] : table)
            for (const auto& [language, text] : languages)
                for (char32_t code : DecodeUtf8(text, DefaultTexts))
                    if (!IsWhiteSpace(code) && codes.count(code) == 0)
                        throw DataError(std::string(DefaultTexts) + ": key \"" + key + "\" in \"" + language +
                                        "\" uses " + CodePointName(code) + ", which " + font + " lacks");
}
}

const std::vector<TextKey>& GameTextKeys()
{
    static const std::vector<TextKey> keys = {
        {"game_title", true},
        {"common/exit", true},
        {"common/cancel", true},
        {"common/back", true},
        {"common/continue", true},
        {"common/yes", false},
        {"common/no", false},
        {"common/ok", false},
        {"common/create", false},
        {"common/rename", false},
        {"common/delete", false},
        {"common/done", false},
        {"common/apply", false},
        {"common/defaults", false},
        {"common/start", false},
        {"loading/title", false},
        {"loading/level", false},
        {"welcome/title", false},
        {"welcome/text", false},
        {"welcome/create", false},
        {"main_menu/greeting", false},
        {"main_menu/start", false},
        {"main_menu/high_scores", false},
        {"main_menu/options", false},
        {"main_menu/change_player", false},
        {"main_menu/credits", false},
        {"main_menu/exit", false},
        {"exit/title", false},
        {"exit/question", false},
        {"profiles/title", false},
        {"new_profile/title", false},
        {"new_profile/text", false},
        {"rename_profile/title", false},
        {"rename_profile/text", false},
        {"delete_profile/title", false},
        {"delete_profile/question", false},
        {"name_conflict/title", false},
        {"name_conflict/text", false},
        {"start_game/title_select_level", true},
        {"start_game/title_stage_is_passed", true},
        {"continue_game/title", false},
        {"continue_game/text", false},
        {"continue_game/level", false},
        {"continue_game/score", false},
        {"continue_game/anew", false},
        {"high_scores/no_records", false},
        {"options/sound", false},
        {"options/music", false},
        {"options/fullscreen", false},
        {"options/video_mode", false},
        {"credits/text", false},
        {"game_logic/score", false},
        {"game_logic/level", false},
        {"game_logic/bonuses/life", true},
        {"game_logic/bonuses/bat_increase", true},
        {"game_logic/bonuses/bat_decrease", true},
        {"game_logic/bonuses/balls_speed_up", true},
        {"game_logic/bonuses/balls_slow_down", true},
        {"game_logic/bonuses/balls_split", true},
        {"game_logic/bonuses/super_ball", true},
        {"game_logic/bonuses/barrier", true},
        {"game_logic/bonuses/arbalest", true},
        {"game_logic/bonuses/ballista", true},
        {"game_logic/bonuses/hammer", true},
        {"pause/title", false},
        {"pause/text", false},
        {"pause/resume", false},
        {"game_menu/title", false},
        {"game_menu/leave", false},
        {"game_menu/restart", false},
        {"menu_exit/title", false},
        {"menu_exit/question", false},
        {"restart/question", false},
        {"game_exit/question", false},
        {"level_complete/title", false},
        {"level_complete/your_time", false},
        {"level_complete/ace_time", false},
        {"level_complete/time_bonus", false},
        {"level_complete/no_time_bonus", false},
        {"level_complete/best_time", false},
        {"level_complete/next", false},
        {"game_complete/title", false},
        {"game_complete/text", false},
        {"game_over/title", false},
        {"game_over/text", false},
    };
    return keys;
}

const std::vector<const char*>& ProfileNameKeys()
{
    static const std::vector<const char*> keys = {"main_menu/greeting", "delete_profile/question",
                                                  "level_complete/best_time"};
    return keys;
}

TextTable ReadTextFile(const std::string& bytes, const std::string& origin)
{
    const auto root = ParseDataXml(bytes, origin);
    // The game reads the "texts" section below the file's top element; a top element named "texts" is the
    // section itself.
    const GameTools::XMLNode* section = root->GetName() == "texts" ? root.get() : root->FindChild("texts");
    if (section == nullptr)
        throw DataError(origin + ": no <texts> section");
    TextTable table;
    CollectTexts(*section, "", table);
    return table;
}

void GenerateTexts(GeneratorContext& context)
{
    const std::string& bytes = context.stage.Get(DefaultTexts);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
        throw DataError(std::string(DefaultTexts) + ": must start with the UTF-8 byte-order mark");
    // The game reads both files in one go: a texts.xml that does not parse would hide every default text.
    ReadTextFile(context.stage.Get(Texts), Texts);
    const TextTable table = ReadTextFile(bytes, DefaultTexts);
    CheckKeys(table);
    CheckCharacters(table, context.stage);
}
}
