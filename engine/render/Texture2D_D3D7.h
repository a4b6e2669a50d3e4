// A texture's Direct3D 7 side as the render system sees it: registered in the render system's texture list
// for its whole life, a surface that a device reset releases, and a rebuild when a stage needs the surface
// again. Building the surface from the texture's images belongs with the texture manager's loading.
#pragma once

#include "engine/render/Texture2D.h"

struct IDirectDrawSurface7;

namespace VelkorEngine
{
class RenderSystem_D3D7;

class Texture2D_D3D7 : public Texture2D
{
public:
    Texture2D_D3D7(RenderSystem_D3D7* renderSystem, const std::string& keyName);
    ~Texture2D_D3D7() override;

    // The surface, rebuilt first when the texture has none.
    IDirectDrawSurface7* GetSurface();
    void ReleaseSurface();
    // Builds the surface again from the texture's images; a texture without images keeps none.
    void Reload();

protected:
    RenderSystem_D3D7* m_renderSystem;
    IDirectDrawSurface7* m_surface = nullptr;
};
}
