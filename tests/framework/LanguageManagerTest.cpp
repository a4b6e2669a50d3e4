// The choice of the game's language: the registry value when its fonts exist, else the user's locale, else
// the first language with fonts, else English; fonts on disk or in a pack, names in any case.
#include "framework/LanguageManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "platform/win32/Registry.h"
#include "tests/support/PackTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

using namespace GameFramework;

namespace
{
const std::string Key = "SOFTWARE\\Tarnwick Games\\Korvane";

// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~ScopedEnvironment() { Set(m_old ? m_old->c_str() : nullptr); }

private:
    void Set(const char* value)
    {
        if (value)
            setenv(m_name, value, 1);
        else
            unsetenv(m_name);
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

struct LanguageSetup
{
    std::vector<std::string> diskFonts; // short names with a font folder on disk
    std::vector<std::string> packFonts; // short names with a font folder in a pack
    const char* registryValue;          // null: no value
    const char* locale;                 // LANG; null: unset
};

class LanguageWorld
{
public:
    explicit LanguageWorld(const LanguageSetup& setup)
        : m_log("Language test", 0, 0, "", ""), m_lcAll("LC_ALL", nullptr), m_lcMessages("LC_MESSAGES", nullptr),
          m_lang("LANG", setup.locale)
    {
        for (const std::string& name : setup.diskFonts)
            m_folder.WriteFile("data/ui/fonts/" + name + "/title.vef", "font");
        std::filesystem::create_directories(m_folder / "data");
        TestSupport::PackContents pack{{"data/ui/textures/x.tga", "x"}};
        for (const std::string& name : setup.packFonts)
            pack.push_back({"data/ui/fonts/" + name + "/title.vef", "font"});
        TestSupport::WriteTestPack(m_folder / "data/fonts.pak", pack);
        m_folder.WriteFile("machine.ini", "");
        m_folder.WriteFile("user.ini", setup.registryValue ? Key + "|Language=" + setup.registryValue + "\n" : "");
        Platform::SetRegistryFiles(m_folder / "machine.ini", m_folder / "user.ini");
        m_files = std::make_unique<VelkorEngine::FileManager>(&m_log, m_folder.Path(), "data");
    }
    ~LanguageWorld() { Platform::SetRegistryFiles("", ""); }

    std::string Choose()
    {
        LanguageManager languages(m_files.get(), Key, &m_log);
        return languages.GetCurrentLanguage()->shortName;
    }

    VelkorEngine::MessageManager& Log() { return m_log; }
    VelkorEngine::FileManager* Files() { return m_files.get(); }

private:
    TestSupport::TempFolder m_folder;
    VelkorEngine::MessageManager m_log;
    ScopedEnvironment m_lcAll;
    ScopedEnvironment m_lcMessages;
    ScopedEnvironment m_lang;
    std::unique_ptr<VelkorEngine::FileManager> m_files;
};
}

TEST(LanguageManager, TableInOrderWithItsOwnShortNames)
{
    LanguageWorld world({{"en"}, {}, nullptr, nullptr});
    LanguageManager languages(world.Files(), Key, &world.Log());
    struct Row
    {
        const char* shortName;
        u32 id;
        const char* longName;
    };
    const Row rows[] = {{"en", 1033, "english"}, {"ru", 1049, "russian"}, {"ge", 1031, "german"},
                        {"fr", 1036, "french"},  {"it", 1040, "italian"}, {"sp", 1034, "spanish"}};
    for (const Row& row : rows)
    {
        const LanguageRecord* record = languages.FindLanguage(row.shortName);
        ASSERT_NE(record, nullptr) << row.shortName;
        EXPECT_EQ(record->languageId, row.id);
        EXPECT_EQ(record->longName, row.longName);
    }
    EXPECT_EQ(languages.FindLanguage("SP"), languages.FindLanguage("sp"));
    EXPECT_EQ(languages.FindLanguage("de"), nullptr);
    EXPECT_EQ(languages.FindLanguage("es"), nullptr);
}

TEST(LanguageManager, ChoiceTable)
{
    struct Case
    {
        const char* what;
        LanguageSetup setup;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"registry value with fonts", {{"en", "ru", "fr"}, {}, "ru", "fr_FR.UTF-8"}, "ru"},
        {"registry value in capitals", {{"en", "fr"}, {}, "FR", nullptr}, "fr"},
        {"registry value with fonts in a pack", {{"en"}, {"it"}, "it", nullptr}, "it"},
        {"registry value without fonts falls to the locale", {{"en", "ge"}, {}, "ru", "de_DE.UTF-8"}, "ge"},
        {"registry value outside the table", {{"en", "xx"}, {}, "xx", "ru_RU.UTF-8"}, "en"},
        {"empty registry value", {{"en", "ru"}, {}, "", "ru_RU"}, "ru"},
        {"locale es is sp", {{"en", "sp"}, {}, nullptr, "es_ES.UTF-8"}, "sp"},
        {"locale without fonts is the first with fonts", {{"en", "ru"}, {}, nullptr, "fr_FR.UTF-8"}, "en"},
        {"no value, fonts only for ru and fr", {{"ru", "fr"}, {}, nullptr, "en_GB.UTF-8"}, "ru"},
        {"no value, fonts only for fr in a pack", {{}, {"fr"}, nullptr, nullptr}, "fr"},
        {"no fonts at all", {{}, {}, nullptr, "ru_RU.UTF-8"}, "en"},
        {"a pack folder that only contains the name", {{}, {"special", "ru"}, "sp", nullptr}, "ru"},
    };
    for (const Case& c : cases)
    {
        LanguageWorld world(c.setup);
        EXPECT_EQ(world.Choose(), c.expected) << c.what;
    }
}

TEST(LanguageManager, LocaleNamesMapToShortNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ru_RU.UTF-8", "ru"}, {"de_AT", "ge"},         {"fr", "fr"},    {"it_IT@euro", "it"}, {"es_MX.utf8", "sp"},
        {"DE_de", "ge"},       {"en_US.UTF-8", "en"},   {"pt_BR", "en"}, {"C", "en"},          {"POSIX", "en"},
        {"C.UTF-8", "en"},     {"", "en"},             {"ge", "en"},    {"sp_SP", "en"},
    };
    for (const auto& [locale, expected] : cases)
        EXPECT_EQ(LanguageManager::LanguageFromLocale(locale), expected) << locale;
}

TEST(LanguageManager, LocaleVariablesInTheirOrder)
{
    ScopedEnvironment all("LC_ALL", nullptr);
    ScopedEnvironment messages("LC_MESSAGES", "it_IT.UTF-8");
    ScopedEnvironment lang("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(LanguageManager::UserLocaleName(), "it_IT.UTF-8");
    {
        ScopedEnvironment allSet("LC_ALL", "fr_FR.UTF-8");
        EXPECT_EQ(LanguageManager::UserLocaleName(), "fr_FR.UTF-8");
    }
    ScopedEnvironment noMessages("LC_MESSAGES", "");
    EXPECT_EQ(LanguageManager::UserLocaleName(), "ru_RU.UTF-8");
}

TEST(LanguageManager, KeyboardLayoutIsALoggedNoOpAndNumbersKeepTheirPoint)
{
    LanguageWorld world({{"en", "ru"}, {}, "ru", nullptr});
    EXPECT_EQ(world.Choose(), "ru");
    bool logged = false;
    for (VelkorEngine::u32 i = 0; i < world.Log().GetRecordCount(); ++i)
        logged = logged || world.Log().GetRecord(i).text.find(
                               "Keyboard layout 00000419 (russian) needs no switching: typed characters come from "
                               "text input") != std::string::npos;
    EXPECT_TRUE(logged);
    EXPECT_EQ(VelkorEngine::StringToFloat("0.5"), 0.5f);
    EXPECT_EQ(VelkorEngine::FloatToString(0.25f, 2), "0.25");
}
