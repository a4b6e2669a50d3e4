// How one piece of a broken block (or bat) flies: launched from its place in the block, it tumbles and falls
// under gravity, shrinks to a common size, lands on the ground, lies there a while and sinks away. The fragment
// owning the piece's model applies the matrix this gives once a frame.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

// Explosions kept for a kind of block used by that many blocks of a level: about half of them, at most 21.
u32 ExplosionPoolSize(u32 blocksUsingIt);

class FragmentFlight
{
public:
    struct Settings
    {
        f32 speedFactor = 1.0f;
        f32 spreadFactor = 1.0f;
        f32 targetRadius = 2.8f;
        f32 sinkDelay = 12.0f;
        f32 groundHeight = 0.0f;
    };

    static constexpr f32 ShadowStrength = 0.25f;

    // pieceBox: the piece's own box, centred on its local origin.
    FragmentFlight(const Settings& settings, const VelkorEngine::BoundingVolume& pieceBox);

    // basePose: where the piece sits in the block when the block breaks (its centre at the translation). Takes
    // its launch direction from the shared random numbers.
    void Start(const VelkorEngine::Matrix4& basePose);
    void Update(f32 dt);

    VelkorEngine::Matrix4 GetMatrix() const;
    bool IsFlying() const { return m_flying != 0; }
    // The piece is drawn until it has sunk out of sight.
    bool IsVisible() const { return m_visible != 0; }
    // Full strength in the air, fading out over the first second on the ground.
    f32 GetShadowOpacity() const;
    f32 GetLandedTime() const { return m_landedTime; }
    f32 GetScale() const { return m_scale; }
    f32 GetRadius() const { return m_radius; }
    const VelkorEngine::Vector3& GetVelocity() const { return m_velocity; }
    // The lowest and highest points of the piece as it is placed now.
    void GetHeightRange(f32& lowest, f32& highest) const;

private:
    void Fly(f32 step);

    Settings m_settings;
    VelkorEngine::BoundingVolume m_pieceBox;
    f32 m_radius = 0.0f;
    VelkorEngine::Matrix4 m_basePose;
    VelkorEngine::Vector3 m_translation;
    VelkorEngine::Matrix4 m_rotation;
    f32 m_scale = 1.0f;
    VelkorEngine::Vector3 m_velocity;
    f32 m_age = 0.0f;
    f32 m_landedTime = 0.0f;
    f32 m_sink = 0.0f;
    u8 m_flying = 0;
    u8 m_visible = 0;
};
}
