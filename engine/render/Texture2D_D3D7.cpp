// Building a texture surface: format choice, the mip chain built on the processor, texel conversion through a
// locked system-memory texture, and the rebuild after a device reset.
#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Color.h"
#include "engine/core/MessageManager.h"
#include "engine/files/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/TexelPacking.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/D3D.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace VelkorEngine
{
namespace
{
const char* const kContext = "Texture2D_D3D7::CreateSurface";
// Luminance and bump-map formats carry no colour channels to pack into.
constexpr DWORD kNotColourFormats = DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV;
constexpr DWORD kFourBitAlphaMask = 0xF000;
// The drawing layer never keeps a lock waiting; this only bounds the wait if one ever did.
constexpr int kLockAttempts = 1000;
const Color kShownDiffuse(1.0f, 0.0f, 0.0f, 1.0f);
const Color kShownOpacity(1.0f, 1.0f, 1.0f, 1.0f);

struct FormatSearch
{
    DWORD bits = 0;
    bool alpha = false;
    bool found = false;
    DDPIXELFORMAT format;
};

HRESULT TakeMatchingFormat(DDPIXELFORMAT* format, void* context)
{
    auto& search = *static_cast<FormatSearch*>(context);
    const bool hasAlpha = (format->dwFlags & DDPF_ALPHAPIXELS) != 0;
    if (format->dwRGBBitCount != search.bits || format->dwFourCC != 0 || hasAlpha != search.alpha ||
        (format->dwFlags & kNotColourFormats) != 0 || format->dwRGBAlphaBitMask == kFourBitAlphaMask)
        return D3DENUMRET_OK;
    search.format = *format;
    search.found = true;
    return D3DENUMRET_CANCEL;
}
}

Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* renderSystem, const std::string& keyName)
    : Texture2D(keyName), m_renderSystem(renderSystem)
{
    m_renderSystem->RegisterTexture(this);
}

Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* renderSystem, TextureManager* owner, const std::string& keyName,
                               Image* diffuse, Image* opacity, bool mipMapping)
    : Texture2D(renderSystem->GetLog(), renderSystem->GetConfig(), owner, keyName, mipMapping),
      m_renderSystem(renderSystem)
{
    // A device reset must not come between the build and the registration, or it would miss this surface.
    const auto lock = m_renderSystem->LockResources();
    CreateSurface(diffuse, opacity);
    m_renderSystem->RegisterTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    const auto lock = m_renderSystem->LockResources();
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

void Texture2D_D3D7::Reload()
{
    if (!m_owner)
        return;
    const TextureImages images = m_owner->GetTextureImages(this);
    CreateSurface(images.diffuse, images.opacity);
}

bool Texture2D_D3D7::FindTextureFormat(bool alpha, DDPIXELFORMAT& format) const
{
    IDirect3DDevice7* device = m_renderSystem->GetDevice();
    if (!device)
        return false;
    for (DWORD bits : {32u, 16u})
    {
        FormatSearch search;
        search.bits = bits;
        search.alpha = alpha;
        m_renderSystem->CheckResult(kContext, device->EnumTextureFormats(TakeMatchingFormat, &search));
        if (search.found)
        {
            format = search.format;
            return true;
        }
    }
    return false;
}

void Texture2D_D3D7::CreateSurface(Image* diffuse, Image* opacity)
{
    IDirectDraw7* directDraw = m_renderSystem->GetDirectDraw();
    if (m_surface || !directDraw || !diffuse || diffuse->IsEmpty())
        return;
    if (opacity && (opacity->IsEmpty() || opacity->GetWidth() != diffuse->GetWidth() ||
                    opacity->GetHeight() != diffuse->GetHeight()))
        opacity = nullptr;
    m_size = 0;
    m_width = diffuse->GetWidth();
    m_height = diffuse->GetHeight();
    const i32 sourceBits = opacity ? 32 : std::max(diffuse->GetBitsPerPixel(), 24);

    DDSURFACEDESC2 description = DescribeSurface(sourceBits == 32);
    const HRESULT created = directDraw->CreateSurface(&description, &m_surface, nullptr);
    m_renderSystem->CheckResult(kContext, created);
    if (FAILED(created))
    {
        m_surface = nullptr;
        return;
    }
    UploadLevels(*diffuse, opacity, static_cast<u32>(sourceBits) / 8);
}

DDSURFACEDESC2 Texture2D_D3D7::DescribeSurface(bool alpha) const
{
    DDSURFACEDESC2 description;
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
    description.dwWidth = m_width;
    description.dwHeight = m_height;
    description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    description.dwTextureStage = 0;
    if (m_mipMapping)
    {
        description.dwFlags |= DDSD_MIPMAPCOUNT;
        description.ddsCaps.dwCaps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
        description.dwMipMapCount = static_cast<DWORD>(std::bit_width(std::max(m_width, m_height)));
    }
    if (m_renderSystem->IsHardwareDevice())
        description.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    else
        description.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    if (!FindTextureFormat(alpha, description.ddpfPixelFormat) && m_log)
        m_log->Error("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    return description;
}

// Level 0 is the caller's images; every smaller level is built here from the one before.
void Texture2D_D3D7::UploadLevels(const Image& diffuse, const Image* opacity, u32 bytesPerTexel)
{
    const Image* levelDiffuse = &diffuse;
    const Image* levelOpacity = opacity;
    std::unique_ptr<Image> builtDiffuse;
    std::unique_ptr<Image> builtOpacity;
    IDirectDrawSurface7* level = m_surface;
    u32 width = m_width;
    u32 height = m_height;
    for (u32 index = 0;; ++index)
    {
        if (index > 0)
        {
            const bool first = index == 1;
            builtDiffuse = BuildNextLevel(*levelDiffuse, width, height, false, first, kShownDiffuse);
            const bool singleChannel = first && levelOpacity && levelOpacity->GetBitsPerPixel() >= 24;
            builtOpacity =
                levelOpacity ? BuildNextLevel(*levelOpacity, width, height, singleChannel, first, kShownOpacity) : nullptr;
            levelDiffuse = builtDiffuse.get();
            levelOpacity = builtOpacity.get();
        }
        if (!UploadLevel(level, *levelDiffuse, levelOpacity))
            return;
        m_size += width * height * bytesPerTexel;
        if (!m_mipMapping || (width == 1 && height == 1))
            return;
        DDSCAPS2 caps;
        caps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
        IDirectDrawSurface7* next = nullptr;
        if (FAILED(level->GetAttachedSurface(&caps, &next)) || !next)
            return;
        // The level above holds the chain; the texture keeps only the top surface.
        next->Release();
        level = next;
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
}

// With mip-maps shown, the first built level is painted plainly, so the switch to it is seen on screen.
std::unique_ptr<Image> Texture2D_D3D7::BuildNextLevel(const Image& above, u32 width, u32 height, bool singleChannel,
                                                      bool firstBuilt, const Color& shownAs) const
{
    auto level = std::make_unique<Image>();
    BuildMipLevel(above, *level, width, height, singleChannel);
    if (firstBuilt && ShowMipMaps())
        level->Fill(shownAs);
    return level;
}

bool Texture2D_D3D7::UploadLevel(IDirectDrawSurface7* level, const Image& diffuse, const Image* opacity)
{
    DDSURFACEDESC2 levelDescription;
    HRESULT result = level->GetSurfaceDesc(&levelDescription);
    m_renderSystem->CheckResult(kContext, result);
    if (FAILED(result))
        return false;

    DDSURFACEDESC2 staging;
    staging.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    staging.dwWidth = diffuse.GetWidth();
    staging.dwHeight = diffuse.GetHeight();
    staging.ddpfPixelFormat = levelDescription.ddpfPixelFormat;
    staging.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE;
    IDirectDrawSurface7* temporary = nullptr;
    result = m_renderSystem->GetDirectDraw()->CreateSurface(&staging, &temporary, nullptr);
    m_renderSystem->CheckResult(kContext, result);
    if (FAILED(result) || !temporary)
        return false;

    DDSURFACEDESC2 locked;
    int attempts = 0;
    do
        result = temporary->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
    while (result == DDERR_WASSTILLDRAWING && ++attempts < kLockAttempts);
    m_renderSystem->CheckResult(kContext, result);
    const bool fits = SUCCEEDED(result) && locked.lpSurface && locked.dwWidth == diffuse.GetWidth() &&
                      locked.dwHeight == diffuse.GetHeight();
    if (fits)
    {
        const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
        const TexelLayout layout = MakeTexelLayout(format.dwRGBBitCount, format.dwRBitMask, format.dwGBitMask,
                                                   format.dwBBitMask, format.dwRGBAlphaBitMask);
        PackTexels(diffuse, opacity, layout, static_cast<u8*>(locked.lpSurface), locked.lPitch);
    }
    if (SUCCEEDED(result))
        m_renderSystem->CheckResult(kContext, temporary->Unlock(nullptr));
    if (fits)
        m_renderSystem->CheckResult(kContext, level->Blt(nullptr, temporary, nullptr, DDBLT_WAIT, nullptr));
    temporary->Release();
    return fits;
}
}
