// The common speed of the balls: a level speed set by the lives left, limits around it, the speed-up and
// slow-down windows of the bonuses and the rise with every block destroyed.
#pragma once

#include "engine/core/Types.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class BallSpeed
{
public:
    static constexpr f32 Base = 60.0f;
    static constexpr f32 LivesStep = 2.3f;
    static constexpr f32 Minimum = 50.0f;
    static constexpr f32 Maximum = 125.0f;
    // Units per second by which a window's extra (or cut) grows and falls.
    static constexpr f32 ChangeRate = 30.0f;
    static constexpr f32 WindowPeak = 30.0f;
    static constexpr f32 WindowHold = 10.0f;

    // Speed at the level speed of these lives, no window running.
    explicit BallSpeed(u32 lives);

    static f32 SpeedByLives(u32 lives);

    void SetLives(u32 lives) { m_lives = lives; }
    f32 GetMinimum() const;
    f32 GetMaximum() const;
    // The running speed with the windows' extra and cut, within the limits.
    f32 GetSpeed() const;

    // A window started again begins again from nothing; the windows ride on the running speed without changing
    // it, so neither a restart nor the limits can leave a lasting gain or loss behind.
    void StartSpeedUp();
    void StartSlowDown();
    // keepHalf: halfway between the speed without its windows and the level speed; else the level speed.
    // Both windows end.
    void Reset(bool keepHalf);
    // Runs the windows for a frame and keeps the speed within its limits; only while a ball is in play.
    void Update(f32 dt);
    // One of the level's blocks destroyed: clearing them all raises the level speed to most of the maximum.
    void RiseForBlock(u32 levelBlockCount);

    bool IsSpeedUpActive() const { return m_speedUp.active != 0; }
    bool IsSlowDownActive() const { return m_slowDown.active != 0; }
    f32 GetSpeedUpExtra() const { return m_speedUp.amount; }
    f32 GetSlowDownCut() const { return m_slowDown.amount; }

private:
    struct Window
    {
        u8 active = 0;
        f32 amount = 0.0f;
        f32 time = 0.0f;

        void Advance(f32 dt);
        void End() { *this = Window(); }
    };

    f32 Clamped(f32 speed) const;

    u32 m_lives = 0;
    // Without the windows: the level speed with the rises of the blocks destroyed.
    f32 m_running = Base;
    Window m_speedUp;
    Window m_slowDown;
};
}
