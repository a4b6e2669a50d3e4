// Little-endian fields appended to a file's bytes, whatever the byte order of the machine that writes them.
#pragma once

#include "engine/core/Types.h"

#include <cstring>
#include <string>

namespace KorvaneTools
{
inline void PutU32(std::string& out, VelkorEngine::u32 value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void PutF32(std::string& out, VelkorEngine::f32 value)
{
    VelkorEngine::u32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}
}
