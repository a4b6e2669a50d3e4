// The font lists: one element per font, with general values and per-language overrides.
#include "guitools/GUIFontTool.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/XMLParser.h"
#include "engine/files/XMLSelect.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderDescriptor.h"

#include <memory>
#include <vector>

namespace GUITools
{
using GameTools::XMLNode;
using GameTools::XMLValue;
using VelkorEngine::u32;

namespace
{
const std::string kOperation = "(GUIFontTool::GUIFontTool): font with \"";
}

GUIFontTool::GUIFontTool(VelkorEngine::Engine* engine, const std::string& language)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_files(engine->GetFileManager()),
      m_gui(engine->GetGUIManager()), m_fonts(engine->GetGUIManager()->GetFontManager()), m_language(language)
{
    try
    {
        LoadFonts(BasicFontList);
    }
    catch (...)
    {
        // No destructor runs for a tool that was never made: the fonts it made go now.
        RemoveFonts();
        throw;
    }
}

GUIFontTool::~GUIFontTool() { RemoveFonts(); }

void GUIFontTool::RemoveFonts()
{
    for (const auto& [name, id] : m_fontNames)
        m_fonts->RemoveFont(id);
    m_fontNames.clear();
}

void GUIFontTool::LoadAdditionalFonts() { LoadFonts(AdditionalFontList); }

void GUIFontTool::LoadFonts(const std::string& fileName)
{
    auto root = std::make_unique<XMLNode>();
    try
    {
        GameTools::XMLParser(m_files).Load(root.get(), fileName);
    }
    catch (const VelkorEngine::Error& error)
    {
        m_log->Error(VelkorEngine::MessageNamingFile(error.GetMessage(), fileName));
    }
    XMLNode* fonts = root->FindChild("fonts");
    if (fonts == nullptr)
        return;
    std::vector<XMLNode*> elements;
    fonts->GetChildren(elements);
    for (u32 number = 0; number < elements.size(); ++number)
        LoadFont(*elements[number], number);
}

// The language's own element wins over the general one.
std::string GUIFontTool::PathOf(XMLNode& element, const std::string& pathElement) const
{
    XMLValue* path = GameTools::XMLSelectValue(&element, m_language + "/" + pathElement, "path");
    if (path == nullptr)
        path = GameTools::XMLSelectValue(&element, pathElement, "path");
    return path != nullptr ? path->GetString() : std::string();
}

// A font without a name, size or file is reported and left out; one whose glyph file cannot be read is fatal.
void GUIFontTool::LoadFont(XMLNode& element, u32 number)
{
    XMLValue* name = element.GetAttributeValue("name");
    if (name == nullptr)
    {
        m_log->Error(kOperation + std::to_string(number) + "\" index have not name");
        return;
    }
    const std::string fontName = name->GetString();
    XMLValue* size = GameTools::XMLSelectValue(&element, m_language, "size");
    if (size == nullptr)
        size = element.GetAttributeValue("size");
    const std::string description = PathOf(element, "description_file_path");
    const std::string diffuse = PathOf(element, "diffuse_image_path");
    const std::string opacity = PathOf(element, "opacity_image_path");
    bool complete = true;
    const auto missing = [&](const char* what) {
        m_log->Error(kOperation + fontName + "\" name have not " + what);
        complete = false;
    };
    if (size == nullptr)
        missing("size");
    if (description.empty())
        missing("description file");
    if (diffuse.empty())
        missing("diffuse image");
    if (opacity.empty())
        missing("opacity image");
    if (!complete)
        return;

    VelkorEngine::GUIFont* font = nullptr;
    try
    {
        const VelkorEngine::ShaderDescriptor shader =
            VelkorEngine::BuildTextureShaderDescriptor(1, 1, diffuse, opacity, false);
        font = m_fonts->CreateFont(m_nextId, &shader, description);
    }
    catch (const VelkorEngine::FatalError&)
    {
        throw;
    }
    catch (const VelkorEngine::Error& error)
    {
        // A listed font whose glyph file cannot be read would leave its texts blank for good, and the windows
        // that wait for a title to print would wait for ever: the start ends here, naming the file to mend.
        m_log->Fatal(VelkorEngine::MessageNamingFile(error.GetMessage(), description));
    }
    m_fontNames[fontName] = m_nextId;
    ++m_nextId;
    font->SetSize(size->GetFloat());
    XMLValue* monospace = element.GetAttributeValue("monospace");
    if (monospace != nullptr && monospace->GetBool())
        font->SetMonospace(true);
    XMLValue* letterCase = element.GetAttributeValue("case");
    if (letterCase != nullptr && letterCase->GetString() == "lower")
        font->SetCaseLower();
    else if (letterCase != nullptr && letterCase->GetString() == "upper")
        font->SetCaseUpper();
    ApplyProperties(element.FindChild("properties"), *font);
    ApplyProperties(GameTools::XMLSelectNode(&element, m_language + "/properties"), *font);
}

void GUIFontTool::ApplyProperties(XMLNode* properties, VelkorEngine::GUIFont& font) const
{
    if (properties == nullptr)
        return;
    if (XMLValue* space = properties->GetAttributeValue("space"))
        font.SetSpace(space->GetFloat());
    if (XMLValue* shift = properties->GetAttributeValue("shift"))
        font.SetShift(shift->GetFloat());
}

VelkorEngine::i32 GUIFontTool::GetFontIndex(const std::string& name) const
{
    const auto found = m_fontNames.find(name);
    return found != m_fontNames.end() ? static_cast<VelkorEngine::i32>(found->second) : -1;
}

VelkorEngine::GUIFont* GUIFontTool::GetFont(const std::string& name) const
{
    const VelkorEngine::i32 id = GetFontIndex(name);
    return id >= 0 ? m_fonts->GetFont(static_cast<u32>(id)) : nullptr;
}
}
