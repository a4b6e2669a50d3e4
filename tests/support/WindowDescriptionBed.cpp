#include "tests/support/WindowDescriptionBed.h"

#include "engine/core/MessageManager.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tools/formats/FontFileWriter.h"

#include <algorithm>

using namespace VelkorEngine;

namespace TestSupport
{
namespace
{
const std::wstring FontCharacters = L" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,!?'%";

template <typename Resource>
Resource* Look(const std::map<std::string, Resource*>& table, const std::string& name)
{
    const auto found = table.find(name);
    return found != table.end() ? found->second : nullptr;
}
}

Model* TableGUIResources::GetModel(const std::string& name)
{
    asked.push_back(name);
    return Look(models, name);
}

ShaderUser* TableGUIResources::GetShaderUser(const std::string& name)
{
    asked.push_back(name);
    return Look(shaders, name);
}

ParticleSystem* TableGUIResources::GetParticleSystem(const std::string& name)
{
    asked.push_back(name);
    return Look(particleSystems, name);
}

WindowDescriptionBed::WindowDescriptionBed()
{
    TempFolder& folder = gui.engine.folder;
    folder.WriteFile("data/ui/fonts/text.vef", KorvaneTools::WriteFontFile(GridGlyphs(FontCharacters, GlyphWidth)));
    folder.WriteFile("data/ui/fonts/fonts_basic.xml",
                     "<fonts><font name=\"text\" size=\"10\">"
                     "<description_file_path path=\"data\\ui\\fonts\\text.vef\"/>"
                     "<diffuse_image_path path=\"ui\\fonts\\text.tga\"/>"
                     "<opacity_image_path path=\"ui\\fonts\\text.tga\"/></font></fonts>");
    folder.WriteFile("data/ui/texts/default_texts.xml",
                     "<text_file><texts>"
                     "<game_title><en text=\"brick game\"/><ru text=\"igra\"/></game_title>"
                     "<score><en text=\"Score: %points%\"/></score>"
                     "<menu><start><en text=\"start\"/></start></menu>"
                     "</texts></text_file>");
}

void WindowDescriptionBed::WriteDescription(const std::string& file, const std::string& xml)
{
    gui.engine.folder.WriteFile("data/ui/windows/" + file, xml);
}

void WindowDescriptionBed::WriteFaders(const std::string& faders)
{
    WriteDescription("faders.xml", "<faders>" + faders + "</faders>");
}

GUITools::GUIToolManager& WindowDescriptionBed::Tools()
{
    if (m_tools == nullptr)
        m_tools = std::make_unique<GUITools::GUIToolManager>(&gui.engine.GetEngine(), language);
    return *m_tools;
}

std::unique_ptr<GUITools::GUIWindowBase> WindowDescriptionBed::Build(const std::string& name)
{
    return std::make_unique<GUITools::GUIWindowBase>(&gui.engine.GetEngine(), &resources, &Tools(), nullptr, name);
}

bool WindowDescriptionBed::Logged(const std::string& text) const
{
    const std::vector<std::string> errors = gui.engine.Records(MessageManager::KindError);
    return std::any_of(errors.begin(), errors.end(),
                       [&](const std::string& e) { return e.find(text) != std::string::npos; });
}

void WindowDescriptionBed::RunFrames(GUITools::GUIWindowBase& window, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        gui.RunFrame();
        window.Update();
    }
}
}
