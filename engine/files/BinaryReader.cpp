// Little-endian decoding over FileBinary reads.
#include "engine/files/BinaryReader.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"

#include <bit>

namespace VelkorEngine
{
u16 BinaryReader::DecodeU16(const u8* bytes)
{
    return static_cast<u16>(bytes[0] | (bytes[1] << 8));
}

u32 BinaryReader::DecodeU32(const u8* bytes)
{
    return static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) | (static_cast<u32>(bytes[2]) << 16) |
           (static_cast<u32>(bytes[3]) << 24);
}

f32 BinaryReader::DecodeF32(const u8* bytes)
{
    return std::bit_cast<f32>(DecodeU32(bytes));
}

u8 BinaryReader::U8()
{
    u8 value = 0;
    m_file.Read(&value, 1);
    return value;
}

u16 BinaryReader::U16()
{
    u8 bytes[2] = {};
    m_file.Read(bytes, sizeof(bytes));
    return DecodeU16(bytes);
}

u32 BinaryReader::U32()
{
    u8 bytes[4] = {};
    m_file.Read(bytes, sizeof(bytes));
    return DecodeU32(bytes);
}

f32 BinaryReader::F32()
{
    u8 bytes[4] = {};
    m_file.Read(bytes, sizeof(bytes));
    return DecodeF32(bytes);
}

Vector3 BinaryReader::Vec3()
{
    const f32 x = F32();
    const f32 y = F32();
    const f32 z = F32();
    return Vector3(x, y, z);
}

Color BinaryReader::Colour()
{
    const f32 r = F32();
    const f32 g = F32();
    const f32 b = F32();
    const f32 a = F32();
    return Color(r, g, b, a);
}

std::string BinaryReader::String()
{
    std::string text;
    m_file.ReadString(text);
    return text;
}

void BinaryReader::RequireBytes(u64 bytes) const
{
    if (bytes > m_file.GetSize() - m_file.GetPosition())
        throw FileError("Failed to read " + std::to_string(bytes) + " bytes from \"" + m_file.GetName() + "\" file");
}

std::vector<u8> BinaryReader::Block(u64 bytes)
{
    RequireBytes(bytes);
    std::vector<u8> block(static_cast<size_t>(bytes));
    m_file.Read(block.data(), static_cast<u32>(bytes));
    return block;
}
}
