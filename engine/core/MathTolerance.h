// The one tolerance of every approximate comparison of vectors, colours and matrices, and the shortest
// length that is still normalised.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
inline constexpr f32 MathTolerance = 0.0001f;
}
