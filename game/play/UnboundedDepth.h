// Collision boxes on the field reach this far in z either way, so that only x and y decide what they meet.
#pragma once

#include "engine/core/Types.h"

namespace Korvane
{
constexpr VelkorEngine::f32 kUnboundedZ = 1000.0f;
}
