// Geometry vertices in ordinary memory, owned by the buffer: position, normal, an optional packed colour and
// one pair of texture coordinates, packed without gaps (36 bytes with colour, 32 without). Nothing lives on
// the device; the draw hands the memory over each time.
#pragma once

#include "engine/core/ChangeStamp.h"
#include "engine/core/Color.h"
#include "engine/core/Types.h"

#include <vector>

namespace VelkorEngine
{
class VertexBuffer
{
public:
    static constexpr u32 StrideWithColor = 36;
    static constexpr u32 StrideWithoutColor = 32;
    static constexpr u32 ColorOffset = 24;
    static constexpr u32 TextureOffsetWithColor = 28;
    static constexpr u32 TextureOffsetWithoutColor = 24;

    virtual ~VertexBuffer();

    VertexBuffer& operator=(const VertexBuffer&) = delete;

    virtual void Unlock();
    virtual void PrepareDraw();
    virtual void ColorToFloats(Color& out, u32 packed) const = 0;
    virtual u32 FloatsToColor(const Color& color) const = 0;
    // Records the lock and returns the first vertex's bytes at once; nothing blocks. A range past the end is
    // cut at the end.
    virtual u8* LockRange(u32 first, u32 count);

    u8* Lock(u32 first, u32 count) { return LockRange(first, count); }
    u8* LockVertices(u32 first, u32 count) { return LockRange(first, count); }

    void SetColor(const Color& color);
    void GetVertexColor(Color& out, u32 vertex) const;

    u32 GetUsage() const { return m_usage; }
    u32 HasColor() const { return m_hasColor; }
    u32 GetStride() const { return m_stride; }
    u32 GetVertexCount() const { return m_vertexCount; }
    u32 GetTextureOffset() const { return m_hasColor ? TextureOffsetWithColor : TextureOffsetWithoutColor; }
    u8 IsLocked() const { return m_locked; }
    u32 GetLockedFirst() const { return m_lockedFirst; }
    u32 GetLockedCount() const { return m_lockedCount; }
    const u8* GetData() const { return m_data.data(); }
    // A new stamp with every lock: whoever may have written the vertices has locked them first.
    u64 GetChangeStamp() const { return m_changeStamp; }

protected:
    // Vertices start zeroed, so a buffer drawn before its owner fills it draws nothing at random.
    VertexBuffer(u32 usage, u32 hasColor, u32 vertexCount);
    // An exact copy.
    VertexBuffer(const VertexBuffer& source);
    // The source's vertices in another colour layout: a dropped colour is lost, an added one left for the
    // caller to whiten.
    VertexBuffer(u32 usage, u32 hasColor, const VertexBuffer& source);

private:
    u32 m_usage = 0;
    u32 m_hasColor = 0;
    u32 m_stride = 0;
    u32 m_vertexCount = 0;
    std::vector<u8> m_data;
    u8 m_locked = 0;
    u32 m_lockedFirst = 0;
    u32 m_lockedCount = 0;
    u64 m_changeStamp = NextChangeStamp();
};
}
