// A texture's Direct3D 7 side: the texture surface (with its mip levels) built from the images, registered in
// the render system's texture list for the texture's whole life; a device reset releases the surface and
// Reload builds it again from the images the texture manager keeps or reads again. Any thread may make or
// delete a texture (under the render system's resource lock); the surface is used on the main thread.
#pragma once

#include "engine/render/Texture2D.h"

#include <memory>

struct DDPIXELFORMAT;
struct DDSURFACEDESC2;
struct IDirectDrawSurface7;

namespace VelkorEngine
{
struct Color;
class Image;
class RenderSystem_D3D7;

class Texture2D_D3D7 : public Texture2D
{
public:
    // A texture without images: it has a surface only when a subclass gives it one.
    Texture2D_D3D7(RenderSystem_D3D7* renderSystem, const std::string& keyName);
    // Builds the surface from the images at once; the caller keeps the images.
    Texture2D_D3D7(RenderSystem_D3D7* renderSystem, TextureManager* owner, const std::string& keyName, Image* diffuse,
                   Image* opacity, bool mipMapping);
    ~Texture2D_D3D7() override;

    // The surface, rebuilt first when the texture has none.
    IDirectDrawSurface7* GetSurface();
    void ReleaseSurface();
    // Builds the surface again from the texture's images; a texture without images keeps none.
    void Reload();
    // Does nothing while a surface exists. The opacity image, when given, has the diffuse image's size.
    void CreateSurface(Image* diffuse, Image* opacity);

protected:
    RenderSystem_D3D7* m_renderSystem;
    IDirectDrawSurface7* m_surface = nullptr;

private:
    bool FindTextureFormat(bool alpha, DDPIXELFORMAT& format) const;
    // A texture surface of the texture's size, with a mip-map chain when asked, in a format with or without
    // alpha.
    DDSURFACEDESC2 DescribeSurface(bool alpha) const;
    // Fills level after level of the surface made, adding each level's bytes to the texture's size.
    void UploadLevels(const Image& diffuse, const Image* opacity, u32 bytesPerTexel);
    std::unique_ptr<Image> BuildNextLevel(const Image& above, u32 width, u32 height, bool singleChannel,
                                          bool firstBuilt, const Color& shownAs) const;
    // Converts one level's images into a system-memory texture and copies it onto the level's surface.
    bool UploadLevel(IDirectDrawSurface7* level, const Image& diffuse, const Image* opacity);
};
}
