// The vertex buffer the Direct3D 7 render system makes: the base buffer with the device's colour packing
// (A8R8G8B8), the handle of the render system that made it, and, once its vertices hold still between two
// draws, a copy of them in a buffer of the device, sent again only after they change (whoever writes the
// vertices locks them first, which renews their change stamp).
#pragma once

#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/D3D.h"

namespace VelkorEngine
{
class RenderSystem_D3D7;

class VertexBuffer_D3D7 : public VertexBuffer
{
public:
    // A coloured buffer starts white.
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 hasColor, u32 vertexCount);
    explicit VertexBuffer_D3D7(const VertexBuffer& source);
    // A colour the source did not have starts white.
    VertexBuffer_D3D7(u32 usage, u32 hasColor, const VertexBuffer& source);
    ~VertexBuffer_D3D7() override;

    // A copy gets its own device buffer when first drawn.
    VertexBuffer_D3D7(const VertexBuffer_D3D7& source) : VertexBuffer_D3D7(static_cast<const VertexBuffer&>(source)) {}

    // Each channel clamped to 0..1, times 255, rounded; alpha in the top byte, then red, green, blue.
    u32 FloatsToColor(const Color& color) const override;
    void ColorToFloats(Color& out, u32 packed) const override;

    RenderSystem_D3D7* GetRenderSystem() const { return m_renderSystem; }

    // The device buffer with the vertices as they are now, for a draw: none while the vertices changed since
    // their previous draw (they are drawn from memory), else made on first use and again for a device of a later
    // generation, and filled whenever the vertices changed since it was. Null also when the device refuses
    // (logged once for the device).
    IDirect3DVertexBuffer7* DeviceVertices(RenderSystem_D3D7& renderSystem, IDirect3D7& direct3D, u64 generation,
                                           DWORD format);

private:
    bool MakeDeviceBuffer(RenderSystem_D3D7& renderSystem, IDirect3D7& direct3D, DWORD format);
    bool SendVertices(RenderSystem_D3D7& renderSystem);
    void ReleaseDeviceBuffer();

    RenderSystem_D3D7* m_renderSystem = nullptr;
    IDirect3DVertexBuffer7* m_deviceBuffer = nullptr;
    u64 m_deviceGeneration = 0;
    bool m_refused = false;
    // The change stamp of the vertices the device buffer holds, and of those at the previous draw.
    u64 m_sentStamp = 0;
    u64 m_drawnStamp = 0;
};
}
