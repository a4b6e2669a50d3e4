// The frame a whole engine has drawn, read back for tests that run the real renderer: kept as a TGA file to
// look at, and measured coarsely enough that a black or one-colour frame fails while any real scene passes.
#pragma once

#include "engine/files/Image.h"

#include <cstddef>
#include <string>

namespace VelkorEngine
{
class Engine;
}

namespace TestSupport
{
VelkorEngine::Image TakePicture(VelkorEngine::Engine& engine);
// Writes the picture as a TGA file, making its folders.
void KeepPicture(const VelkorEngine::Image& shot, const std::string& path);
// The mean of every colour byte from 0 to 1: 0 for a black picture.
double Brightness(const VelkorEngine::Image& shot);
// How many different colours the picture's pixels have.
std::size_t DistinctColours(const VelkorEngine::Image& shot);
// How far the picture's colour bytes (alpha left out) stray from their mean: a blank or one-colour picture has
// none.
double Spread(const VelkorEngine::Image& shot);
}
