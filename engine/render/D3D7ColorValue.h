// The device's floating-point colour, as the lights and the material hand it over.
#pragma once

#include "engine/core/Color.h"
#include "platform/d3d7/D3D.h"

namespace VelkorEngine
{
inline D3DCOLORVALUE ColorValue(const Color& color)
{
    return D3DCOLORVALUE{color.r, color.g, color.b, color.a};
}
}
