// Creates and deletes lights, gives each a free device light index, holds the scene's ambient colour,
// switches lighting through the render system's state cache and sends every light once a frame.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/SlotTable.h"
#include "engine/core/Types.h"

namespace VelkorEngine
{
class Light;
class MessageManager;
class RenderSystem;

class LightManager
{
public:
    LightManager(MessageManager* log, RenderSystem* renderSystem);
    virtual ~LightManager();

    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // The light takes the smallest device index no other light uses.
    Light* CreateLight();
    // Ignores null and lights it does not hold; the deleted light's device light is switched off.
    void DeleteLight(Light* light);
    // Reaches the device at the next Update.
    void SetAmbientColor(const Color& color) { m_ambientColor = color; }
    const Color& GetAmbientColor() const { return m_ambientColor; }
    void EnableLighting(bool enable);
    // Once a frame: the ambient colour, then every light in the order of its table id.
    void Update();

    u32 GetLightCount() const { return m_lights.GetCount(); }

private:
    u32 FindFreeDeviceIndex() const;

    RenderSystem* m_renderSystem;
    SlotTable<Light> m_lights;
    Color m_ambientColor{0.0f, 0.0f, 0.0f, 1.0f};
};
}
