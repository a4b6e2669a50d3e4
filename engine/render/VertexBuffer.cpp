// Vertex storage, locking, colour fill and the conversion between the two layouts.
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 kPositionAndNormal = 24;
constexpr u32 kTextureCoordinates = 8;
}

VertexBuffer::VertexBuffer(u32 usage, u32 hasColor, u32 vertexCount)
    : m_usage(usage), m_hasColor(hasColor ? 1 : 0), m_stride(hasColor ? StrideWithColor : StrideWithoutColor),
      m_vertexCount(vertexCount), m_data(static_cast<size_t>(m_stride) * vertexCount, 0)
{
}

VertexBuffer::VertexBuffer(const VertexBuffer& source)
    : m_usage(source.m_usage), m_hasColor(source.m_hasColor), m_stride(source.m_stride),
      m_vertexCount(source.m_vertexCount), m_data(source.m_data)
{
}

VertexBuffer::VertexBuffer(u32 usage, u32 hasColor, const VertexBuffer& source)
    : VertexBuffer(usage, hasColor, source.m_vertexCount)
{
    if (m_hasColor == source.m_hasColor)
    {
        m_data = source.m_data;
        return;
    }
    const u32 fromTexture = source.GetTextureOffset();
    const u32 toTexture = GetTextureOffset();
    for (u32 vertex = 0; vertex < m_vertexCount; ++vertex)
    {
        const u8* from = source.m_data.data() + static_cast<size_t>(vertex) * source.m_stride;
        u8* to = m_data.data() + static_cast<size_t>(vertex) * m_stride;
        std::memcpy(to, from, kPositionAndNormal);
        std::memcpy(to + toTexture, from + fromTexture, kTextureCoordinates);
    }
}

VertexBuffer::~VertexBuffer() = default;

u8* VertexBuffer::LockRange(u32 first, u32 count)
{
    m_changeStamp = NextChangeStamp();
    first = std::min(first, m_vertexCount);
    m_locked = 1;
    m_lockedFirst = first;
    m_lockedCount = std::min(count, m_vertexCount - first);
    return m_data.data() + static_cast<size_t>(m_stride) * first;
}

void VertexBuffer::Unlock() { m_locked = 0; }

void VertexBuffer::PrepareDraw() {}

void VertexBuffer::SetColor(const Color& color)
{
    if (!m_hasColor)
        return;
    const u32 packed = FloatsToColor(color);
    u8* vertices = LockRange(0, m_vertexCount);
    for (u32 vertex = 0; vertex < m_vertexCount; ++vertex)
        std::memcpy(vertices + static_cast<size_t>(vertex) * m_stride + ColorOffset, &packed, sizeof(packed));
    Unlock();
}

void VertexBuffer::GetVertexColor(Color& out, u32 vertex) const
{
    if (!m_hasColor || vertex >= m_vertexCount)
    {
        out = Color(1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    u32 packed = 0;
    std::memcpy(&packed, m_data.data() + static_cast<size_t>(vertex) * m_stride + ColorOffset, sizeof(packed));
    ColorToFloats(out, packed);
}
}
