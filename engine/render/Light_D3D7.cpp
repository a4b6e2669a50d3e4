// Light records for the device, per kind of light.
#include "engine/render/Light_D3D7.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/render/D3D7ColorValue.h"
#include "engine/render/RenderSystem_D3D7.h"

namespace VelkorEngine
{
namespace
{
D3DVECTOR VectorValue(const Vector3& v)
{
    D3DVECTOR value;
    value.x = v.x;
    value.y = v.y;
    value.z = v.z;
    return value;
}
}

Light_D3D7::Light_D3D7(MessageManager* log, RenderSystem_D3D7* renderSystem, u32 deviceIndex)
    : Light(log, deviceIndex), m_renderSystem(renderSystem)
{
}

Light_D3D7::~Light_D3D7()
{
    DisableLight();
}

void Light_D3D7::Refresh()
{
    if (!FitsTheDevice())
        return;
    if (enabled != 0)
        Send();
    else
        DisableLight();
}

void Light_D3D7::DisableLight()
{
    if (!FitsTheDevice())
        return;
    m_renderSystem->CheckResult("Light_D3D7::DisableLight",
                                m_renderSystem->GetDevice()->LightEnable(GetDeviceIndex(), FALSE));
}

// A light past the device's last one cannot be shown; that is said once, and the light is left out.
bool Light_D3D7::FitsTheDevice()
{
    IDirect3DDevice7* device = m_renderSystem->GetDevice();
    if (device == nullptr)
        return false;
    D3DDEVICEDESC7 caps;
    device->GetCaps(&caps);
    if (GetDeviceIndex() < caps.dwMaxActiveLights)
        return true;
    if (!m_reportedTooMany)
    {
        m_log->Warning("Light_D3D7: the device has " + UIntToString(caps.dwMaxActiveLights, 0) +
                       " lights; light " + UIntToString(GetDeviceIndex(), 0) + " is left out");
        m_reportedTooMany = true;
    }
    return false;
}

void Light_D3D7::Send()
{
    D3DLIGHT7 record;
    record.dcvDiffuse = ColorValue(diffuse);
    record.dcvSpecular = ColorValue(specular);
    record.dcvAmbient = ColorValue(ambient);
    record.dvRange = range;
    switch (kind)
    {
    case KindDirectional:
        record.dltType = D3DLIGHT_DIRECTIONAL;
        record.dvDirection = VectorValue(direction);
        break;
    case KindSpot:
        record.dltType = D3DLIGHT_SPOT;
        record.dvPosition = VectorValue(position);
        record.dvDirection = VectorValue(direction);
        record.dvAttenuation0 = attenuation0;
        record.dvAttenuation1 = attenuation1;
        record.dvAttenuation2 = attenuation2;
        record.dvTheta = theta;
        record.dvPhi = phi;
        record.dvFalloff = 1.0f;
        break;
    case KindPoint:
        record.dltType = D3DLIGHT_POINT;
        record.dvPosition = VectorValue(position);
        record.dvAttenuation0 = attenuation0;
        record.dvAttenuation1 = attenuation1;
        record.dvAttenuation2 = attenuation2;
        break;
    default:
        break;
    }
    IDirect3DDevice7* device = m_renderSystem->GetDevice();
    m_renderSystem->CheckResult("Light_D3D7::Refresh", device->SetLight(GetDeviceIndex(), &record));
    m_renderSystem->CheckResult("Light_D3D7::Refresh", device->LightEnable(GetDeviceIndex(), TRUE));
}
}
