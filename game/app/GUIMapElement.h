// One marker of the level map: a 3D model drawn inside the map's panel with a shadow beside it and an
// invisible button over it. Its frame tells the player whether the level is passed, selected, ahead or
// still locked; it fades in and out with the map window.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "game/app/MapFile.h"

namespace VelkorEngine
{
class Engine;
class GUIButton;
class GUIManager;
class GUIWindow;
}

namespace GameTools
{
class DataKeeper;
}

namespace GameFramework
{
class GUIDoubleClickDetecter;
}

namespace Korvane
{
using VelkorEngine::u8;

class GUIMapElement
{
public:
    enum State : u32
    {
        Ahead = 0,
        Passed = 1,
        Highlighted = 2,
        Selected = 3,
        Locked = 4,
        ShadowFrame = 5,
    };

    GUIMapElement(VelkorEngine::Engine* engine, GameTools::DataKeeper* dataKeeper,
                  GameFramework::GUIDoubleClickDetecter* doubleClicks, MapElementType type,
                  const VelkorEngine::Matrix4& record, const VelkorEngine::Vector2& origin, u32 stage, u32 level,
                  VelkorEngine::GUIWindow* parentWindow);
    virtual ~GUIMapElement();

    GUIMapElement(const GUIMapElement&) = delete;
    GUIMapElement& operator=(const GUIMapElement&) = delete;

    void SetState(u32 state);
    void SetAlpha(f32 alpha);
    void SetFade(f32 fade);
    // Showing gives the marker its input back.
    void Show(bool visible);
    void DisableInput();
    // Lights the marker while the mouse is over it, when allowed; passed and ahead markers only.
    void UpdateHighlight(bool allow);
    bool IsClicked() const;
    bool IsVisible() const;
    bool IsDoubleClicked() const;
    // A selected path step is drawn with the check point's model.
    void SetCheckPointLook(bool on);

    MapElementType GetType() const { return m_type; }
    u32 GetStage() const { return m_stage; }
    u32 GetLevel() const { return m_level; }
    u32 GetState() const { return m_state; }
    bool IsHighlighted() const { return m_highlighted != 0; }
    bool IsInputDisabled() const { return m_inputDisabled != 0; }
    bool HasCheckPointLook() const { return m_checkPointLook != 0; }
    f32 GetStateAlpha() const { return m_stateAlpha; }
    f32 GetFade() const { return m_fade; }
    u32 GetFrame() const { return m_frame; }
    const VelkorEngine::Matrix4& GetMatrix() const { return m_matrix; }
    VelkorEngine::GUIButton* GetButton() const { return m_button; }
    VelkorEngine::GUIWindow* GetMainWindow() const { return m_mainWindow; }
    VelkorEngine::GUIWindow* GetShadowWindow() const { return m_shadowWindow; }

    // The model and shader names of a marker kind; empty for a kind the map does not know.
    static const char* ResourceName(MapElementType type);

private:
    void CreateModelWindows(const char* resourceName);
    VelkorEngine::GUIWindow* CreateModelWindow(const char* resourceName, const VelkorEngine::Matrix4& matrix,
                                               VelkorEngine::i32 layer);
    void DestroyModelWindows();
    void CreateButton(const VelkorEngine::Vector2& origin);
    void ShowFrame(VelkorEngine::GUIWindow* window, u32 frame);
    void SetMainFrame(u32 frame);
    void SetButtonEnabled(bool enabled);

    VelkorEngine::GUIManager* m_guiManager;
    GameTools::DataKeeper* m_dataKeeper;
    GameFramework::GUIDoubleClickDetecter* m_doubleClicks;
    VelkorEngine::GUIWindow* m_parentWindow;
    VelkorEngine::GUIWindow* m_mainWindow = nullptr;
    VelkorEngine::GUIWindow* m_shadowWindow = nullptr;
    VelkorEngine::GUIButton* m_button = nullptr;
    VelkorEngine::Matrix4 m_matrix;
    MapElementType m_type;
    u8 m_highlighted = 0;
    u32 m_stage;
    u32 m_level;
    u32 m_state = Ahead;
    u8 m_inputDisabled = 0;
    u8 m_checkPointLook = 0;
    f32 m_stateAlpha = 1.0f;
    f32 m_fade = 0.0f;
    u32 m_frame = Ahead;
};
}
