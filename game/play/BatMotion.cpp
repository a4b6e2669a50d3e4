// The bat's motion, step by step as one frame runs it.
#include "game/play/BatMotion.h"

#include "engine/core/MathTolerance.h"

#include <algorithm>
#include <cmath>

using VelkorEngine::MathTolerance;

namespace Korvane
{
namespace
{
constexpr f32 kWidthRate = 55.0f;
constexpr f32 kLeanPerMove = 10.0f;
constexpr f32 kLeanReturn = 6.0f;
constexpr f32 kMostLean = 2.5f;
constexpr f32 kKnockSpeed = -9.0f;
constexpr f32 kDeepestRecoil = -0.9f;
constexpr f32 kRecoilReturnSpeed = 6.0f;
constexpr f32 kTiltDamping = 5.0f;
constexpr f32 kTiltPerMove = 0.12f;
constexpr f32 kMostTiltSpeed = 1.5f;
constexpr f32 kMostTilt = 3.14159265f / 24.0f;
constexpr f32 kWobbleDamping = 1.0f;
constexpr f32 kWobblePerMove = 0.2f;
constexpr f32 kLeastWobble = 0.5f;
constexpr f32 kMostWobble = 8.0f;
constexpr f32 kRiseStartSpeed = 75.0f;
constexpr f32 kRiseBraking = 92.0f;
constexpr f32 kLeastRiseSpeed = 6.0f;
constexpr f32 kHalfRange = BatMotion::Range / 2.0f;

// Damps a value towards 0, never past it.
f32 Damped(f32 value, f32 factor, f32 dt)
{
    const f32 damped = value - value * factor * dt;
    return (damped > 0.0f) != (value > 0.0f) ? 0.0f : damped;
}
}

BatMotion::BatMotion() : m_startDelayPending(1), m_startDelay(StartDelay)
{
    Reset();
}

void BatMotion::Reset()
{
    m_x = kHalfRange;
    m_lean = 0.0f;
    m_recoilOffset = 0.0f;
    m_recoilSpeed = 0.0f;
    m_tiltAngle = 0.0f;
    m_tiltSpeed = 0.0f;
    m_targetWidth = DefaultWidth;
    m_shownWidth = DefaultWidth;
    m_riseSpeed = kRiseStartSpeed;
    m_riseOffset = RiseDepth;
    m_ready = 0;
    m_risen = 0;
}

void BatMotion::Widen()
{
    m_targetWidth = std::min(m_targetWidth + WidthStep, MostWidth);
}

void BatMotion::Narrow()
{
    m_targetWidth = std::max(m_targetWidth - WidthStep, 0.0f);
}

void BatMotion::KnockBack()
{
    m_recoilSpeed = kKnockSpeed;
}

bool BatMotion::Update(f32 dt, bool following, f32 cursorX, f32 headHalfWidth)
{
    UpdateWidth(dt);
    const f32 before = m_x;
    if (following)
    {
        // A head wider than the range is held in the middle rather than thrown from end to end.
        const f32 reach = std::min(headHalfWidth, kHalfRange);
        m_x = std::clamp(cursorX / GuiWidth * Range, reach, Range - reach);
    }
    const f32 dx = m_x - before;
    UpdateLean(dt, dx);
    UpdateRecoil(dt);
    UpdateTilt(dt, dx);
    UpdateWobble(dt, dx);
    return UpdateRise(dt);
}

void BatMotion::UpdateWidth(f32 dt)
{
    const f32 step = kWidthRate * dt;
    m_shownWidth += std::clamp(m_targetWidth - m_shownWidth, -step, step);
    m_shownWidth = std::clamp(m_shownWidth, 0.0f, MostWidth);
}

void BatMotion::UpdateLean(f32 dt, f32 dx)
{
    m_lean = std::clamp(m_lean - dx * kLeanPerMove * dt, -kMostLean, kMostLean);
    m_lean -= m_lean * kLeanReturn * dt;
}

void BatMotion::UpdateRecoil(f32 dt)
{
    if (std::fabs(m_recoilSpeed) <= MathTolerance)
        return;
    m_recoilOffset += m_recoilSpeed * dt;
    if (m_recoilOffset > 0.0f)
    {
        m_recoilOffset = 0.0f;
        m_recoilSpeed = 0.0f;
    }
    else if (m_recoilOffset < kDeepestRecoil)
    {
        m_recoilOffset = kDeepestRecoil;
        m_recoilSpeed = kRecoilReturnSpeed;
    }
}

void BatMotion::UpdateTilt(f32 dt, f32 dx)
{
    m_tiltSpeed = Damped(m_tiltSpeed, kTiltDamping, dt);
    m_tiltAngle = Damped(m_tiltAngle, kTiltDamping, dt);
    m_tiltSpeed = std::clamp(m_tiltSpeed + dx * kTiltPerMove, -kMostTiltSpeed, kMostTiltSpeed);
    m_tiltAngle = std::clamp(m_tiltAngle + m_tiltSpeed * dt, -kMostTilt, kMostTilt);
}

void BatMotion::UpdateWobble(f32 dt, f32 dx)
{
    m_wobbleRate -= m_wobbleRate * kWobbleDamping * dt;
    m_wobbleRate = std::clamp(m_wobbleRate + std::fabs(dx) * kWobblePerMove, kLeastWobble, kMostWobble);
    m_wobblePhase += m_wobbleRate * dt;
}

bool BatMotion::UpdateRise(f32 dt)
{
    if (m_riseOffset >= -MathTolerance || m_stopped != 0)
        return false;
    if (m_startDelayPending != 0)
    {
        m_startDelay -= dt;
        if (m_startDelay <= 0.0f)
        {
            m_startDelayPending = 0;
            m_ready = 1;
        }
        return false;
    }
    const bool starting = m_riseOffset == RiseDepth;
    m_riseSpeed = std::max(m_riseSpeed - kRiseBraking * dt, kLeastRiseSpeed);
    m_riseOffset += m_riseSpeed * dt;
    if (m_riseOffset > -MathTolerance)
    {
        m_riseOffset = 0.0f;
        m_ready = 1;
        m_risen = 1;
    }
    return starting;
}

VelkorEngine::Vector3 BatMotion::GetWorldPosition() const
{
    return VelkorEngine::Vector3(-kHalfRange + m_x + m_lean, LineY + m_riseOffset + m_recoilOffset, 0.0f);
}
}
