// One of the device's fixed-function lights: directional, spot or point, with colours, range and
// attenuation. The owner writes the fields directly; they reach the device at the next LightManager::Update.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class MessageManager;

class Light
{
public:
    enum Kind : u32
    {
        KindDirectional = 0,
        KindSpot = 1,
        KindPoint = 2
    };

    Light(MessageManager* log, u32 deviceIndex);
    virtual ~Light() = default;

    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Sends the light to the device and switches it on, or switches it off when not enabled.
    virtual void Refresh() {}

    u32 GetDeviceIndex() const { return m_deviceIndex; }

    u8 enabled = 1;
    u32 kind = KindPoint;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 direction{0.0f, 0.0f, -1.0f};
    // The square root of the largest float: as far as the device can reach.
    f32 range = 1.8446743e19f;
    Color ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    f32 attenuation0 = 1.0f;
    f32 attenuation1 = 0.0f;
    f32 attenuation2 = 0.0f;
    // Inner and outer cone angles of a spot light, in radians.
    f32 theta = 0.0f;
    f32 phi = 0.0f;

protected:
    MessageManager* m_log;

private:
    u32 m_deviceIndex;
};
}
