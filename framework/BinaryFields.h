// Little-endian fields of the framework's file bodies, read and written through a FileBinary.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class FileBinary;
}

namespace GameTools
{
void WriteU8(VelkorEngine::FileBinary& file, VelkorEngine::u8 value);
void WriteU32(VelkorEngine::FileBinary& file, VelkorEngine::u32 value);
void WriteF32(VelkorEngine::FileBinary& file, VelkorEngine::f32 value);
VelkorEngine::u8 ReadU8(VelkorEngine::FileBinary& file);
VelkorEngine::u32 ReadU32(VelkorEngine::FileBinary& file);
VelkorEngine::f32 ReadF32(VelkorEngine::FileBinary& file);

// The longest name a stored wide string holds: its count byte counts the UTF-16 units plus the final zero.
constexpr VelkorEngine::u32 MaxStoredNameUnits = 254;
// The name cut to what a stored wide string can hold, so that saving it never fails or garbles the file.
std::wstring CapStoredName(const std::wstring& name);
}
