// Owns the fonts by number, places a text inside a window by its placement flags, and keeps one depth copy
// of a font per window depth so that texts lie just in front of their window. Its pass at the end of the
// GUI's drawing ends the frame's glyph buffers and drops the copies nothing was drawn on.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Camera;
class FileManager;
class GUIFont;
class GUIWindow;
class ModelManager;
class ShaderDescriptor;

class GUIFontManager
{
public:
    // Placement flags of a text.
    static constexpr u32 CentreX = 1;
    static constexpr u32 CentreY = 2;
    static constexpr u32 Left = 4;
    static constexpr u32 Right = 8;
    static constexpr u32 Top = 16;
    static constexpr u32 Bottom = 32;

    // A depth copy lies this much nearer than its window.
    static constexpr f32 DepthInFront = 0.005f;

    GUIFontManager(FileManager* files, ModelManager* models, Camera* camera);
    virtual ~GUIFontManager();

    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;

    // Throws FileError when the font file cannot be read; an id in use is replaced.
    GUIFont* CreateFont(u32 id, const ShaderDescriptor* shader, const std::string& fileName);
    GUIFont* GetFont(u32 id) const;
    // Its depth copies go with it, so none can be taken for a later font at the same address.
    void RemoveFont(u32 id);
    GUIFont* GetDepthFont(u32 id, const GUIWindow& window);

    Vector2 PlaceText(u32 flags, u32 id, const GUIWindow& window, const Vector2& offset, f32 angle,
                      const std::wstring& text) const;
    void DrawText(u32 flags, u32 id, f32 angle, const GUIWindow& window, const Vector2& offset, const Color& color,
                  const std::wstring& text);
    void Pass();

    u32 GetDepthCopyCount() const { return static_cast<u32>(m_depthCopies.size()); }

private:
    void RemoveCopiesOf(const GUIFont* font);

    FileManager* m_files;
    ModelManager* m_models;
    Camera* m_camera;
    std::map<u32, std::unique_ptr<GUIFont>> m_fonts;
    std::vector<std::unique_ptr<GUIFont>> m_depthCopies;
};
}
