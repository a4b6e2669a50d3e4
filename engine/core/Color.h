// Colour with alpha as four floats, nominally 0 to 1 and never clamped here.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
struct Color
{
    f32 r = 0.0f;
    f32 g = 0.0f;
    f32 b = 0.0f;
    f32 a = 0.0f;

    Color() = default;
    Color(f32 red, f32 green, f32 blue, f32 alpha) : r(red), g(green), b(blue), a(alpha) {}

    void Set(f32 red, f32 green, f32 blue, f32 alpha);

    // Alpha is scaled and summed like the other components. Defined here so that per-vertex loops inline them.
    Color operator*(f32 scalar) const { return Color(r * scalar, g * scalar, b * scalar, a * scalar); }
    Color operator+(const Color& other) const { return Color(r + other.r, g + other.g, b + other.b, a + other.a); }
    Color Modulate(const Color& other) const { return Color(r * other.r, g * other.g, b * other.b, a * other.a); }

    bool operator!=(const Color& other) const;
};
}
