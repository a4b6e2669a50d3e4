// A texture of the render system with a plain 4 x 4 surface of its own, standing in for an image-built one.
#pragma once

#include "engine/render/Texture2D_D3D7.h"

#include <string>

namespace KorvaneTest
{
class D3D7SurfaceTexture : public VelkorEngine::Texture2D_D3D7
{
public:
    D3D7SurfaceTexture(VelkorEngine::RenderSystem_D3D7* render, const std::string& key);

    IDirectDrawSurface7* Surface() const { return m_surface; }
};
}
