// Light table, device light indices, ambient colour and the per-frame light update.
#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

namespace VelkorEngine
{
LightManager::LightManager(MessageManager*, RenderSystem* renderSystem) : m_renderSystem(renderSystem)
{
}

LightManager::~LightManager() = default;

Light* LightManager::CreateLight()
{
    const u32 deviceIndex = FindFreeDeviceIndex();
    return m_lights.Add(m_renderSystem->CreateLight(deviceIndex));
}

void LightManager::DeleteLight(Light* light)
{
    m_lights.Remove(light);
}

void LightManager::EnableLighting(bool enable)
{
    m_renderSystem->SetLighting(enable);
}

void LightManager::Update()
{
    m_renderSystem->SetAmbientColor(m_ambientColor);
    m_lights.ForEach([](Light& light) { light.Refresh(); });
}

u32 LightManager::FindFreeDeviceIndex() const
{
    const u32 slotCount = m_lights.GetSlotCount();
    for (u32 index = 0; index < slotCount; ++index)
    {
        if (!m_lights.AnyOf([&](const Light& light) { return light.GetDeviceIndex() == index; }))
            return index;
    }
    return slotCount;
}
}
