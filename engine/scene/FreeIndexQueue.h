// First-in-first-out queue of free slot indices with room for every slot, allocated once: taking and giving
// back indices every frame never allocates. Each index is in the queue at most once, so it never overflows.
#pragma once

#include "engine/core/Types.h"

#include <vector>

namespace VelkorEngine
{
class FreeIndexQueue
{
public:
    explicit FreeIndexQueue(u32 capacity = 0) : m_ring(capacity) {}

    bool IsEmpty() const { return m_count == 0; }
    u32 GetCount() const { return m_count; }
    u32 Front() const { return m_ring[m_first]; }
    // The i-th index from the front.
    u32 At(u32 i) const { return m_ring[Wrap(m_first + i)]; }

    // Callers make sure the queue is not empty.
    u32 PopFront();
    // Ignored when the queue is full, which only a repeated index could cause.
    void PushBack(u32 index);
    void Clear();
    // Every slot index, 0 first.
    void FillAscending();
    // Every slot index, the last first.
    void FillDescending();

private:
    u32 Wrap(u32 position) const
    {
        const u32 size = static_cast<u32>(m_ring.size());
        return position >= size ? position - size : position;
    }

    std::vector<u32> m_ring;
    u32 m_first = 0;
    u32 m_count = 0;
};
}
