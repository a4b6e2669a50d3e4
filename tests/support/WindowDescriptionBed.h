// Window descriptions on the GUI test bed: the test writes description files under "data/ui/windows", a
// grid font "text" (each glyph half its size wide, size 10) and a few texts, then builds windows from them
// with the real tool manager. Resources are looked up in a table the test fills; unknown names give null.
#pragma once

#include "guitools/GUIResources.h"
#include "guitools/GUIToolManager.h"
#include "tests/support/GUITestBed.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GUITools
{
class GUIWindowBase;
}

namespace TestSupport
{
// Vertex colours hold eight bits a channel: a colour read back lies within a step of the one described.
constexpr VelkorEngine::f32 ColourStep = 1.0f / 255.0f;

class TableGUIResources : public GUITools::GUIResources
{
public:
    VelkorEngine::Model* GetModel(const std::string& name) override;
    VelkorEngine::ShaderUser* GetShaderUser(const std::string& name) override;
    VelkorEngine::ParticleSystem* GetParticleSystem(const std::string& name) override;

    std::map<std::string, VelkorEngine::Model*> models;
    std::map<std::string, VelkorEngine::ShaderUser*> shaders;
    std::map<std::string, VelkorEngine::ParticleSystem*> particleSystems;
    // Every name asked for, in order.
    std::vector<std::string> asked;
};

class WindowDescriptionBed
{
public:
    static constexpr VelkorEngine::f32 FontSize = 10.0f;
    // Each glyph of the font is this many font sizes wide.
    static constexpr VelkorEngine::f32 GlyphWidth = 0.5f;

    WindowDescriptionBed();

    // Written as "data/ui/windows/<file>"; must come before the first Tools().
    void WriteDescription(const std::string& file, const std::string& xml);
    // The "faders" file with these fader elements.
    void WriteFaders(const std::string& faders);
    // The tool manager, made at the first call from the files written so far.
    GUITools::GUIToolManager& Tools();
    std::unique_ptr<GUITools::GUIWindowBase> Build(const std::string& name);

    // Error records of the current frame that hold the text.
    bool Logged(const std::string& text) const;
    // Frames of 1/60 s on the engine, each followed by the window's update.
    void RunFrames(GUITools::GUIWindowBase& window, int frames);

    GUITestBed gui;
    TableGUIResources resources;
    std::string language = "en";

private:
    std::unique_ptr<GUITools::GUIToolManager> m_tools;
};
}
