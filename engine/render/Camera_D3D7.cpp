// Device projections of the Direct3D 7 camera and their application.
#include "engine/render/Camera_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

#include <cmath>
#include <cstring>

namespace VelkorEngine
{
namespace
{
// The far plane of the z-biased projection lies this much further, so what it draws wins depth ties.
constexpr f32 kZBias = 1.0f;
}

Camera_D3D7::Camera_D3D7(RenderSystem_D3D7* renderSystem, u32 kind) : Camera(kind), m_renderSystem(renderSystem)
{
}

void Camera_D3D7::Update()
{
    m_deviceProjection = BuildDeviceProjection(farPlane);
    m_deviceZBiasedProjection = BuildDeviceProjection(farPlane + kZBias);
    Camera::Update();
}

Matrix4 Camera_D3D7::BuildDeviceProjection(f32 far) const
{
    Matrix4 p;
    const f32 near = nearPlane;
    if (IsPerspective())
    {
        const f32 t = near * std::tan(kAspect * fieldOfView * 0.25f);
        const f32 b = -t;
        const f32 r = t * kAspect;
        const f32 l = b * kAspect;
        p.m[0] = 2.0f * near / (r - l);
        p.m[5] = 2.0f * near / (t - b);
        p.m[8] = (r + l) / (l - r);
        p.m[9] = (t + b) / (b - t);
        p.m[10] = far / (far - near);
        p.m[11] = 1.0f;
        p.m[14] = far * near / (near - far);
    }
    else
    {
        p.m[0] = 2.0f / orthoWidth;
        p.m[5] = 2.0f / orthoHeight;
        p.m[10] = 1.0f / (near - far);
        p.m[12] = -1.0f;
        p.m[13] = -1.0f;
        p.m[14] = near / (near - far);
        p.m[15] = 1.0f;
    }
    return p;
}

void Camera_D3D7::Apply()
{
    SetOnDevice(m_deviceProjection, "Camera_D3D7::Apply");
}

void Camera_D3D7::ApplyZBiased()
{
    SetOnDevice(m_deviceZBiasedProjection, "Camera_D3D7::ApplyZBiased");
}

// The device is asked of the render system each time: a reset re-creates it.
void Camera_D3D7::SetOnDevice(const Matrix4& projection, const char* context)
{
    D3DMATRIX matrix;
    std::memcpy(&matrix, projection.m, sizeof matrix);
    m_renderSystem->CheckResult(context,
                                m_renderSystem->GetDevice()->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix));
    m_renderSystem->SetViewMatrix(GetViewMatrix());
}
}
