// Particle system file writer shared by the tests and the data generator.
#include "tools/formats/ParticleFileWriter.h"

#include "tools/formats/LittleEndianFields.h"

#include <cstring>

namespace KorvaneTools
{
using namespace VelkorEngine;

namespace
{
void PutU8(std::string& out, u8 value) { out.push_back(static_cast<char>(value)); }

void PutVector(std::string& out, const Vector3& v)
{
    PutF32(out, v.x);
    PutF32(out, v.y);
    PutF32(out, v.z);
}

void PutColor(std::string& out, const Color& c)
{
    PutF32(out, c.r);
    PutF32(out, c.g);
    PutF32(out, c.b);
    PutF32(out, c.a);
}

void PutKeys(std::string& out, const ParticleKeys<f32>& keys)
{
    for (f32 key : keys)
        PutF32(out, key);
}

void PutKeys(std::string& out, const ParticleKeys<Vector3>& keys)
{
    for (const Vector3& key : keys)
        PutVector(out, key);
}

void PutKeys(std::string& out, const ParticleKeys<Color>& keys)
{
    for (const Color& key : keys)
        PutColor(out, key);
}

void PutBody(std::string& out, const ParticleSystemFile& file)
{
    const ParticleParameters& p = file.parameters;
    PutU32(out, file.capacity);
    PutF32(out, p.period);
    PutU8(out, p.gravityOn);
    PutF32(out, p.gravity);
    PutU8(out, p.floorOn);
    PutF32(out, p.floorHeight);
    PutF32(out, p.bounceFactor);
    PutU8(out, p.dieWhenStopped);
    PutF32(out, p.stopThreshold);
    PutU8(out, p.continuousEmission);
    PutKeys(out, p.emission);
    PutKeys(out, p.lifeCentre);
    PutKeys(out, p.lifeSpread);
    PutKeys(out, p.directionCentre);
    PutKeys(out, p.directionSpread);
    PutKeys(out, p.color);
    PutKeys(out, p.size);
    PutKeys(out, p.speedCentre);
    if (file.version != ParticleSystemFile::OlderVersion)
        PutKeys(out, p.speedSpread);
    PutU32(out, file.emitterShape);
    PutVector(out, file.boxMinimum);
    PutVector(out, file.boxMaximum);
}
}

std::string BuildParticleFile(const ParticleSystemFile& file, const ParticleFileHeaderOverrides& overrides)
{
    std::string body;
    PutBody(body, file);
    std::string out;
    constexpr u32 kHeaderSize = 13;
    PutU32(out, overrides.length.value_or(static_cast<u32>(kHeaderSize + body.size())));
    out.append(overrides.magic, 0, 5);
    out.resize(9, '\0');
    PutU32(out, file.version);
    return out + body;
}

ParticleSystemFile MakeSelfMadeParticleFile(u32 version)
{
    ParticleSystemFile file;
    file.version = version;
    return file;
}

ParticleSystemFile MakeFountainParticleFile()
{
    ParticleSystemFile file;
    file.capacity = 400;
    ParticleParameters& p = file.parameters;
    p.period = 2.0f;
    p.gravity = 0.05f;
    p.floorHeight = 0.0f;
    p.bounceFactor = 0.6f;
    p.emission.fill(100.0f);
    p.lifeCentre.fill(3.0f);
    p.lifeSpread.fill(0.5f);
    p.directionCentre.fill(Vector3(0.0f, 0.0f, 1.0f));
    p.directionSpread.fill(Vector3(0.3f, 0.3f, 0.0f));
    for (u32 j = 0; j < ParticleKeyCount; ++j)
    {
        const f32 fade = 1.0f - static_cast<f32>(j) / static_cast<f32>(ParticleKeyCount - 1);
        p.color[j] = Color(1.0f, 0.6f + 0.4f * fade, 0.2f, fade);
    }
    p.size.fill(0.2f);
    p.speedCentre.fill(0.05f);
    p.speedSpread.fill(0.01f);
    file.emitterShape = 1;
    file.boxMinimum = Vector3(-0.2f, -0.2f, 0.0f);
    file.boxMaximum = Vector3(0.2f, 0.2f, 0.1f);
    return file;
}
}
