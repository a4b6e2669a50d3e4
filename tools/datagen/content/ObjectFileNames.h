// How the generated files of the game objects are named: their shared texture folder and the two-digit
// numbers of their fragments.
#pragma once

#include <cstdio>
#include <string>

namespace KorvaneTools
{
inline const std::string ObjectTextures = "game_objects/textures/";

inline std::string TwoDigits(unsigned n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02u", n);
    return text;
}
}
