// Farther than anything a scene holds: where a search for the least or the greatest coordinate starts.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
constexpr f32 kFarBound = 100000.0f;
}
