// Owns every on-screen widget: one list per kind, the GUI camera that spans the virtual screen, the GUI's
// sound manager and a default cursor whose position every widget receives. Its mouse pass hands the
// mouse to the widgets; its render pass places cursors and widgets and draws their texts.
#pragma once

#include "engine/core/ObjectManager.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIServices.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"

#include <memory>

namespace VelkorEngine
{
class GUIManager
{
public:
    // The sound manager may be null: the GUI is then silent.
    GUIManager(MessageManager* log, FileManager* files, Window* window, TimerManager* timers, CameraManager* cameras,
               ShaderManager* shaders, ModelManager* models, Controls* controls, SoundManager* sounds);
    virtual ~GUIManager();

    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    // The virtual screen's size in GUI units.
    void SetSize(f32 width, f32 height);
    f32 GetWidth() const;
    f32 GetHeight() const;
    const Vector2& GetCursorPosition() const { return m_defaultCursor->GetPosition(); }
    // Where the last mouse pass judged the left button: the place of a press or release read in that pass, the
    // cursor's otherwise. Widgets are given this place, so a click read late still acts where it was made.
    const Vector2& GetClickPosition() const { return m_clickPosition; }

    // Once a frame from the engine's render step: cursors take the mouse, then every widget.
    void ProcessMouse();
    // Once a frame from the engine's frame step: cursors and widgets place their models.
    void Render();

    // Each Create returns the new widget, owned here until its Destroy, or null when there was no memory.
    GUIWindow* CreateQuadWindow(u32 state, const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                                GUIWindow* parent, const Vector2& textureExtent);
    GUIWindow* CreateWindow(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                            GUIWindow* parent);
    GUICursor* CreateCursor(const ShaderDescriptor* shader, f32 size);
    GUICursor* CreateModelCursor(const Model* model);
    GUIButton* CreateButton(u32 state, const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                            GUIWindow* parent, const Vector2& textureExtent);
    GUIButton* CreateButton(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                            GUIWindow* parent);
    GUICheckBox* CreateCheckBox(u32 state, const Vector2& position, const Vector2& size,
                                const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& textureExtent);
    GUICheckBox* CreateCheckBox(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                                GUIWindow* parent);
    GUISlider* CreateSlider(u32 state, const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                            bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                            GUIWindow* parent, const Vector2& textureExtent);
    GUISlider* CreateSlider(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                            bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                            GUIWindow* parent);
    GUIScroll* CreateScroll(u32 state, const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                            bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                            GUIWindow* parent, const Vector2& textureExtent);
    GUIScroll* CreateScroll(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                            bool vertical, const Vector2& rangeStart, const Vector2& rangeEnd, u32 count,
                            GUIWindow* parent);
    GUIEditBox* CreateEditBox(u32 state, const Vector2& position, const Vector2& size, const ShaderDescriptor* shader,
                              i32 fontId, const Color& textColor, const Vector2& textOffset,
                              const GUIEditBox::TextLimits& limits, u16 caretCharacter, GUIWindow* parent,
                              const Vector2& textureExtent);
    GUIEditBox* CreateEditBox(u32 state, const Vector2& position, const Vector2& size, const Model* model,
                              i32 fontId, const Color& textColor, const Vector2& textOffset,
                              const GUIEditBox::TextLimits& limits, u16 caretCharacter, GUIWindow* parent);

    // Each Destroy ignores null and widgets it does not hold (the default cursor included).
    void DestroyWindow(GUIWindow* window);
    void DestroyCursor(GUICursor* cursor);
    void DestroyButton(GUIButton* button);
    void DestroyCheckBox(GUICheckBox* checkBox);
    void DestroySlider(GUISlider* slider);
    void DestroyScroll(GUIScroll* scroll);
    void DestroyEditBox(GUIEditBox* editBox);

    // Every widget held, cursors included: a count that keeps rising while the screens come and go is a leak.
    u32 GetWidgetCount() const;

    GUISoundManager* GetSoundManager() const { return m_soundManager.get(); }
    GUIFontManager* GetFontManager() const { return m_fontManager.get(); }
    Camera* GetCamera() const { return m_services.camera; }
    const GUIServices& GetServices() const { return m_services; }

private:
    template <typename Widget, typename... Arguments>
    Widget* Create(ObjectManager<Widget>& list, Arguments&&... arguments);
    template <typename Widget>
    static void Destroy(ObjectManager<Widget>& list, Widget* widget);
    template <typename Widget>
    static void HandleMouse(const ObjectManager<Widget>& list, const Vector2& position, bool down, bool pressed);
    template <typename Widget>
    static void RenderAll(const ObjectManager<Widget>& list);
    template <typename Widget>
    static void Clear(std::unique_ptr<ObjectManager<Widget>>& list);

    GUIServices m_services;
    std::unique_ptr<GUIFontManager> m_fontManager;
    std::unique_ptr<GUISoundManager> m_soundManager;
    std::unique_ptr<ObjectManager<GUICursor>> m_cursors;
    std::unique_ptr<ObjectManager<GUIWindow>> m_windows;
    std::unique_ptr<ObjectManager<GUIButton>> m_buttons;
    std::unique_ptr<ObjectManager<GUICheckBox>> m_checkBoxes;
    std::unique_ptr<ObjectManager<GUIEditBox>> m_editBoxes;
    std::unique_ptr<ObjectManager<GUISlider>> m_sliders;
    std::unique_ptr<ObjectManager<GUIScroll>> m_scrolls;
    // In the cursor list like any other, so the mouse pass updates it first.
    GUICursor* m_defaultCursor = nullptr;
    Vector2 m_clickPosition;
};
}
