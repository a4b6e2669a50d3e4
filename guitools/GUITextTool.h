// The texts of the game in the current language: "texts.xml" first, then "default_texts.xml", each text
// found by its key, a path of nested elements, and the language's element below it.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace GameTools
{
class XMLNode;
}

namespace VelkorEngine
{
class Engine;
class FileManager;
class MessageManager;
}

namespace GUITools
{
class GUITextTool
{
public:
    static constexpr const char* TextFile = "data\\ui\\texts\\texts.xml";
    static constexpr const char* DefaultTextFile = "data\\ui\\texts\\default_texts.xml";

    GUITextTool(VelkorEngine::Engine* engine, const std::string& language);
    virtual ~GUITextTool();

    GUITextTool(const GUITextTool&) = delete;
    GUITextTool& operator=(const GUITextTool&) = delete;

    // "UNKNOWN" when no file has the key in the language.
    std::wstring GetText(const std::string& key) const;

private:
    void ReadFile(const std::string& fileName);
    void FindSections(GameTools::XMLNode& file);

    VelkorEngine::Engine* m_engine;
    VelkorEngine::MessageManager* m_log;
    VelkorEngine::FileManager* m_files;
    std::string m_language;
    std::unique_ptr<GameTools::XMLNode> m_root;
    std::vector<GameTools::XMLNode*> m_sections;
};
}
