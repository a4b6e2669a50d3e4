// Reads back the static and morph model files the generator writes, enough to check their geometry: flags,
// frames, triangle indices, every frame's positions and boxes.
#pragma once

#include "engine/core/Vector3.h"

#include <string>
#include <vector>

namespace DataTest
{
struct PlayModelFile
{
    unsigned flags = 0;
    unsigned frameCount = 1;
    float speed = 0.0f;
    std::vector<unsigned> indices;
    std::vector<std::vector<VelkorEngine::Vector3>> positions; // per frame
    std::vector<std::pair<VelkorEngine::Vector3, VelkorEngine::Vector3>> boxes; // per frame
};

// Throws std::runtime_error for anything but a whole static or morph file.
PlayModelFile ReadPlayModel(const std::string& bytes);

// Twice the signed volume enclosed by a frame's triangles, times three (positive when wound outward).
double SignedVolume(const PlayModelFile& model, unsigned frame = 0);
// Every edge of a frame's triangles met by exactly one edge going the other way (by position).
bool IsClosed(const PlayModelFile& model, unsigned frame = 0);
}
