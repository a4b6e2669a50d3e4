// Drives the engine's current camera for the playfield: lens values, a start pose that can be held, and
// rotation and position key frames played by an animation control.
#pragma once

#include "engine/core/Quaternion.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <memory>
#include <vector>

namespace VelkorEngine
{
class AnimationControl;
class Camera;
class Engine;
class MessageManager;
class TimerManager;
}

namespace GameTools
{
using VelkorEngine::f32;
using VelkorEngine::u8;

class GameCamera
{
public:
    // Takes the engine's current camera; one key frame: the identity rotation at the origin.
    explicit GameCamera(VelkorEngine::Engine* engine);
    virtual ~GameCamera();

    GameCamera(const GameCamera&) = delete;
    GameCamera& operator=(const GameCamera&) = delete;

    void SetFieldOfView(f32 radians);
    f32 GetFieldOfView() const;
    void SetNearPlane(f32 distance);
    void SetFarPlane(f32 distance);

    // Holds the start pose until the animation is started.
    void ResetToStartPose();
    // Once a frame: the held pose or the blended key frames, written into the engine camera.
    void Update();

    // Component by component, the second rotation negated first when the two lie on opposite sides of the
    // sphere, so the blend takes the short way round; the result is not normalised.
    static VelkorEngine::Quaternion BlendRotation(const VelkorEngine::Quaternion& a, VelkorEngine::Quaternion b, f32 t);

    VelkorEngine::AnimationControl& GetAnimationControl() { return *m_animation; }
    const VelkorEngine::Quaternion& GetRotation() const { return m_rotation; }
    const VelkorEngine::Vector3& GetPosition() const { return m_position; }
    bool IsHeld() const { return m_hold != 0; }

    // Set by the owner before ResetToStartPose.
    VelkorEngine::Quaternion startRotation;
    VelkorEngine::Vector3 startPosition;
    std::vector<VelkorEngine::Quaternion> rotationKeys;
    std::vector<VelkorEngine::Vector3> positionKeys;

private:
    void BlendKeyFrames();

    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::TimerManager* m_timerManager = nullptr;
    VelkorEngine::Camera* m_camera = nullptr;
    std::unique_ptr<VelkorEngine::AnimationControl> m_animation;
    u8 m_hold = 0;
    VelkorEngine::Quaternion m_rotation;
    VelkorEngine::Vector3 m_position;
};
}
