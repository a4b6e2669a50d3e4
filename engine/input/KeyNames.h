// The control names: the fixed vocabulary by which input, settings and the console address keys and mouse
// buttons, each bound to a mouse button number or a keyboard key code.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct KeyName
{
    const char* name;
    u32 code;
};

constexpr u32 kKeyNameCount = 108;
constexpr u32 kMouseButtonCount = 8;

// In registration order; the first kMouseButtonCount entries are "MOUSE1" ... "MOUSE8" with codes 0 ... 7.
extern const KeyName kKeyNames[kKeyNameCount];
}
