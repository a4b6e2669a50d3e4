// The TGA, BMP and JPEG readers on files the tests write, and on truncated and corrupt variants of them.
#include "engine/files/Image.h"

#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace VelkorEngine;
using ImageTest::Picture;

namespace
{
class ImageReader : public testing::Test
{
protected:
    ImageReader()
        : log("test", 0, 0, "", ""), files(&log, folder.Path(), "")
    {
        log.ClearRecords();
    }

    void Write(const std::string& name, const std::vector<u8>& bytes) { ImageTest::WriteBytes(folder / name, bytes); }

    bool Load(const std::string& name)
    {
        log.ClearRecords();
        return image.Load(&log, &files, name);
    }

    std::vector<std::string> Errors()
    {
        std::vector<std::string> errors;
        for (u32 i = 0; i < log.GetRecordCount(); ++i)
            if (log.GetRecord(i).kind == MessageManager::KindError)
                errors.push_back(log.GetRecord(i).text);
        return errors;
    }

    void ExpectPicture(const Picture& expected, i32 bits)
    {
        ASSERT_FALSE(image.IsEmpty());
        ASSERT_EQ(expected.width, image.GetWidth());
        ASSERT_EQ(expected.height, image.GetHeight());
        ASSERT_EQ(bits, image.GetBitsPerPixel());
        ASSERT_EQ(expected.pixels.size(), image.GetDataSize());
        for (size_t i = 0; i < expected.pixels.size(); ++i)
            ASSERT_EQ(expected.pixels[i], image.GetData()[i]) << "byte " << i;
    }

    void ExpectFailure(const std::string& name)
    {
        EXPECT_FALSE(Load(name)) << name;
        EXPECT_TRUE(image.IsEmpty()) << name;
        EXPECT_EQ(nullptr, image.GetData());
        EXPECT_EQ(1u, Errors().size()) << name;
    }

    TestSupport::TempFolder folder;
    MessageManager log;
    FileManager files;
    Image image;
};

std::vector<u8> Truncated(std::vector<u8> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

void Put16(std::vector<u8>& bytes, size_t offset, u32 value)
{
    bytes[offset] = static_cast<u8>(value);
    bytes[offset + 1] = static_cast<u8>(value >> 8);
}

void Put32(std::vector<u8>& bytes, size_t offset, u32 value)
{
    Put16(bytes, offset, value & 0xFFFF);
    Put16(bytes, offset + 2, value >> 16);
}

std::vector<u8> TgaHeader(u8 type, u32 width, u32 height, u8 depth, u8 descriptor = 0)
{
    std::vector<u8> header(18, 0);
    header[2] = type;
    Put16(header, 12, width);
    Put16(header, 14, height);
    header[16] = depth;
    header[17] = descriptor;
    return header;
}

std::vector<u8> Append(std::vector<u8> bytes, const std::vector<u8>& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

// The offset of the first marker with this code (0xFF, code) in a JPEG.
size_t FindMarker(const std::vector<u8>& jpeg, u8 code)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code)
            return i;
    return 0;
}

// Rewrites the frame size of a JPEG's start-of-frame segment.
std::vector<u8> WithFrameSize(std::vector<u8> jpeg, u8 frameMarker, u32 width, u32 height)
{
    const size_t frame = FindMarker(jpeg, frameMarker);
    jpeg[frame + 5] = static_cast<u8>(height >> 8);
    jpeg[frame + 6] = static_cast<u8>(height);
    jpeg[frame + 7] = static_cast<u8>(width >> 8);
    jpeg[frame + 8] = static_cast<u8>(width);
    return jpeg;
}

std::vector<u8> PaddedTo(std::vector<u8> bytes, size_t size)
{
    bytes.resize(std::max(bytes.size(), size), 0);
    return bytes;
}
}

struct TgaCase
{
    u32 channels;
    bool runLength;
    bool topDown;
    u8 idLength;
};

class TgaReader : public ImageReader, public testing::WithParamInterface<TgaCase>
{
};

TEST_P(TgaReader, ReadsEveryPixel)
{
    const TgaCase& c = GetParam();
    // Runs of equal pixels give the run-length encoder repeat packets as well as raw ones.
    Picture picture = ImageTest::MakePattern(37, 23, c.channels);
    for (u32 i = 0; i < 300 * c.channels; ++i)
        picture.pixels[i + 100 * c.channels] = picture.pixels[i % c.channels];
    Write("picture.tga", ImageTest::MakeTga(picture, {c.runLength, c.topDown, c.idLength}));
    ASSERT_TRUE(Load("picture.tga"));
    ExpectPicture(picture, static_cast<i32>(c.channels * 8));
    EXPECT_TRUE(Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Variants, TgaReader,
                         testing::Values(TgaCase{1, false, false, 0}, TgaCase{1, true, true, 0}, TgaCase{1, true, false, 0},
                                         TgaCase{3, false, false, 0}, TgaCase{3, false, true, 0}, TgaCase{3, true, false, 0},
                                         TgaCase{3, true, true, 20}, TgaCase{3, false, false, 20},
                                         TgaCase{4, false, false, 0}, TgaCase{4, false, true, 0}, TgaCase{4, true, false, 0},
                                         TgaCase{4, true, true, 0}));

TEST_F(ImageReader, TgaRunLengthPacketsRepeatOrCopy)
{
    // 0x82 repeats one pixel three times; 0x02 copies three pixels.
    std::vector<u8> file = TgaHeader(10, 6, 1, 24);
    file = Append(file, {0x82, 1, 2, 3, 0x02, 10, 11, 12, 20, 21, 22, 30, 31, 32});
    Write("rle.tga", file);
    ASSERT_TRUE(Load("rle.tga"));
    ExpectPicture(Picture{6, 1, 3, {3, 2, 1, 3, 2, 1, 3, 2, 1, 12, 11, 10, 22, 21, 20, 32, 31, 30}}, 24);
}

TEST_F(ImageReader, TgaRunPastTheImageIsCutShort)
{
    std::vector<u8> file = TgaHeader(10, 2, 2, 24);
    file = Append(file, {0xFF, 1, 2, 3});
    Write("long.tga", file);
    ASSERT_TRUE(Load("long.tga"));
    ExpectPicture(Picture{2, 2, 3, {3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1}}, 24);
}

TEST_F(ImageReader, TgaSixteenBitPixelsBecomeThirtyTwoBits)
{
    std::vector<u8> file = TgaHeader(2, 3, 1, 16);
    file = Append(file, {0xFF, 0xFF, 0x00, 0x7C, 0x1F, 0x00});
    Write("sixteen.tga", file);
    ASSERT_TRUE(Load("sixteen.tga"));
    ExpectPicture(Picture{3, 1, 4, {248, 248, 248, 255, 248, 0, 0, 0, 0, 0, 248, 0}}, 32);
}

TEST_F(ImageReader, TgaColourMapIsSkippedNotApplied)
{
    std::vector<u8> file = TgaHeader(1, 2, 1, 8);
    file[0] = 3;
    file[1] = 1;
    Put16(file, 5, 4);
    file[7] = 24;
    file = Append(file, {'i', 'd', '!'});
    file = Append(file, std::vector<u8>(12, 0xAA));
    file = Append(file, {5, 6});
    Write("mapped.tga", file);
    ASSERT_TRUE(Load("mapped.tga"));
    ExpectPicture(Picture{2, 1, 1, {5, 6}}, 8);
}

struct BmpCase
{
    u32 channels;
    u32 width;
    bool topDown;
    u32 gap;
    u32 infoSize;
};

class BmpReader : public ImageReader, public testing::WithParamInterface<BmpCase>
{
};

TEST_P(BmpReader, ReadsEveryPixel)
{
    const BmpCase& c = GetParam();
    const Picture picture = ImageTest::MakePattern(c.width, 7, c.channels);
    Write("picture.bmp", ImageTest::MakeBmp(picture, {c.topDown, c.gap, c.infoSize}));
    ASSERT_TRUE(Load("picture.bmp"));
    if (c.channels != 1)
    {
        ExpectPicture(picture, static_cast<i32>(c.channels * 8));
        return;
    }
    // 8-bit files become 24-bit images through their palette.
    Picture expected{picture.width, picture.height, 3, {}};
    for (u8 index : picture.pixels)
    {
        u8 rgb[3];
        ImageTest::PaletteColour(index, rgb);
        expected.pixels.insert(expected.pixels.end(), rgb, rgb + 3);
    }
    ExpectPicture(expected, 24);
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpReader,
                         testing::Values(BmpCase{3, 3, false, 0, 40}, BmpCase{3, 4, false, 0, 40}, BmpCase{1, 5, false, 0, 40},
                                         BmpCase{1, 8, true, 0, 40}, BmpCase{4, 5, false, 0, 40}, BmpCase{3, 3, true, 0, 40},
                                         BmpCase{3, 5, false, 12, 124}, BmpCase{1, 5, false, 6, 108},
                                         BmpCase{4, 2, true, 0, 108}));

TEST_F(ImageReader, BmpShortPaletteLeavesUnlistedEntriesBlack)
{
    const Picture picture{2, 1, 1, {1, 200}};
    std::vector<u8> file = ImageTest::MakeBmp(picture);
    Put32(file, 46, 16);
    Write("short.bmp", file);
    ASSERT_TRUE(Load("short.bmp"));
    u8 rgb[3];
    ImageTest::PaletteColour(1, rgb);
    // The pixels still sit where the data offset says, after the full table written by the test writer.
    ExpectPicture(Picture{2, 1, 3, {rgb[0], rgb[1], rgb[2], 0, 0, 0}}, 24);
}

class JpegReader : public ImageReader, public testing::WithParamInterface<u32>
{
};

TEST_P(JpegReader, MatchesLibjpegDecodingRowsBottomFirst)
{
    const Picture source = ImageTest::MakeGradient(45, 30, GetParam());
    const std::vector<u8> bytes = ImageTest::MakeJpeg(source, 95);
    Write("picture.jpg", bytes);
    ASSERT_TRUE(Load("picture.jpg"));
    ExpectPicture(ImageTest::DecodeJpegReference(bytes), static_cast<i32>(GetParam() * 8));
    for (size_t i = 0; i < source.pixels.size(); ++i)
        ASSERT_NEAR(source.pixels[i], image.GetData()[i], 12) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Colour, JpegReader, testing::Values(1u, 3u));

TEST_F(ImageReader, ExtensionChoosesTheReaderWhateverItsCase)
{
    const Picture picture = ImageTest::MakeGradient(16, 16, 3);
    const std::vector<u8> bytes = ImageTest::MakeJpeg(picture);
    Write("upper.JPG", bytes);
    Write("long.jpeg", bytes);
    Write("upper.TgA", ImageTest::MakeTga(picture));
    Write("upper.BMP", ImageTest::MakeBmp(picture));
    EXPECT_TRUE(Load("upper.JPG"));
    EXPECT_TRUE(Load("long.jpeg"));
    EXPECT_TRUE(Load("upper.TgA"));
    EXPECT_TRUE(Load("upper.BMP"));
}

TEST_F(ImageReader, UnknownExtensionIsLoggedWithTheWholeName)
{
    Write("picture.png", {1, 2, 3});
    EXPECT_FALSE(Load("picture.png"));
    ASSERT_EQ(1u, Errors().size());
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Unknown \"picture.png\" image file type"));
    EXPECT_TRUE(image.IsEmpty());
}

TEST_F(ImageReader, MissingFileLogsTheFileManagersError)
{
    ExpectFailure("missing.tga");
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Failed to open"));
}

TEST_F(ImageReader, FailureEmptiesAnImageThatHeldPixels)
{
    image.CreateCheckerboard(&log);
    Write("bad.bmp", {'X', 'Y'});
    ExpectFailure("bad.bmp");
}

TEST_F(ImageReader, BmpFormatErrorsNameTheFile)
{
    std::vector<u8> magic = ImageTest::MakeBmp(ImageTest::MakePattern(4, 4, 3));
    magic[0] = 'C';
    Write("magic.bmp", magic);
    ExpectFailure("magic.bmp");
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Incorrect \"magic.bmp\" file format"));

    std::vector<u8> packed = ImageTest::MakeBmp(ImageTest::MakePattern(4, 4, 1));
    Put32(packed, 30, 1);
    Write("packed.bmp", packed);
    ExpectFailure("packed.bmp");
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Unsupported \"packed.bmp\" file format"));
}

// Every prefix of a valid file fails cleanly: no crash, nothing read out of bounds, one error, empty image.
class TruncatedFile : public ImageReader, public testing::WithParamInterface<const char*>
{
protected:
    std::vector<u8> Valid(const std::string& kind)
    {
        const Picture colour = ImageTest::MakePattern(19, 11, 3);
        if (kind == "tga")
            return ImageTest::MakeTga(colour);
        if (kind == "rle.tga")
            return ImageTest::MakeTga(ImageTest::MakeGradient(40, 11, 4), {true, false, 0});
        if (kind == "bmp")
            return ImageTest::MakeBmp(colour);
        if (kind == "8bit.bmp")
            return ImageTest::MakeBmp(ImageTest::MakePattern(19, 11, 1));
        return ImageTest::MakeJpeg(ImageTest::MakeGradient(64, 48, 3));
    }
};

TEST_P(TruncatedFile, FailsForEveryShorterLength)
{
    const std::string kind = GetParam();
    const std::vector<u8> bytes = Valid(kind);
    const std::string name = "cut." + kind;
    // A JPEG cut inside its scan decodes to what it holds (as libjpeg's own tools do): only cuts inside the
    // headers fail.
    const size_t end = kind == "jpg" ? FindMarker(bytes, 0xDA) + 2 : bytes.size() - 1;
    for (size_t size : {size_t{0}, size_t{1}, size_t{10}, size_t{17}, size_t{18}, size_t{53}, size_t{54},
                        bytes.size() / 3, bytes.size() / 2, end})
    {
        if (size > end)
            continue;
        Write(name, Truncated(bytes, size));
        ExpectFailure(name);
    }
    Write(name, bytes);
    EXPECT_TRUE(Load(name));
}

INSTANTIATE_TEST_SUITE_P(Kinds, TruncatedFile, testing::Values("tga", "rle.tga", "bmp", "8bit.bmp", "jpg"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

struct CorruptImageCase
{
    const char* name;
    std::vector<u8> bytes;
    const char* reason;
};

class CorruptFile : public ImageReader, public testing::WithParamInterface<CorruptImageCase>
{
};

TEST_P(CorruptFile, IsRefused)
{
    Write(GetParam().name, GetParam().bytes);
    ExpectFailure(GetParam().name);
    ASSERT_EQ(1u, Errors().size());
    EXPECT_THAT(Errors()[0], testing::HasSubstr(GetParam().reason));
}

namespace
{
std::vector<CorruptImageCase> CorruptImageCases()
{
    std::vector<CorruptImageCase> cases;
    cases.push_back({"huge.tga", Append(TgaHeader(2, 65535, 65535, 32), std::vector<u8>(64, 1)), "Incorrect"});
    cases.push_back({"huge_rle.tga", Append(TgaHeader(10, 65535, 65535, 32), {0xFF, 1, 2, 3, 4}), "Incorrect"});
    cases.push_back({"zero.tga", Append(TgaHeader(2, 0, 5, 24), std::vector<u8>(64, 1)), "Incorrect"});
    cases.push_back({"depth15.tga", Append(TgaHeader(2, 2, 2, 15), std::vector<u8>(64, 1)), "Unsupported"});
    cases.push_back({"raw_packet_short.tga", Append(TgaHeader(10, 4, 1, 24), {0x03, 1, 2, 3, 4, 5, 6}), "Incorrect"});
    cases.push_back({"id_past_end.tga", [] {
                         std::vector<u8> bytes = Append(TgaHeader(2, 1, 1, 24), {1, 2, 3});
                         bytes[0] = 200;
                         return bytes;
                     }(), "Incorrect"});

    const std::vector<u8> bmp = ImageTest::MakeBmp(ImageTest::MakePattern(4, 4, 3));
    auto patched = [&](size_t offset, u32 value) {
        std::vector<u8> bytes = bmp;
        Put32(bytes, offset, value);
        return bytes;
    };
    cases.push_back({"negative_width.bmp", patched(18, static_cast<u32>(-4)), "Incorrect"});
    cases.push_back({"huge_height.bmp", patched(22, 0x7FFFFFFF), "Incorrect"});
    cases.push_back({"huge_top_down.bmp", patched(22, 0x80000001), "Incorrect"});
    cases.push_back({"zero_height.bmp", patched(22, 0), "Incorrect"});
    cases.push_back({"huge_width.bmp", patched(18, 0x40000000), "Incorrect"});
    cases.push_back({"offset_past_end.bmp", patched(10, 0xFFFFFF00), "Incorrect"});
    cases.push_back({"depth16.bmp", [&] {
                         std::vector<u8> bytes = bmp;
                         Put16(bytes, 28, 16);
                         return bytes;
                     }(), "Unsupported"});
    cases.push_back({"core_header.bmp", patched(14, 12), "Unsupported"});
    cases.push_back({"huge_palette.bmp", [] {
                         std::vector<u8> bytes = ImageTest::MakeBmp(ImageTest::MakePattern(4, 4, 1));
                         Put32(bytes, 46, 100000);
                         return bytes;
                     }(), "Incorrect"});

    const std::vector<u8> jpeg = ImageTest::MakeJpeg(ImageTest::MakeGradient(32, 32, 3));
    cases.push_back({"garbage.jpg", std::vector<u8>(300, 0x5A), "Failed to decode"});
    cases.push_back({"zero_length.jpg", {}, "Failed to decode"});
    cases.push_back({"only_markers.jpg", {0xFF, 0xD8, 0xFF, 0xD9}, "Failed to decode"});
    cases.push_back({"huge_size.jpg", WithFrameSize(jpeg, 0xC0, 0x4000, 0x4000), "Incorrect"});
    // Padding counts in the bytes-per-file-byte check; the side limit still refuses before any allocation.
    cases.push_back({"huge_size_padded.jpg", PaddedTo(WithFrameSize(jpeg, 0xC0, 20000, 20000), 300000), "Incorrect"});
    // Within the side limit, but a progressive picture of that size needs more than libjpeg may hold.
    cases.push_back({"huge_progressive.jpg",
                     PaddedTo(WithFrameSize(ImageTest::MakeJpeg(ImageTest::MakeGradient(32, 32, 3), 90, true), 0xC2,
                                            8000, 8000),
                              60000),
                     "Failed to decode"});
    cases.push_back({"bad_huffman_table.jpg", [&] {
                         std::vector<u8> bytes = jpeg;
                         const size_t dht = FindMarker(jpeg, 0xC4);
                         for (size_t i = 0; i < 16; ++i)
                             bytes[dht + 5 + i] = 0xFF;
                         return bytes;
                     }(), "Failed to decode"});
    return cases;
}
}

INSTANTIATE_TEST_SUITE_P(Files, CorruptFile, testing::ValuesIn(CorruptImageCases()),
                         [](const testing::TestParamInfo<CorruptImageCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

// Corrupt data that libjpeg recovers from is a warning, not an error: the picture is kept as the library decodes
// it, and the warning is logged once.
struct RecoverableJpegCase
{
    const char* name;
    std::vector<u8> bytes;
    const char* warning;
};

class RecoverableJpeg : public ImageReader, public testing::WithParamInterface<RecoverableJpegCase>
{
};

TEST_P(RecoverableJpeg, KeepsTheDecodedPictureAndWarnsOnce)
{
    Write(GetParam().name, GetParam().bytes);
    ASSERT_TRUE(Load(GetParam().name));
    ExpectPicture(ImageTest::DecodeJpegReference(GetParam().bytes), 24);
    EXPECT_TRUE(Errors().empty());
    u32 warnings = 0;
    for (u32 i = 0; i < log.GetRecordCount(); ++i)
        if (log.GetRecord(i).kind == MessageManager::KindWarning)
        {
            ++warnings;
            EXPECT_THAT(log.GetRecord(i).text, testing::HasSubstr(GetParam().name));
            EXPECT_THAT(log.GetRecord(i).text, testing::HasSubstr(GetParam().warning));
        }
    EXPECT_EQ(1u, warnings);
}

namespace
{
std::vector<RecoverableJpegCase> RecoverableJpegCases()
{
    const std::vector<u8> jpeg = ImageTest::MakeJpeg(ImageTest::MakeGradient(64, 48, 3));
    std::vector<RecoverableJpegCase> cases;
    cases.push_back({"extraneous.jpg", [&] {
                         std::vector<u8> bytes = jpeg;
                         const size_t scan = FindMarker(bytes, 0xDA);
                         bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(scan), {0x12, 0x34, 0x56});
                         return bytes;
                     }(), "extraneous bytes"});
    const size_t scan = FindMarker(jpeg, 0xDA);
    cases.push_back({"cut_in_scan.jpg", Truncated(jpeg, scan + (jpeg.size() - scan) / 2), "Premature end"});
    cases.push_back({"scrambled_scan.jpg", [&] {
                         std::vector<u8> bytes = jpeg;
                         const size_t sos = FindMarker(jpeg, 0xDA);
                         for (size_t i = sos + 20; i + 2 < bytes.size(); i += 7)
                             bytes[i] = static_cast<u8>(bytes[i] * 31 + 7) == 0xFF ? 0 : static_cast<u8>(bytes[i] * 31 + 7);
                         return bytes;
                     }(), "Corrupt JPEG data"});
    return cases;
}
}

INSTANTIATE_TEST_SUITE_P(Files, RecoverableJpeg, testing::ValuesIn(RecoverableJpegCases()),
                         [](const testing::TestParamInfo<RecoverableJpegCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

TEST_F(ImageReader, ExtraneousBytesGiveTheCleanPicture)
{
    const std::vector<u8> clean = ImageTest::MakeJpeg(ImageTest::MakeGradient(64, 48, 3));
    std::vector<u8> dirty = clean;
    dirty.insert(dirty.begin() + static_cast<std::ptrdiff_t>(FindMarker(dirty, 0xDA)), {0x12, 0x34});
    Write("dirty.jpg", dirty);
    ASSERT_TRUE(Load("dirty.jpg"));
    ExpectPicture(ImageTest::DecodeJpegReference(clean), 24);
}

TEST_F(ImageReader, CmykJpegIsUnsupported)
{
    Write("cmyk.jpg", ImageTest::MakeJpeg(ImageTest::MakePattern(8, 8, 4)));
    ExpectFailure("cmyk.jpg");
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Unsupported \"cmyk.jpg\" file format"));
}
