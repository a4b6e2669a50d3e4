// Particle system files in both versions: the writer's bytes against the format's layout, byte-exact round
// trips through the reader, and every malformed, cut or unrunnable file ending in the right error.
#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "engine/scene/ParticleSystemFile.h"
#include "tests/support/FilesTestSupport.h"
#include "tools/formats/ParticleFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

namespace
{
const std::string kParticlesName = "particles\\spark.psf";
const std::string kParticlesPath = "data\\particles\\spark.psf";
const std::string kParticlesFormatError = "Incorrect \"particles\\spark.psf\" file format";

ParticleSystemFile ReadParticles(const std::string& bytes)
{
    return ReadFormat<ParticleSystemFile>(bytes, kParticlesPath, kParticlesName);
}

std::string ReadParticlesError(const std::string& bytes)
{
    return ReadFormatError<ParticleSystemFile>(bytes, kParticlesPath, kParticlesName);
}

// Every field differs from its neighbours, so a field read from the wrong offset shows.
ParticleSystemFile Distinct(u32 version)
{
    ParticleSystemFile file;
    file.version = version;
    file.capacity = 321;
    ParticleParameters& p = file.parameters;
    p.period = 2.5f;
    p.gravityOn = 0;
    p.gravity = 3.25f;
    p.floorOn = 1;
    p.floorHeight = -4.5f;
    p.bounceFactor = 0.75f;
    p.dieWhenStopped = 0;
    p.stopThreshold = 0.125f;
    p.continuousEmission = 0;
    for (u32 j = 0; j < ParticleKeyCount; ++j)
    {
        const f32 f = static_cast<f32>(j);
        p.emission[j] = 10.0f + f;
        p.lifeCentre[j] = 20.0f + f;
        p.lifeSpread[j] = 30.0f + f;
        p.directionCentre[j] = Vector3(40.0f + f, 41.0f + f, 42.0f + f);
        p.directionSpread[j] = Vector3(50.0f + f, 51.0f + f, 52.0f + f);
        p.color[j] = Color(0.1f * f, 0.2f, 0.3f, 0.4f + 0.1f * f);
        p.size[j] = 60.0f + f;
        p.speedCentre[j] = 70.0f + f;
        p.speedSpread[j] = 80.0f + f;
    }
    file.emitterShape = 2;
    file.boxMinimum = Vector3(-1.0f, -2.0f, -3.0f);
    file.boxMaximum = Vector3(4.0f, 5.0f, 6.0f);
    return file;
}
}

TEST(ParticleSystemFile, Version204LaysOutEveryFieldAtItsOffset)
{
    const std::string bytes = BuildParticleFile(Distinct(204));
    ASSERT_EQ(bytes.size(), 453u);
    EXPECT_EQ(ValueAt<u32>(bytes, 0), 453u);
    EXPECT_EQ(bytes.substr(4, 5), "VEPSF");
    EXPECT_EQ(ValueAt<u32>(bytes, 9), 204u);
    EXPECT_EQ(ValueAt<u32>(bytes, 13), 321u);
    EXPECT_EQ(ValueAt<f32>(bytes, 17), 2.5f);
    EXPECT_EQ(ValueAt<u8>(bytes, 21), 0);
    EXPECT_EQ(ValueAt<f32>(bytes, 22), 3.25f);
    EXPECT_EQ(ValueAt<u8>(bytes, 26), 1);
    EXPECT_EQ(ValueAt<f32>(bytes, 27), -4.5f);
    EXPECT_EQ(ValueAt<f32>(bytes, 31), 0.75f);
    EXPECT_EQ(ValueAt<u8>(bytes, 35), 0);
    EXPECT_EQ(ValueAt<f32>(bytes, 36), 0.125f);
    EXPECT_EQ(ValueAt<u8>(bytes, 40), 0);
    EXPECT_EQ(ValueAt<f32>(bytes, 41), 10.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 65), 20.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 89), 30.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 113), 40.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 113 + 12 + 8), 43.0f); // z of direction centre key 1
    EXPECT_EQ(ValueAt<f32>(bytes, 185), 50.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 257 + 16 + 12), 0.5f); // alpha of colour key 1
    EXPECT_EQ(ValueAt<f32>(bytes, 353), 60.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 377), 70.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 401), 80.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 421), 85.0f);
    EXPECT_EQ(ValueAt<u32>(bytes, 425), 2u);
    EXPECT_EQ(ValueAt<f32>(bytes, 429), -1.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 441), 4.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 449), 6.0f);
}

TEST(ParticleSystemFile, Version203HasNoSpeedSpreadKeys)
{
    const std::string bytes = BuildParticleFile(Distinct(203));
    ASSERT_EQ(bytes.size(), 429u);
    EXPECT_EQ(ValueAt<u32>(bytes, 0), 429u);
    EXPECT_EQ(ValueAt<u32>(bytes, 9), 203u);
    EXPECT_EQ(ValueAt<f32>(bytes, 377), 70.0f);
    EXPECT_EQ(ValueAt<u32>(bytes, 401), 2u);
    EXPECT_EQ(ValueAt<f32>(bytes, 405), -1.0f);
    EXPECT_EQ(ValueAt<f32>(bytes, 417), 4.0f);
}

// Every field has its own value and the writer's offsets are pinned above, so a field the reader takes
// from the wrong place or leaves out changes the bytes written back.
TEST(ParticleSystemFile, BothVersionsRoundTripByteForByte)
{
    for (u32 version : {204u, 203u})
    {
        SCOPED_TRACE(version);
        const std::string bytes = BuildParticleFile(Distinct(version));
        const ParticleSystemFile read = ReadParticles(bytes);
        EXPECT_EQ(read.version, version);
        EXPECT_EQ(BuildParticleFile(read), bytes);
        // A version 203 file has no speed spread keys: they read as zero.
        EXPECT_EQ(read.parameters.speedSpread[5], version == 204u ? 85.0f : 0.0f);
    }
}

TEST(ParticleSystemFile, SelfMadeValuesRoundTrip)
{
    const std::string bytes = BuildParticleFile(MakeSelfMadeParticleFile());
    const ParticleSystemFile read = ReadParticles(bytes);
    EXPECT_EQ(read.capacity, 100u);
    EXPECT_EQ(read.parameters.period, 1.0f);
    EXPECT_EQ(read.parameters.bounceFactor, 0.9f);
    EXPECT_EQ(read.parameters.directionSpread[5].y, 1.0f);
    EXPECT_EQ(read.emitterShape, 0u);
    EXPECT_EQ(BuildParticleFile(read), bytes);
}

TEST(ParticleSystemFile, HeaderWithAShortLengthOrAnotherMagicIsAFormatError)
{
    ParticleFileHeaderOverrides shortLength;
    shortLength.length = 452;
    ParticleFileHeaderOverrides otherMagic;
    otherMagic.magic = "VEMLF";
    for (const ParticleFileHeaderOverrides& overrides : {shortLength, otherMagic})
        EXPECT_EQ(ReadParticlesError(BuildParticleFile(Distinct(204), overrides)), kParticlesFormatError);
}

TEST(ParticleSystemFile, UnknownVersionNamesTheCurrentOne)
{
    for (u32 version : {202u, 205u})
    {
        SCOPED_TRACE(version);
        EXPECT_EQ(ReadParticlesError(BuildParticleFile(Distinct(version))),
                  "Incorrect \"particles\\spark.psf\" format version, current is 204");
    }
}

TEST(ParticleSystemFile, FileEndingEarlyIsAShortRead)
{
    std::string bytes = BuildParticleFile(Distinct(204));
    bytes.resize(440);
    bytes.replace(0, 4, std::string("\xB8\x01\x00\x00", 4)); // length 440, as the cut file really is
    EXPECT_EQ(ReadParticlesError(bytes), "Failed to read 4 bytes from \"" + kParticlesPath + "\" file");
}

TEST(ParticleSystemFile, EveryCutLengthIsRefusedWithoutCrashing)
{
    const std::string whole = BuildParticleFile(Distinct(204));
    for (u32 length = 0; length < whole.size(); ++length)
    {
        std::string cut = whole.substr(0, length);
        if (length >= 4)
            cut.replace(0, 4, std::string(reinterpret_cast<const char*>(&length), 4));
        EXPECT_NE(ReadParticlesError(cut), "no error") << "length " << length;
    }
}

TEST(ParticleSystemFile, A203FileLabelled204RunsOutBeforeTheBox)
{
    // 429 bytes of version 203 are complete; the same bytes claiming 204 run out before the box.
    std::string bytes = BuildParticleFile(Distinct(203));
    bytes.replace(9, 4, std::string("\xCC\x00\x00\x00", 4));
    EXPECT_NE(ReadParticlesError(bytes), "no error");
}

namespace
{
struct UnrunnableCase
{
    const char* name;
    std::function<void(ParticleSystemFile&)> change;
    bool accepted;
};

constexpr f32 kNaN = std::numeric_limits<f32>::quiet_NaN();
constexpr f32 kInfinity = std::numeric_limits<f32>::infinity();

const UnrunnableCase kUnrunnableCases[] = {
    {"capacity at the limit", [](ParticleSystemFile& f) { f.capacity = 65536; }, true},
    {"capacity past the limit", [](ParticleSystemFile& f) { f.capacity = 65537; }, false},
    {"capacity that would wrap the buffer sizes", [](ParticleSystemFile& f) { f.capacity = 0x40000001; }, false},
    {"capacity 0", [](ParticleSystemFile& f) { f.capacity = 0; }, true},
    {"tiny period", [](ParticleSystemFile& f) { f.parameters.period = 1e-30f; }, true},
    {"period 0", [](ParticleSystemFile& f) { f.parameters.period = 0.0f; }, false},
    {"negative period", [](ParticleSystemFile& f) { f.parameters.period = -1.0f; }, false},
    {"NaN period", [](ParticleSystemFile& f) { f.parameters.period = kNaN; }, false},
    {"infinite period", [](ParticleSystemFile& f) { f.parameters.period = kInfinity; }, false},
    {"infinite gravity", [](ParticleSystemFile& f) { f.parameters.gravity = kInfinity; }, false},
    {"NaN emission key", [](ParticleSystemFile& f) { f.parameters.emission[3] = kNaN; }, false},
    {"NaN colour key", [](ParticleSystemFile& f) { f.parameters.color[5].a = kNaN; }, false},
    {"NaN direction key", [](ParticleSystemFile& f) { f.parameters.directionSpread[2].y = kNaN; }, false},
    {"NaN speed spread key", [](ParticleSystemFile& f) { f.parameters.speedSpread[0] = kNaN; }, false},
    {"NaN box corner", [](ParticleSystemFile& f) { f.boxMaximum.z = kNaN; }, false},
    {"unknown emitter shape", [](ParticleSystemFile& f) { f.emitterShape = 7; }, true},
    {"negative emission", [](ParticleSystemFile& f) { f.parameters.emission[0] = -5.0f; }, true},
};
}

TEST(ParticleSystemFile, ValuesASystemCannotRunAreFormatErrors)
{
    for (const UnrunnableCase& c : kUnrunnableCases)
    {
        SCOPED_TRACE(c.name);
        ParticleSystemFile file = Distinct(204);
        c.change(file);
        EXPECT_EQ(ReadParticlesError(BuildParticleFile(file)), c.accepted ? "no error" : kParticlesFormatError);
    }
}

TEST(ParticleSystemFile, NaNSpeedSpreadOfA203WriterIsNeverRead)
{
    ParticleSystemFile file = Distinct(203);
    file.parameters.speedSpread[0] = kNaN;
    EXPECT_EQ(ReadParticlesError(BuildParticleFile(file)), "no error");
}
