// Little-endian fields of the framework's file bodies.
#include "framework/BinaryFields.h"

#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <cstring>

namespace GameTools
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

void WriteU8(VelkorEngine::FileBinary& file, u8 value)
{
    file.Write(&value, 1);
}

void WriteU32(VelkorEngine::FileBinary& file, u32 value)
{
    u8 bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<u8>(value >> (8 * i));
    file.Write(bytes, 4);
}

void WriteF32(VelkorEngine::FileBinary& file, f32 value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(file, bits);
}

u8 ReadU8(VelkorEngine::FileBinary& file)
{
    return VelkorEngine::BinaryReader(file).U8();
}

u32 ReadU32(VelkorEngine::FileBinary& file)
{
    return VelkorEngine::BinaryReader(file).U32();
}

f32 ReadF32(VelkorEngine::FileBinary& file)
{
    return VelkorEngine::BinaryReader(file).F32();
}

std::wstring CapStoredName(const std::wstring& name)
{
    u32 units = 0;
    size_t kept = 0;
    for (; kept < name.size(); ++kept)
    {
        const u32 needed = static_cast<u32>(name[kept]) > 0xFFFF ? 2 : 1;
        if (units + needed > MaxStoredNameUnits)
            break;
        units += needed;
    }
    return name.substr(0, kept);
}
}
