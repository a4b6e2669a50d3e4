// The Direct3D 7 camera: besides the engine's matrices it keeps the device's projection and its z-biased
// twin (far plane one unit further) in the device's layout, and sets them on the device.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/render/Camera.h"

namespace VelkorEngine
{
class RenderSystem_D3D7;

class Camera_D3D7 : public Camera
{
public:
    Camera_D3D7(RenderSystem_D3D7* renderSystem, u32 kind);

    void Update() override;
    void Apply() override;
    void ApplyZBiased() override;

    // Depth from 0 at the near plane to 1 at the far plane, left-handed, as the device takes it.
    const Matrix4& GetDeviceProjection() const { return m_deviceProjection; }
    const Matrix4& GetDeviceZBiasedProjection() const { return m_deviceZBiasedProjection; }

private:
    Matrix4 BuildDeviceProjection(f32 far) const;
    void SetOnDevice(const Matrix4& projection, const char* context);

    RenderSystem_D3D7* m_renderSystem;
    Matrix4 m_deviceProjection;
    Matrix4 m_deviceZBiasedProjection;
};
}
