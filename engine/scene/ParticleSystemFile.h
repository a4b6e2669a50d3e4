// The particle system file ("VEPSF", versions 204 and 203): capacity, emission cycle, forces, keys and the
// emitter box, read whole and checked before a system is built from it. Version 203 has no speed spread keys.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/ParticleParameters.h"

#include <string>

namespace VelkorEngine
{
class FileBinary;

class ParticleSystemFile
{
public:
    static constexpr const char* Magic = "VEPSF";
    static constexpr u32 CurrentVersion = 204;
    static constexpr u32 OlderVersion = 203;
    static constexpr u32 CurrentVersionSize = 453;
    static constexpr u32 OlderVersionSize = 429;
    // Each particle is a sprite of four vertices and six indices; more than this is no effect anyone made,
    // and the buffer sizes computed from it must stay far from overflowing.
    static constexpr u32 MaxCapacity = 65536;

    // Reads from the start of the file. Throws FileError: the header's messages; "Failed to read" for a file
    // that ends early; "Incorrect "<name>" file format" for a capacity above MaxCapacity, a period that is
    // not above 0, or any value that is not a finite number.
    void Read(FileBinary& file, const std::string& name);

    u32 version = CurrentVersion;
    u32 capacity = 100;
    ParticleParameters parameters;
    u32 emitterShape = 0;
    Vector3 boxMinimum;
    Vector3 boxMaximum;
};
}
