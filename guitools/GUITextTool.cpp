// Text files. Each is read on its own, so a broken or missing "texts.xml" cannot hide the default texts.
#include "guitools/GUITextTool.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLSelect.h"

namespace GUITools
{
using GameTools::XMLNode;

GUITextTool::GUITextTool(VelkorEngine::Engine* engine, const std::string& language)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_files(engine->GetFileManager()), m_language(language),
      m_root(std::make_unique<XMLNode>())
{
    ReadFile(TextFile);
    ReadFile(DefaultTextFile);
}

GUITextTool::~GUITextTool() = default;

// A file that fails to parse adds nothing, not even the part read before the fault.
void GUITextTool::ReadFile(const std::string& fileName)
{
    auto file = std::make_unique<XMLNode>();
    try
    {
        GameTools::XMLParser(m_files).Load(file.get(), fileName);
    }
    catch (const VelkorEngine::Error& error)
    {
        m_log->Error(VelkorEngine::MessageNamingFile(error.GetMessage(), fileName));
        return;
    }
    FindSections(*file);
    m_root->AddChild(file.release());
}

// A top element's "texts" child is a section; a top element named "texts" is taken as one too.
void GUITextTool::FindSections(XMLNode& file)
{
    std::vector<XMLNode*> tops;
    file.GetChildren(tops);
    for (XMLNode* top : tops)
    {
        XMLNode* section = top->GetName() == "texts" ? top : top->FindChild("texts");
        if (section != nullptr)
            m_sections.push_back(section);
        else
            m_log->Error("Incorrect \"text file\" format");
    }
}

std::wstring GUITextTool::GetText(const std::string& key) const
{
    for (XMLNode* section : m_sections)
    {
        GameTools::XMLValue* text = GameTools::XMLSelectValue(section, key + "/" + m_language, "text");
        if (text != nullptr)
            return text->GetWideString();
    }
    return L"UNKNOWN";
}
}
