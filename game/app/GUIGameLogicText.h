// One floating text over the playfield: it grows in, rises, fades out and then reports itself spent, all
// within 1.95 s. Its lines are queued on the owner's GUI window every frame, centred on the text's place.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class GUIFontManager;
class GUIWindow;
class TimerManager;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u8;

class GUIGameLogicText
{
public:
    static constexpr f32 GrowTime = 0.2f;
    static constexpr f32 FullHeight = 22.0f;
    static constexpr f32 RiseSpeed = 35.0f;
    static constexpr f32 HoldTime = 1.0f;
    static constexpr f32 FadeTime = 0.75f;

    GUIGameLogicText(VelkorEngine::Engine* engine, const VelkorEngine::Vector2& position, const std::wstring& text,
                     i32 fontIndex, VelkorEngine::GUIWindow* window);
    virtual ~GUIGameLogicText() = default;

    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;

    // Ages the text by the frame time and queues its lines; the frame it expires in still draws it.
    void Update();
    // Moves the place so that the lines, grown to their full height, stand wholly on a screen of that size: a
    // text made at the screen's edge would otherwise start cut by it. A block larger than the screen is centred.
    void KeepInside(const VelkorEngine::Vector2& screenSize);

    bool IsAlive() const { return m_alive != 0; }
    f32 GetAge() const { return m_age; }
    const std::vector<std::wstring>& GetLines() const { return m_lines; }
    const VelkorEngine::Vector2& GetPosition() const { return m_position; }

private:
    struct Look
    {
        f32 height = 0.0f;
        f32 opacity = 0.0f;
        f32 rise = 0.0f;
    };

    Look LookAtAge();
    f32 MeasureWidth(const std::wstring& line, f32 height) const;
    void QueueLines(const Look& look);

    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::GUIFontManager* m_fontManager;
    i32 m_fontIndex;
    VelkorEngine::Vector2 m_position;
    std::vector<std::wstring> m_lines;
    VelkorEngine::GUIWindow* m_window;
    f32 m_age = 0.0f;
    u8 m_alive = 1;
};
}
