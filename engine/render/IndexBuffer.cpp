// Index storage, width, locking and the lazily found index range.
#include "engine/render/IndexBuffer.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
IndexBuffer::IndexBuffer(u32 usage, u32 capacity)
    : m_usage(usage), m_is32Bit(capacity >= WideCapacity ? 1 : 0), m_indexSize(m_is32Bit ? 4 : 2),
      m_capacity(capacity), m_indexCount(capacity), m_data(static_cast<size_t>(capacity) * m_indexSize, 0)
{
}

IndexBuffer::IndexBuffer(u32 usage, const IndexBuffer& source) : IndexBuffer(source) { m_usage = usage; }

IndexBuffer::IndexBuffer(const IndexBuffer& source)
    : m_usage(source.m_usage), m_is32Bit(source.m_is32Bit), m_indexSize(source.m_indexSize),
      m_capacity(source.m_capacity), m_indexCount(source.m_indexCount), m_data(source.m_data),
      m_rangeDirty(source.m_rangeDirty), m_minIndex(source.m_minIndex), m_rangeCount(source.m_rangeCount)
{
}

IndexBuffer::~IndexBuffer() = default;

u8* IndexBuffer::Lock(u32 first, u32 count)
{
    m_changeStamp = NextChangeStamp();
    first = std::min(first, m_capacity);
    m_locked = 1;
    m_lockedFirst = first;
    m_lockedCount = std::min(count, m_capacity - first);
    m_rangeDirty = 1;
    return m_data.data() + static_cast<size_t>(m_indexSize) * first;
}

void IndexBuffer::Unlock() { m_locked = 0; }

void IndexBuffer::PrepareDraw() {}

void IndexBuffer::SetIndices(u32 first, u32 count, const u32* source)
{
    u8* target = Lock(first, count);
    for (u32 i = 0; i < m_lockedCount; ++i)
    {
        if (m_is32Bit)
            std::memcpy(target + i * 4, &source[i], 4);
        else
        {
            const u16 low = static_cast<u16>(source[i]);
            std::memcpy(target + i * 2, &low, 2);
        }
    }
    Unlock();
}

void IndexBuffer::SetIndexCount(u32 count)
{
    m_changeStamp = NextChangeStamp();
    m_indexCount = std::min(count, m_capacity);
    m_rangeDirty = 1;
}

u32 IndexBuffer::IndexAt(u32 position) const
{
    const u8* at = m_data.data() + static_cast<size_t>(position) * m_indexSize;
    if (m_is32Bit)
    {
        u32 value = 0;
        std::memcpy(&value, at, 4);
        return value;
    }
    u16 value = 0;
    std::memcpy(&value, at, 2);
    return value;
}

void IndexBuffer::ComputeIndexRange()
{
    m_rangeDirty = 0;
    m_minIndex = 0;
    m_rangeCount = 0;
    if (m_indexCount == 0)
        return;
    u32 smallest = IndexAt(0), largest = smallest;
    for (u32 position = 1; position < m_indexCount; ++position)
    {
        const u32 index = IndexAt(position);
        smallest = std::min(smallest, index);
        largest = std::max(largest, index);
    }
    m_minIndex = smallest;
    m_rangeCount = largest - smallest + 1;
}

u32 IndexBuffer::GetMinIndex()
{
    if (m_rangeDirty)
        ComputeIndexRange();
    return m_minIndex;
}

u32 IndexBuffer::GetVertexRangeCount()
{
    if (m_rangeDirty)
        ComputeIndexRange();
    return m_rangeCount;
}
}
