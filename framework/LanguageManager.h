// Chooses once, at start-up, which of the game's six languages it runs in: the registry value "Language" when
// its font folder exists, else the user's locale, else the first language whose font folder exists.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
class MessageManager;
}

namespace GameFramework
{
using VelkorEngine::u32;

struct LanguageRecord
{
    std::string shortName; // names the language's folders: "data\ui\fonts\" + short name
    u32 languageId = 0;    // the Windows language identifier
    std::string longName;
};

class LanguageManager
{
public:
    LanguageManager(VelkorEngine::FileManager* fileManager, const std::string& registryKeyPath,
                    VelkorEngine::MessageManager* log);
    virtual ~LanguageManager();

    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    const LanguageRecord* GetCurrentLanguage() const { return m_current; }
    // Ignores case; null for a name outside the table.
    const LanguageRecord* FindLanguage(const std::string& shortName) const;

    // The short name a locale name such as "de_DE.UTF-8" asks for; "en" for anything not in the table.
    static std::string LanguageFromLocale(const std::string& localeName);
    // The locale the user reads messages in: LC_ALL, else LC_MESSAGES, else LANG (empty when none is set).
    static std::string UserLocaleName();

private:
    void BuildTable();
    std::string ChooseLanguage(const std::string& registryKeyPath) const;
    std::string FirstLanguageWithFonts() const;
    bool HasFontFolder(const std::string& shortName) const;
    void SwitchKeyboardLayout();

    VelkorEngine::FileManager* m_fileManager;
    VelkorEngine::MessageManager* m_log;
    std::vector<std::unique_ptr<LanguageRecord>> m_languages;
    const LanguageRecord* m_current = nullptr;
};
}
