// How the bat moves, apart from its models: its place along the bat line after the cursor, its lean, recoil,
// tilt and wobble, the width the bonuses give its head, and its rise into place at the start of a level and
// after a lost life. The bat applies the result to its parts once a frame.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u8;

class BatMotion
{
public:
    static constexpr f32 Range = 150.0f;
    static constexpr f32 LineY = -85.0f;
    static constexpr f32 RiseDepth = -30.0f;
    static constexpr f32 StartDelay = 1.8f;
    static constexpr f32 DefaultWidth = 20.0f;
    static constexpr f32 MostWidth = 60.0f;
    static constexpr f32 WidthStep = 20.0f;
    static constexpr f32 GuiWidth = 800.0f;

    // Armed with the start delay, then reset.
    BatMotion();

    // Back in the middle, at the default width, 30 units down and rising; the start delay is not armed again.
    void Reset();

    void Widen();
    void Narrow();
    void KnockBack();
    void SetPaused(bool stopped) { m_stopped = stopped ? 1 : 0; }

    // One frame. following: the game is active, so the bat goes where the GUI cursor's x points;
    // headHalfWidth: the head's half width as shown now, which keeps it inside its range.
    // Returns true in the frame the bat starts rising into place (the moment for its sound).
    bool Update(f32 dt, bool following, f32 cursorX, f32 headHalfWidth);

    // The bat's place on the playfield: x -75..75 along the line y = -85.
    VelkorEngine::Vector3 GetWorldPosition() const;
    // How much wider than its mesh the head is drawn (and collides), along x.
    f32 GetHeadScale() const { return (DefaultWidth + m_shownWidth) / DefaultWidth; }

    f32 GetX() const { return m_x; }
    f32 GetLean() const { return m_lean; }
    f32 GetRecoilOffset() const { return m_recoilOffset; }
    f32 GetTiltAngle() const { return m_tiltAngle; }
    f32 GetWobblePhase() const { return m_wobblePhase; }
    f32 GetWobbleRate() const { return m_wobbleRate; }
    f32 GetTargetWidth() const { return m_targetWidth; }
    f32 GetShownWidth() const { return m_shownWidth; }
    f32 GetRiseOffset() const { return m_riseOffset; }
    bool IsReady() const { return m_ready != 0; }
    bool HasRisen() const { return m_risen != 0; }
    // The bat stops being ready once its fragments have settled after a lost life.
    void SetReady(bool ready) { m_ready = ready ? 1 : 0; }

private:
    void UpdateWidth(f32 dt);
    void UpdateLean(f32 dt, f32 dx);
    void UpdateRecoil(f32 dt);
    void UpdateTilt(f32 dt, f32 dx);
    void UpdateWobble(f32 dt, f32 dx);
    bool UpdateRise(f32 dt);

    f32 m_x = 0.0f;
    f32 m_lean = 0.0f;
    f32 m_recoilOffset = 0.0f;
    f32 m_recoilSpeed = 0.0f;
    f32 m_tiltAngle = 0.0f;
    f32 m_tiltSpeed = 0.0f;
    f32 m_wobblePhase = 0.0f;
    f32 m_wobbleRate = 0.5f;
    f32 m_targetWidth = DefaultWidth;
    f32 m_shownWidth = DefaultWidth;
    f32 m_riseSpeed = 0.0f;
    f32 m_riseOffset = 0.0f;
    u8 m_startDelayPending = 0;
    f32 m_startDelay = 0.0f;
    u8 m_ready = 0;
    u8 m_risen = 0;
    u8 m_stopped = 0;
};
}
