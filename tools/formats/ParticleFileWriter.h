// Writes particle system files ("VEPSF") byte for byte from the reader's own record, so tests (and the data
// tools) can make sound files and deliberately broken ones alike.
#pragma once

#include "engine/core/Types.h"
#include "engine/scene/ParticleSystemFile.h"

#include <optional>
#include <string>

namespace KorvaneTools
{
// Header fields written in place of the true length and "VEPSF"; the version is the record's.
struct ParticleFileHeaderOverrides
{
    std::optional<VelkorEngine::u32> length;
    std::string magic = "VEPSF";
};

// The whole file; version 203 leaves out the speed spread keys.
std::string BuildParticleFile(const VelkorEngine::ParticleSystemFile& file,
                              const ParticleFileHeaderOverrides& overrides = {});

// The built-in system's values (capacity 100, point emitter) as a file of the given version.
VelkorEngine::ParticleSystemFile MakeSelfMadeParticleFile(VelkorEngine::u32 version = 204);

// A fountain: a box emitter shooting particles upward that fall back, bounce on the floor and fade out.
VelkorEngine::ParticleSystemFile MakeFountainParticleFile();
}
