// The entry to the GUI tools: the font tool, the text tool, and one root holding the top element of every
// window description of "data\ui\windows".
#pragma once

#include "guitools/GUIFontTool.h"
#include "guitools/GUITextTool.h"

#include <memory>
#include <set>
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
class GUIToolManager
{
public:
    static constexpr const char* WindowFolder = "data\\ui\\windows";

    // The language is the short name the texts and font lists use as an element name ("en", "ru", ...).
    GUIToolManager(VelkorEngine::Engine* engine, const std::string& language);
    virtual ~GUIToolManager();

    GUIToolManager(const GUIToolManager&) = delete;
    GUIToolManager& operator=(const GUIToolManager&) = delete;

    VelkorEngine::Engine* GetEngine() const { return m_engine; }
    const std::string& GetLanguage() const { return m_language; }
    GUIFontTool* GetFontTool() const { return m_fontTool.get(); }
    GUITextTool* GetTextTool() const { return m_textTool.get(); }
    GameTools::XMLNode* GetWindowsRoot() const { return m_root.get(); }
    // In the order read.
    const std::vector<std::string>& GetWindowFileNames() const { return m_fileList; }

private:
    void ReadWindowDescriptions();

    VelkorEngine::Engine* m_engine;
    VelkorEngine::MessageManager* m_log;
    VelkorEngine::FileManager* m_files;
    std::string m_language;
    std::unique_ptr<GUIFontTool> m_fontTool;
    std::unique_ptr<GUITextTool> m_textTool;
    std::set<std::string> m_fileNames;
    std::vector<std::string> m_fileList;
    std::unique_ptr<GameTools::XMLNode> m_root;
};
}
