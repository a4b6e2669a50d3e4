// Reading a model file field by field in file order. Blocks are weighed against the bytes left before they
// are allocated, so a lying count ends in the short-read error instead of a huge allocation.
#include "engine/scene/ModelFile.h"

#include "engine/core/Error.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"
#include "engine/scene/ModelFlags.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr u32 kFileVertexBytes = 32;   // u, v, normal, position
constexpr u32 kSkinHeadBytes = 10;     // u, v, influence count
constexpr u32 kInfluenceBytes = 30;    // bone, weight, normal, position
constexpr u32 kBoxBytes = 24;          // minimum, maximum
constexpr u32 kBoneBytesWithPivot = 42; // a bone record with an empty name
constexpr u32 kPivotBytes = 12;
// A file without vertex data still sizes its vertex buffer by its vertex count; nothing in the file backs
// that count, so it is held to a modest mesh.
constexpr u32 kMaxVerticesWithoutData = 1u << 20;

// The bytes of count records, saturated: a vertex count times a frame count times the record size can
// pass 64 bits, and any such size is more than a file holds.
u64 RecordBytes(u64 count, u32 recordBytes)
{
    constexpr u64 kMost = ~u64(0);
    return count > kMost / recordBytes ? kMost : count * recordBytes;
}

// The engine's binary reader, plus the model file's own format error.
class ModelReader : public BinaryReader
{
public:
    ModelReader(FileBinary& file, const std::string& name) : BinaryReader(file), m_name(name) {}

    void String(std::string& text) { text = BinaryReader::String(); }
    [[noreturn]] void Reject() const { throw FileError("Incorrect \"" + m_name + "\" file format"); }

private:
    const std::string& m_name;
};

// Little-endian fields out of a block already read.
class BlockCursor
{
public:
    explicit BlockCursor(const std::vector<u8>& block) : m_at(block.data()) {}

    u16 NextU16() { return Advance(BinaryReader::DecodeU16(m_at), 2); }
    u32 NextU32() { return Advance(BinaryReader::DecodeU32(m_at), 4); }
    f32 NextF32() { return Advance(BinaryReader::DecodeF32(m_at), 4); }
    Vector3 NextVector()
    {
        const f32 x = NextF32();
        const f32 y = NextF32();
        const f32 z = NextF32();
        return Vector3(x, y, z);
    }

private:
    template <typename T>
    T Advance(T value, u32 bytes)
    {
        m_at += bytes;
        return value;
    }

    const u8* m_at;
};

void ReadAnimation(ModelReader& in, ModelFile& model)
{
    if ((model.flags & (ModelFlags::Morph | ModelFlags::Skeletal)) == 0)
    {
        model.frameCount = 1;
        model.speed = 0.0f;
        return;
    }
    model.frameCount = in.U32();
    model.speed = in.F32();
    if (model.frameCount == 0 || !std::isfinite(model.speed))
        in.Reject();
}

void ReadBone(ModelReader& in, u32 version, Bone& bone)
{
    bone.boundsFlag = in.U8();
    in.String(bone.name);
    if (version > ModelFile::OlderVersion)
        bone.pivot = in.Vec3();
    const Vector3 minimum = in.Vec3();
    const Vector3 maximum = in.Vec3();
    bone.box.SetBox(minimum, maximum);
    bone.fileValue1 = in.U16();
    bone.fileValue2 = in.U16();
}

void ReadKeyFrames(ModelReader& in, ModelFile& model, u16 boneCount)
{
    const u64 count = static_cast<u64>(boneCount) * model.frameCount * Skeleton::KeyFloats;
    if (count == 0)
        return;
    const std::vector<u8> block = in.Block(count * sizeof(f32));
    BlockCursor cursor(block);
    model.keyFrames.resize(static_cast<size_t>(count));
    for (f32& value : model.keyFrames)
        value = cursor.NextF32();
}

void ReadSkeleton(ModelReader& in, ModelFile& model)
{
    const u16 boneCount = in.U16();
    const u32 recordBytes =
        model.version > ModelFile::OlderVersion ? kBoneBytesWithPivot : kBoneBytesWithPivot - kPivotBytes;
    // A table that cannot be there is read without being kept, so that the read that runs out of the file names
    // its own size; the skeleton is only made for a table that fits.
    if (static_cast<u64>(boneCount) * recordBytes > in.File().GetSize() - in.File().GetPosition())
    {
        Bone scratch;
        for (u32 b = 0; b < boneCount; ++b)
            ReadBone(in, model.version, scratch);
    }
    in.RequireBytes(static_cast<u64>(boneCount) * recordBytes);
    model.skeleton = std::make_unique<Skeleton>(in.File().GetLog(), boneCount);
    for (u32 b = 0; b < boneCount; ++b)
        ReadBone(in, model.version, *model.skeleton->GetBone(b));
    ReadKeyFrames(in, model, boneCount);
}

void ReadIndices(ModelReader& in, ModelFile& model)
{
    const u32 indexCount = in.U32();
    model.vertexCount = in.U32();
    // The index buffer takes 32-bit indices from 65536 of them on, and the file stores them so.
    const u32 width = indexCount >= 0x10000 ? 4 : 2;
    const std::vector<u8> block = in.Block(static_cast<u64>(indexCount) * width);
    BlockCursor cursor(block);
    model.indices.resize(indexCount);
    for (u32& index : model.indices)
    {
        index = width == 4 ? cursor.NextU32() : cursor.NextU16();
        if (index >= model.vertexCount)
            in.Reject();
    }
}

void ReadFileVertices(ModelReader& in, ModelFile& model, u64 count)
{
    const std::vector<u8> block = in.Block(RecordBytes(count, kFileVertexBytes));
    BlockCursor cursor(block);
    model.vertices.resize(static_cast<size_t>(count));
    for (ModelVertex& vertex : model.vertices)
    {
        vertex.u = cursor.NextF32();
        vertex.v = cursor.NextF32();
        vertex.normal = cursor.NextVector();
        vertex.position = cursor.NextVector();
    }
}

void ReadInfluences(ModelReader& in, SkinRecord& skin, u16 boneCount)
{
    const std::vector<u8> block = in.Block(static_cast<u64>(skin.count) * kInfluenceBytes);
    BlockCursor cursor(block);
    for (u32 i = 0; i < skin.count; ++i)
    {
        SkinInfluence& influence = skin.influences[i];
        influence.bone = cursor.NextU16();
        influence.weight = cursor.NextF32();
        influence.normal = cursor.NextVector();
        influence.position = cursor.NextVector();
        if (influence.bone >= boneCount)
            in.Reject();
    }
}

void ReadSkinnedVertices(ModelReader& in, ModelFile& model)
{
    const u16 boneCount = model.skeleton ? model.skeleton->GetBoneCount() : 0;
    in.RequireBytes(static_cast<u64>(model.vertexCount) * kSkinHeadBytes);
    model.vertices.resize(model.vertexCount);
    model.skins.resize(model.vertexCount);
    for (u32 i = 0; i < model.vertexCount; ++i)
    {
        model.vertices[i].u = in.F32();
        model.vertices[i].v = in.F32();
        SkinRecord& skin = model.skins[i];
        skin.count = in.U16();
        if (skin.count > SkinRecord::MaxInfluences)
            in.Reject();
        ReadInfluences(in, skin, boneCount);
    }
}

// The vertex data follow the first kind bit present, in the order static, morph, skeletal.
void ReadVertices(ModelReader& in, ModelFile& model)
{
    if (model.flags & ModelFlags::Static)
        ReadFileVertices(in, model, model.vertexCount);
    else if (model.flags & ModelFlags::Morph)
        ReadFileVertices(in, model, static_cast<u64>(model.vertexCount) * model.frameCount);
    else if (model.flags & ModelFlags::Skeletal)
        ReadSkinnedVertices(in, model);
    else if (model.vertexCount > kMaxVerticesWithoutData)
        in.Reject();
}

void ReadBoxes(ModelReader& in, ModelFile& model)
{
    const u64 count = (model.flags & ModelFlags::Morph) ? model.frameCount : 1;
    const std::vector<u8> block = in.Block(count * kBoxBytes);
    BlockCursor cursor(block);
    model.boxes.resize(static_cast<size_t>(count));
    for (ModelBox& box : model.boxes)
    {
        box.minimum = cursor.NextVector();
        box.maximum = cursor.NextVector();
    }
}
}

void ModelFile::Read(FileBinary& file, const std::string& name)
{
    ModelReader in(file, name);
    version = BinaryFileHeader::ReadChecked(file, name, Magic, CurrentVersion, OlderVersion).version;
    flags = in.U32();
    ReadAnimation(in, *this);
    if (flags & ModelFlags::Skeletal)
        ReadSkeleton(in, *this);
    ReadIndices(in, *this);
    ReadVertices(in, *this);
    ReadBoxes(in, *this);
}
}
