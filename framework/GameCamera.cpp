// The playfield camera: a held start pose or key frames blended by an animation control.
#include "framework/GameCamera.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/scene/AnimationControl.h"

#include <algorithm>

namespace GameTools
{
using VelkorEngine::Quaternion;
using VelkorEngine::Vector3;

namespace
{
template <typename Key>
const Key& KeyAt(const std::vector<Key>& keys, VelkorEngine::u32 index)
{
    return keys[std::min<size_t>(index, keys.size() - 1)];
}

// The camera manager names a current camera only while models are being drawn; between frames, where the play
// is made, the camera the models are drawn with is its default one.
VelkorEngine::Camera* DrivenCamera(VelkorEngine::CameraManager& cameras)
{
    VelkorEngine::Camera* current = cameras.GetCurrentCamera();
    return current != nullptr ? current : cameras.GetDefaultCamera();
}
}

GameCamera::GameCamera(VelkorEngine::Engine* engine)
    : m_engine(engine), m_log(engine->GetMessageManager()), m_timerManager(engine->GetTimerManager()),
      m_camera(DrivenCamera(*engine->GetCameraManager())),
      m_animation(std::make_unique<VelkorEngine::AnimationControl>(m_log, m_timerManager, 1))
{
    rotationKeys.emplace_back(0.0f, 0.0f, 0.0f, 1.0f);
    positionKeys.emplace_back(0.0f, 0.0f, 0.0f);
    startRotation = rotationKeys.front();
    startPosition = positionKeys.front();
    m_rotation = startRotation;
    m_position = startPosition;
}

GameCamera::~GameCamera() = default;

Quaternion GameCamera::BlendRotation(const Quaternion& a, Quaternion b, f32 t)
{
    if (a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w < 0.0f)
        b = Quaternion(-b.x, -b.y, -b.z, -b.w);
    const f32 s = 1.0f - t;
    return Quaternion(a.x * s + b.x * t, a.y * s + b.y * t, a.z * s + b.z * t, a.w * s + b.w * t);
}

// Without a current camera in the engine there is nothing to drive; the pose is still kept.
void GameCamera::SetFieldOfView(f32 radians)
{
    if (m_camera)
        m_camera->fieldOfView = radians;
}

f32 GameCamera::GetFieldOfView() const
{
    return m_camera ? m_camera->fieldOfView : 0.0f;
}

void GameCamera::SetNearPlane(f32 distance)
{
    if (m_camera)
        m_camera->nearPlane = distance;
}

void GameCamera::SetFarPlane(f32 distance)
{
    if (m_camera)
        m_camera->farPlane = distance;
}

void GameCamera::ResetToStartPose()
{
    m_hold = 1;
    m_rotation = startRotation;
    m_position = startPosition;
}

void GameCamera::Update()
{
    const bool running = m_animation->IsPlaying() != 0;
    m_animation->Update();
    if (!m_hold || running)
    {
        m_hold = 0;
        BlendKeyFrames();
    }
    else
    {
        m_rotation = startRotation;
        m_position = startPosition;
    }
    if (!m_camera)
        return;
    m_camera->orientation = m_rotation;
    m_camera->position = m_position;
}

void GameCamera::BlendKeyFrames()
{
    if (rotationKeys.empty() || positionKeys.empty())
        return;
    const VelkorEngine::u32 a = m_animation->GetFrame();
    const VelkorEngine::u32 b = m_animation->GetNextFrame();
    const f32 t = m_animation->GetBlend();
    m_rotation = BlendRotation(KeyAt(rotationKeys, a), KeyAt(rotationKeys, b), t);
    const Vector3& from = KeyAt(positionKeys, a);
    const Vector3& to = KeyAt(positionKeys, b);
    const f32 s = 1.0f - t;
    m_position = Vector3(from.x * s + to.x * t, from.y * s + to.y * t, from.z * s + to.z * t);
}
}
