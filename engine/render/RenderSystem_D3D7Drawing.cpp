// The drawing side of the Direct3D 7 render system: cached states as device states, scenes, presentation,
// the device watch, indexed drawing, the device defaults, buffer factories, screenshots and the result check.
#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/D3D7ColorValue.h"
#include "engine/render/D3D7ErrorTexts.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// Each component times 255, truncated; a component outside 0..1 is held at the nearer end.
D3DCOLOR PackColor(const Color& color)
{
    auto channel = [](f32 value) { return static_cast<D3DCOLOR>(std::clamp(value, 0.0f, 1.0f) * 255.0f); };
    return channel(color.a) << 24 | channel(color.r) << 16 | channel(color.g) << 8 | channel(color.b);
}

D3DMATRIX ToDeviceMatrix(const f32 (&m)[16])
{
    D3DMATRIX matrix;
    std::memcpy(&matrix._11, m, sizeof(f32) * 16);
    return matrix;
}

DWORD DeviceCullMode(u32 mode)
{
    switch (mode)
    {
    case RenderSystem::CullClockwise: return D3DCULL_CW;
    case RenderSystem::CullCounterClockwise: return D3DCULL_CCW;
    default: return D3DCULL_NONE;
    }
}

DWORD DeviceAddress(u32 mode) { return mode == RenderSystem::AddressClamp ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP; }

DWORD DeviceBlend(u32 factor)
{
    constexpr DWORD table[] = {D3DBLEND_ZERO,         D3DBLEND_ONE,         D3DBLEND_DESTCOLOR, D3DBLEND_INVDESTCOLOR,
                               D3DBLEND_SRCALPHA,     D3DBLEND_INVSRCALPHA, D3DBLEND_DESTALPHA, D3DBLEND_INVDESTALPHA,
                               D3DBLEND_SRCALPHASAT,  D3DBLEND_SRCCOLOR,    D3DBLEND_INVSRCCOLOR};
    return factor < std::size(table) ? table[factor] : D3DBLEND_ZERO;
}

void ReleaseTemporary(IDirectDrawSurface7*& surface, bool locked)
{
    if (!surface)
        return;
    if (locked)
        surface->Unlock(nullptr);
    surface->Release();
    surface = nullptr;
}
}

void RenderSystem_D3D7::CheckResult(const char* context, HRESULT result)
{
    if (SUCCEEDED(result))
        return;
    const char* sentence = D3D7ErrorTexts::Find(result);
    const std::string text = sentence ? sentence : "Unknown error (Code: " + IntToString(result, 0) + ")";
    m_log->Error("Direct3D Subsystem (" + std::string(context) + "): " + text);
}

void RenderSystem_D3D7::SetRenderState(D3DRENDERSTATETYPE state, DWORD value, const char* context)
{
    CheckResult(context, m_device->SetRenderState(state, value));
}

void RenderSystem_D3D7::SetStageState(u32 stage, D3DTEXTURESTAGESTATETYPE state, DWORD value, const char* context)
{
    CheckResult(context, m_device->SetTextureStageState(stage, state, value));
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
    D3DMATRIX matrix = ToDeviceMatrix(m_projection.m);
    CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix",
                m_device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix));
}

// The cameras hand the view over in the device's element order; its third column is negated here.
void RenderSystem_D3D7::UpdateViewMatrix()
{
    D3DMATRIX matrix = ToDeviceMatrix(m_view.m);
    matrix._13 = -matrix._13;
    matrix._23 = -matrix._23;
    matrix._33 = -matrix._33;
    matrix._43 = -matrix._43;
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", m_device->SetTransform(D3DTRANSFORMSTATE_VIEW, &matrix));
}

// The world matrix is in the engine's layout (column vectors), the device's is its transpose.
void RenderSystem_D3D7::UpdateWorldMatrix()
{
    f32 transposed[16];
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            transposed[4 * row + column] = m_world.m[4 * column + row];
    D3DMATRIX matrix = ToDeviceMatrix(transposed);
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix", m_device->SetTransform(D3DTRANSFORMSTATE_WORLD, &matrix));
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
    SetRenderState(D3DRENDERSTATE_AMBIENT, PackColor(m_ambient), "RenderSystem_D3D7::UpdateAmbientColor");
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
    SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, m_alphaBlend, "RenderSystem_D3D7::UpdateAlphaBlend");
}

void RenderSystem_D3D7::UpdateBlend()
{
    SetRenderState(D3DRENDERSTATE_SRCBLEND, DeviceBlend(m_sourceBlend), "RenderSystem_D3D7::UpdateBlend");
    SetRenderState(D3DRENDERSTATE_DESTBLEND, DeviceBlend(m_destinationBlend), "RenderSystem_D3D7::UpdateBlend");
}

void RenderSystem_D3D7::UpdateTexture(u32 stage)
{
    auto* texture = dynamic_cast<Texture2D_D3D7*>(m_stages[stage].texture);
    CheckResult("RenderSystem_D3D7::UpdateTexture",
                m_device->SetTexture(stage, texture ? texture->GetSurface() : nullptr));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(u32 stage)
{
    SetStageState(stage, D3DTSS_MAXANISOTROPY, m_stages[stage].anisotropy,
                  "RenderSystem_D3D7::UpdateMaxTextureAnisotropy");
}

void RenderSystem_D3D7::UpdateTextureFilter(u32 stage)
{
    const char* context = "RenderSystem_D3D7::UpdateTextureFilter";
    const u32 filter = m_stages[stage].filter;
    if (filter > FilterTrilinear)
        return;
    const bool anisotropic = filter == FilterTrilinear && *m_videoSettings.textureAnisotropy > 1;
    const bool point = filter == FilterPoint;
    SetStageState(stage, D3DTSS_MAGFILTER, point ? D3DTFG_POINT : anisotropic ? D3DTFG_ANISOTROPIC : D3DTFG_LINEAR,
                  context);
    SetStageState(stage, D3DTSS_MINFILTER, point ? D3DTFN_POINT : anisotropic ? D3DTFN_ANISOTROPIC : D3DTFN_LINEAR,
                  context);
    SetStageState(stage, D3DTSS_MIPFILTER, filter == FilterTrilinear ? D3DTFP_LINEAR : D3DTFP_NONE, context);
}

void RenderSystem_D3D7::UpdateTextureAdressU(u32 stage)
{
    SetStageState(stage, D3DTSS_ADDRESSU, DeviceAddress(m_stages[stage].addressU),
                  "RenderSystem_D3D7::UpdateTextureAdressU");
}

void RenderSystem_D3D7::UpdateTextureAdressV(u32 stage)
{
    SetStageState(stage, D3DTSS_ADDRESSV, DeviceAddress(m_stages[stage].addressV),
                  "RenderSystem_D3D7::UpdateTextureAdressV");
}

void RenderSystem_D3D7::UpdateTextureMatrix(u32 stage)
{
    const Vector4& transform = m_stages[stage].transform;
    D3DMATRIX matrix;
    matrix._11 = transform.x;
    matrix._22 = transform.y;
    matrix._31 = transform.z;
    matrix._32 = transform.w;
    matrix._33 = matrix._44 = 1.0f;
    const auto state = static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0 + stage);
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix", m_device->SetTransform(state, &matrix));
}

void RenderSystem_D3D7::UpdateCullMode()
{
    SetRenderState(D3DRENDERSTATE_CULLMODE, DeviceCullMode(m_cullMode), "RenderSystem_D3D7::UpdateCullMode");
}

void RenderSystem_D3D7::UpdateLighting()
{
    SetRenderState(D3DRENDERSTATE_LIGHTING, m_lighting, "RenderSystem_D3D7::UpdateLighting");
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
    SetRenderState(D3DRENDERSTATE_NORMALIZENORMALS, m_normalizeNormals, "RenderSystem_D3D7::UpdateNormalizeNormals");
}

void RenderSystem_D3D7::UpdateZ() { SetRenderState(D3DRENDERSTATE_ZENABLE, m_z, "RenderSystem_D3D7::UpdateZ"); }

void RenderSystem_D3D7::UpdateZWrite()
{
    SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, m_zWrite, "RenderSystem_D3D7::UpdateZWrite");
}

void RenderSystem_D3D7::UpdateStencil()
{
    SetRenderState(D3DRENDERSTATE_STENCILENABLE, m_stencil, "RenderSystem_D3D7::UpdateStencil");
}

void RenderSystem_D3D7::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                    const Color& emissive, f32 power)
{
    D3DMATERIAL7 material;
    material.dcvDiffuse = ColorValue(diffuse);
    material.dcvAmbient = ColorValue(ambient);
    material.dcvSpecular = ColorValue(specular);
    material.dcvEmissive = ColorValue(emissive);
    material.dvPower = power;
    CheckResult("RenderSystem_D3D7::SetMaterial", m_device->SetMaterial(&material));
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
    const char* context = "RenderSystem_D3D7::SetDefaultStates";
    for (u32 stage = 0; stage < m_stageCount; ++stage)
    {
        SetStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2, context);
        SetStageState(stage, D3DTSS_TEXCOORDINDEX, 0, context);
        SetStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE, context);
        SetStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE, context);
        SetStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE, context);
        SetStageState(stage, D3DTSS_ALPHAOP, stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE, context);
    }
    SetRenderState(D3DRENDERSTATE_COLORVERTEX, 1, context);
    SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1, context);
    SetRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1, context);
    SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS, context);
    if (!m_stencilPresent)
        return;
    SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL, context);
    SetRenderState(D3DRENDERSTATE_STENCILREF, 0, context);
    SetRenderState(D3DRENDERSTATE_STENCILMASK, 0xFFFFFFFFu, context);
    SetRenderState(D3DRENDERSTATE_STENCILFAIL, D3DSTENCILOP_KEEP, context);
    SetRenderState(D3DRENDERSTATE_STENCILZFAIL, D3DSTENCILOP_KEEP, context);
    SetRenderState(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR, context);
}

void RenderSystem_D3D7::BeginScene()
{
    const char* context = "RenderSystem_D3D7::BeginScene";
    if (m_clearFlags != 0)
    {
        const DWORD flags = ((m_clearFlags & ClearColor) ? D3DCLEAR_TARGET : 0) |
                            ((m_clearFlags & ClearDepth) ? D3DCLEAR_ZBUFFER : 0) |
                            (m_stencilPresent ? D3DCLEAR_STENCIL : 0);
        CheckResult(context, m_device->Clear(0, nullptr, flags, PackColor(m_clearColor), 1.0f, 0));
    }
    HRESULT result = m_device->BeginScene();
    if (result == DDERR_SURFACELOST)
    {
        CheckResult(context, m_directDraw->RestoreAllSurfaces());
        result = m_device->BeginScene();
    }
    CheckResult(context, result);
}

void RenderSystem_D3D7::EndScene()
{
    HRESULT result = m_device->EndScene();
    if (result == DDERR_SURFACELOST)
        result = m_directDraw->RestoreAllSurfaces();
    CheckResult("RenderSystem_D3D7::EndScene", result);
}

void RenderSystem_D3D7::SwapBuffers()
{
    if (!m_active)
        return;
    if (m_keepFrame)
        ReadFrameBack();
    const bool verticalSync = *m_videoSettings.verticalSync != 0;
    HRESULT result = DD_OK;
    if (m_window->IsFullScreen())
        result = m_primary->Flip(nullptr, DDFLIP_WAIT | (verticalSync ? 0 : DDFLIP_NOVSYNC));
    else
    {
        const HWND window = m_window->GetHandle();
        RECT client;
        GetClientRect(window, &client);
        POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
        ClientToScreen(window, &topLeft);
        ClientToScreen(window, &bottomRight);
        RECT target{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        if (verticalSync)
            m_directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        result = m_primary->Blt(&target, m_backBuffer, nullptr, DDBLT_WAIT, nullptr);
    }
    if (result == DDERR_SURFACELOST)
        CheckResult("RenderSystem_D3D7::SwapBuffers", m_directDraw->RestoreAllSurfaces());
}

// A read-only lock brings the back buffer's pixels into memory, where they stay until the next drawing.
void RenderSystem_D3D7::ReadFrameBack()
{
    m_keepFrame = false;
    DDSURFACEDESC2 locked;
    if (SUCCEEDED(m_backBuffer->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
        m_backBuffer->Unlock(nullptr);
}

void RenderSystem_D3D7::Refresh()
{
    ForgetTexturesReleasedElsewhere();
    RenderSystem::Refresh();
    const HRESULT level = m_directDraw->TestCooperativeLevel();
    if (SUCCEEDED(level))
    {
        if (m_active)
            return;
        const HRESULT restored = m_directDraw->RestoreAllSurfaces();
        CheckResult("RenderSystem_D3D7::Refresh", restored);
        if (FAILED(restored))
            m_resetPending = m_resourcesLost = 1;
        else
            m_active = 1;
        return;
    }
    m_active = 0;
    if (level == DDERR_WRONGMODE && !*m_videoSettings.fullScreen)
        m_resetPending = m_resourcesLost = 1;
}

// Indices that would reach past the vertices, or a count past the indices in use, are refused rather than
// handed to the device.
void RenderSystem_D3D7::DrawIndexedPrimitive(u32 kind, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                             u32 primitiveCount)
{
    const char* context = "RenderSystem_D3D7::DrawIndexedPrimitive";
    if (!indexBuffer || !vertexBuffer)
        return CheckResult(context, DDERR_INVALIDPARAMS);
    vertexBuffer->PrepareDraw();
    indexBuffer->PrepareDraw();
    const bool list = kind == TriangleList;
    const u64 indexCount = list ? u64(primitiveCount) * 3 : u64(primitiveCount) + 2;
    const u64 vertexCount = u64(indexBuffer->GetMinIndex()) + indexBuffer->GetVertexRangeCount();
    if (indexCount > indexBuffer->GetIndexCount() || vertexCount > vertexBuffer->GetVertexCount())
        return CheckResult(context, DDERR_INVALIDPARAMS);
    const DWORD format = kVertexFormat | (vertexBuffer->HasColor() ? D3DFVF_DIFFUSE : 0);
    const D3DPRIMITIVETYPE type = list ? D3DPT_TRIANGLELIST : D3DPT_TRIANGLESTRIP;
    void* indices = const_cast<u8*>(indexBuffer->GetData());
    const DWORD flags = indexBuffer->Is32Bit() ? D3DDP_INDEX32 : 0;
    if (IDirect3DVertexBuffer7* onDevice = DeviceVerticesOf(*vertexBuffer, format))
        return CheckResult(context, m_device->DrawIndexedPrimitiveVB(type, onDevice, 0, static_cast<DWORD>(vertexCount),
                                                                     indices, static_cast<DWORD>(indexCount), flags));
    CheckResult(context, m_device->DrawIndexedPrimitive(type, format, const_cast<u8*>(vertexBuffer->GetData()),
                                                        static_cast<DWORD>(vertexCount), indices,
                                                        static_cast<DWORD>(indexCount), flags));
}

// Buffers made by another render system, or refused by the device, are drawn from memory.
IDirect3DVertexBuffer7* RenderSystem_D3D7::DeviceVerticesOf(VertexBuffer& vertexBuffer, DWORD format)
{
    auto* ours = dynamic_cast<VertexBuffer_D3D7*>(&vertexBuffer);
    if (!m_deviceVertexBuffers || !ours || !m_direct3D)
        return nullptr;
    return ours->DeviceVertices(*this, *m_direct3D, m_deviceGeneration, format);
}

std::unique_ptr<Camera> RenderSystem_D3D7::CreateCamera(u32 kind) { return std::make_unique<Camera_D3D7>(this, kind); }

std::unique_ptr<Light> RenderSystem_D3D7::CreateLight(u32 deviceIndex)
{
    return std::make_unique<Light_D3D7>(m_log, this, deviceIndex);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(u32 usage, u32 hasColor, u32 vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, hasColor, vertexCount);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(u32 usage, u32 hasColor, const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(usage, hasColor, source);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(u32 usage, u32 capacity)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, capacity);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(u32 usage, const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(usage, source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(source);
}

// Any failure gives a white image and no message.
std::unique_ptr<Texture2D> RenderSystem_D3D7::CreateTexture(TextureManager* owner, const std::string& keyName,
                                                       Image* diffuse, Image* opacity, bool mipMapping)
{
    return std::make_unique<Texture2D_D3D7>(this, owner, keyName, diffuse, opacity, mipMapping);
}

void RenderSystem_D3D7::TakeScreenshot(Image& image)
{
    try
    {
        CopyScreenshot(image);
    }
    catch (const Error&)
    {
        image.Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
    }
}

// The back buffer copied into a system-memory surface and read bottom row first into the image, as red,
// green, blue (and an opaque alpha for a 32-bit frame); a 16-bit frame's channels are widened to 8 bits.
void RenderSystem_D3D7::CopyScreenshot(Image& image)
{
    const ModeInfo* mode = GetCurrentMode();
    image.Create(m_log, mode ? mode->width : 0, mode ? mode->height : 0, mode && mode->bitsPerPixel == 32 ? 32 : 24);
    DDSURFACEDESC2 description = m_backBufferDescription;
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    description.ddsCaps = DDSCAPS2{};
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface7* copy = nullptr;
    if (!m_directDraw || FAILED(m_directDraw->CreateSurface(&description, &copy, nullptr)))
        throw Error("Error creating temporary surface!");
    copy->Blt(nullptr, m_backBuffer, nullptr, DDBLT_WAIT, nullptr);
    DDSURFACEDESC2 locked;
    if (FAILED(copy->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
    {
        ReleaseTemporary(copy, false);
        throw Error("Error creating temporary surface!");
    }
    const DWORD bits = locked.ddpfPixelFormat.dwRGBBitCount;
    image.Create(m_log, locked.dwWidth, locked.dwHeight, bits == 32 ? 32 : 24);
    if (image.IsEmpty() || (bits != 32 && bits != 24 && bits != 16))
    {
        ReleaseTemporary(copy, true);
        throw Error("Error creating temporary surface!");
    }
    u8* out = image.GetData();
    for (DWORD row = locked.dwHeight; row-- > 0;)
    {
        const u8* pixel = static_cast<const u8*>(locked.lpSurface) + static_cast<size_t>(row) * locked.lPitch;
        for (DWORD x = 0; x < locked.dwWidth; ++x, pixel += bits / 8)
        {
            if (bits == 16)
            {
                u16 packed = 0;
                std::memcpy(&packed, pixel, 2);
                const u32 red = (packed >> 11) & 31, green = (packed >> 5) & 63, blue = packed & 31;
                *out++ = static_cast<u8>(red << 3 | red >> 2);
                *out++ = static_cast<u8>(green << 2 | green >> 4);
                *out++ = static_cast<u8>(blue << 3 | blue >> 2);
                continue;
            }
            *out++ = pixel[2];
            *out++ = pixel[1];
            *out++ = pixel[0];
            if (bits == 32)
                *out++ = static_cast<u8>(255 - pixel[3]);
        }
    }
    ReleaseTemporary(copy, true);
}
}
