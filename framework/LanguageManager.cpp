// The language table and the choice of the game's language.
#include "framework/LanguageManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/files/Registry.h"

#include <cstdlib>

namespace GameFramework
{
namespace
{
struct LanguageEntry
{
    const char* longName;
    const char* shortName;
    u32 languageId;
};

// Table order matters: without a choice the first language with fonts wins.
constexpr LanguageEntry Languages[] = {
    {"english", "en", 1033}, {"russian", "ru", 1049}, {"german", "ge", 1031},
    {"french", "fr", 1036},  {"italian", "it", 1040}, {"spanish", "sp", 1034},
};

// Locale language codes whose short names differ or that the table holds; everything else is English.
constexpr std::pair<const char*, const char*> LocaleLanguages[] = {
    {"ru", "ru"}, {"de", "ge"}, {"fr", "fr"}, {"it", "it"}, {"es", "sp"},
};

constexpr const char* FontsFolder = "data\\ui\\fonts\\";
constexpr const char* DefaultLanguage = "en";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
}

LanguageManager::LanguageManager(VelkorEngine::FileManager* fileManager, const std::string& registryKeyPath,
                                 VelkorEngine::MessageManager* log)
    : m_fileManager(fileManager), m_log(log)
{
    BuildTable();
    m_current = FindLanguage(ChooseLanguage(registryKeyPath));
    if (!m_current)
        m_current = FindLanguage(DefaultLanguage);
    SwitchKeyboardLayout();
    // The process locale stays as it is: the engine converts UTF-8 and maps case with its own tables, and
    // number text must keep its "." whatever the language.
}

LanguageManager::~LanguageManager() = default;

void LanguageManager::BuildTable()
{
    for (const LanguageEntry& entry : Languages)
        m_languages.push_back(std::make_unique<LanguageRecord>(LanguageRecord{entry.shortName, entry.languageId, entry.longName}));
}

const LanguageRecord* LanguageManager::FindLanguage(const std::string& shortName) const
{
    const std::string wanted = VelkorEngine::StringToLowerCopy(shortName);
    for (const std::unique_ptr<LanguageRecord>& language : m_languages)
        if (language->shortName == wanted)
            return language.get();
    return nullptr;
}

std::string LanguageManager::ChooseLanguage(const std::string& registryKeyPath) const
{
    std::string value;
    if (VelkorEngine::ReadRegistryString(registryKeyPath, "Language", value))
    {
        value = VelkorEngine::StringToLowerCopy(value);
        // A value naming a language without fonts is forgotten; one naming no language at all becomes English.
        if (!value.empty() && HasFontFolder(value))
            return value;
    }
    const std::string fromLocale = LanguageFromLocale(UserLocaleName());
    if (HasFontFolder(fromLocale))
        return fromLocale;
    return FirstLanguageWithFonts();
}

std::string LanguageManager::FirstLanguageWithFonts() const
{
    for (const std::unique_ptr<LanguageRecord>& language : m_languages)
        if (HasFontFolder(language->shortName))
            return language->shortName;
    return DefaultLanguage;
}

bool LanguageManager::HasFontFolder(const std::string& shortName) const
{
    const std::string folder = FontsFolder + shortName;
    if (!m_fileManager->FolderExists(folder))
        return false;
    // A pack answers the folder test for any folder whose name merely contains the text ("sp" inside
    // "special"); the language's own folder is the one that holds files, on disk or in a pack.
    std::vector<std::string> files;
    m_fileManager->ListFiles(folder, "*", files);
    return !files.empty();
}

// Typed characters come from the window's text input as Unicode whatever the keyboard layout, so a profile
// name can be typed in any language without switching layouts.
void LanguageManager::SwitchKeyboardLayout()
{
    m_log->Message("Keyboard layout " + VelkorEngine::UIntToHexString(m_current->languageId, 8) + " (" +
                   m_current->longName + ") needs no switching: typed characters come from text input");
}

std::string LanguageManager::LanguageFromLocale(const std::string& localeName)
{
    const std::string code = VelkorEngine::StringToLowerCopy(localeName.substr(0, localeName.find_first_of("_.@")));
    for (const auto& [locale, shortName] : LocaleLanguages)
        if (code == locale)
            return shortName;
    return DefaultLanguage;
}

std::string LanguageManager::UserLocaleName()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const std::string value = Environment(name);
        if (!value.empty())
            return value;
    }
    return "";
}
}
