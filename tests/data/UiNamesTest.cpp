// The names the windows and the background reach through the start-up keeper: every one registered once
// across the five start-up lists, of the kind that fetches it, with its files in the tree; the start-up
// loading window and the first background layers limited to the immediate lists and the basic fonts; every
// font and text key of the descriptions defined.
#include "tests/data/DataStageFiles.h"
#include "tests/data/ResourceListWalk.h"
#include "tests/data/WindowDescriptions.h"
#include "tests/support/XMLTestSupport.h"
#include "tools/datagen/DataXml.h"
#include "tools/datagen/content/Texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

using DataTest::BuiltControl;
using DataTest::Descriptions;
using DataTest::StageFile;
using DataTest::StageHas;
using GameTools::XMLNode;
using KorvaneTools::AttributeText;
using XMLTestSupport::Children;

namespace
{
struct Registration
{
    std::string kind; // model, shader or particles
    std::string list;
    std::vector<std::string> files; // below data/
};

// The lists in the order the game reads them; the first two load at once.
const std::vector<std::string>& StartUpLists()
{
    static const std::vector<std::string> lists = {"ui/background/resources_basic.xml", "ui/resources_basic.xml",
                                                   "ui/background/resources_additional.xml",
                                                   "game_objects/resources.xml", "ui/resources_additional.xml"};
    return lists;
}

std::string Folder(const std::string& list)
{
    return list.substr(0, list.rfind('/'));
}

// "kind:name" -> where it is registered.
std::multimap<std::string, Registration> Registrations()
{
    std::multimap<std::string, Registration> registrations;
    for (const std::string& list : StartUpLists())
    {
        if (list == "game_objects/resources.xml" && !StageHas(list))
            continue; // the play area's list; its own tests require it
        for (const DataTest::ListedResource& resource : DataTest::WalkResourceList(StageFile(list), Folder(list), list))
            registrations.emplace(resource.kind + ":" + resource.name, Registration{resource.kind, list, resource.files});
    }
    return registrations;
}

// Every "kind:ui/name" a control of the window fetches.
std::set<std::string> NamesFetchedBy(const std::vector<BuiltControl>& controls)
{
    static const std::vector<std::pair<const char*, const char*>> attributes = {
        {"model", "model"},
        {"shader", "shader"},
        {"animator_model", "model"},
        {"toddler_model", "model"},
        {"toddler_shader", "shader"},
        {"increase_button_model", "model"},
        {"increase_button_shader", "shader"},
        {"decrease_button_model", "model"},
        {"decrease_button_shader", "shader"}};
    std::set<std::string> names;
    for (const BuiltControl& control : controls)
        for (const auto& [attribute, kind] : attributes)
        {
            const std::string value = control.AttributeOr(attribute, "");
            if (!value.empty())
                names.insert(std::string(kind) + ":ui/" + value);
        }
    return names;
}

std::set<std::string> FontNames(const std::string& list)
{
    std::set<std::string> names;
    const std::unique_ptr<XMLNode> root = KorvaneTools::ParseDataXml(StageFile(list), list);
    for (const XMLNode* font : Children(*root))
        names.insert(AttributeText(*font, "name"));
    return names;
}

// The text keys of a text markup: pieces split at "+", case markers removed, quoted literals skipped.
std::vector<std::string> TextKeys(const std::string& markup)
{
    std::vector<std::string> keys;
    std::stringstream pieces(markup);
    std::string piece;
    while (std::getline(pieces, piece, '+'))
    {
        const size_t open = piece.rfind('['), close = piece.rfind(']');
        if (open != std::string::npos && close != std::string::npos && open < close)
            piece.erase(open, close - open + 1);
        const auto quote = [](char c) { return c == '\'' || c == '"'; };
        if (piece.empty() || (piece.size() >= 2 && quote(piece.front()) && quote(piece.back())))
            continue;
        keys.push_back(piece);
    }
    return keys;
}

struct BackgroundLayer
{
    std::vector<std::string> names; // "kind:name"
    bool additional;
};

std::vector<BackgroundLayer> BackgroundLayers()
{
    const std::unique_ptr<XMLNode> root =
        KorvaneTools::ParseDataXml(StageFile("ui/background/background.xml"), "background.xml");
    const std::string prefix = AttributeText(*root, "resources_prefix") + "/";
    std::vector<BackgroundLayer> layers;
    for (const XMLNode* layer : Children(*root))
    {
        BackgroundLayer built{{}, AttributeText(*layer, "additional") == "1"};
        const std::string kind = layer->GetName() == "particles" ? "particles" : "model";
        built.names.push_back(kind + ":" + prefix + AttributeText(*layer, "name"));
        if (!AttributeText(*layer, "shader").empty())
            built.names.push_back("shader:" + prefix + AttributeText(*layer, "shader"));
        if (!AttributeText(*layer, "animator_model").empty())
            built.names.push_back("model:" + prefix + AttributeText(*layer, "animator_model"));
        layers.push_back(built);
    }
    return layers;
}
}

TEST(ui, EveryNameIsRegisteredOnceAcrossTheStartUpLists)
{
    const auto registrations = Registrations();
    ASSERT_FALSE(registrations.empty());
    for (auto it = registrations.begin(); it != registrations.end(); it = registrations.upper_bound(it->first))
        EXPECT_EQ(registrations.count(it->first), 1u) << it->first;
}

TEST(ui, EveryFileAListNamesIsInTheTree)
{
    for (const auto& [name, registration] : Registrations())
    {
        if (registration.list == "game_objects/resources.xml")
            continue;
        ASSERT_FALSE(registration.files.empty()) << name << " names no file";
        for (const std::string& file : registration.files)
            EXPECT_TRUE(StageHas(file)) << name << " in " << registration.list << ": " << file;
        if (registration.kind != "shader")
        {
            EXPECT_TRUE(StageHas(registration.files.front().substr(0, registration.files.front().size() - 4) + ".srf"))
                << name << " has no shader file beside it";
        }
    }
}

TEST(ui, EveryNameAWindowFetchesIsRegisteredWithItsKind)
{
    const auto registrations = Registrations();
    for (const std::string& window : Descriptions().WindowNames())
    {
        std::vector<std::string> faults;
        for (const std::string& name : NamesFetchedBy(Descriptions().Build(window, faults)))
            EXPECT_EQ(registrations.count(name), 1u) << window << " fetches " << name;
    }
}

TEST(ui, StartUpLoadingWindowUsesOnlyTheImmediateListAndBasicFonts)
{
    const auto registrations = Registrations();
    const std::set<std::string> basicFonts = FontNames("ui/fonts/fonts_basic.xml");
    std::vector<std::string> faults;
    const std::vector<BuiltControl> controls = Descriptions().Build("window_game_loading", faults);
    for (const std::string& name : NamesFetchedBy(controls))
    {
        const auto found = registrations.find(name);
        ASSERT_NE(found, registrations.end()) << name;
        EXPECT_EQ(found->second.list, "ui/resources_basic.xml") << name;
    }
    for (const BuiltControl& control : controls)
        if (control.Attribute("font"))
        {
            EXPECT_TRUE(basicFonts.count(*control.Attribute("font"))) << control.fullName;
        }
}

TEST(ui, BackgroundLayersBuiltFirstUseOnlyTheImmediateList)
{
    const auto registrations = Registrations();
    const std::vector<BackgroundLayer> layers = BackgroundLayers();
    ASSERT_EQ(layers.size(), 5u);
    for (const BackgroundLayer& layer : layers)
        for (const std::string& name : layer.names)
        {
            const auto found = registrations.find(name);
            ASSERT_NE(found, registrations.end()) << name;
            if (layer.additional)
            {
                EXPECT_EQ(found->second.list, "ui/background/resources_basic.xml") << name;
            }
        }
}

TEST(ui, EveryFontAndTextKeyOfTheDescriptionsIsDefined)
{
    std::set<std::string> fonts = FontNames("ui/fonts/fonts_basic.xml");
    fonts.merge(FontNames("ui/fonts/fonts_additional.xml"));
    const KorvaneTools::TextTable texts =
        KorvaneTools::ReadTextFile(StageFile("ui/texts/default_texts.xml"), "default_texts.xml");
    std::set<std::string> used;
    for (const std::string& window : Descriptions().WindowNames())
    {
        std::vector<std::string> faults;
        for (const BuiltControl& control : Descriptions().Build(window, faults))
        {
            if (control.Attribute("font"))
            {
                EXPECT_TRUE(fonts.count(*control.Attribute("font"))) << control.fullName;
            }
            for (const std::string& key : TextKeys(control.AttributeOr("text", "")))
            {
                EXPECT_TRUE(texts.count(key)) << control.fullName << " names the text " << key;
                used.insert(key);
            }
        }
    }
    for (const KorvaneTools::TextKey& key : KorvaneTools::GameTextKeys())
        if (!key.namedByCode)
        {
            EXPECT_TRUE(used.count(key.key)) << key.key << " is shown by no window";
        }
}
