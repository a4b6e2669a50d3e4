// The game's mouse cursor: a drawn cursor with a particle trail that follows the pointer and a burst where each
// click was made. The trail is switched off while a level is played.
#pragma once

#include "engine/core/Vector2.h"
#include "framework/GUIGameCursorBase.h"

namespace GameTools
{
class DataKeeper;
}

namespace VelkorEngine
{
class ParticleSystem;
}

namespace Korvane
{
class GUIGameCursor : public GameFramework::GUIGameCursorBase
{
public:
    static constexpr VelkorEngine::u32 CursorId = 0;
    static constexpr VelkorEngine::u16 SystemCursorResource = 1000;
    static constexpr VelkorEngine::f32 CursorSize = 40.0f;
    // The trail comes out of the drawn cursor's tip, not the pointer's hot spot.
    static constexpr VelkorEngine::f32 TrailOffsetX = 12.0f;
    static constexpr VelkorEngine::f32 TrailOffsetY = -18.0f;

    explicit GUIGameCursor(VelkorEngine::Engine* engine);
    ~GUIGameCursor() override;

    bool Update() override;
    void SetCursorVisible(bool visible) override;

    // The trail and the burst are copies of the keeper's "ui/cursor_train" and "ui/cursor_click".
    void CreateEffects(GameTools::DataKeeper* keeper);
    void SetTrailEnabled(bool enabled);

    bool IsTrailEnabled() const { return m_trailEnabled; }
    VelkorEngine::ParticleSystem* GetTrail() const { return m_trail; }
    VelkorEngine::ParticleSystem* GetClick() const { return m_click; }

private:
    VelkorEngine::ParticleSystem* CopyEffect(GameTools::DataKeeper* keeper, const char* name);
    VelkorEngine::Vector2 CursorPosition() const;

    VelkorEngine::Engine* m_engine;
    VelkorEngine::ParticleSystem* m_trail = nullptr;
    VelkorEngine::ParticleSystem* m_click = nullptr;
    bool m_trailEnabled = true;
};
}
