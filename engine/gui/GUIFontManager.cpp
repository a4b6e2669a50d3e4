// Fonts by number, text placement and the depth copies.
#include "engine/gui/GUIFontManager.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr f32 kDepthMatch = 0.0001f;
}

GUIFontManager::GUIFontManager(FileManager* files, ModelManager* models, Camera* camera)
    : m_files(files), m_models(models), m_camera(camera)
{
}

// Copies go first: each refers to its source.
GUIFontManager::~GUIFontManager()
{
    m_depthCopies.clear();
    m_fonts.clear();
}

GUIFont* GUIFontManager::CreateFont(u32 id, const ShaderDescriptor* shader, const std::string& fileName)
{
    auto font = std::make_unique<GUIFont>(m_files, m_models, m_camera, shader, fileName);
    RemoveFont(id);
    GUIFont* created = font.get();
    m_fonts[id] = std::move(font);
    return created;
}

GUIFont* GUIFontManager::GetFont(u32 id) const
{
    const auto found = m_fonts.find(id);
    return found != m_fonts.end() ? found->second.get() : nullptr;
}

void GUIFontManager::RemoveFont(u32 id)
{
    const auto found = m_fonts.find(id);
    if (found == m_fonts.end())
        return;
    RemoveCopiesOf(found->second.get());
    m_fonts.erase(found);
}

void GUIFontManager::RemoveCopiesOf(const GUIFont* font)
{
    std::erase_if(m_depthCopies, [font](const std::unique_ptr<GUIFont>& copy) { return copy->GetSource() == font; });
}

GUIFont* GUIFontManager::GetDepthFont(u32 id, const GUIWindow& window)
{
    GUIFont* base = GetFont(id);
    if (base == nullptr)
        return nullptr;
    const f32 depth = window.GetDepth();
    for (const std::unique_ptr<GUIFont>& copy : m_depthCopies)
        if (copy->GetSource() == base && std::fabs(copy->GetDepth() + DepthInFront - depth) <= kDepthMatch)
            return copy.get();
    auto copy = std::make_unique<GUIFont>(*base);
    copy->SetDepth(depth - DepthInFront);
    m_depthCopies.push_back(std::move(copy));
    return m_depthCopies.back().get();
}

// An alignment flag places the text on its axis and ignores the offset there; a text turned so that it runs
// backwards along an axis is moved by its extent so that it still fills the same place.
Vector2 GUIFontManager::PlaceText(u32 flags, u32 id, const GUIWindow& window, const Vector2& offset, f32 angle,
                                  const std::wstring& text) const
{
    const GUIFont* base = GetFont(id);
    if (base == nullptr)
        return Vector2(0.0f, 0.0f);
    Vector2 origin = window.GetAbsolutePosition();
    Vector2 area = window.GetSize();
    if (window.UsesTextArea())
    {
        origin += window.GetTextOffset();
        area = window.GetTextSize();
    }
    const Vector2 extent = base->GetTextSize(text, angle, -1.0f);
    Vector2 place(origin.x + offset.x, origin.y + offset.y);
    if ((flags & (CentreX | Left | Right)) != 0)
    {
        if ((flags & CentreX) != 0)
            place.x = origin.x + (area.x - extent.x) * 0.5f;
        else if ((flags & Left) != 0)
            place.x = origin.x;
        else
            place.x = origin.x + area.x - extent.x;
        if (std::cos(angle) < 0.0f)
            place.x += extent.x;
    }
    if ((flags & (CentreY | Top | Bottom)) != 0)
    {
        if ((flags & CentreY) != 0)
            place.y = origin.y + (area.y - extent.y) * 0.5f;
        else if ((flags & Top) != 0)
            place.y = origin.y + area.y - extent.y;
        else
            place.y = origin.y;
        if (std::sin(angle) < 0.0f)
            place.y += extent.y;
    }
    return place;
}

void GUIFontManager::DrawText(u32 flags, u32 id, f32 angle, const GUIWindow& window, const Vector2& offset,
                              const Color& color, const std::wstring& text)
{
    if (!window.IsVisible())
        return;
    GUIFont* copy = GetDepthFont(id, window);
    if (copy == nullptr)
        return;
    copy->DrawText(PlaceText(flags, id, window, offset, angle, text), angle, color, text);
}

void GUIFontManager::Pass()
{
    std::erase_if(m_depthCopies, [](const std::unique_ptr<GUIFont>& copy) { return copy->GetQueuedCount() == 0; });
    for (auto& [id, font] : m_fonts)
        font->Finish();
    for (const std::unique_ptr<GUIFont>& copy : m_depthCopies)
        copy->Finish();
}
}
