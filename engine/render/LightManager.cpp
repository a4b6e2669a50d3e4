// Light table, device light indices, ambient colour and the per-frame light update.
#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>

namespace VelkorEngine
{
LightManager::LightManager(MessageManager*, RenderSystem* renderSystem) : m_renderSystem(renderSystem)
{
}

LightManager::~LightManager() = default;

Light* LightManager::CreateLight()
{
    const u32 deviceIndex = FindFreeDeviceIndex();
    u32 id = static_cast<u32>(m_slots.size());
    if (!m_freeIds.empty())
    {
        id = m_freeIds.front();
        m_freeIds.pop_front();
    }
    m_idsInUse.push_back(id);
    std::unique_ptr<Light> light(m_renderSystem->CreateLight(deviceIndex));
    Light* result = light.get();
    if (id == m_slots.size())
        m_slots.push_back(std::move(light));
    else
        m_slots[id] = std::move(light);
    return result;
}

void LightManager::DeleteLight(Light* light)
{
    if (light == nullptr)
        return;
    const auto found =
        std::find_if(m_idsInUse.begin(), m_idsInUse.end(), [&](u32 id) { return m_slots[id].get() == light; });
    if (found == m_idsInUse.end())
        return;
    m_slots[*found].reset();
    m_freeIds.push_back(*found);
    m_idsInUse.erase(found);
}

void LightManager::EnableLighting(bool enable)
{
    m_renderSystem->SetLighting(enable);
}

void LightManager::Update()
{
    m_renderSystem->SetAmbientColor(m_ambientColor);
    for (u32 id : m_idsInUse)
        m_slots[id]->Refresh();
}

u32 LightManager::FindFreeDeviceIndex() const
{
    const u32 slotCount = static_cast<u32>(m_slots.size());
    for (u32 index = 0; index < slotCount; ++index)
    {
        const bool taken = std::any_of(m_idsInUse.begin(), m_idsInUse.end(),
                                       [&](u32 id) { return m_slots[id]->GetDeviceIndex() == index; });
        if (!taken)
            return index;
    }
    return slotCount;
}
}
