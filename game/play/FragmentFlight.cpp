// Flight, landing and sinking of a fragment.
#include "game/play/FragmentFlight.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Random.h"

#include <algorithm>
#include <cmath>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 kMostExplosions = 21;
constexpr f32 kLaunchRise = 0.75f;
constexpr f32 kLaunchLift = 1.5f;
constexpr f32 kGravity = 7.0f;
constexpr f32 kSpin = -8.0f;
constexpr f32 kFlightSpeed = 25.0f;
constexpr f32 kShrinkTime = 1.0f;
constexpr f32 kSinkRate = 4.0f;
constexpr f32 kGoneBelow = -0.2f;
constexpr f32 kTumbleLift = 0.3f;

Vector3 TranslationOf(const Matrix4& m)
{
    return Vector3(m.m[3], m.m[7], m.m[11]);
}
}

u32 ExplosionPoolSize(u32 blocksUsingIt)
{
    return std::max(1u, std::min(blocksUsingIt, std::min(blocksUsingIt / 2 + 1, kMostExplosions)));
}

FragmentFlight::FragmentFlight(const Settings& settings, const BoundingVolume& pieceBox)
    : m_settings(settings), m_pieceBox(pieceBox)
{
    const Vector3& half = pieceBox.GetHalfExtents();
    m_radius = std::max({half.x, half.y, half.z});
    MakeIdentityMatrix(m_basePose);
    MakeIdentityMatrix(m_rotation);
}

void FragmentFlight::Start(const Matrix4& basePose)
{
    m_basePose = basePose;
    m_translation = Vector3();
    MakeIdentityMatrix(m_rotation);
    m_scale = 1.0f;
    const f32 x = RandomSignedFloat();
    const f32 y = RandomSignedFloat();
    m_velocity = Vector3(x, y, kLaunchRise).GetNormalized();
    m_velocity.x *= m_settings.spreadFactor;
    m_velocity.y *= m_settings.spreadFactor;
    m_velocity.z += kLaunchLift;
    m_age = 0.0f;
    m_landedTime = 0.0f;
    m_sink = 0.0f;
    m_flying = 1;
    m_visible = 1;
}

void FragmentFlight::Update(f32 dt)
{
    if (m_flying == 0)
        return;
    m_age += dt;
    const bool landed = m_landedTime >= MathTolerance;
    if (!landed)
        Fly(dt * m_settings.speedFactor);
    if (m_radius > m_settings.targetRadius)
    {
        const f32 t = std::min(m_age, kShrinkTime);
        m_scale = (m_settings.targetRadius * t + m_radius * (1.0f - t)) / m_radius;
    }
    // On the ground it stays put and its time there keeps counting, so that it sinks in due course; the ground
    // holds it up as it lies, the sinking takes it down from there.
    m_sink = 0.0f;
    f32 lowest = 0.0f;
    f32 highest = 0.0f;
    GetHeightRange(lowest, highest);
    if (lowest < m_settings.groundHeight)
        m_translation.z += m_settings.groundHeight - lowest;
    if (landed || lowest < m_settings.groundHeight)
        m_landedTime += dt;
    m_sink = m_landedTime > m_settings.sinkDelay ? kSinkRate * (m_landedTime - m_settings.sinkDelay) : 0.0f;
    GetHeightRange(lowest, highest);
    if (highest < kGoneBelow)
    {
        m_visible = 0;
        m_flying = 0;
    }
}

void FragmentFlight::Fly(f32 step)
{
    m_velocity.z -= kGravity * step;
    const Vector3 axis(m_velocity.y, -m_velocity.x, kTumbleLift * m_velocity.z);
    if (axis.Length() >= MathTolerance)
    {
        Matrix4 turn;
        MakeRotationAxisMatrix(turn, axis.GetNormalized(), kSpin * step);
        m_rotation = turn * m_rotation;
    }
    m_translation += m_velocity * (kFlightSpeed * step);
}

// The piece turns and shrinks about its own centre, then moves with its flight and its sinking.
Matrix4 FragmentFlight::GetMatrix() const
{
    const Vector3 centre = TranslationOf(m_basePose);
    const Vector3 moved = m_translation - Vector3(0.0f, 0.0f, m_sink);
    return TranslationMatrix(centre + moved) * m_rotation * TranslationMatrix(Vector3() - centre) * m_basePose *
           ScalingMatrix(Vector3(m_scale));
}

void FragmentFlight::GetHeightRange(f32& lowest, f32& highest) const
{
    BoundingVolume placed = m_pieceBox;
    placed.SetTransform(GetMatrix());
    lowest = placed.GetWorldMinimum().z;
    highest = placed.GetWorldMaximum().z;
}

f32 FragmentFlight::GetShadowOpacity() const
{
    return ShadowStrength * (1.0f - std::min(m_landedTime, 1.0f));
}
}
