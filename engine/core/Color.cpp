// Colour setting and comparison; the plain arithmetic is inline in the header.
#include "engine/core/Color.h"

#include "engine/core/MathTolerance.h"

#include <cmath>

namespace VelkorEngine
{
void Color::Set(f32 red, f32 green, f32 blue, f32 alpha)
{
    r = red;
    g = green;
    b = blue;
    a = alpha;
}

bool Color::operator!=(const Color& other) const
{
    return std::fabs(r - other.r) > MathTolerance || std::fabs(g - other.g) > MathTolerance ||
           std::fabs(b - other.b) > MathTolerance || std::fabs(a - other.a) > MathTolerance;
}
}
