// The game's mouse cursors: each cursor id has a system cursor and a drawn GUI cursor, and the setting
// "ui_custom_cursor" chooses which of the two kinds is shown. The game's own cursor derives from it.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Window.h"

#include <map>

namespace VelkorEngine
{
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class MessageManager;
}

namespace GameFramework
{
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIGameCursorBase
{
public:
    explicit GUIGameCursorBase(VelkorEngine::Engine* engine);
    virtual ~GUIGameCursorBase();

    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;

    // Once a frame while the setting's change is visible (after the engine's render step): false while the
    // cursor is hidden; otherwise switches to the kind the setting now asks for and returns true.
    virtual bool Update();
    virtual void SetCursorVisible(bool visible);

    // The GUI cursor starts hidden; an id already registered keeps its first pair. A null GUI cursor is
    // refused with a log line, so every registered pair has one to show.
    void RegisterCursor(u32 cursorId, u16 resourceId, VelkorEngine::GUICursor* guiCursor);
    // The visible state moves to the new cursor.
    void SetCursor(u32 cursorId);
    bool IsCursorVisible() const;

    bool IsCustomCursorInUse() const { return m_customCursorInUse != 0; }
    u32 GetCurrentCursorId() const { return m_currentCursorId; }

private:
    struct CursorPair
    {
        HCURSOR systemCursor = nullptr;
        VelkorEngine::GUICursor* guiCursor = nullptr; // owned through the GUI manager
    };

    static constexpr u32 NoCursor = 0xFFFFFFFF;

    bool UsesGUICursor() const { return m_customCursorInUse && m_current; }

    VelkorEngine::MessageManager* m_log;
    VelkorEngine::Window* m_window;
    VelkorEngine::Config* m_config;
    VelkorEngine::GUIManager* m_guiManager;
    VelkorEngine::Controls* m_controls;
    u8 m_customCursorSetting = 1;
    u8 m_customCursorInUse = 1;
    std::map<u32, CursorPair> m_cursors;
    u32 m_currentCursorId = NoCursor;
    CursorPair* m_current = nullptr;
};
}
