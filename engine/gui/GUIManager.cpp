// The GUI manager: widget lists, the GUI camera, and the two per-frame passes.
#include "engine/gui/GUIManager.h"

#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"

#include <new>
#include <utility>

namespace VelkorEngine
{
namespace
{
// Every GUI model lies at z = 0, well inside these limits.
constexpr f32 kCameraNear = 500.0f;
constexpr f32 kCameraFar = -500.0f;
}

GUIManager::GUIManager(MessageManager* log, FileManager* files, Window* window, TimerManager* timers,
                       CameraManager* cameras, ShaderManager* shaders, ModelManager* models, Controls* controls,
                       SoundManager* sounds)
    : m_cursors(std::make_unique<ObjectManager<GUICursor>>()),
      m_windows(std::make_unique<ObjectManager<GUIWindow>>()),
      m_buttons(std::make_unique<ObjectManager<GUIButton>>()),
      m_checkBoxes(std::make_unique<ObjectManager<GUICheckBox>>()),
      m_editBoxes(std::make_unique<ObjectManager<GUIEditBox>>()),
      m_sliders(std::make_unique<ObjectManager<GUISlider>>()),
      m_scrolls(std::make_unique<ObjectManager<GUIScroll>>())
{
    m_services.log = log;
    m_services.files = files;
    m_services.window = window;
    m_services.timers = timers;
    m_services.cameras = cameras;
    m_services.shaders = shaders;
    m_services.models = models;
    m_services.controls = controls;
    m_services.sounds = sounds;
    Camera* camera = cameras->CreateCamera(Camera::KindOrthographic);
    camera->nearPlane = kCameraNear;
    camera->farPlane = kCameraFar;
    camera->Update();
    m_services.camera = camera;
    m_fontManager = std::make_unique<GUIFontManager>(files, models, camera);
    m_services.fonts = m_fontManager.get();
    m_soundManager = std::make_unique<GUISoundManager>(timers, sounds);
    m_services.guiSounds = m_soundManager.get();
    m_defaultCursor = CreateModelCursor(nullptr);
}

// The widgets go before the camera their models draw with and the sound manager their buttons play through.
GUIManager::~GUIManager()
{
    Destroy(*m_cursors, m_defaultCursor);
    Clear(m_scrolls);
    Clear(m_sliders);
    Clear(m_editBoxes);
    Clear(m_checkBoxes);
    Clear(m_buttons);
    Clear(m_windows);
    Clear(m_cursors);
    m_fontManager.reset();
    m_soundManager.reset();
    m_services.cameras->DeleteCamera(m_services.camera);
}

template <typename Widget>
void GUIManager::Clear(std::unique_ptr<ObjectManager<Widget>>& list)
{
    list.reset();
}

void GUIManager::SetSize(f32 width, f32 height)
{
    m_services.camera->orthoWidth = width;
    m_services.camera->orthoHeight = height;
    m_services.camera->Update();
}

f32 GUIManager::GetWidth() const { return m_services.camera->orthoWidth; }

f32 GUIManager::GetHeight() const { return m_services.camera->orthoHeight; }

// A widget made during a pass waits for the next one: each list is walked over a copy of its slots.
void GUIManager::ProcessMouse()
{
    for (GUICursor* cursor : m_cursors->GetObjects())
        cursor->UpdateFromMouse();
    m_clickPosition = m_defaultCursor->GetPosition();
    m_defaultCursor->MapFromClient(m_services.controls->GetButtonChangePosition("MOUSE1"), m_clickPosition);
    const Vector2 position = m_clickPosition;
    const bool down = m_services.controls->IsDown("MOUSE1");
    const bool pressed = m_services.controls->IsPressed("MOUSE1");
    HandleMouse(*m_windows, position, down, pressed);
    HandleMouse(*m_buttons, position, down, pressed);
    HandleMouse(*m_checkBoxes, position, down, pressed);
    HandleMouse(*m_editBoxes, position, down, pressed);
    HandleMouse(*m_sliders, position, down, pressed);
    HandleMouse(*m_scrolls, position, down, pressed);
}

void GUIManager::Render()
{
    m_cursors->ForEach([](GUICursor& cursor) { cursor.Place(); });
    RenderAll(*m_windows);
    RenderAll(*m_buttons);
    RenderAll(*m_checkBoxes);
    RenderAll(*m_editBoxes);
    RenderAll(*m_sliders);
    RenderAll(*m_scrolls);
    m_fontManager->Pass();
}

template <typename Widget>
void GUIManager::HandleMouse(const ObjectManager<Widget>& list, const Vector2& position, bool down, bool pressed)
{
    for (Widget* widget : list.GetObjects())
        widget->HandleMouse(position, down, pressed);
}

template <typename Widget>
void GUIManager::RenderAll(const ObjectManager<Widget>& list)
{
    list.ForEach([](Widget& widget) { widget.Render(); });
}

template <typename Widget, typename... Arguments>
Widget* GUIManager::Create(ObjectManager<Widget>& list, Arguments&&... arguments)
{
    std::unique_ptr<Widget> widget;
    try
    {
        widget = std::make_unique<Widget>(m_services, std::forward<Arguments>(arguments)...);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    return list.Add(std::move(widget));
}

template <typename Widget>
void GUIManager::Destroy(ObjectManager<Widget>& list, Widget* widget)
{
    // The extracted widget is deleted as the returned owner goes; one not held here gives null.
    list.Extract(widget);
}

GUIWindow* GUIManager::CreateQuadWindow(u32 state, const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor* shader, GUIWindow* parent,
                                        const Vector2& textureExtent)
{
    return Create(*m_windows, state, position, size, shader, parent, textureExtent);
}

GUIWindow* GUIManager::CreateWindow(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                    GUIWindow* parent)
{
    return Create(*m_windows, state, position, size, model, parent);
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor* shader, f32 size) { return Create(*m_cursors, shader, size); }

GUICursor* GUIManager::CreateModelCursor(const Model* model) { return Create(*m_cursors, model); }

GUIEditBox* GUIManager::CreateEditBox(u32 state, const Vector2& position, const Vector2& size,
                                      const ShaderDescriptor* shader, i32 fontId, const Color& textColor,
                                      const Vector2& textOffset, const GUIEditBox::TextLimits& limits,
                                      u16 caretCharacter, GUIWindow* parent, const Vector2& textureExtent)
{
    return Create(*m_editBoxes, state, position, size, shader, fontId, textColor, textOffset, limits, caretCharacter,
                  parent, textureExtent);
}

GUIEditBox* GUIManager::CreateEditBox(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                      i32 fontId, const Color& textColor, const Vector2& textOffset,
                                      const GUIEditBox::TextLimits& limits, u16 caretCharacter, GUIWindow* parent)
{
    return Create(*m_editBoxes, state, position, size, model, fontId, textColor, textOffset, limits, caretCharacter,
                  parent);
}

void GUIManager::DestroyWindow(GUIWindow* window) { Destroy(*m_windows, window); }

void GUIManager::DestroyEditBox(GUIEditBox* editBox) { Destroy(*m_editBoxes, editBox); }

u32 GUIManager::GetWidgetCount() const
{
    return m_cursors->GetCount() + m_windows->GetCount() + m_buttons->GetCount() + m_checkBoxes->GetCount() +
           m_editBoxes->GetCount() + m_sliders->GetCount() + m_scrolls->GetCount();
}

// The default cursor gives every widget its position, so it lives as long as the manager.
void GUIManager::DestroyCursor(GUICursor* cursor)
{
    if (cursor != m_defaultCursor)
        Destroy(*m_cursors, cursor);
}

GUIButton* GUIManager::CreateButton(u32 state, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent)
{
    return Create(*m_buttons, state, position, size, shader, parent, textureExtent);
}

GUIButton* GUIManager::CreateButton(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                    GUIWindow* parent)
{
    return Create(*m_buttons, state, position, size, model, parent);
}

GUICheckBox* GUIManager::CreateCheckBox(u32 state, const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor* shader, GUIWindow* parent,
                                        const Vector2& textureExtent)
{
    return Create(*m_checkBoxes, state, position, size, shader, parent, textureExtent);
}

GUICheckBox* GUIManager::CreateCheckBox(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                        GUIWindow* parent)
{
    return Create(*m_checkBoxes, state, position, size, model, parent);
}

GUISlider* GUIManager::CreateSlider(u32 state, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart,
                                    const Vector2& rangeEnd, u32 count, GUIWindow* parent,
                                    const Vector2& textureExtent)
{
    return Create(*m_sliders, state, position, size, shader, vertical, rangeStart, rangeEnd, count, parent,
                  textureExtent);
}

GUISlider* GUIManager::CreateSlider(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                    bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                                    GUIWindow* parent)
{
    return Create(*m_sliders, state, position, size, model, vertical, rangeStart, rangeEnd, count, parent);
}

GUIScroll* GUIManager::CreateScroll(u32 state, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor* shader, bool vertical, const Vector2& rangeStart,
                                    const Vector2& rangeEnd, u32 count, GUIWindow* parent,
                                    const Vector2& textureExtent)
{
    return Create(*m_scrolls, state, position, size, shader, vertical, rangeStart, rangeEnd, count, parent,
                  textureExtent);
}

GUIScroll* GUIManager::CreateScroll(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                    bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                                    GUIWindow* parent)
{
    return Create(*m_scrolls, state, position, size, model, vertical, rangeStart, rangeEnd, count, parent);
}

void GUIManager::DestroyButton(GUIButton* button) { Destroy(*m_buttons, button); }

void GUIManager::DestroyCheckBox(GUICheckBox* checkBox) { Destroy(*m_checkBoxes, checkBox); }

void GUIManager::DestroySlider(GUISlider* slider) { Destroy(*m_sliders, slider); }

void GUIManager::DestroyScroll(GUIScroll* scroll) { Destroy(*m_scrolls, scroll); }
}
