// Model files of every kind and both versions: the writer's bytes against the format's layout, what the
// reader makes of them, and every malformed or cut file ending in the right error.
#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "engine/scene/ModelFile.h"
#include "engine/scene/ModelFlags.h"
#include "tests/support/FilesTestSupport.h"
#include "tools/formats/ModelFileWriter.h"

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
const std::string kModelName = "models\\test.mlf";
const std::string kModelPath = "data\\models\\test.mlf";

ModelFile ReadModel(const std::string& bytes) { return ReadFormat<ModelFile>(bytes, kModelPath, kModelName); }

std::string ReadModelError(const std::string& bytes)
{
    return ReadFormatError<ModelFile>(bytes, kModelPath, kModelName);
}

// The same floats as written, to the last bits of rounding.
void ExpectSameVector(const Vector3& actual, const Vector3& expected)
{
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.z, expected.z);
}

const std::string kModelFormatError = "Incorrect \"" + kModelName + "\" file format";
}

TEST(ModelFileLayout, StaticQuadBytes)
{
    const std::string bytes = WriteModelFile(MakeStaticQuad());
    ASSERT_EQ(bytes.size(), 189u);
    EXPECT_EQ(ValueAt<u32>(bytes, 0), 189u);
    EXPECT_EQ(bytes.substr(4, 5), "VEMLF");
    EXPECT_EQ(ValueAt<u32>(bytes, 9), 202u);
    EXPECT_EQ(ValueAt<u32>(bytes, 13), 0x9u);
    EXPECT_EQ(ValueAt<u32>(bytes, 17), 6u);
    EXPECT_EQ(ValueAt<u32>(bytes, 21), 4u);
    EXPECT_EQ(ValueAt<u16>(bytes, 25), 0u);
    EXPECT_EQ(ValueAt<u16>(bytes, 29), 2u);
    EXPECT_EQ(ValueAt<u16>(bytes, 35), 0u);
    // Vertex 2 at 37 + 64: u, v, normal, position.
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 101), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 105), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 117), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 121), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 125), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 129), 0.0f);
    // The box: minimum then maximum.
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 165), 0.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 177), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 185), 0.0f);
}

TEST(ModelFileLayout, MorphTriangleBytes)
{
    const std::string bytes = WriteModelFile(MakeMorphTriangle());
    ASSERT_EQ(bytes.size(), 279u);
    EXPECT_EQ(ValueAt<u32>(bytes, 13), 0xAu);
    EXPECT_EQ(ValueAt<u32>(bytes, 17), 2u);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 21), 10.0f);
    EXPECT_EQ(ValueAt<u32>(bytes, 25), 3u);
    EXPECT_EQ(ValueAt<u32>(bytes, 29), 3u);
    EXPECT_EQ(ValueAt<u16>(bytes, 37), 2u);
    // Vertex 1 of frame 1 is record 4, at 39 + 128: u 2, position x 3.
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 167), 2.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 187), 3.0f);
    // Frame 1's box at 39 + 192 + 24.
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 255), 2.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 267), 3.0f);
}

TEST(ModelFileLayout, SkinnedTriangleBytesInBothVersions)
{
    ModelFileDescription d = MakeSkinnedTriangle();
    d.bones[0].pivot = Vector3(7.0f, 8.0f, 9.0f);
    d.bones[0].value1 = 0x1234;
    d.bones[0].value2 = 0xABCD;
    const std::string bytes = WriteModelFile(d);
    ASSERT_EQ(bytes.size(), 312u);
    EXPECT_EQ(ValueAt<u32>(bytes, 17), 2u);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 21), 5.0f);
    EXPECT_EQ(ValueAt<u16>(bytes, 25), 1u);
    EXPECT_EQ(ValueAt<u8>(bytes, 27), 0u);
    EXPECT_EQ(ValueAt<u8>(bytes, 28), 5u);
    EXPECT_EQ(bytes.substr(29, 5), std::string("root\0", 5));
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 34), 7.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 58), 1.0f);
    EXPECT_EQ(ValueAt<u16>(bytes, 70), 0x1234u);
    EXPECT_EQ(ValueAt<u16>(bytes, 72), 0xABCDu);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 74 + 40), 1.0f); // frame 1's translation x
    EXPECT_EQ(ValueAt<u32>(bytes, 154), 3u);
    EXPECT_EQ(ValueAt<u32>(bytes, 158), 3u);
    EXPECT_EQ(ValueAt<u16>(bytes, 176), 1u); // influence count of vertex 0
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 180), 1.0f);
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 192), 1.0f); // normal z
    EXPECT_FLOAT_EQ(ValueAt<f32>(bytes, 208), 1.0f); // vertex 1's u

    d.version = 201;
    const std::string older = WriteModelFile(d);
    ASSERT_EQ(older.size(), 300u);
    EXPECT_EQ(ValueAt<u32>(older, 9), 201u);
    EXPECT_FLOAT_EQ(ValueAt<f32>(older, 46), 1.0f); // the box maximum follows the name at once
}

TEST(ModelFile, ReadsAStaticFile)
{
    const ModelFile model = ReadModel(WriteModelFile(MakeStaticQuad()));
    EXPECT_EQ(model.version, 202u);
    EXPECT_EQ(model.flags, 0x9u);
    EXPECT_EQ(model.frameCount, 1u);
    EXPECT_FLOAT_EQ(model.speed, 0.0f);
    EXPECT_EQ(model.skeleton, nullptr);
    EXPECT_EQ(model.indices, (std::vector<u32>{0, 1, 2, 2, 3, 0}));
    EXPECT_EQ(model.vertexCount, 4u);
    ASSERT_EQ(model.vertices.size(), 4u);
    ExpectSameVector(model.vertices[2].position, Vector3(1.0f, 1.0f, 0.0f));
    ExpectSameVector(model.vertices[2].normal, Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(model.vertices[2].u, 1.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].v, 1.0f);
    EXPECT_TRUE(model.skins.empty());
    ASSERT_EQ(model.boxes.size(), 1u);
    ExpectSameVector(model.boxes[0].maximum, Vector3(1.0f, 1.0f, 0.0f));
}

TEST(ModelFile, ReadsAMorphFileFrameAfterFrame)
{
    const ModelFile model = ReadModel(WriteModelFile(MakeMorphTriangle()));
    EXPECT_EQ(model.frameCount, 2u);
    EXPECT_FLOAT_EQ(model.speed, 10.0f);
    EXPECT_EQ(model.vertexCount, 3u);
    ASSERT_EQ(model.vertices.size(), 6u);
    ExpectSameVector(model.vertices[4].position, Vector3(3.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(model.vertices[4].u, 2.0f);
    ASSERT_EQ(model.boxes.size(), 2u);
    ExpectSameVector(model.boxes[1].minimum, Vector3(2.0f, 0.0f, 0.0f));
}

TEST(ModelFile, ReadsASkinnedFileInBothVersions)
{
    ModelFileDescription d = MakeSkinnedTriangle();
    d.bones[0].boundsFlag = 3;
    d.bones[0].pivot = Vector3(7.0f, 8.0f, 9.0f);
    d.bones[0].value1 = 11;
    d.bones[0].value2 = 12;
    for (u32 version : {202u, 201u})
    {
        d.version = version;
        const ModelFile model = ReadModel(WriteModelFile(d));
        EXPECT_EQ(model.version, version);
        ASSERT_NE(model.skeleton, nullptr);
        ASSERT_EQ(model.skeleton->GetBoneCount(), 1);
        const Bone& bone = *model.skeleton->GetBone(0);
        EXPECT_EQ(bone.boundsFlag, 3);
        EXPECT_EQ(bone.name, "root");
        ExpectSameVector(bone.pivot, version == 202 ? Vector3(7.0f, 8.0f, 9.0f) : Vector3(0.0f));
        ExpectSameVector(bone.box.GetMaximum(), Vector3(1.0f, 1.0f, 0.0f));
        EXPECT_EQ(bone.fileValue1, 11);
        EXPECT_EQ(bone.fileValue2, 12);
        EXPECT_EQ(model.keyFrames, d.keyFrames);
        ASSERT_EQ(model.skins.size(), 3u);
        const SkinRecord& skin = model.skins[1];
        EXPECT_EQ(skin.count, 1);
        EXPECT_EQ(skin.influences[0].bone, 0);
        EXPECT_FLOAT_EQ(skin.influences[0].weight, 1.0f);
        ExpectSameVector(skin.influences[0].position, Vector3(1.0f, 0.0f, 0.0f));
        ExpectSameVector(skin.influences[0].normal, Vector3(0.0f, 0.0f, 1.0f));
        EXPECT_FLOAT_EQ(model.vertices[1].u, 1.0f);
        EXPECT_FLOAT_EQ(model.vertices[1].v, 0.25f);
    }
}

TEST(ModelFile, SkeletonWithoutBonesHasNoKeyFrameBlock)
{
    ModelFileDescription d = MakeSkinnedTriangle();
    d.bones.clear();
    d.keyFrames.clear();
    for (ModelFileSkinnedVertex& vertex : d.skinnedVertices)
        vertex.influences.clear();
    const std::string bytes = WriteModelFile(d);
    EXPECT_EQ(bytes.size(), 13u + 4 + 8 + 2 + 8 + 6 + 30 + 24);
    const ModelFile model = ReadModel(bytes);
    EXPECT_EQ(model.skeleton->GetBoneCount(), 0);
    EXPECT_TRUE(model.keyFrames.empty());
    EXPECT_EQ(model.frameCount, 2u);
}

TEST(ModelFile, From65536IndicesOnTheyAreFourBytesEach)
{
    ModelFileDescription d = MakeStaticQuad();
    d.indices.clear();
    for (u32 i = 0; i < 0x10000; ++i)
        d.indices.push_back(i % 4);
    const std::string bytes = WriteModelFile(d);
    EXPECT_EQ(bytes.size(), 13u + 4 + 8 + 262144 + 128 + 24);
    EXPECT_EQ(ValueAt<u32>(bytes, 25 + 4 * 3), 3u);
    const ModelFile model = ReadModel(bytes);
    ASSERT_EQ(model.indices.size(), 0x10000u);
    EXPECT_EQ(model.indices[0xFFFF], 3u);

    d.indices.pop_back();
    EXPECT_EQ(WriteModelFile(d).size(), 13u + 4 + 8 + 131070 + 128 + 24);
}

TEST(ModelFile, SeveralKindBitsReadTheFirstKindsVertices)
{
    ModelFileDescription staticAndSkinned = MakeStaticQuad();
    staticAndSkinned.flags |= ModelFlags::Skeletal;
    staticAndSkinned.frameCount = 1;
    staticAndSkinned.bones = {{0, "b", Vector3(0.0f), Vector3(0.0f), Vector3(1.0f), 0, 0}};
    staticAndSkinned.keyFrames = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1};
    ModelFile model = ReadModel(WriteModelFile(staticAndSkinned));
    EXPECT_EQ(model.skeleton->GetBoneCount(), 1);
    EXPECT_EQ(model.vertices.size(), 4u);
    EXPECT_TRUE(model.skins.empty());
    EXPECT_EQ(model.boxes.size(), 1u);

    ModelFileDescription morphAndSkinned = MakeMorphTriangle();
    morphAndSkinned.flags |= ModelFlags::Skeletal;
    model = ReadModel(WriteModelFile(morphAndSkinned));
    EXPECT_EQ(model.skeleton->GetBoneCount(), 0);
    EXPECT_EQ(model.vertices.size(), 6u);
    EXPECT_EQ(model.boxes.size(), 2u);
}

TEST(ModelFile, WithoutKindBitsThereIsNoVertexData)
{
    ModelFileDescription d = MakeStaticQuad();
    d.flags = 0x8;
    d.vertices.clear();
    d.vertexCountOverride = 4;
    const ModelFile model = ReadModel(WriteModelFile(d));
    EXPECT_EQ(model.vertexCount, 4u);
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_EQ(model.boxes.size(), 1u);
}

TEST(ModelFileErrors, HeaderFaults)
{
    const std::string good = WriteModelFile(MakeStaticQuad());

    std::string shortLength = good;
    const u32 length = 188;
    std::memcpy(shortLength.data(), &length, 4);
    EXPECT_EQ(ReadModelError(shortLength), kModelFormatError);

    std::string magic = good;
    magic[8] = 'G';
    EXPECT_EQ(ReadModelError(magic), kModelFormatError);

    ModelFileDescription d = MakeStaticQuad();
    d.version = 203;
    EXPECT_EQ(ReadModelError(WriteModelFile(d)), "Incorrect \"" + kModelName + "\" format version, current is 202");
    d.version = 200;
    EXPECT_EQ(ReadModelError(WriteModelFile(d)), "Incorrect \"" + kModelName + "\" format version, current is 202");
}

struct Malformed
{
    const char* name;
    std::function<ModelFileDescription()> make;
    // Empty: the format error.
    std::string messageStart;
};

class ModelFileMalformed : public ::testing::TestWithParam<Malformed>
{
};

TEST_P(ModelFileMalformed, IsRejected)
{
    const std::string message = ReadModelError(WriteModelFile(GetParam().make()));
    if (GetParam().messageStart.empty())
        EXPECT_EQ(message, kModelFormatError);
    else
        EXPECT_EQ(message.rfind(GetParam().messageStart, 0), 0u) << message;
}

const std::string kShortRead = "Failed to read ";

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelFileMalformed,
    ::testing::Values(
        Malformed{"FiveInfluences",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.skinnedVertices[2].influences.assign(5, {0, 0.2f, Vector3(0.0f), Vector3(0.0f)});
                      return d;
                  },
                  ""},
        Malformed{"IndexAtTheVertexCount",
                  [] {
                      ModelFileDescription d = MakeStaticQuad();
                      d.indices[4] = 4;
                      return d;
                  },
                  ""},
        Malformed{"IndexWithoutVertices",
                  [] {
                      ModelFileDescription d = MakeStaticQuad();
                      d.flags = 0x8;
                      d.vertices.clear();
                      d.vertexCountOverride = 0;
                      return d;
                  },
                  ""},
        Malformed{"BoneIndexPastTheBones",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.skinnedVertices[1].influences[0].bone = 1;
                      return d;
                  },
                  ""},
        Malformed{"MorphWithoutFrames",
                  [] {
                      ModelFileDescription d = MakeMorphTriangle();
                      d.frameCount = 0;
                      d.vertexCountOverride = 3;
                      return d;
                  },
                  ""},
        Malformed{"SkeletonWithoutFrames",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.frameCount = 0;
                      d.keyFrames.clear();
                      return d;
                  },
                  ""},
        Malformed{"SpeedNotANumber",
                  [] {
                      ModelFileDescription d = MakeMorphTriangle();
                      d.speed = std::numeric_limits<f32>::quiet_NaN();
                      return d;
                  },
                  ""},
        Malformed{"SpeedInfinite",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.speed = std::numeric_limits<f32>::infinity();
                      return d;
                  },
                  ""},
        Malformed{"HugeVertexCountWithoutData",
                  [] {
                      ModelFileDescription d = MakeStaticQuad();
                      d.flags = 0x8;
                      d.vertices.clear();
                      d.vertexCountOverride = 0xFFFFFFFF;
                      return d;
                  },
                  ""},
        Malformed{"HugeIndexCount",
                  [] {
                      ModelFileDescription d = MakeStaticQuad();
                      d.indexCountOverride = 0xFFFFFFFF;
                      return d;
                  },
                  kShortRead + "17179869180 bytes"},
        Malformed{"HugeStaticVertexCount",
                  [] {
                      ModelFileDescription d = MakeStaticQuad();
                      d.indices.clear();
                      d.vertexCountOverride = 0x10000000;
                      return d;
                  },
                  kShortRead},
        Malformed{"MorphSizeBeyond64Bits",
                  [] {
                      ModelFileDescription d = MakeMorphTriangle();
                      d.indices.clear();
                      d.frameCount = 0xFFFFFFFF;
                      d.vertexCountOverride = 0xFFFFFFFF;
                      return d;
                  },
                  kShortRead},
        Malformed{"HugeSkinnedVertexCount",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.indices.clear();
                      d.vertexCountOverride = 0xFFFFFFFF;
                      return d;
                  },
                  kShortRead},
        Malformed{"HugeBoneCount",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.boneCountOverride = 0xFFFF;
                      return d;
                  },
                  kShortRead},
        Malformed{"HugeFrameCountForTheKeys",
                  [] {
                      ModelFileDescription d = MakeSkinnedTriangle();
                      d.frameCount = 0x40000000;
                      return d;
                  },
                  kShortRead}),
    [](const auto& info) { return std::string(info.param.name); });

// The bone record runs from byte 27 to 74 (flag, name, pivot, box, two values): a cut inside it names the field
// whose read runs out, not the size of the whole table.
TEST(ModelFileErrors, ACutInsideABoneRecordNamesTheReadThatFails)
{
    const std::string whole = WriteModelFile(MakeSkinnedTriangle());
    struct Cut
    {
        u32 size;
        const char* read;
    };
    for (const Cut& c : {Cut{30, "Failed to read 5 bytes"}, Cut{36, "Failed to read 4 bytes"},
                         Cut{50, "Failed to read 4 bytes"}, Cut{71, "Failed to read 2 bytes"}})
    {
        std::string bytes = whole.substr(0, c.size);
        std::memcpy(bytes.data(), &c.size, 4);
        const std::string message = ReadModelError(bytes);
        EXPECT_EQ(message.rfind(std::string(c.read) + " from", 0), 0u) << c.size << ": " << message;
    }
}

// Every cut of every kind, with the length field made to agree, ends in a FileError and nothing worse.
TEST(ModelFileErrors, EveryCutFileThrowsAFileError)
{
    const ModelFileDescription kinds[] = {MakeStaticQuad(), MakeMorphTriangle(), MakeSkinnedTriangle()};
    for (const ModelFileDescription& kind : kinds)
    {
        const std::string whole = WriteModelFile(kind);
        for (u32 cut = 0; cut < whole.size(); ++cut)
        {
            std::string bytes = whole.substr(0, cut);
            if (cut >= 4)
                std::memcpy(bytes.data(), &cut, 4);
            const std::string message = ReadModelError(bytes);
            if (cut >= 13)
                EXPECT_EQ(message.rfind(kShortRead, 0), 0u) << cut << ": " << message;
            else
                EXPECT_EQ(message, kModelFormatError) << cut;
        }
    }
}
