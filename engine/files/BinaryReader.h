// Typed little-endian fields read in file order from a binary file, for every reader of the engine's
// binary formats. A short read throws the file's FileError. Blocks are weighed against the bytes left
// before they are allocated, so a lying count ends in that same error instead of a huge allocation.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;

class BinaryReader
{
public:
    explicit BinaryReader(FileBinary& file) : m_file(file) {}

    u8 U8();
    u16 U16();
    u32 U32();
    f32 F32();
    Vector3 Vec3();
    Color Colour();
    // A u8 length, then that many bytes; the text ends at the first zero byte.
    std::string String();

    // Throws the short-read error now when fewer than the bytes are left.
    void RequireBytes(u64 bytes) const;
    std::vector<u8> Block(u64 bytes);

    FileBinary& File() const { return m_file; }

    // The same fields decoded out of bytes already read.
    static u16 DecodeU16(const u8* bytes);
    static u32 DecodeU32(const u8* bytes);
    static f32 DecodeF32(const u8* bytes);

private:
    FileBinary& m_file;
};
}
