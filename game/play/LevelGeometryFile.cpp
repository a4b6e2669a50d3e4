// Reading and checking the level geometry file's body.
#include "game/play/LevelGeometryFile.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <cstring>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 kKeyFrameSize = 28;
// The least an object takes: an empty name, flags, two texture indices, a scale, the animated byte, one key
// frame, and its two empty relation lists.
constexpr u32 kSmallestObject = 1 + 4 + 4 + 4 + 12 + 1 + kKeyFrameSize + 2 + 2;

// Reads through the file, refusing every read the bytes left cannot hold.
class BodyReader
{
public:
    BodyReader(FileBinary& file, const std::string& path) : m_file(file), m_in(file), m_path(path) {}

    [[noreturn]] void Fail() const { throw FileError("Incorrect \"" + m_path + "\" file format"); }

    u32 Left() const { return m_file.GetSize() - m_file.GetPosition(); }
    void Need(u64 bytes) const
    {
        if (bytes > Left())
            Fail();
    }

    u8 U8()
    {
        Need(1);
        return m_in.U8();
    }

    u16 U16()
    {
        Need(2);
        return m_in.U16();
    }

    u32 U32()
    {
        Need(4);
        return m_in.U32();
    }

    f32 F32()
    {
        Need(4);
        return m_in.F32();
    }

    std::string ReadString()
    {
        const u8 count = U8();
        Need(count);
        char bytes[256] = {};
        m_file.Read(bytes, count);
        return std::string(bytes, strnlen(bytes, count));
    }

    Vector3 ReadVector()
    {
        Need(12);
        return m_in.Vec3();
    }

    std::vector<u16> ReadIndices(u32 objectCount)
    {
        const u16 count = U16();
        Need(2u * count);
        std::vector<u16> indices(count);
        for (u16& index : indices)
        {
            index = U16();
            if (index >= objectCount)
                Fail();
        }
        return indices;
    }

private:
    FileBinary& m_file;
    BinaryReader m_in;
    const std::string& m_path;
};

GeometryKeyFrame ReadKeyFrame(BodyReader& reader)
{
    GeometryKeyFrame frame;
    frame.position = reader.ReadVector();
    frame.rotation.x = reader.F32();
    frame.rotation.y = reader.F32();
    frame.rotation.z = reader.F32();
    frame.rotation.w = reader.F32();
    return frame;
}

GeometryObjectRecord ReadObject(BodyReader& reader, const LevelGeometry& level)
{
    GeometryObjectRecord object;
    object.blockName = StringToLowerCopy(reader.ReadString());
    object.flags = reader.U32();
    object.firstTexture = reader.U32();
    object.secondTexture = reader.U32();
    if (object.firstTexture >= level.textures.size() || object.secondTexture >= level.textures.size())
        reader.Fail();
    object.scale = reader.ReadVector();
    const u32 frames = reader.U8() != 0 ? level.keyFrameCount : 1;
    reader.Need(static_cast<u64>(frames) * kKeyFrameSize);
    object.keyFrames.reserve(frames);
    for (u32 i = 0; i < frames; ++i)
        object.keyFrames.push_back(ReadKeyFrame(reader));
    return object;
}

// True when following the lists from some object leads back to it; iterative, so no chain is too long.
bool HasCircle(const std::vector<GeometryObjectRecord>& objects, std::vector<u16> GeometryObjectRecord::*list)
{
    enum : u8
    {
        Unseen,
        OnPath,
        Done
    };
    std::vector<u8> state(objects.size(), Unseen);
    struct Step
    {
        u32 object;
        u32 next;
    };
    for (u32 root = 0; root < objects.size(); ++root)
    {
        if (state[root] != Unseen)
            continue;
        std::vector<Step> path{{root, 0}};
        state[root] = OnPath;
        while (!path.empty())
        {
            Step& step = path.back();
            const std::vector<u16>& links = objects[step.object].*list;
            if (step.next == links.size())
            {
                state[step.object] = Done;
                path.pop_back();
                continue;
            }
            const u16 linked = links[step.next++];
            if (state[linked] == OnPath)
                return true;
            if (state[linked] == Unseen)
            {
                state[linked] = OnPath;
                path.push_back({linked, 0});
            }
        }
    }
    return false;
}
}

LevelGeometry LevelGeometryFile::ReadBody(FileBinary& file, const std::string& path)
{
    BodyReader reader(file, path);
    LevelGeometry level;
    level.keyFrameCount = reader.U32();
    level.keyFrameSpeed = reader.F32();
    // Every block has at least its first key frame.
    if (level.keyFrameCount == 0)
        reader.Fail();
    const u32 textureCount = reader.U32();
    reader.Need(textureCount);
    level.textures.reserve(textureCount);
    for (u32 i = 0; i < textureCount; ++i)
    {
        const std::string name = reader.ReadString();
        level.textures.push_back(name.empty() ? name : TextureFolder + name);
    }
    const u32 objectCount = reader.U32();
    reader.Need(static_cast<u64>(objectCount) * kSmallestObject);
    level.objects.reserve(objectCount);
    for (u32 i = 0; i < objectCount; ++i)
        level.objects.push_back(ReadObject(reader, level));
    for (GeometryObjectRecord& object : level.objects)
    {
        object.supports = reader.ReadIndices(objectCount);
        object.dependents = reader.ReadIndices(objectCount);
    }
    if (reader.Left() != 0 || HasCircle(level.objects, &GeometryObjectRecord::supports) ||
        HasCircle(level.objects, &GeometryObjectRecord::dependents))
        reader.Fail();
    return level;
}
}
