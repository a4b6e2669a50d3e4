// Index buffers of the Direct3D 7 render system.
#include "engine/render/IndexBuffer_D3D7.h"

namespace VelkorEngine
{
namespace
{
RenderSystem_D3D7* RenderSystemOfIndices(const IndexBuffer& buffer)
{
    const auto* direct3D = dynamic_cast<const IndexBuffer_D3D7*>(&buffer);
    return direct3D ? direct3D->GetRenderSystem() : nullptr;
}
}

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 capacity)
    : IndexBuffer(usage, capacity), m_renderSystem(renderSystem)
{
}

IndexBuffer_D3D7::IndexBuffer_D3D7(u32 usage, const IndexBuffer& source)
    : IndexBuffer(usage, source), m_renderSystem(RenderSystemOfIndices(source))
{
}

IndexBuffer_D3D7::IndexBuffer_D3D7(const IndexBuffer& source)
    : IndexBuffer(source), m_renderSystem(RenderSystemOfIndices(source))
{
}
}
