// How near a fading opacity must come to its end for the fade to count as finished.
#pragma once

#include "engine/core/Types.h"

namespace GUITools
{
constexpr VelkorEngine::f32 FadeTolerance = 0.0001f;
}
