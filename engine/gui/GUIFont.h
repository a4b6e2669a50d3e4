// A bitmap font: a glyph table read from a "VEFNT" file and one textured model whose vertices are refilled
// every frame with a quad per visible character. A font read from a file only measures texts and is the
// source of its depth copies; the copies, made by the font manager per window depth, receive the quads.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <map>
#include <string>

namespace VelkorEngine
{
class Camera;
class FileManager;
class Model;
class ModelManager;
class ShaderDescriptor;

class GUIFont
{
public:
    struct Glyph
    {
        f32 u = 0.0f;
        f32 v = 0.0f;
        f32 du = 0.0f;
        f32 dv = 0.0f;
        // The advance, as a fraction of the font size.
        f32 width = 0.0f;
        u16 code = 0;
    };

    static constexpr u32 MaxQuads = 1024;
    static constexpr f32 StartDepth = -9.0f;

    // Reads the file first, so a bad file leaves no model behind; throws FileError.
    GUIFont(FileManager* files, ModelManager* models, Camera* camera, const ShaderDescriptor* shader,
            const std::string& fileName);
    // A depth copy: the source's table and properties with a model of its own.
    explicit GUIFont(const GUIFont& source);
    virtual ~GUIFont();

    GUIFont& operator=(const GUIFont&) = delete;

    bool HasGlyph(u32 code) const;
    f32 GetDepth() const;
    void SetDepth(f32 depth);

    // The axis-aligned box of the text's glyph boxes; a size below 0 means the font's own size.
    Vector2 GetTextSize(const std::wstring& text, f32 angle, f32 size) const;
    // Queues the text's quads with the corner (0, 0) of the first box at the position.
    void DrawText(const Vector2& position, f32 angle, const Color& color, const std::wstring& text);
    // Ends the frame: what was queued is drawn this frame, a font that queued nothing draws nothing.
    void Finish();

    // Letters of the other case without a glyph of their own show the image of this case.
    void SetCaseLower();
    void SetCaseUpper();

    f32 GetSize() const { return m_size; }
    void SetSize(f32 size) { m_size = size; }
    f32 GetSpace() const { return m_space; }
    void SetSpace(f32 space) { m_space = space; }
    f32 GetShift() const { return m_shift; }
    void SetShift(f32 shift) { m_shift = shift; }
    f32 GetCellWidth() const { return m_cellWidth; }
    bool IsMonospace() const { return m_monospace != 0; }
    void SetMonospace(bool monospace) { m_monospace = monospace ? 1 : 0; }

    const GUIFont* GetSource() const { return m_source; }
    // Quads queued since the last Finish.
    u32 GetQueuedCount() const { return m_glyphCount; }
    const std::map<u16, Glyph>& GetGlyphs() const { return m_glyphs; }
    Model* GetModel() const { return m_model; }

private:
    struct Pen
    {
        f32 x = 0.0f;
        f32 y = 0.0f;
    };
    struct Box
    {
        Vector2 corners[4];
    };

    void ReadFile(const std::string& fileName);
    void CreateModel(Camera* camera, const ShaderDescriptor* shader);
    const Glyph* FindGlyph(u32 code) const;
    f32 BoxWidth(wchar_t code, const Glyph* glyph, f32 size) const;
    Box GlyphBox(const Pen& pen, wchar_t code, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const;
    void AdvanceBefore(Pen& pen, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const;
    void AdvanceAfter(Pen& pen, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const;
    void WriteQuad(const Box& box, const Vector2& position, const Glyph& glyph, u32 packedColor);
    void AddCaseCopies(bool toUpper);

    FileManager* m_files = nullptr;
    ModelManager* m_models = nullptr;
    const GUIFont* m_source = nullptr;
    std::map<u16, Glyph> m_glyphs;
    Model* m_model = nullptr;
    u8* m_vertices = nullptr;
    f32 m_size = 1.0f;
    f32 m_space = 1.0f;
    f32 m_shift = 1.0f;
    f32 m_cellWidth = 0.0f;
    u8 m_monospace = 0;
    u32 m_glyphCount = 0;
};
}
