// Colour packing of the device and the white start of coloured buffers.
#include "engine/render/VertexBuffer_D3D7.h"

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

RenderSystem_D3D7* RenderSystemOf(const VertexBuffer& buffer)
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
    : VertexBuffer(source), m_renderSystem(RenderSystemOf(source))
{
}

VertexBuffer_D3D7::VertexBuffer_D3D7(u32 usage, u32 hasColor, const VertexBuffer& source)
    : VertexBuffer(usage, hasColor, source), m_renderSystem(RenderSystemOf(source))
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
}
