// Camera matrices: the engine projection (clip z from -w to w), the view matrix, axes and frustum.
#include "engine/render/Camera.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
Matrix4 Zero()
{
    Matrix4 m;
    for (f32& element : m.m)
        element = 0.0f;
    return m;
}
}

Camera::Camera(u32 kind)
    : m_kind(kind), m_projection(IdentityMatrix()), m_view(IdentityMatrix()), m_frustum(std::make_unique<Frustum>())
{
}

Camera::~Camera() = default;

void Camera::Update()
{
    BuildProjection();
    BuildView();
    DeriveAxes();
    m_frustum->Update(m_projection, m_view);
}

void Camera::BuildProjection()
{
    Matrix4 p = Zero();
    if (IsPerspective())
    {
        const f32 t = nearPlane * std::tan(kAspect * fieldOfView * 0.25f);
        const f32 b = -t;
        const f32 r = t * kAspect;
        const f32 l = b * kAspect;
        p.m[0] = 2.0f * nearPlane / (r - l);
        p.m[5] = 2.0f * nearPlane / (t - b);
        p.m[8] = (r + l) / (r - l);
        p.m[9] = (t + b) / (t - b);
        p.m[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
        p.m[11] = -1.0f;
        p.m[14] = -2.0f * farPlane * nearPlane / (farPlane - nearPlane);
    }
    else
    {
        // The box spans 0 to width and 0 to height.
        p.m[0] = 2.0f / orthoWidth;
        p.m[5] = 2.0f / orthoHeight;
        p.m[10] = -2.0f / (farPlane - nearPlane);
        p.m[12] = -1.0f;
        p.m[13] = -1.0f;
        p.m[14] = -(farPlane + nearPlane) / (farPlane - nearPlane);
        p.m[15] = 1.0f;
    }
    m_projection = p;
}

void Camera::BuildView()
{
    Matrix4 rotation;
    orientation.ToMatrix(rotation);
    rotation.Transpose();
    Vector3 negated = position * -1.0f;
    rotation.Translate(negated);
    rotation.Transpose();
    m_view = rotation;
}

void Camera::DeriveAxes()
{
    m_rightAxis = Vector3(m_view.m[0], m_view.m[4], m_view.m[8]);
    m_upAxis = Vector3(m_view.m[1], m_view.m[5], m_view.m[9]);
    m_viewAxis = Vector3(m_view.m[2], m_view.m[6], m_view.m[10]);
    m_viewAxis.SetLength(1.0f);
}
}
