// Reads the font lists, creates every font in the GUI's font manager and maps font names to their ids. The
// language chooses a font's per-language size, files and spacing.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <string>

namespace GameTools
{
class XMLNode;
}

namespace VelkorEngine
{
class Engine;
class FileManager;
class GUIFont;
class GUIFontManager;
class GUIManager;
class MessageManager;
}

namespace GUITools
{
class GUIFontTool
{
public:
    static constexpr const char* BasicFontList = "data\\ui\\fonts\\fonts_basic.xml";
    static constexpr const char* AdditionalFontList = "data\\ui\\fonts\\fonts_additional.xml";

    // Loads the basic list.
    GUIFontTool(VelkorEngine::Engine* engine, const std::string& language);
    virtual ~GUIFontTool();

    GUIFontTool(const GUIFontTool&) = delete;
    GUIFontTool& operator=(const GUIFontTool&) = delete;

    // Once the start-up loading has finished.
    void LoadAdditionalFonts();
    // Problems of the list are logged and the font is left out; a font file that cannot be read throws
    // FatalError naming the file.
    void LoadFonts(const std::string& fileName);

    // -1 for an unknown name.
    VelkorEngine::i32 GetFontIndex(const std::string& name) const;
    // Null for an unknown name.
    VelkorEngine::GUIFont* GetFont(const std::string& name) const;

private:
    void LoadFont(GameTools::XMLNode& element, VelkorEngine::u32 number);
    void RemoveFonts();
    std::string PathOf(GameTools::XMLNode& element, const std::string& pathElement) const;
    void ApplyProperties(GameTools::XMLNode* properties, VelkorEngine::GUIFont& font) const;

    VelkorEngine::Engine* m_engine;
    VelkorEngine::MessageManager* m_log;
    VelkorEngine::FileManager* m_files;
    VelkorEngine::GUIManager* m_gui;
    VelkorEngine::GUIFontManager* m_fonts;
    std::string m_language;
    VelkorEngine::u32 m_nextId = 0;
    std::map<std::string, VelkorEngine::u32> m_fontNames;
};
}
