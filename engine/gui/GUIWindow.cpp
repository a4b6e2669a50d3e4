// The base widget: its model, its place in the window tree, its depth and visibility, and its text queue.
#include "engine/gui/GUIWindow.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIVertexBytes.h"

#include "engine/render/VertexBuffer.h"
#include "engine/render/IndexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
// Every GUI model is sorted by the depth its window gives it, drawn after the scene without depth test or
// lighting, and hidden until its window is visible.
constexpr u32 kGUIFlagsSet = ModelFlags::SecondList | ModelFlags::KeepDepth;
constexpr u32 kGUIFlagsCleared = ModelFlags::Visible | ModelFlags::DepthTest | ModelFlags::Lit;
// A model file with vertex colours keeps them.
constexpr u32 kFileVertexColors = 0x20;

struct QuadCorner
{
    f32 x;
    f32 y;
    f32 u;
    f32 v;
};

// The unit square as a strip; u and v are scaled by the texture extent.
constexpr QuadCorner kUnitQuad[4] = {{1.0f, 0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f},
                                     {0.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 1.0f}};
constexpr u32 kQuadIndices[4] = {0, 1, 2, 3};

Model* CopyModel(const GUIServices& services, const Model* model)
{
    return model != nullptr ? services.models->CreateModelCopy(*model, services.camera, 0) : nullptr;
}
}

GUIWindow::GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent)
    : m_services(services), m_position(position), m_size(size)
{
    CreateQuadModel(state, shader, textureExtent);
    FinishConstruction(state, parent);
}

GUIWindow::GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const std::string& modelName, GUIWindow* parent)
    : m_services(services), m_position(position), m_size(size)
{
    const u32 fileFlags = (state & StateColored) != 0 ? kFileVertexColors : 0;
    AdoptModel(m_services.models->CreateModelFromFile(modelName, m_services.camera, fileFlags));
    FinishConstruction(state, parent);
}

GUIWindow::GUIWindow(const GUIServices& services, u32 state, const Vector2& position, const Vector2& size,
                     const Model* model, GUIWindow* parent)
    : m_services(services), m_position(position), m_size(size)
{
    AdoptModel(CopyModel(m_services, model));
    FinishConstruction(state, parent);
}

GUIWindow::~GUIWindow()
{
    LeaveParent();
    const std::vector<GUIWindow*> children = m_children;
    for (GUIWindow* child : children)
    {
        child->m_parent = nullptr;
        child->SetParent(nullptr);
    }
    m_services.models->DeleteModel(m_model);
}

// A quad with colours starts white, so the texture shows as it is.
void GUIWindow::CreateQuadModel(u32 state, const ShaderDescriptor* shader, const Vector2& textureExtent)
{
    const u32 colorFlag = (state & StateColored) != 0 ? ModelFlags::VertexColor : 0;
    m_model = m_services.models->CreateSelfMadeModel(kGUIFlagsSet | colorFlag, 4, 4, 1, shader, m_services.camera);
    if (m_model == nullptr)
        return;
    m_model->name = "gui_quad";
    m_model->ClearFlags(kGUIFlagsCleared);
    m_model->indexBuffer->SetIndices(0, 4, kQuadIndices);
    VertexBuffer& vertices = *m_model->vertexBuffer;
    u8* data = vertices.Lock(0, 4);
    for (u32 i = 0; i < 4; ++i)
    {
        u8* vertex = data + i * vertices.GetStride();
        std::memset(vertex, 0, vertices.GetStride());
        WriteFloat(vertex, kUnitQuad[i].x);
        WriteFloat(vertex + 4, kUnitQuad[i].y);
        WriteFloat(vertex + vertices.GetTextureOffset(), kUnitQuad[i].u * textureExtent.x);
        WriteFloat(vertex + vertices.GetTextureOffset() + 4, kUnitQuad[i].v * textureExtent.y);
    }
    vertices.Unlock();
    if (colorFlag != 0)
        m_model->SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
    m_model->ComputeBounds(m_model->bounds, Model::InModelSpace);
    m_baseMatrix = m_model->worldMatrix;
}

void GUIWindow::AdoptModel(Model* model)
{
    m_model = model;
    if (m_model == nullptr)
        return;
    m_model->ClearFlags(kGUIFlagsCleared);
    m_model->SetFlags(kGUIFlagsSet);
    m_baseMatrix = m_model->worldMatrix;
}

void GUIWindow::FinishConstruction(u32 state, GUIWindow* parent)
{
    if (m_model != nullptr)
        m_model->depth = m_depth;
    SetState(state);
    m_layer = 1;
    SetParent(parent);
}

bool GUIWindow::HandleMouse(const Vector2& position, bool /*down*/, bool /*pressed*/)
{
    m_mouseOver = 0;
    if (m_visible == 0)
        return false;
    Vector2 origin = GetAbsolutePosition();
    Vector2 size = m_size;
    if (m_useHitArea != 0)
    {
        origin += m_hitOffset;
        size = m_hitSize;
    }
    m_mouseOver = (origin.x < position.x && position.x < origin.x + size.x && origin.y < position.y &&
                   position.y < origin.y + size.y)
                      ? 1
                      : 0;
    return true;
}

// A text lives for exactly one frame: it is handed to its font here and dropped.
bool GUIWindow::Render()
{
    if (m_visible == 0)
    {
        m_textCount = 0;
        return false;
    }
    if (m_model != nullptr && m_placeModel != 0)
        PlaceModel(m_model, GetAbsolutePosition(), m_size, m_baseMatrix);
    DrawTexts();
    m_textCount = 0;
    return true;
}

// A record's own size applies to this one text: the base font's size is lent to it and given back.
void GUIWindow::DrawTexts()
{
    GUIFontManager* fonts = m_services.fonts;
    if (fonts == nullptr)
        return;
    for (u32 i = 0; i < m_textCount; ++i)
    {
        const TextRecord& record = m_texts[i];
        GUIFont* font = record.font >= 0 ? fonts->GetFont(static_cast<u32>(record.font)) : nullptr;
        if (font == nullptr)
            continue;
        const f32 ownSize = font->GetSize();
        if (record.size >= 0.0f)
            font->SetSize(record.size);
        fonts->DrawText(record.flags, static_cast<u32>(record.font), record.angle, *this, record.offset, record.color,
                        record.text);
        font->SetSize(ownSize);
    }
}

void GUIWindow::PlaceModel(Model* model, const Vector2& position, const Vector2& size, const Matrix4& baseMatrix)
{
    Matrix4 translation;
    MakeTranslationMatrix(translation, Vector3(position.x, position.y, 0.0f));
    model->worldMatrix = translation * ScalingMatrix(Vector3(size.x, size.y, 1.0f)) * baseMatrix;
    model->bounds.SetTransform(model->worldMatrix);
}

void GUIWindow::SetParent(GUIWindow* parent)
{
    if (parent != nullptr && IsAncestorOrSelf(parent))
        return;
    LeaveParent();
    m_parent = parent;
    if (m_parent != nullptr)
    {
        m_parent->m_children.push_back(this);
        m_state &= ~StateLayerClasses;
        SetLayer(m_layer);
    }
    else if ((m_state & StateLayerClasses) == 0)
        SetDepth(DepthUnclassed);
    UpdateVisibility();
}

void GUIWindow::LeaveParent()
{
    if (m_parent == nullptr)
        return;
    std::vector<GUIWindow*>& siblings = m_parent->m_children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_parent = nullptr;
}

// True when the window is this one or lies below it in the tree.
bool GUIWindow::IsAncestorOrSelf(const GUIWindow* window) const
{
    for (const GUIWindow* at = window; at != nullptr; at = at->m_parent)
        if (at == this)
            return true;
    return false;
}

// Setting bits that are partly set already does nothing at all.
void GUIWindow::SetState(u32 bits)
{
    if ((m_state & bits) != 0)
        return;
    m_state |= bits;
    if ((bits & StateVisible) != 0)
        UpdateVisibility();
    if (m_parent == nullptr)
        ApplyClassDepth();
}

// Removing a layer class leaves the window unclassed in depth, whatever other class bits it keeps.
void GUIWindow::ClearState(u32 bits)
{
    const u32 removed = m_state & bits;
    if (removed == 0)
        return;
    m_state &= ~bits;
    if ((removed & StateVisible) != 0)
        UpdateVisibility();
    if ((removed & StateLayerClasses) != 0)
        SetDepth(DepthUnclassed);
}

void GUIWindow::ApplyClassDepth()
{
    if ((m_state & StateLayerBack) != 0)
        SetDepth(DepthBack);
    else if ((m_state & StateLayerMiddle) != 0)
        SetDepth(DepthMiddle);
    else if ((m_state & StateLayerFront) != 0)
        SetDepth(DepthFront);
    else
        SetDepth(DepthUnclassed);
}

void GUIWindow::SetLayer(i32 layer)
{
    m_layer = layer;
    if (m_parent != nullptr)
        m_depth = m_parent->m_depth - static_cast<f32>(layer) * DepthPerLayer;
    SetDepth(m_depth);
}

// The children's depths hang from this one, so they follow every change.
void GUIWindow::SetDepth(f32 depth)
{
    m_depth = depth;
    if (m_model != nullptr)
        m_model->depth = depth;
    ReapplyChildLayers();
}

void GUIWindow::ReapplyChildLayers()
{
    for (GUIWindow* child : m_children)
        child->SetLayer(child->m_layer);
}

void GUIWindow::UpdateVisibility()
{
    const u8 wasVisible = m_visible;
    m_visible = ((m_parent == nullptr || m_parent->m_visible != 0) && (m_state & StateVisible) != 0) ? 1 : 0;
    if (m_visible != 0 && wasVisible == 0)
        m_mouseOver = 0;
    if (m_model != nullptr)
    {
        if (m_visible != 0)
            m_model->SetFlags(ModelFlags::Visible);
        else
            m_model->ClearFlags(ModelFlags::Visible);
    }
    for (GUIWindow* child : m_children)
        child->UpdateVisibility();
}

void GUIWindow::SetColor(const Color& color)
{
    if (m_model != nullptr)
        m_model->SetColor(color);
}

Color GUIWindow::GetColor() const
{
    return m_model != nullptr ? m_model->GetColor() : Color(1.0f, 1.0f, 1.0f, 1.0f);
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    Vector2 position = m_position;
    for (const GUIWindow* at = m_parent; at != nullptr; at = at->m_parent)
        position += at->m_position;
    return position;
}

void GUIWindow::AddText(u32 flags, i32 font, const Vector2& offset, const Color& color, const std::wstring& text,
                        f32 angle, f32 size)
{
    if (text.empty())
        return;
    if (m_textCount == m_texts.size())
        m_texts.emplace_back();
    TextRecord& record = m_texts[m_textCount++];
    record.flags = flags;
    record.font = font;
    record.angle = angle;
    record.size = size;
    record.offset = offset;
    record.color = color;
    record.text = text;
}

void GUIWindow::SetShader(const ShaderDescriptor& shader)
{
    if (m_model != nullptr)
        m_model->SetShader(shader);
}

AnimationControl* GUIWindow::GetAnimationControl() const
{
    return m_model != nullptr ? m_model->animation.get() : nullptr;
}

void GUIWindow::SetHitArea(bool use, const Vector2& offset, const Vector2& size)
{
    m_useHitArea = use ? 1 : 0;
    m_hitOffset = offset;
    m_hitSize = size;
}

void GUIWindow::SetTextArea(bool use, const Vector2& offset, const Vector2& size)
{
    m_useTextArea = use ? 1 : 0;
    m_textOffset = offset;
    m_textSize = size;
}
}
