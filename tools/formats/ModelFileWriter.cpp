// The model file writer: header, flags, animation, skeleton, indices, vertices by kind and boxes, in file
// order with no gaps, little-endian.
#include "tools/formats/ModelFileWriter.h"

#include <cstring>

namespace KorvaneTools
{
namespace
{
constexpr u32 kStatic = 0x1;
constexpr u32 kMorph = 0x2;
constexpr u32 kSkeletal = 0x4;

class ModelByteWriter
{
public:
    template <typename T>
    void Put(T value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        m_bytes.append(bytes, sizeof(T));
    }
    void PutVector(const Vector3& v)
    {
        Put(v.x);
        Put(v.y);
        Put(v.z);
    }
    // A u8 length counting the terminating zero, then the text and the zero.
    void PutString(const std::string& text)
    {
        Put(static_cast<u8>(text.size() + 1));
        m_bytes.append(text);
        m_bytes.push_back('\0');
    }
    void PutText(const std::string& text) { m_bytes.append(text); }

    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

void WriteSkeleton(ModelByteWriter& out, const ModelFileDescription& d)
{
    out.Put(d.boneCountOverride.value_or(static_cast<u16>(d.bones.size())));
    for (const ModelFileBone& bone : d.bones)
    {
        out.Put(bone.boundsFlag);
        out.PutString(bone.name);
        if (d.version > 201)
            out.PutVector(bone.pivot);
        out.PutVector(bone.boxMinimum);
        out.PutVector(bone.boxMaximum);
        out.Put(bone.value1);
        out.Put(bone.value2);
    }
    for (f32 value : d.keyFrames)
        out.Put(value);
}

void WriteIndices(ModelByteWriter& out, const ModelFileDescription& d)
{
    const u32 indexCount = d.indexCountOverride.value_or(static_cast<u32>(d.indices.size()));
    out.Put(indexCount);
    out.Put(d.VertexCount());
    for (u32 index : d.indices)
    {
        if (indexCount >= 0x10000)
            out.Put(index);
        else
            out.Put(static_cast<u16>(index));
    }
}

void WriteVertices(ModelByteWriter& out, const ModelFileDescription& d)
{
    if ((d.flags & (kStatic | kMorph)) != 0)
    {
        for (const ModelFileVertex& vertex : d.vertices)
        {
            out.Put(vertex.u);
            out.Put(vertex.v);
            out.PutVector(vertex.normal);
            out.PutVector(vertex.position);
        }
        return;
    }
    if ((d.flags & kSkeletal) == 0)
        return;
    for (const ModelFileSkinnedVertex& vertex : d.skinnedVertices)
    {
        out.Put(vertex.u);
        out.Put(vertex.v);
        out.Put(static_cast<u16>(vertex.influences.size()));
        for (const ModelFileInfluence& influence : vertex.influences)
        {
            out.Put(influence.bone);
            out.Put(influence.weight);
            out.PutVector(influence.normal);
            out.PutVector(influence.position);
        }
    }
}
}

u32 ModelFileDescription::VertexCount() const
{
    if (vertexCountOverride)
        return *vertexCountOverride;
    if ((flags & kStatic) != 0)
        return static_cast<u32>(vertices.size());
    if ((flags & kMorph) != 0)
        return frameCount == 0 ? 0 : static_cast<u32>(vertices.size()) / frameCount;
    return static_cast<u32>(skinnedVertices.size());
}

std::string WriteModelFile(const ModelFileDescription& d)
{
    ModelByteWriter out;
    out.Put(u32(0));
    out.PutText(d.magic);
    out.Put(d.version);
    out.Put(d.flags);
    if ((d.flags & (kMorph | kSkeletal)) != 0)
    {
        out.Put(d.frameCount);
        out.Put(d.speed);
    }
    if ((d.flags & kSkeletal) != 0)
        WriteSkeleton(out, d);
    WriteIndices(out, d);
    WriteVertices(out, d);
    for (const ModelFileBox& box : d.boxes)
    {
        out.PutVector(box.minimum);
        out.PutVector(box.maximum);
    }
    std::string& bytes = out.Bytes();
    const u32 length = d.lengthOverride.value_or(static_cast<u32>(bytes.size()));
    std::memcpy(bytes.data(), &length, sizeof(length));
    return bytes;
}

ModelFileDescription MakeStaticQuad()
{
    ModelFileDescription d;
    d.flags = kStatic | 0x8; // a triangle list
    d.indices = {0, 1, 2, 2, 3, 0};
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    d.vertices = {{0.0f, 0.0f, normal, Vector3(0.0f, 0.0f, 0.0f)},
                  {1.0f, 0.0f, normal, Vector3(1.0f, 0.0f, 0.0f)},
                  {1.0f, 1.0f, normal, Vector3(1.0f, 1.0f, 0.0f)},
                  {0.0f, 1.0f, normal, Vector3(0.0f, 1.0f, 0.0f)}};
    d.boxes = {{Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 0.0f)}};
    return d;
}

ModelFileDescription MakeMorphTriangle()
{
    ModelFileDescription d;
    d.flags = kMorph | 0x8;
    d.frameCount = 2;
    d.speed = 10.0f;
    d.indices = {0, 1, 2};
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    const Vector3 corners[3] = {Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 1.0f, 0.0f)};
    const Vector3 shift(2.0f, 0.0f, 0.0f);
    for (u32 frame = 0; frame < 2; ++frame)
        for (u32 i = 0; i < 3; ++i)
            d.vertices.push_back({static_cast<f32>(i + frame), 0.5f, normal, corners[i] + shift * static_cast<f32>(frame)});
    d.boxes = {{Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 0.0f)},
               {Vector3(2.0f, 0.0f, 0.0f), Vector3(3.0f, 1.0f, 0.0f)}};
    return d;
}

ModelFileDescription MakeSkinnedTriangle()
{
    ModelFileDescription d;
    d.flags = kSkeletal | 0x8;
    d.frameCount = 2;
    d.speed = 5.0f;
    d.bones = {{0, "root", Vector3(0.0f), Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 0.0f), 0, 0}};
    d.keyFrames = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                   1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    d.indices = {0, 1, 2};
    const Vector3 normal(0.0f, 0.0f, 1.0f);
    const Vector3 corners[3] = {Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 1.0f, 0.0f)};
    for (u32 i = 0; i < 3; ++i)
        d.skinnedVertices.push_back({static_cast<f32>(i), 0.25f, {{0, 1.0f, normal, corners[i]}}});
    d.boxes = {{Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 1.0f, 0.0f)}};
    return d;
}
}
