// The render-state cache, its defaults, the anisotropy refresh and the video-mode comparison.
#include "engine/render/RenderSystem.h"

#include "engine/core/MathTolerance.h"
#include "engine/render/Texture2D.h"

#include <algorithm>
#include <cmath>

namespace VelkorEngine
{
namespace
{
bool NearlyEqual(const Vector4& a, const Vector4& b)
{
    return std::fabs(a.x - b.x) <= MathTolerance && std::fabs(a.y - b.y) <= MathTolerance &&
           std::fabs(a.z - b.z) <= MathTolerance && std::fabs(a.w - b.w) <= MathTolerance;
}
}

RenderSystem::RenderSystem(MessageManager* log, Config* config, Window* window, u8 stencilRequested,
                           u8 allowOversizedWindow)
    : m_log(log), m_config(config), m_window(window), m_videoSettings(config->GetRenderSettings()),
      m_stencilRequested(stencilRequested), m_allowOversizedWindow(allowOversizedWindow)
{
}

RenderSystem::~RenderSystem() = default;

DeviceInfo* RenderSystem::GetCurrentDevice() const
{
    return m_currentAdapter ? m_currentAdapter->currentDevice : nullptr;
}

ModeInfo* RenderSystem::GetCurrentMode() const
{
    const DeviceInfo* device = GetCurrentDevice();
    return device ? device->currentMode : nullptr;
}

void RenderSystem::BeginScene() {}

void RenderSystem::EndScene() {}

void RenderSystem::SwapBuffers() {}

void RenderSystem::KeepFrameForScreenshot() {}

void RenderSystem::DrawIndexedPrimitive(u32, IndexBuffer*, VertexBuffer*, u32) {}

u32 RenderSystem::ClampedAnisotropy() const
{
    const i64 wanted = *m_videoSettings.textureAnisotropy;
    return static_cast<u32>(std::max<i64>(std::min<i64>(wanted, m_maxAnisotropy), 1));
}

void RenderSystem::Refresh()
{
    const u32 anisotropy = ClampedAnisotropy();
    *m_videoSettings.textureAnisotropy = static_cast<i32>(anisotropy);
    for (u32 stage = 0; stage < m_stages.size(); ++stage)
        if (Applies(m_stages[stage].anisotropy == anisotropy))
        {
            m_stages[stage].anisotropy = anisotropy;
            UpdateMaxTextureAnisotropy(stage);
        }
}

void RenderSystem::CheckVideoModeChange()
{
    const DeviceInfo* device = GetCurrentDevice();
    const ModeInfo* mode = GetCurrentMode();
    u32 width = 0, height = 0, bits = 0;
    ParseVideoMode(*m_videoSettings.videoMode, &width, &height, &bits);
    if (device && mode && device->fullScreen == *m_videoSettings.fullScreen && mode->width == width &&
        mode->height == height && mode->bitsPerPixel == bits)
        return;
    m_resetPending = 1;
}

void RenderSystem::Reset(u32 flags)
{
    if (flags & ResetDevice)
    {
        m_resetPending = 0;
        m_active = 1;
    }
    if (flags & ResetResources)
        m_resourcesLost = 0;
}

void RenderSystem::ResizeStageArrays(u32 stageCount) { m_stages.resize(stageCount); }

void RenderSystem::InitStates()
{
    ResizeStageArrays(m_stageCount);
    m_active = 1;
    SetDefaultStates();
}

// With the force flag up every Update operation runs once, whatever the cache held before.
void RenderSystem::SetDefaultStates()
{
    SetMaterial(Color(0.6f, 0.6f, 0.6f, 1.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 0.0f, 0.0f, 0.0f),
                Color(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    m_forceStates = 1;
    SetViewMatrix(IdentityMatrix());
    SetWorldMatrix(IdentityMatrix());
    SetAmbientColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    SetAlphaBlend(false);
    SetBlend(BlendZero, BlendZero);
    for (u32 stage = 0; stage < m_stages.size(); ++stage)
    {
        SetTexture(stage, nullptr);
        m_stages[stage].anisotropy = 1;
        UpdateMaxTextureAnisotropy(stage);
        SetTextureFilter(stage, FilterBilinear);
        SetTextureAddressU(stage, AddressWrap);
        SetTextureAddressV(stage, AddressWrap);
        SetTextureTransform(stage, 1.0f, 1.0f, 0.0f, 0.0f);
    }
    SetCullMode(CullNone);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    m_forceStates = 0;
}

void RenderSystem::SetProjectionMatrix(const Matrix4& matrix)
{
    if (!Applies(matrix == m_projection))
        return;
    m_projection = matrix;
    UpdateProjectionMatrix();
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix)
{
    if (!Applies(matrix == m_view))
        return;
    m_view = matrix;
    UpdateViewMatrix();
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix)
{
    if (!Applies(matrix == m_world))
        return;
    m_world = matrix;
    UpdateWorldMatrix();
}

void RenderSystem::SetAmbientColor(const Color& color)
{
    if (!Applies(!(color != m_ambient)))
        return;
    m_ambient = color;
    UpdateAmbientColor();
}

void RenderSystem::SetAlphaBlend(bool enabled)
{
    if (!Applies(m_alphaBlend == u8(enabled)))
        return;
    m_alphaBlend = enabled ? 1 : 0;
    UpdateAlphaBlend();
}

void RenderSystem::SetBlend(u32 source, u32 destination)
{
    if (!Applies(m_sourceBlend == source && m_destinationBlend == destination))
        return;
    m_sourceBlend = source;
    m_destinationBlend = destination;
    UpdateBlend();
}

void RenderSystem::SetTexture(u32 stage, Texture2D* texture)
{
    if (!HasStage(stage))
        return;
    const u64 serial = texture ? texture->GetSerial() : 0;
    StageState& state = m_stages[stage];
    if (!Applies(state.textureSerial == serial))
        return;
    state.texture = texture;
    state.textureSerial = serial;
    UpdateTexture(stage);
}

void RenderSystem::SetTextureFilter(u32 stage, u32 filter)
{
    if (!HasStage(stage) || !Applies(m_stages[stage].filter == filter))
        return;
    m_stages[stage].filter = filter;
    UpdateTextureFilter(stage);
}

void RenderSystem::SetTextureAddressU(u32 stage, u32 mode)
{
    if (!HasStage(stage) || !Applies(m_stages[stage].addressU == mode))
        return;
    m_stages[stage].addressU = mode;
    UpdateTextureAdressU(stage);
}

void RenderSystem::SetTextureAddressV(u32 stage, u32 mode)
{
    if (!HasStage(stage) || !Applies(m_stages[stage].addressV == mode))
        return;
    m_stages[stage].addressV = mode;
    UpdateTextureAdressV(stage);
}

void RenderSystem::SetTextureTransform(u32 stage, f32 scaleU, f32 scaleV, f32 offsetU, f32 offsetV)
{
    const Vector4 transform(scaleU, scaleV, offsetU, offsetV);
    if (!HasStage(stage) || !Applies(NearlyEqual(m_stages[stage].transform, transform)))
        return;
    m_stages[stage].transform = transform;
    UpdateTextureMatrix(stage);
}

void RenderSystem::SetCullMode(u32 mode)
{
    if (!Applies(m_cullMode == mode))
        return;
    m_cullMode = mode;
    UpdateCullMode();
}

void RenderSystem::SetLighting(bool enabled)
{
    if (!Applies(m_lighting == u8(enabled)))
        return;
    m_lighting = enabled ? 1 : 0;
    UpdateLighting();
}

void RenderSystem::SetNormalizeNormals(bool enabled)
{
    if (!Applies(m_normalizeNormals == u8(enabled)))
        return;
    m_normalizeNormals = enabled ? 1 : 0;
    UpdateNormalizeNormals();
}

void RenderSystem::SetZ(bool enabled)
{
    if (!Applies(m_z == u8(enabled)))
        return;
    m_z = enabled ? 1 : 0;
    UpdateZ();
}

void RenderSystem::SetZWrite(bool enabled)
{
    if (!Applies(m_zWrite == u8(enabled)))
        return;
    m_zWrite = enabled ? 1 : 0;
    UpdateZWrite();
}

void RenderSystem::SetStencil(bool enabled)
{
    if (!Applies(m_stencil == u8(enabled)))
        return;
    m_stencil = enabled ? 1 : 0;
    UpdateStencil();
}

void RenderSystem::ForgetTexture(u64 serial)
{
    if (serial == 0)
        return;
    for (u32 stage = 0; stage < m_stages.size(); ++stage)
        if (m_stages[stage].textureSerial == serial)
        {
            m_stages[stage].texture = nullptr;
            m_stages[stage].textureSerial = 0;
            UpdateTexture(stage);
        }
}

Texture2D* RenderSystem::GetTexture(u32 stage) const { return HasStage(stage) ? m_stages[stage].texture : nullptr; }

u32 RenderSystem::GetTextureAnisotropy(u32 stage) const { return HasStage(stage) ? m_stages[stage].anisotropy : 0; }

u32 RenderSystem::GetTextureFilter(u32 stage) const { return HasStage(stage) ? m_stages[stage].filter : 0; }

u32 RenderSystem::GetTextureAddressU(u32 stage) const { return HasStage(stage) ? m_stages[stage].addressU : 0; }

u32 RenderSystem::GetTextureAddressV(u32 stage) const { return HasStage(stage) ? m_stages[stage].addressV : 0; }

Vector4 RenderSystem::GetTextureTransform(u32 stage) const
{
    return HasStage(stage) ? m_stages[stage].transform : Vector4();
}
}
