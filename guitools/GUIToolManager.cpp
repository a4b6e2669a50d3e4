// The GUI tools: fonts, texts, and every window description under one root.
#include "guitools/GUIToolManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/FileManager.h"
#include "engine/files/XMLParser.h"

namespace GUITools
{
using GameTools::XMLNode;

GUIToolManager::GUIToolManager(VelkorEngine::Engine* engine, const std::string& language)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_files(engine->GetFileManager()), m_language(language)
{
    m_fontTool = std::make_unique<GUIFontTool>(engine, language);
    m_textTool = std::make_unique<GUITextTool>(engine, language);
    m_root = std::make_unique<XMLNode>();
    ReadWindowDescriptions();
}

// The tools go before the fonts and windows they made are needed by nobody else.
GUIToolManager::~GUIToolManager()
{
    m_fontTool.reset();
    m_textTool.reset();
    m_root.reset();
}

// Each file's top element becomes a child of the root, so a window is found by its name right below it. A file
// that fails to parse is reported and skipped.
void GUIToolManager::ReadWindowDescriptions()
{
    std::vector<std::string> files;
    m_files->ListFiles(WindowFolder, "*.xml", files);
    for (const std::string& file : files)
    {
        XMLNode* top = nullptr;
        try
        {
            GameTools::XMLParser(m_files).Parse(top, file);
        }
        catch (const VelkorEngine::Error& error)
        {
            m_log->Error(VelkorEngine::MessageNamingFile(error.GetMessage(), file));
            continue;
        }
        if (top == nullptr)
            continue;
        m_fileNames.insert(file);
        m_fileList.push_back(file);
        m_root->AddChild(top);
    }
}
}
