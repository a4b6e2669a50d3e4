// The format writers against the worked sizes of each layout, byte-exact round trips through the small
// readers, and the readers' refusal of truncated and inconsistent files.
#include "tools/formats/AudioWriters.h"
#include "tools/formats/ByteReader.h"
#include "tools/formats/FieldFileWriter.h"
#include "tools/formats/FontFileWriter.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/LevelGeometryWriter.h"
#include "tools/formats/MapFileWriter.h"
#include "tools/formats/ParticleFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

using namespace KorvaneTools;

namespace
{
VelkorEngine::u32 StoredLength(const std::string& bytes)
{
    VelkorEngine::u32 length = 0;
    std::memcpy(&length, bytes.data(), sizeof length);
    return length;
}

void ExpectHeader(const std::string& bytes, const char* magic, VelkorEngine::u32 version)
{
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(StoredLength(bytes), bytes.size());
    EXPECT_EQ(bytes.substr(4, 5), magic);
    VelkorEngine::u32 stored = 0;
    std::memcpy(&stored, bytes.data() + 9, sizeof stored);
    EXPECT_EQ(stored, version);
}

LevelGeometry WorkedLevel()
{
    LevelGeometry level;
    level.textures = {"a.jpg"};
    LevelObject brick;
    brick.block = "brick";
    brick.keyFrames = {LevelKeyFrame{{1, 2, 0}, {0, 0, 0, 1}}};
    level.objects = {brick};
    return level;
}

LevelGeometry AnimatedLevel()
{
    LevelGeometry level;
    level.keyFrameCount = 5;
    level.keyFrameSpeed = 0.25f;
    level.textures = {"", "brick.jpg", "ghost_alpha.jpg"};
    LevelObject below;
    below.block = "brick";
    below.flags = 1;
    below.firstTexture = 1;
    below.keyFrames = {LevelKeyFrame{{-66, 92, 0}, {0, 0, 0, 1}}};
    below.dependents = {1};
    LevelObject mover;
    mover.block = "iron";
    mover.firstTexture = 1;
    mover.secondTexture = 2;
    mover.animated = true;
    for (int i = 0; i < 5; ++i)
        mover.keyFrames.push_back(LevelKeyFrame{{float(i), 64, 6}, {0, 0, 0.5f, 0.866f}});
    mover.supports = {0};
    level.objects = {below, mover};
    return level;
}

std::vector<FieldZone> ThreeZones()
{
    return {FieldZone{{-87, -100, 0}, {-77, 120, 20}}, FieldZone{{77, -100, 0}, {87, 120, 20}},
            FieldZone{{-87, 110, 0}, {87, 120, 20}}};
}

std::vector<MapElement> TenMarkers()
{
    const MapElementType types[10] = {MapElementType::Start, MapElementType::Path, MapElementType::Path,
                                      MapElementType::Path, MapElementType::Path, MapElementType::CheckPoint,
                                      MapElementType::Path, MapElementType::Path, MapElementType::Path,
                                      MapElementType::Finish};
    std::vector<MapElement> elements;
    for (int i = 0; i < 10; ++i)
        elements.push_back({types[i], TranslationPlacement(80.0f + 50 * i, 60.0f + 10 * i, 0)});
    return elements;
}
}

TEST(formats, FontFileIsSeventeenBytesPlusTwentyTwoPerGlyph)
{
    const std::vector<FontGlyph> glyphs = {{u'A', 0.0f, 0.5f, 0.25f, 0.125f, 0.6f},
                                           {0x0416, 0.5f, 0.0f, 0.0625f, 0.125f, 0.9f},
                                           {u'A', 0.75f, 0.75f, 0.1f, 0.1f, 0.3f}};
    for (size_t n : {size_t(0), size_t(1), size_t(3)})
    {
        const std::vector<FontGlyph> part(glyphs.begin(), glyphs.begin() + static_cast<long>(n));
        const std::string bytes = WriteFontFile(part);
        EXPECT_EQ(bytes.size(), 17 + 22 * n);
        ExpectHeader(bytes, "VEFNT", 201);
        EXPECT_EQ(ReadFontFile(bytes), part);
    }
    const std::string bytes = WriteFontFile(glyphs);
    EXPECT_EQ(static_cast<unsigned char>(bytes[17]), 'A');
    EXPECT_EQ(static_cast<unsigned char>(bytes[17 + 22 + 1]), 0x04);
}

TEST(formats, LevelGeometryWorkedExampleIsOneHundredBytes)
{
    const std::string bytes = WriteLevelGeometry(WorkedLevel());
    EXPECT_EQ(bytes.size(), 100u);
    ExpectHeader(bytes, "KRKRG", 105);
    EXPECT_EQ(ReadLevelGeometry(bytes), WorkedLevel());
}

TEST(formats, LevelGeometryKeepsKeyFramesSupportsAndTheEmptyTexture)
{
    const std::string bytes = WriteLevelGeometry(AnimatedLevel());
    // An empty name is a count of one and a zero.
    EXPECT_EQ(bytes.substr(25, 2), std::string("\x01\x00", 2));
    EXPECT_EQ(ReadLevelGeometry(bytes), AnimatedLevel());
    // Five key frames of 28 bytes on the animated object.
    LevelGeometry still = AnimatedLevel();
    still.objects[1].animated = false;
    still.objects[1].keyFrames.resize(1);
    EXPECT_EQ(bytes.size() - WriteLevelGeometry(still).size(), 4u * 28u);
}

TEST(formats, LevelGeometryWriterRefusesLevelsTheGameCannotUse)
{
    const std::vector<std::pair<const char*, std::function<void(LevelGeometry&)>>> cases = {
        {"no key frames", [](LevelGeometry& l) { l.keyFrameCount = 0; }},
        {"frames of an animated object", [](LevelGeometry& l) { l.objects[1].keyFrames.pop_back(); }},
        {"texture index", [](LevelGeometry& l) { l.objects[0].secondTexture = 3; }},
        {"support index", [](LevelGeometry& l) { l.objects[1].supports = {2}; }},
        {"dependent index", [](LevelGeometry& l) { l.objects[0].dependents = {7}; }},
        {"resting on itself", [](LevelGeometry& l) { l.objects[1].supports = {1}; }},
        {"support cycle", [](LevelGeometry& l) { l.objects[0].supports = {1}; }},
    };
    for (const auto& [what, spoil] : cases)
    {
        LevelGeometry level = AnimatedLevel();
        spoil(level);
        EXPECT_THROW(WriteLevelGeometry(level), std::invalid_argument) << what;
    }
}

TEST(formats, FieldFileWithThreeZonesIs281Bytes)
{
    std::vector<FieldZone> zones = ThreeZones();
    zones[2].placement = TranslationPlacement(0, 5, 0);
    const std::string bytes = WriteFieldFile(zones);
    EXPECT_EQ(bytes.size(), 281u);
    ExpectHeader(bytes, "KRKRF", 100);
    EXPECT_EQ(ReadFieldFile(bytes), zones);
    float translationY = 0;
    std::memcpy(&translationY, bytes.data() + 17 + 2 * 88 + 24 + 7 * 4, sizeof translationY);
    EXPECT_EQ(translationY, 5.0f);
}

TEST(formats, MapFileWithTenMarkersIs697Bytes)
{
    const std::string bytes = WriteMapFile(TenMarkers());
    EXPECT_EQ(bytes.size(), 697u);
    ExpectHeader(bytes, "GFGMF", 100);
    EXPECT_EQ(ReadMapFile(bytes), TenMarkers());
    VelkorEngine::u32 lastType = 0;
    std::memcpy(&lastType, bytes.data() + 17 + 9 * 68, sizeof lastType);
    EXPECT_EQ(lastType, 1u);
}

TEST(formats, ParticleFileIs453Bytes)
{
    const std::string bytes = BuildParticleFile(MakeSelfMadeParticleFile());
    EXPECT_EQ(bytes.size(), 453u);
    ExpectHeader(bytes, "VEPSF", 204);
}

TEST(formats, ReadersRefuseEveryTruncationAndAnExtraByte)
{
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> files = {
        {WriteFontFile({{u'A', 0, 0, 1, 1, 1}, {u'B', 0, 0, 1, 1, 1}}), [](const std::string& b) { ReadFontFile(b); }},
        {WriteLevelGeometry(AnimatedLevel()), [](const std::string& b) { ReadLevelGeometry(b); }},
        {WriteFieldFile(ThreeZones()), [](const std::string& b) { ReadFieldFile(b); }},
        {WriteMapFile(TenMarkers()), [](const std::string& b) { ReadMapFile(b); }},
    };
    for (const auto& [bytes, read] : files)
    {
        ASSERT_NO_THROW(read(bytes));
        for (size_t size = 0; size < bytes.size(); ++size)
            EXPECT_THROW(read(bytes.substr(0, size)), FormatError) << size << " of " << bytes.size();
        EXPECT_THROW(read(bytes + '\0'), FormatError);
    }
}

TEST(formats, ReadersRefuseHugeCountsWithoutAllocating)
{
    const struct
    {
        std::string bytes;
        size_t countOffset;
        std::function<void(const std::string&)> read;
    } cases[] = {
        {WriteFontFile({}), 13, [](const std::string& b) { ReadFontFile(b); }},
        {WriteFieldFile({}), 13, [](const std::string& b) { ReadFieldFile(b); }},
        {WriteMapFile({}), 13, [](const std::string& b) { ReadMapFile(b); }},
        {WriteLevelGeometry(WorkedLevel()), 21, [](const std::string& b) { ReadLevelGeometry(b); }},
        {WriteLevelGeometry(WorkedLevel()), 32, [](const std::string& b) { ReadLevelGeometry(b); }},
    };
    for (const auto& c : cases)
    {
        std::string bytes = c.bytes;
        const VelkorEngine::u32 huge = 0xFFFFFFF0u;
        std::memcpy(bytes.data() + c.countOffset, &huge, sizeof huge);
        EXPECT_THROW(c.read(bytes), FormatError) << c.countOffset;
    }
}

TEST(formats, TgaRoundTripKeepsEveryPixelAndRunsShrinkFlatAreas)
{
    RgbaPicture picture(64, 32);
    for (VelkorEngine::u32 y = 0; y < 32; ++y)
        for (VelkorEngine::u32 x = 0; x < 64; ++x)
        {
            VelkorEngine::u8* p = picture.At(x, y);
            const bool flat = y < 16;
            p[0] = flat ? 255 : VelkorEngine::u8(x * 4);
            p[1] = flat ? 255 : VelkorEngine::u8(y * 8);
            p[2] = flat ? 255 : VelkorEngine::u8(x ^ y);
            p[3] = flat ? 0 : VelkorEngine::u8(x + y);
        }
    const std::string bytes = WriteTga(picture);
    EXPECT_EQ(bytes[2], 10);
    EXPECT_LT(bytes.size(), 18 + 64 * 32 * 4);
    const RgbaPicture back = ReadTga(bytes);
    EXPECT_EQ(back.pixels, picture.pixels);
}

TEST(formats, BmpIsBottomUpTwentyFourBitWithPaddedRows)
{
    RgbaPicture picture(3, 2);
    picture.At(0, 0)[0] = 200; // top-left red
    picture.At(2, 1)[2] = 100; // bottom-right blue
    const std::string bytes = WriteBmp(picture);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    // First stored row is the bottom one: its last pixel is blue (stored blue first).
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 6]), 100);
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 12 + 2]), 200);
}

TEST(formats, WavRoundTripAndOggDecodesToTheSameLength)
{
    std::vector<std::int16_t> tone(22050);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 440 * double(i) / 22050));
    const std::string wav = WriteWav(1, 22050, tone);
    EXPECT_EQ(wav.size(), 44 + 2 * tone.size());
    const DecodedSound back = ReadWav(wav);
    EXPECT_EQ(back.channels, 1u);
    EXPECT_EQ(back.rate, 22050u);
    EXPECT_EQ(back.samples, tone);

    const std::string ogg = WriteOgg(1, 22050, tone, 0.2f);
    EXPECT_EQ(ogg, WriteOgg(1, 22050, tone, 0.2f));
    const DecodedSound decoded = ReadOgg(ogg);
    EXPECT_EQ(decoded.channels, 1u);
    EXPECT_EQ(decoded.samples.size(), tone.size());
    EXPECT_THROW(ReadOgg(ogg.substr(0, 20)), FormatError);
}
