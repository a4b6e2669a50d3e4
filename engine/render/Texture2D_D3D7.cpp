// Registration and surface lifetime of a Direct3D 7 texture.
#include "engine/render/Texture2D_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/DDraw.h"

namespace VelkorEngine
{
Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* renderSystem, const std::string& keyName)
    : Texture2D(keyName), m_renderSystem(renderSystem)
{
    m_renderSystem->RegisterTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    ReleaseSurface();
    m_renderSystem->UnregisterTexture(this);
}

IDirectDrawSurface7* Texture2D_D3D7::GetSurface()
{
    if (!m_surface)
        Reload();
    return m_surface;
}

void Texture2D_D3D7::ReleaseSurface()
{
    if (m_surface)
        m_surface->Release();
    m_surface = nullptr;
}

void Texture2D_D3D7::Reload() {}
}
