// The base widget: a rectangle on the GUI's virtual screen with a model, a place in a tree of windows whose
// positions are relative to their parents, state bits for visibility and layering, and the texts queued on
// it for the current frame. Made and destroyed through the GUI manager.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIServices.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class AnimationControl;
class Model;
class ShaderDescriptor;

class GUIWindow
{
public:
    // State bits.
    static constexpr u32 StateVisible = 1;
    // The generated quad's vertices carry a colour; models read from files take their vertex colours.
    static constexpr u32 StateColored = 2;
    // Layer classes of a window without a parent, farthest first; a window of no class lies between the back
    // and the middle.
    static constexpr u32 StateLayerBack = 4;
    static constexpr u32 StateLayerMiddle = 8;
    static constexpr u32 StateLayerFront = 16;
    static constexpr u32 StateLayerClasses = StateLayerBack | StateLayerMiddle | StateLayerFront;

    // Depths of windows without a parent; lower values are drawn nearer the viewer.
    static constexpr f32 DepthBack = -10.0f;
    static constexpr f32 DepthMiddle = -20.0f;
    static constexpr f32 DepthFront = -30.0f;
    static constexpr f32 DepthUnclassed = -15.0f;
    // A child lies this much nearer than its parent per step of its layer.
    static constexpr f32 DepthPerLayer = 0.01f;

    // One text queued for this frame. Placement flags: 1 centre in x, 4 left edge, 8 right edge, 2 centre in
    // y, 16 far edge in y, 32 near edge in y; the offset applies on an axis without a flag.
    struct TextRecord
    {
        u32 flags = 0;
        // -1 when the font's name was not found: such a text is never drawn.
        i32 font = -1;
        f32 angle = 0.0f;
        // Below 0: the font's own size.
        f32 size = -1.0f;
        Vector2 offset;
        Color color{1.0f, 1.0f, 1.0f, 1.0f};
        std::wstring text;
    };

    // A generated rectangle drawn with the shader; (eu, ev) is the texture-coordinate extent over it. A null
    // shader is the default descriptor.
    GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent);
    // A model read from a file.
    GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const std::string& modelName, GUIWindow* parent);
    // A copy of a model; without one the window has no model and only places its children.
    GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
              const Model* model, GUIWindow* parent);
    virtual ~GUIWindow();

    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // Notes whether the point is over the window; false when the window is not visible.
    virtual bool HandleMouse(const Vector2& position, bool down, bool pressed);
    // Places the model over the rectangle and hands on the queued texts; false when not visible.
    virtual bool Render();
    virtual void SetLayer(i32 layer);
    virtual void SetColor(const Color& color);
    virtual void UpdateVisibility();

    // A window cannot become its own ancestor: such a parent is refused.
    void SetParent(GUIWindow* parent);
    void SetState(u32 bits);
    void ClearState(u32 bits);
    Color GetColor() const;
    Vector2 GetAbsolutePosition() const;
    // An empty text is ignored.
    void AddText(u32 flags, i32 font, const Vector2& offset, const Color& color, const std::wstring& text,
                 f32 angle, f32 size);
    void SetShader(const ShaderDescriptor& shader);
    AnimationControl* GetAnimationControl() const;

    // The position is relative to the parent's.
    void SetRelativePosition(const Vector2& position) { m_position = position; }
    const Vector2& GetRelativePosition() const { return m_position; }
    void SetSize(const Vector2& size) { m_size = size; }
    const Vector2& GetSize() const { return m_size; }
    // The hit area replaces the rectangle in the mouse test; its offset is from the window's position.
    void SetHitArea(bool use, const Vector2& offset, const Vector2& size);
    // The text area replaces the rectangle in the placement of texts.
    void SetTextArea(bool use, const Vector2& offset, const Vector2& size);
    bool UsesTextArea() const { return m_useTextArea != 0; }
    const Vector2& GetTextOffset() const { return m_textOffset; }
    const Vector2& GetTextSize() const { return m_textSize; }

    u32 GetStateBits() const { return m_state; }
    bool IsVisible() const { return m_visible != 0; }
    bool IsMouseOver() const { return m_mouseOver != 0; }
    GUIWindow* GetParent() const { return m_parent; }
    const std::vector<GUIWindow*>& GetChildren() const { return m_children; }
    i32 GetLayer() const { return m_layer; }
    f32 GetDepth() const { return m_depth; }
    Model* GetModel() const { return m_model; }
    // When cleared, Render leaves the model where its owner puts it.
    void SetPlaceModel(bool place) { m_placeModel = place ? 1 : 0; }

    // The texts queued since the last Render.
    u32 GetTextCount() const { return m_textCount; }
    const TextRecord& GetText(u32 index) const { return m_texts[index]; }

    // The model's matrix as created: placing the model puts the rectangle in front of it.
    const Matrix4& GetBaseMatrix() const { return m_baseMatrix; }
    // The model's matrix becomes translation(position) x scale(size) x the base matrix.
    static void PlaceModel(Model* model, const Vector2& position, const Vector2& size, const Matrix4& baseMatrix);

protected:
    const GUIServices& Services() const { return m_services; }

private:
    void CreateQuadModel(u32 state, const ShaderDescriptor* shader, const Vector2& textureExtent);
    void AdoptModel(Model* model);
    void FinishConstruction(u32 state, GUIWindow* parent);
    void LeaveParent();
    bool IsAncestorOrSelf(const GUIWindow* window) const;
    void SetDepth(f32 depth);
    void DrawTexts();
    void ApplyClassDepth();
    void ReapplyChildLayers();

    GUIServices m_services;
    u32 m_state = 0;
    u8 m_visible = 0;
    Vector2 m_position;
    Vector2 m_size;
    GUIWindow* m_parent = nullptr;
    std::vector<GUIWindow*> m_children;
    i32 m_layer = 1;
    f32 m_depth = DepthUnclassed;
    u8 m_useHitArea = 0;
    Vector2 m_hitOffset;
    Vector2 m_hitSize;
    u8 m_useTextArea = 0;
    Vector2 m_textOffset;
    Vector2 m_textSize;
    u8 m_mouseOver = 0;
    u8 m_placeModel = 1;
    Model* m_model = nullptr;
    Matrix4 m_baseMatrix;
    u32 m_textCount = 0;
    std::vector<TextRecord> m_texts;
};
}
