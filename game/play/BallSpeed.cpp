// Ball speed by lives, bonus windows and block rises.
#include "game/play/BallSpeed.h"

#include "engine/core/MathTolerance.h"

#include <algorithm>

namespace Korvane
{
namespace
{
// Steps of the level speed from the base, by lives 0 to 11 (and more).
constexpr f32 kStepsByLives[] = {-8, -4, -2, -1, 0, 2, 4, 6, 8, 10, 12, 14};
constexpr u32 kLastLivesRow = sizeof(kStepsByLives) / sizeof(kStepsByLives[0]) - 1;
// Clearing a level takes the speed to this blend of the maximum and the level speed.
constexpr f32 kClearedShareOfMaximum = 0.78f;
}

BallSpeed::BallSpeed(u32 lives) : m_lives(lives)
{
    Reset(false);
}

f32 BallSpeed::SpeedByLives(u32 lives)
{
    return Base + kStepsByLives[std::min(lives, kLastLivesRow)] * LivesStep;
}

f32 BallSpeed::GetMinimum() const
{
    return SpeedByLives(m_lives) + (Minimum - Base);
}

f32 BallSpeed::GetMaximum() const
{
    return SpeedByLives(m_lives) + (Maximum - Base);
}

f32 BallSpeed::GetSpeed() const
{
    return Clamped(m_running + m_speedUp.amount - m_slowDown.amount);
}

void BallSpeed::StartSpeedUp()
{
    m_speedUp.End();
    m_speedUp.active = 1;
}

void BallSpeed::StartSlowDown()
{
    m_slowDown.End();
    m_slowDown.active = 1;
}

void BallSpeed::Reset(bool keepHalf)
{
    const f32 level = SpeedByLives(m_lives);
    m_running = Clamped(keepHalf ? 0.5f * m_running + 0.5f * level : level);
    m_speedUp.End();
    m_slowDown.End();
}

void BallSpeed::Update(f32 dt)
{
    if (m_speedUp.active != 0)
        m_speedUp.Advance(dt);
    if (m_slowDown.active != 0)
        m_slowDown.Advance(dt);
    m_running = Clamped(m_running);
}

void BallSpeed::RiseForBlock(u32 levelBlockCount)
{
    // A level without blocks has nothing to clear, and nothing to divide by.
    if (levelBlockCount == 0)
        return;
    const f32 level = SpeedByLives(m_lives);
    const f32 cleared = kClearedShareOfMaximum * GetMaximum() + (1.0f - kClearedShareOfMaximum) * level;
    m_running += (cleared - level) / static_cast<f32>(levelBlockCount);
}

f32 BallSpeed::Clamped(f32 speed) const
{
    return std::clamp(speed, GetMinimum(), GetMaximum());
}

void BallSpeed::Window::Advance(f32 dt)
{
    time += dt;
    if (time < WindowHold)
    {
        amount = std::min(amount + ChangeRate * dt, WindowPeak);
        return;
    }
    amount = std::max(amount - ChangeRate * dt, 0.0f);
    if (amount < VelkorEngine::MathTolerance)
        End();
}
}
