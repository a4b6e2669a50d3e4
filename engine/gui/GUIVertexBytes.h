// Writing a float into the raw vertex bytes of a GUI model, whatever the alignment of the spot.
#pragma once

#include "engine/core/Types.h"

#include <cstring>

namespace VelkorEngine
{
inline void WriteFloat(u8* at, f32 value)
{
    std::memcpy(at, &value, sizeof(value));
}
}
