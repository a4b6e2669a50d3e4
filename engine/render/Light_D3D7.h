// The Direct3D 7 light: sends its fields to the device light of its index and switches it on or off.
#pragma once

#include "engine/render/Light.h"

namespace VelkorEngine
{
class RenderSystem_D3D7;

class Light_D3D7 : public Light
{
public:
    Light_D3D7(MessageManager* log, RenderSystem_D3D7* renderSystem, u32 deviceIndex);
    // Switches the device light off.
    ~Light_D3D7() override;

    void Refresh() override;
    void DisableLight();

private:
    bool FitsTheDevice();
    void Send();

    RenderSystem_D3D7* m_renderSystem;
    bool m_reportedTooMany = false;
};
}
