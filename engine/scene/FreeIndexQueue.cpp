// The ring behind the free index queue.
#include "engine/scene/FreeIndexQueue.h"

namespace VelkorEngine
{
u32 FreeIndexQueue::PopFront()
{
    const u32 index = m_ring[m_first];
    m_first = Wrap(m_first + 1);
    --m_count;
    return index;
}

void FreeIndexQueue::PushBack(u32 index)
{
    if (m_count == m_ring.size())
        return;
    m_ring[Wrap(m_first + m_count)] = index;
    ++m_count;
}

void FreeIndexQueue::Clear()
{
    m_first = 0;
    m_count = 0;
}

void FreeIndexQueue::FillAscending()
{
    const u32 capacity = static_cast<u32>(m_ring.size());
    for (u32 i = 0; i < capacity; ++i)
        m_ring[i] = i;
    m_first = 0;
    m_count = capacity;
}

void FreeIndexQueue::FillDescending()
{
    const u32 capacity = static_cast<u32>(m_ring.size());
    for (u32 i = 0; i < capacity; ++i)
        m_ring[i] = capacity - 1 - i;
    m_first = 0;
    m_count = capacity;
}
}
