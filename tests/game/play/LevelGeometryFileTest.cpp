// The level geometry file's body: a byte-exact example, key frames of animated and still blocks, texture names,
// supports, and every way a file can lie about its counts, indices or links, each refused with the file-format
// message and never with a crash or a huge allocation.
#include "game/play/LevelGeometryFile.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace VelkorEngine;
using Korvane::LevelGeometry;
using Korvane::LevelGeometryFile;

namespace
{
const std::string kGeometryPath = "data\\levels_geometry\\00_00.krg";
const std::string kFormat = "Incorrect \"data\\levels_geometry\\00_00.krg\" file format";

struct Object
{
    std::string name = "brick";
    u32 flags = 0;
    u32 first = 0;
    u32 second = 0;
    bool animated = false;
    std::vector<u16> supports;
    std::vector<u16> dependents;
};

// The body of a geometry file, as the data tools write it after the header.
class GeometryBytes
{
public:
    GeometryBytes(u32 keyFrames, const std::vector<std::string>& textures, const std::vector<Object>& objects)
    {
        Put(keyFrames);
        Put(2.5f);
        Put(static_cast<u32>(textures.size()));
        for (const std::string& name : textures)
            PutString(name);
        Put(static_cast<u32>(objects.size()));
        for (const Object& object : objects)
        {
            PutString(object.name);
            Put(object.flags);
            Put(object.first);
            Put(object.second);
            for (f32 s : {1.0f, 2.0f, 3.0f})
                Put(s);
            Put(static_cast<u8>(object.animated ? 1 : 0));
            for (u32 k = 0; k < (object.animated ? keyFrames : 1); ++k)
                for (f32 v : {10.0f * k, 1.0f, 2.0f, 0.0f, 0.0f, 0.0f, 1.0f})
                    Put(v);
        }
        for (const Object& object : objects)
            for (const auto* list : {&object.supports, &object.dependents})
            {
                Put(static_cast<u16>(list->size()));
                for (u16 index : *list)
                    Put(index);
            }
    }

    template <typename T>
    void Put(T value)
    {
        const auto* p = reinterpret_cast<const u8*>(&value);
        bytes.insert(bytes.end(), p, p + sizeof(T));
    }
    void PutString(const std::string& text)
    {
        Put(static_cast<u8>(text.size() + 1));
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    template <typename T>
    GeometryBytes& Poke(size_t offset, T value)
    {
        std::memcpy(bytes.data() + offset, &value, sizeof(T));
        return *this;
    }

    std::vector<u8> bytes;
};

// A copy of the bytes with one value overwritten.
std::vector<u8> Poked(std::vector<u8> bytes, size_t offset, u32 value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
    return bytes;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORVANE_SANITIZED_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KORVANE_SANITIZED_BUILD 1
#endif
#endif

// Room for 64 MB more than the program maps now.
void LimitAddressSpace()
{
#ifndef KORVANE_SANITIZED_BUILD
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (64u << 20);
    const rlimit bound{limit, limit};
    setrlimit(RLIMIT_AS, &bound);
#endif
}

class LevelGeometryFileTest : public ::testing::Test
{
protected:
    LevelGeometryFileTest() : log("Geometry test", 0, 0, "", "") {}

    LevelGeometry Read(std::vector<u8> bytes)
    {
        FileBinary file(&log, kGeometryPath, std::move(bytes));
        return LevelGeometryFile::ReadBody(file, kGeometryPath);
    }

    std::string Error(std::vector<u8> bytes)
    {
        try
        {
            Read(std::move(bytes));
        }
        catch (const FileError& error)
        {
            return error.GetMessage();
        }
        return "no error";
    }

    MessageManager log;
};

TEST_F(LevelGeometryFileTest, SmallestLevelIsOneHundredBytesWithItsHeader)
{
    const GeometryBytes body(1, {"a.jpg"}, {Object()});
    EXPECT_EQ(13 + body.bytes.size(), 100u);
    const LevelGeometry level = Read(body.bytes);
    EXPECT_EQ(level.keyFrameCount, 1u);
    EXPECT_EQ(level.keyFrameSpeed, 2.5f);
    EXPECT_EQ(level.textures, std::vector<std::string>{"game_objects\\blocks\\textures\\a.jpg"});
    ASSERT_EQ(level.objects.size(), 1u);
    EXPECT_EQ(level.objects[0].blockName, "brick");
    EXPECT_EQ(level.objects[0].scale.z, 3.0f);
    EXPECT_EQ(level.objects[0].keyFrames.size(), 1u);
    EXPECT_EQ(level.objects[0].keyFrames[0].rotation.w, 1.0f);
}

TEST_F(LevelGeometryFileTest, AnimatedBlocksCarryEveryKeyFrameAndStillOnesOne)
{
    Object still;
    still.name = "Brick_Red";
    still.flags = 1;
    still.second = 1;
    Object moving;
    moving.animated = true;
    moving.supports = {0};
    still.dependents = {1};
    const LevelGeometry level = Read(GeometryBytes(5, {"a.jpg", ""}, {still, moving}).bytes);
    EXPECT_EQ(level.objects[0].blockName, "brick_red");
    EXPECT_EQ(level.objects[0].flags, 1u);
    EXPECT_EQ(level.objects[0].keyFrames.size(), 1u);
    EXPECT_EQ(level.objects[1].keyFrames.size(), 5u);
    EXPECT_EQ(level.objects[1].keyFrames[4].position.x, 40.0f);
    EXPECT_EQ(level.textures[1], "");
    EXPECT_EQ(level.objects[1].supports, std::vector<u16>{0});
    EXPECT_EQ(level.objects[0].dependents, std::vector<u16>{1});
}

TEST_F(LevelGeometryFileTest, EmptyLevelHasNoObjects)
{
    EXPECT_TRUE(Read(GeometryBytes(1, {}, {}).bytes).objects.empty());
}

TEST_F(LevelGeometryFileTest, LyingFilesAreRefusedWithTheFileFormatMessage)
{
    const std::vector<u8> good = GeometryBytes(1, {"a.jpg"}, {Object()}).bytes;
    const size_t objectCount = 4 + 4 + 4 + 7;
    Object self;
    self.supports = {0};
    Object first;
    first.supports = {1};
    Object second;
    second.supports = {0};
    Object dependentCircle;
    dependentCircle.dependents = {0};
    Object badTexture;
    badTexture.second = 1;
    Object badIndex;
    badIndex.supports = {7};
    const std::vector<u8> cut(good.begin(), good.end() - 1);
    std::vector<u8> longer = good;
    longer.push_back(0);
    struct Case
    {
        const char* what;
        std::vector<u8> bytes;
    };
    const Case cases[] = {
        {"no key frames", GeometryBytes(0, {"a.jpg"}, {Object()}).bytes},
        {"texture count beyond the file", Poked(good, 8, 0xFFFFFFFF)},
        {"object count beyond the file", Poked(good, objectCount, 50000000)},
        {"key frames beyond the file", [&] {
             GeometryBytes animated(0xFFFFFF, {"a.jpg"}, {});
             animated.Poke<u32>(objectCount, 1);
             Object object;
             animated.PutString(object.name);
             for (u32 v : {0u, 0u, 0u})
                 animated.Put(v);
             for (f32 s : {1.0f, 1.0f, 1.0f})
                 animated.Put(s);
             animated.Put<u8>(1);
             // Room for one key frame, not for sixteen million of them.
             animated.bytes.resize(animated.bytes.size() + 100);
             return animated.bytes;
         }()},
        {"texture index past the names", GeometryBytes(1, {"a.jpg"}, {badTexture}).bytes},
        {"support index past the objects", GeometryBytes(1, {"a.jpg"}, {badIndex}).bytes},
        {"block resting on itself", GeometryBytes(1, {"a.jpg"}, {self}).bytes},
        {"blocks resting on each other", GeometryBytes(1, {"a.jpg"}, {first, second}).bytes},
        {"dependents in a circle", GeometryBytes(1, {"a.jpg"}, {dependentCircle}).bytes},
        {"file cut short", cut},
        {"bytes after the last record", longer},
        {"nothing at all", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Error(c.bytes), kFormat) << c.what;
}

// Counts beyond the file are refused before anything is reserved for them: under an address-space limit a little
// above what the program already maps, a reserve for such a count fails even though it would never be touched.
// The sanitizers' shadow memory does not live under such a limit, so their builds only see the refusal.
TEST_F(LevelGeometryFileTest, CountsBeyondTheFileReserveNothing)
{
    const std::vector<u8> good = GeometryBytes(1, {"a.jpg"}, {Object()}).bytes;
    const size_t objectCount = 4 + 4 + 4 + 7;
    GeometryBytes animated(0xFFFFFF, {"a.jpg"}, {});
    animated.Poke<u32>(objectCount, 1);
    animated.PutString("brick");
    for (u32 v : {0u, 0u, 0u})
        animated.Put(v);
    for (f32 s : {1.0f, 1.0f, 1.0f})
        animated.Put(s);
    animated.Put<u8>(1);
    for (const std::vector<u8>& bytes : {Poked(good, 8, 100000000), Poked(good, objectCount, 50000000), animated.bytes})
    {
        EXPECT_EXIT(
            {
                LimitAddressSpace();
                try
                {
                    Read(bytes);
                }
                catch (const FileError& error)
                {
                    std::_Exit(error.GetMessage() == kFormat ? 0 : 2);
                }
                catch (...)
                {
                    std::_Exit(3);
                }
                std::_Exit(4);
            },
            testing::ExitedWithCode(0), "");
    }
}

TEST_F(LevelGeometryFileTest, LongChainsOfSupportsAreCheckedWithoutRecursion)
{
    std::vector<Object> chain(20000);
    for (u16 i = 1; i < chain.size(); ++i)
        chain[i].supports = {static_cast<u16>(i - 1)};
    EXPECT_EQ(Read(GeometryBytes(1, {"a.jpg"}, chain).bytes).objects.size(), 20000u);
    chain[0].supports = {19999};
    EXPECT_EQ(Error(GeometryBytes(1, {"a.jpg"}, chain).bytes), kFormat);
}
}

// The test programs build their files together: the macro stays this file's own.
#undef KORVANE_SANITIZED_BUILD
