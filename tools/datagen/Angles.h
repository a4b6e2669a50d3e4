// Pi as the generator uses it: in single precision for geometry and pictures, in double precision for the
// phases of sounds, which add up over many thousands of samples.
#pragma once

#include <numbers>

namespace KorvaneTools
{
constexpr float Pi = std::numbers::pi_v<float>;
constexpr double PiDouble = std::numbers::pi;
}
