// A camera: position, orientation and lens values turned into a view matrix, a projection matrix and a
// frustum. Matrices are kept in the row-vector layout (translation in elements 12 to 14), the layout the
// render system's view matrix takes.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/render/Frustum.h"

#include <memory>

namespace VelkorEngine
{
class Camera
{
public:
    enum Kind : u32
    {
        KindPerspective = 0,
        KindOrthographic = 1
    };

    explicit Camera(u32 kind);
    virtual ~Camera();

    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Rebuilds the engine projection and the view matrix from the fields, then the axes and the frustum.
    virtual void Update();
    // Puts the camera's matrices on the device; the device-independent camera has none of its own.
    virtual void Apply() {}
    virtual void ApplyZBiased() {}

    u32 GetKind() const { return m_kind; }
    bool IsPerspective() const { return m_kind == KindPerspective; }
    // The projection with clip z from -w to w, used by the frustum and the screen projections.
    const Matrix4& GetProjectionMatrix() const { return m_projection; }
    const Matrix4& GetViewMatrix() const { return m_view; }
    const Vector3& GetRightAxis() const { return m_rightAxis; }
    const Vector3& GetUpAxis() const { return m_upAxis; }
    // Normalised; the camera looks along the negative view axis.
    const Vector3& GetViewAxis() const { return m_viewAxis; }
    const Frustum& GetFrustum() const { return *m_frustum; }

    // Written directly by whoever drives the camera; they take effect at the next Update.
    f32 nearPlane = 1.0f;
    f32 farPlane = 1000.0f;
    f32 fieldOfView = 1.5707964f;
    f32 orthoWidth = 1.0f;
    f32 orthoHeight = 1.0f;
    Quaternion orientation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};

    // The perspective lens always assumes a 4:3 picture, whatever the viewport.
    static constexpr f32 kAspect = 1.3333334f;

private:
    void BuildProjection();
    void BuildView();
    void DeriveAxes();

    u32 m_kind;
    Matrix4 m_projection;
    Matrix4 m_view;
    Vector3 m_rightAxis;
    Vector3 m_upAxis;
    Vector3 m_viewAxis;
    std::unique_ptr<Frustum> m_frustum;
};
}
