// The plain surface is made through the render system's DirectDraw, as an image-built texture's would be.
#include "tests/support/D3D7SurfaceTexture.h"

#include "engine/render/RenderSystem_D3D7.h"

namespace KorvaneTest
{
D3D7SurfaceTexture::D3D7SurfaceTexture(VelkorEngine::RenderSystem_D3D7* render, const std::string& key)
    : Texture2D_D3D7(render, key)
{
    DDSURFACEDESC2 description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.dwWidth = description.dwHeight = 4;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    render->GetDirectDraw()->CreateSurface(&description, &m_surface, nullptr);
}
}
