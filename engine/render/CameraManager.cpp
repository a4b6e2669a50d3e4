// Camera table, per-frame camera update, camera application and screen projections.
#include "engine/render/CameraManager.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Vector4.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/RenderSystem.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// View followed by projection, in the column-vector layout that Matrix4::Transform takes.
Matrix4 ViewProjection(const Camera& camera)
{
    Matrix4 m = camera.GetViewMatrix() * camera.GetProjectionMatrix();
    m.Transpose();
    return m;
}
}

CameraManager::CameraManager(MessageManager*, Window* window, RenderSystem* renderSystem)
    : m_window(window), m_renderSystem(renderSystem)
{
    m_defaultCamera = CreateCamera(Camera::KindPerspective);
}

CameraManager::~CameraManager() = default;

Camera* CameraManager::CreateCamera(u32 kind)
{
    return m_cameras.Add(m_renderSystem->CreateCamera(kind));
}

void CameraManager::DeleteCamera(Camera* camera)
{
    if (camera == m_defaultCamera)
        return;
    if (m_cameras.Remove(camera) && m_currentCamera == camera)
        m_currentCamera = nullptr;
}

void CameraManager::SetCurrentCamera(Camera* camera, bool zBiased)
{
    if (camera == m_currentCamera && zBiased == m_currentZBiased)
        return;
    m_currentCamera = camera;
    m_currentZBiased = zBiased;
    if (camera == nullptr)
        return;
    if (zBiased)
        camera->ApplyZBiased();
    else
        camera->Apply();
}

void CameraManager::Update()
{
    m_viewportX = 0;
    m_viewportY = 0;
    m_viewportWidth = m_window->GetWidth();
    m_viewportHeight = m_window->GetHeight();
    m_cameras.ForEach([](Camera& camera) { camera.Update(); });
    m_currentCamera = nullptr;
}

Vector2 CameraManager::ProjectToScreen(const Camera* camera, const Vector3& point) const
{
    const Vector4 clip = ViewProjection(*camera).Transform(Vector4(point));
    // A point on the camera's own plane has no screen position; it is put at the centre rather than at
    // infinity.
    Vector3 normalised(0.0f, 0.0f, 0.0f);
    if (std::fabs(clip.w) >= MathTolerance)
        normalised = Vector3(clip.x, clip.y, clip.z) / clip.w;
    const Vector3 s = normalised * 0.5f + Vector3(0.5f);
    return Vector2(static_cast<f32>(m_viewportWidth) * s.x + static_cast<f32>(m_viewportX),
                   static_cast<f32>(m_viewportHeight) * s.y + static_cast<f32>(m_viewportY));
}

Vector3 CameraManager::UnprojectFromScreen(const Camera* camera, const Vector3& screenPoint) const
{
    Matrix4 inverse = camera->GetViewMatrix() * camera->GetProjectionMatrix();
    inverse.Invert();
    inverse.Transpose();
    const f32 width = static_cast<f32>(m_viewportWidth);
    const f32 height = static_cast<f32>(m_viewportHeight);
    const Vector4 normalised(2.0f * (screenPoint.x - static_cast<f32>(m_viewportX)) / width - 1.0f,
                             2.0f * (screenPoint.y - static_cast<f32>(m_viewportY)) / height - 1.0f,
                             2.0f * screenPoint.z - 1.0f, 1.0f);
    const Vector4 world = inverse.Transform(normalised);
    if (std::fabs(world.w) < MathTolerance)
        return Vector3(0.0f, 0.0f, 0.0f);
    return Vector3(world.x, world.y, world.z) / world.w;
}
}
