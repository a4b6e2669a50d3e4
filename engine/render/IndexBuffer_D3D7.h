// The index buffer the Direct3D 7 render system makes: the base buffer with the render system's handle.
#pragma once

#include "engine/render/IndexBuffer.h"

namespace VelkorEngine
{
class RenderSystem_D3D7;

class IndexBuffer_D3D7 : public IndexBuffer
{
public:
    IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 capacity);
    IndexBuffer_D3D7(u32 usage, const IndexBuffer& source);
    explicit IndexBuffer_D3D7(const IndexBuffer& source);

    RenderSystem_D3D7* GetRenderSystem() const { return m_renderSystem; }

private:
    RenderSystem_D3D7* m_renderSystem = nullptr;
};
}
