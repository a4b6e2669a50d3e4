// Geometry indices in ordinary memory, owned by the buffer: 16-bit, or 32-bit from a capacity of 65,536 on.
// The smallest index in use and the span up to the largest are found lazily, after any change, for the draw.
#pragma once

#include "engine/core/ChangeStamp.h"
#include "engine/core/Types.h"

#include <vector>

namespace VelkorEngine
{
class IndexBuffer
{
public:
    static constexpr u32 WideCapacity = 0x10000;

    virtual ~IndexBuffer();

    IndexBuffer& operator=(const IndexBuffer&) = delete;

    // Records the lock, marks the range for recounting and returns the first index's bytes; a range past the
    // end is cut at the end.
    virtual u8* Lock(u32 first, u32 count);
    virtual void Unlock();
    virtual void PrepareDraw();

    // A 16-bit buffer keeps the low 16 bits of each index.
    void SetIndices(u32 first, u32 count, const u32* source);
    // At most the capacity.
    void SetIndexCount(u32 count);
    u32 GetMinIndex();
    // Largest index in use - smallest + 1; 0 with no index in use.
    u32 GetVertexRangeCount();

    u32 GetUsage() const { return m_usage; }
    u32 Is32Bit() const { return m_is32Bit; }
    u32 GetIndexSize() const { return m_indexSize; }
    u32 GetCapacity() const { return m_capacity; }
    u32 GetIndexCount() const { return m_indexCount; }
    u8 IsLocked() const { return m_locked; }
    u8 IsRangeDirty() const { return m_rangeDirty; }
    const u8* GetData() const { return m_data.data(); }
    // A new stamp with every lock and every change of the count in use.
    u64 GetChangeStamp() const { return m_changeStamp; }

protected:
    // Indices start zeroed and all in use.
    IndexBuffer(u32 usage, u32 capacity);
    // The source's indices, count and range under another usage flag.
    IndexBuffer(u32 usage, const IndexBuffer& source);
    IndexBuffer(const IndexBuffer& source);

private:
    void ComputeIndexRange();
    u32 IndexAt(u32 position) const;

    u32 m_usage = 0;
    u32 m_is32Bit = 0;
    u32 m_indexSize = 2;
    u32 m_capacity = 0;
    u32 m_indexCount = 0;
    std::vector<u8> m_data;
    u8 m_locked = 0;
    u32 m_lockedFirst = 0;
    u32 m_lockedCount = 0;
    u8 m_rangeDirty = 1;
    u32 m_minIndex = 0;
    u32 m_rangeCount = 0;
    u64 m_changeStamp = NextChangeStamp();
};
}
