// Reading a particle system file field by field in file order, then refusing values a system cannot run.
#include "engine/scene/ParticleSystemFile.h"

#include "engine/core/Error.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// The engine's binary reader, noting whether every number read was finite.
class ParticleReader
{
public:
    explicit ParticleReader(FileBinary& file) : m_in(file) {}

    u8 U8() { return m_in.U8(); }
    u32 U32() { return m_in.U32(); }
    f32 F32() { return Remember(m_in.F32()); }
    Vector3 Vec3()
    {
        const Vector3 value = m_in.Vec3();
        Remember(value.x);
        Remember(value.y);
        Remember(value.z);
        return value;
    }
    Color Colour()
    {
        const Color value = m_in.Colour();
        Remember(value.r);
        Remember(value.g);
        Remember(value.b);
        Remember(value.a);
        return value;
    }

    template <typename T, typename ReadOne>
    void Keys(ParticleKeys<T>& keys, ReadOne readOne)
    {
        for (T& key : keys)
            key = (this->*readOne)();
    }

    // A NaN or infinity anywhere makes key positions, counts and positions meaningless.
    bool AllFinite() const { return m_allFinite; }

private:
    f32 Remember(f32 value)
    {
        m_allFinite = m_allFinite && std::isfinite(value);
        return value;
    }

    BinaryReader m_in;
    bool m_allFinite = true;
};

void ReadForces(ParticleReader& in, ParticleParameters& p)
{
    p.period = in.F32();
    p.gravityOn = in.U8();
    p.gravity = in.F32();
    p.floorOn = in.U8();
    p.floorHeight = in.F32();
    p.bounceFactor = in.F32();
    p.dieWhenStopped = in.U8();
    p.stopThreshold = in.F32();
    p.continuousEmission = in.U8();
}

void ReadKeys(ParticleReader& in, ParticleParameters& p, u32 version)
{
    in.Keys(p.emission, &ParticleReader::F32);
    in.Keys(p.lifeCentre, &ParticleReader::F32);
    in.Keys(p.lifeSpread, &ParticleReader::F32);
    in.Keys(p.directionCentre, &ParticleReader::Vec3);
    in.Keys(p.directionSpread, &ParticleReader::Vec3);
    in.Keys(p.color, &ParticleReader::Colour);
    in.Keys(p.size, &ParticleReader::F32);
    in.Keys(p.speedCentre, &ParticleReader::F32);
    if (version == ParticleSystemFile::CurrentVersion)
        in.Keys(p.speedSpread, &ParticleReader::F32);
    else
        p.speedSpread = {};
}
}

void ParticleSystemFile::Read(FileBinary& file, const std::string& name)
{
    version = BinaryFileHeader::ReadChecked(file, name, Magic, CurrentVersion, OlderVersion).version;
    ParticleReader in(file);
    capacity = in.U32();
    ReadForces(in, parameters);
    ReadKeys(in, parameters, version);
    emitterShape = in.U32();
    boxMinimum = in.Vec3();
    boxMaximum = in.Vec3();
    // A period of 0 or less would never let the cycle wrap.
    if (capacity > MaxCapacity || !(parameters.period > 0.0f) || !in.AllFinite())
        throw FileError("Incorrect \"" + name + "\" file format");
}
}
