// Pi as the generator's single-precision geometry and pictures use it.
#pragma once

#include <numbers>

namespace KorvaneTools
{
constexpr float Pi = std::numbers::pi_v<float>;
}
