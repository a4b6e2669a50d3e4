// Colour packing of the device, the white start of coloured buffers and the copy in the device's buffer.
#include "engine/render/VertexBuffer_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

#include <cstring>

namespace VelkorEngine
{
namespace
{
const Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

u32 ChannelToByte(f32 value)
{
    if (value >= 1.0f)
        return 255;
    if (value <= 0.0f)
        return 0;
    return static_cast<u32>(value * 255.0f + 0.5f);
}

RenderSystem_D3D7* RenderSystemOfVertices(const VertexBuffer& buffer)
{
    const auto* direct3D = dynamic_cast<const VertexBuffer_D3D7*>(&buffer);
    return direct3D ? direct3D->GetRenderSystem() : nullptr;
}
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 hasColor, u32 vertexCount)
    : VertexBuffer(usage, hasColor, vertexCount), m_renderSystem(renderSystem)
{
    SetColor(kWhite);
}

VertexBuffer_D3D7::VertexBuffer_D3D7(const VertexBuffer& source)
    : VertexBuffer(source), m_renderSystem(RenderSystemOfVertices(source))
{
}

VertexBuffer_D3D7::VertexBuffer_D3D7(u32 usage, u32 hasColor, const VertexBuffer& source)
    : VertexBuffer(usage, hasColor, source), m_renderSystem(RenderSystemOfVertices(source))
{
    if (!source.HasColor())
        SetColor(kWhite);
}

u32 VertexBuffer_D3D7::FloatsToColor(const Color& color) const
{
    return ChannelToByte(color.a) << 24 | ChannelToByte(color.r) << 16 | ChannelToByte(color.g) << 8 |
           ChannelToByte(color.b);
}

void VertexBuffer_D3D7::ColorToFloats(Color& out, u32 packed) const
{
    constexpr f32 k = 0.003921569f;
    out.r = static_cast<f32>((packed >> 16) & 255) * k;
    out.g = static_cast<f32>((packed >> 8) & 255) * k;
    out.b = static_cast<f32>(packed & 255) * k;
    out.a = static_cast<f32>(packed >> 24) * k;
}

VertexBuffer_D3D7::~VertexBuffer_D3D7() { ReleaseDeviceBuffer(); }

void VertexBuffer_D3D7::ReleaseDeviceBuffer()
{
    if (m_deviceBuffer)
        m_deviceBuffer->Release();
    m_deviceBuffer = nullptr;
}

IDirect3DVertexBuffer7* VertexBuffer_D3D7::DeviceVertices(RenderSystem_D3D7& renderSystem, IDirect3D7& direct3D,
                                                          u64 generation, DWORD format)
{
    // Vertices written since their previous draw (particles, sprites, skinned models, text) are drawn from
    // memory: sending them to a buffer object at every change costs the software driver more than its own
    // copy at the draw, as it must wait for the frames still reading the buffer. Vertices that held still for
    // a draw go to the device's buffer and are drawn from there until they change again.
    const bool heldStill = m_drawnStamp == GetChangeStamp() && !IsLocked();
    m_drawnStamp = GetChangeStamp();
    if (GetVertexCount() == 0 || !heldStill)
        return nullptr;
    if (m_deviceGeneration != generation)
    {
        ReleaseDeviceBuffer();
        m_deviceGeneration = generation;
        m_refused = false;
    }
    // A device that refused the buffer is not asked again (nor the refusal logged again) until it is reset.
    if (m_refused || (!m_deviceBuffer && !MakeDeviceBuffer(renderSystem, direct3D, format)))
        return nullptr;
    if (m_sentStamp != GetChangeStamp() && !SendVertices(renderSystem))
        return nullptr;
    return m_deviceBuffer;
}

bool VertexBuffer_D3D7::MakeDeviceBuffer(RenderSystem_D3D7& renderSystem, IDirect3D7& direct3D, DWORD format)
{
    D3DVERTEXBUFFERDESC description;
    description.dwCaps = D3DVBCAPS_WRITEONLY;
    description.dwFVF = format;
    description.dwNumVertices = GetVertexCount();
    const HRESULT result = direct3D.CreateVertexBuffer(&description, &m_deviceBuffer, 0);
    renderSystem.CheckResult("VertexBuffer_D3D7::MakeDeviceBuffer", result);
    if (FAILED(result))
        m_deviceBuffer = nullptr;
    m_refused = m_deviceBuffer == nullptr;
    m_sentStamp = 0;
    return m_deviceBuffer != nullptr;
}

bool VertexBuffer_D3D7::SendVertices(RenderSystem_D3D7& renderSystem)
{
    const char* context = "VertexBuffer_D3D7::SendVertices";
    void* target = nullptr;
    DWORD size = 0;
    const HRESULT locked = m_deviceBuffer->Lock(DDLOCK_WAIT | DDLOCK_WRITEONLY, &target, &size);
    renderSystem.CheckResult(context, locked);
    if (FAILED(locked))
        return false;
    const size_t bytes = static_cast<size_t>(GetStride()) * GetVertexCount();
    std::memcpy(target, GetData(), bytes < size ? bytes : size);
    renderSystem.CheckResult(context, m_deviceBuffer->Unlock());
    m_sentStamp = GetChangeStamp();
    return true;
}
}
