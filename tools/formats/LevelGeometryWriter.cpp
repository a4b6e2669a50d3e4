// Level geometry writer and reader.
#include "tools/formats/LevelGeometryWriter.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

#include <stdexcept>

namespace KorvaneTools
{
using VelkorEngine::u16;
using VelkorEngine::u32;
using VelkorEngine::u8;

namespace
{
// The smallest object record: an empty name, flags, two textures, scale, the animated byte, one key frame.
constexpr u32 SmallestObjectSize = 2 + 4 + 4 + 4 + 12 + 1 + 28;
constexpr u32 KeyFrameSize = 28;

size_t ExpectedKeyFrames(const LevelGeometry& level, const LevelObject& object)
{
    return object.animated ? level.keyFrameCount : 1;
}

void CheckIndices(const std::vector<u16>& indices, size_t objectCount, const std::string& what)
{
    for (u16 index : indices)
        if (index >= objectCount)
            throw std::invalid_argument(what + " index " + std::to_string(index) + " out of range");
}

// A block resting on itself, directly or through others, would send the game's support walk round for
// ever: refuse such a level.
bool RestsOnItself(const LevelGeometry& level, size_t object, std::vector<int>& state)
{
    if (state[object] == 1)
        return true;
    if (state[object] == 2)
        return false;
    state[object] = 1;
    for (u16 support : level.objects[object].supports)
        if (RestsOnItself(level, support, state))
            return true;
    state[object] = 2;
    return false;
}

void CheckSupportCycles(const LevelGeometry& level)
{
    std::vector<int> state(level.objects.size(), 0);
    for (size_t i = 0; i < level.objects.size(); ++i)
        if (RestsOnItself(level, i, state))
            throw std::invalid_argument("object \"" + level.objects[i].block + "\" rests on itself");
}

void CheckLevel(const LevelGeometry& level)
{
    if (level.keyFrameCount == 0)
        throw std::invalid_argument("a level needs at least one key frame");
    for (const LevelObject& object : level.objects)
    {
        if (object.keyFrames.size() != ExpectedKeyFrames(level, object))
            throw std::invalid_argument("object \"" + object.block + "\" has the wrong number of key frames");
        if (object.firstTexture >= level.textures.size() || object.secondTexture >= level.textures.size())
            throw std::invalid_argument("object \"" + object.block + "\" names a texture out of range");
        CheckIndices(object.supports, level.objects.size(), "support");
        CheckIndices(object.dependents, level.objects.size(), "dependent");
    }
    CheckSupportCycles(level);
}

void PutIndexList(ByteWriter& out, const std::vector<u16>& indices)
{
    out.Put(static_cast<u16>(indices.size()));
    for (u16 index : indices)
        out.Put(index);
}

std::vector<u16> GetIndexList(ByteReader& in, size_t objectCount)
{
    const auto count = in.Get<u16>();
    in.CheckCount(count, sizeof(u16));
    std::vector<u16> indices(count);
    for (u16& index : indices)
    {
        index = in.Get<u16>();
        if (index >= objectCount)
            throw FormatError("support index " + std::to_string(index) + " out of range");
    }
    return indices;
}

LevelObject GetObject(ByteReader& in, const LevelGeometry& level)
{
    LevelObject object;
    object.block = in.GetString();
    object.flags = in.Get<u32>();
    object.firstTexture = in.Get<u32>();
    object.secondTexture = in.Get<u32>();
    if (object.firstTexture >= level.textures.size() || object.secondTexture >= level.textures.size())
        throw FormatError("object \"" + object.block + "\" names a texture out of range");
    in.GetFloats(object.scale.data(), 3);
    object.animated = in.Get<u8>() != 0;
    const size_t frames = ExpectedKeyFrames(level, object);
    in.CheckCount(frames, KeyFrameSize);
    object.keyFrames.resize(frames);
    for (LevelKeyFrame& frame : object.keyFrames)
    {
        in.GetFloats(frame.position.data(), 3);
        in.GetFloats(frame.rotation.data(), 4);
    }
    return object;
}
}

std::string WriteLevelGeometry(const LevelGeometry& level)
{
    CheckLevel(level);
    ByteWriter out("KRKRG", 105);
    out.Put(level.keyFrameCount);
    out.Put(level.keyFrameSpeed);
    out.Put(static_cast<u32>(level.textures.size()));
    for (const std::string& texture : level.textures)
        out.PutString(texture);
    out.Put(static_cast<u32>(level.objects.size()));
    for (const LevelObject& object : level.objects)
    {
        out.PutString(object.block);
        out.Put(object.flags);
        out.Put(object.firstTexture);
        out.Put(object.secondTexture);
        out.PutFloats(object.scale.data(), 3);
        out.Put(static_cast<u8>(object.animated ? 1 : 0));
        for (const LevelKeyFrame& frame : object.keyFrames)
        {
            out.PutFloats(frame.position.data(), 3);
            out.PutFloats(frame.rotation.data(), 4);
        }
    }
    for (const LevelObject& object : level.objects)
    {
        PutIndexList(out, object.supports);
        PutIndexList(out, object.dependents);
    }
    return out.Finish();
}

LevelGeometry ReadLevelGeometry(const std::string& bytes)
{
    ByteReader in(bytes);
    in.ReadHeader("KRKRG", 105);
    LevelGeometry level;
    level.keyFrameCount = in.Get<u32>();
    if (level.keyFrameCount == 0)
        throw FormatError("a level with no key frames");
    level.keyFrameSpeed = in.Get<float>();
    const auto textureCount = in.Get<u32>();
    in.CheckCount(textureCount, 2);
    level.textures.resize(textureCount);
    for (std::string& texture : level.textures)
        texture = in.GetString();
    const auto objectCount = in.Get<u32>();
    in.CheckCount(objectCount, SmallestObjectSize);
    for (u32 i = 0; i < objectCount; ++i)
        level.objects.push_back(GetObject(in, level));
    for (LevelObject& object : level.objects)
    {
        object.supports = GetIndexList(in, objectCount);
        object.dependents = GetIndexList(in, objectCount);
    }
    in.ExpectEnd();
    return level;
}
}
