// Colour arithmetic over all four components.
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

Color Color::operator*(f32 scalar) const
{
    return Color(r * scalar, g * scalar, b * scalar, a * scalar);
}

Color Color::operator+(const Color& other) const
{
    return Color(r + other.r, g + other.g, b + other.b, a + other.a);
}

Color Color::Modulate(const Color& other) const
{
    return Color(r * other.r, g * other.g, b * other.b, a * other.a);
}

bool Color::operator!=(const Color& other) const
{
    return std::fabs(r - other.r) > MathTolerance || std::fabs(g - other.g) > MathTolerance ||
           std::fabs(b - other.b) > MathTolerance || std::fabs(a - other.a) > MathTolerance;
}
}
