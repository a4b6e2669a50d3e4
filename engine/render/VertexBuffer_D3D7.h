// The vertex buffer the Direct3D 7 render system makes: the base buffer with the device's colour packing
// (A8R8G8B8) and the handle of the render system that made it.
#pragma once

#include "engine/render/VertexBuffer.h"

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

    // Each channel clamped to 0..1, times 255, rounded; alpha in the top byte, then red, green, blue.
    u32 FloatsToColor(const Color& color) const override;
    void ColorToFloats(Color& out, u32 packed) const override;

    RenderSystem_D3D7* GetRenderSystem() const { return m_renderSystem; }

private:
    RenderSystem_D3D7* m_renderSystem = nullptr;
};
}
