// The WAV, Ogg Vorbis and silent readers on files the tests build: formats, chunk walks with their exact
// messages, truncated and corrupt files (which must end, never hang), and byte-exact reads and rewinds.
#include "engine/core/Error.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/SoundTestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace VelkorEngine;
using TestSupport::MakeSoundRamp;
using TestSupport::SoundWavFormat;
using TestSupport::SoundWavWriter;

namespace
{
class SoundFileReaders : public ::testing::Test
{
protected:
    std::string WavFailure(const std::string& bytes)
    {
        m_world.WriteData("test.wav", bytes);
        try
        {
            SoundFileReaderWAV reader(m_world.Log(), m_world.Files(), "test.wav");
        }
        catch (const FileError& error)
        {
            return error.GetMessage();
        }
        return "loaded";
    }

    std::vector<std::uint8_t> ReadAll(SoundFileReader& reader, u32 step, u8* lastEnd = nullptr)
    {
        std::vector<std::uint8_t> all;
        std::vector<std::uint8_t> part(step);
        for (int guard = 0; guard < 1000000; ++guard)
        {
            u32 read = 0;
            u8 end = 0;
            reader.Read(part.data(), step, read, end);
            all.insert(all.end(), part.begin(), part.begin() + read);
            if (lastEnd)
                *lastEnd = end;
            if (end)
                break;
        }
        return all;
    }

    TestSupport::SoundTestWorld m_world;
};

const std::string NoFormat = "Failed to load \"data\\test.wav\" sound file - no format chunk";
const std::string NoData = "Failed to load \"data\\test.wav\" sound file - no data chunk";
const std::string NoRiff = "Failed to load \"data\\test.wav\" sound file - no RIFF header";
const std::string IncorrectOgg = "Failed to load \"data\\test.ogg\" sound file - incorrect format";
}

TEST_F(SoundFileReaders, WavFormatsThatLoad)
{
    struct Case
    {
        std::uint16_t channels;
        std::uint16_t bits;
        std::uint32_t rate;
    };
    for (const Case& c : {Case{1, 8, 11025}, Case{2, 8, 22050}, Case{1, 16, 44100}, Case{2, 16, 48000}})
    {
        const std::vector<std::uint8_t> pcm = MakeSoundRamp(100);
        m_world.WriteData("test.wav", TestSupport::MakeSoundWav({1, c.channels, c.rate, c.bits}, pcm));
        SoundFileReaderWAV reader(m_world.Log(), m_world.Files(), "test.wav");
        EXPECT_EQ(reader.GetChannels(), c.channels);
        EXPECT_EQ(reader.GetBitsPerSample(), c.bits);
        EXPECT_EQ(reader.GetSampleRate(), c.rate);
        EXPECT_EQ(reader.GetDataSize(), pcm.size());
        EXPECT_EQ(reader.GetPath(), "data\\test.wav");
        EXPECT_EQ(ReadAll(reader, 37), pcm);
    }
}

TEST_F(SoundFileReaders, WavChunkWalkMessages)
{
    const SoundWavFormat stereo;
    const std::vector<std::uint8_t> pcm = MakeSoundRamp(10);
    struct Case
    {
        const char* what;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"data before fmt, something after", SoundWavWriter().Riff().Data(pcm).Format(stereo).Chunk("LIST", 4, 4).Get(), "loaded"},
        {"fmt ending at the end of the file", SoundWavWriter().Riff().Data(pcm).Format(stereo).Get(), NoFormat},
        {"fmt with extra bytes", SoundWavWriter().Riff().Format(stereo, 2).Data(pcm).Get(), "loaded"},
        {"fmt shorter than 16", SoundWavWriter().Riff().FormatWithSize(stereo, 14, 14).Data(pcm).Get(), NoFormat},
        {"short fmt, then a good one", SoundWavWriter().Riff().FormatWithSize(stereo, 14, 14).Format(stereo).Data(pcm).Get(), "loaded"},
        {"RIFF size 0", SoundWavWriter().Riff(0).Format(stereo).Data(pcm).Get(), NoRiff},
        {"not RIFF", SoundWavWriter().Riff(1, "RIFX").Format(stereo).Data(pcm).Get(), NoRiff},
        {"not WAVE", SoundWavWriter().Riff(1, "RIFF", "AVI ").Format(stereo).Data(pcm).Get(), NoRiff},
        {"three channels", SoundWavWriter().Riff().Format({1, 3, 22050, 16}).Data(pcm).Get(), NoFormat},
        {"24 bits", SoundWavWriter().Riff().Format({1, 2, 22050, 24}).Data(pcm).Get(), NoFormat},
        {"float samples", SoundWavWriter().Riff().Format({3, 2, 22050, 16}).Data(pcm).Get(), NoFormat},
        {"no data chunk", SoundWavWriter().Riff().Format(stereo).Chunk("LIST", 4, 4).Chunk("junk", 100, 6).Get(), NoData},
        {"unknown chunks skipped", SoundWavWriter().Riff().Chunk("LIST", 6, 6).Format(stereo).Chunk("fact", 4, 4).Data(pcm).Get(), "loaded"},
        {"five bytes", "RIFF\x01", "Failed to read 4 bytes from \"" },
    };
    for (const Case& c : cases)
    {
        const std::string message = WavFailure(c.bytes);
        EXPECT_EQ(message.substr(0, c.expected.size()), c.expected) << c.what;
    }
}

TEST_F(SoundFileReaders, WavHugeChunkSizesEndTheWalk)
{
    const SoundWavFormat stereo;
    const std::vector<std::uint8_t> pcm = MakeSoundRamp(10);
    for (std::uint32_t size : {0xFFFFFFF8u, 0x80000000u, 0xFFFFFFFFu, 0x7FFFFFFFu})
    {
        EXPECT_EQ(WavFailure(SoundWavWriter().Riff().Chunk("LIST", size, 8).Format(stereo).Data(pcm).Get()), NoFormat) << size;
        EXPECT_EQ(WavFailure(SoundWavWriter().Riff().Format(stereo).Chunk("LIST", size, 8).Data(pcm).Get()), NoData) << size;
        EXPECT_EQ(WavFailure(SoundWavWriter().Riff().FormatWithSize(stereo, size, 16).Data(pcm).Get()), NoFormat) << size;
    }
}

TEST_F(SoundFileReaders, WavDataClaimingMoreThanTheFileIsLimitedToIt)
{
    const std::vector<std::uint8_t> pcm = MakeSoundRamp(25);
    m_world.WriteData("test.wav", SoundWavWriter().Riff().Format({}).DataWithSize(0xF0000000u, pcm).Get());
    SoundFileReaderWAV reader(m_world.Log(), m_world.Files(), "test.wav");
    EXPECT_EQ(reader.GetDataSize(), pcm.size());
    EXPECT_EQ(m_world.Errors(), std::vector<std::string>{"\"test.wav\" sound file - incorrect format"});
    u8 end = 0;
    EXPECT_EQ(ReadAll(reader, 1000, &end), pcm);
    EXPECT_EQ(end, 1);
}

TEST_F(SoundFileReaders, WavReadsRewindsAndCountZero)
{
    const std::vector<std::uint8_t> pcm = MakeSoundRamp(64);
    m_world.WriteData("test.wav", TestSupport::MakeSoundWav({}, pcm));
    SoundFileReaderWAV reader(m_world.Log(), m_world.Files(), "test.wav");
    u32 read = 99;
    u8 end = 0;
    std::vector<std::uint8_t> part(pcm.size() + 10);
    reader.Read(part.data(), 0, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(end, 1);
    reader.Read(part.data(), 100, read, end);
    EXPECT_EQ(read, 100u);
    EXPECT_EQ(end, 0);
    reader.Read(part.data() + 100, static_cast<u32>(pcm.size()) - 100, read, end);
    EXPECT_EQ(end, 1);
    part.resize(pcm.size());
    EXPECT_EQ(part, pcm);
    reader.Read(part.data(), 10, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(end, 1);
    reader.Rewind();
    EXPECT_EQ(ReadAll(reader, 50), pcm);
}

TEST_F(SoundFileReaders, MissingFileGivesTheFileManagersError)
{
    EXPECT_THROW(SoundFileReaderWAV(m_world.Log(), m_world.Files(), "absent.wav"), FileError);
    EXPECT_THROW(SoundFileReaderOGG(m_world.Log(), m_world.Files(), "absent.ogg"), FileError);
}

TEST_F(SoundFileReaders, OggStereoMeasuresAndDecodesTheSameTwice)
{
    const std::vector<std::int16_t> music = TestSupport::MakeSoundMusic(44100, 2, 44100);
    m_world.WriteData("test.ogg", TestSupport::MakeSoundOgg(2, 44100, music));
    SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
    EXPECT_EQ(reader.GetDataSize(), 176400u);
    EXPECT_EQ(reader.GetChannels(), 2u);
    EXPECT_EQ(reader.GetSampleRate(), 44100u);
    EXPECT_EQ(reader.GetBitsPerSample(), 16u);
    u8 end = 0;
    const std::vector<std::uint8_t> first = ReadAll(reader, 32768, &end);
    EXPECT_EQ(end, 1);
    EXPECT_EQ(first.size(), 176400u);
    reader.Rewind();
    EXPECT_EQ(ReadAll(reader, 4096), first);

    // The decoded signal is the encoded one, give or take the codec's loss.
    const std::vector<std::int16_t> decoded = TestSupport::SoundSamples(first);
    double error = 0.0;
    double energy = 0.0;
    for (std::size_t i = 0; i < decoded.size(); ++i)
    {
        error += (decoded[i] - music[i]) * static_cast<double>(decoded[i] - music[i]);
        energy += music[i] * static_cast<double>(music[i]);
    }
    EXPECT_LT(error, energy * 0.01);
}

TEST_F(SoundFileReaders, OggMonoAndCountZero)
{
    m_world.WriteData("test.ogg", TestSupport::MakeSoundOgg(1, 22050, TestSupport::MakeSoundMusic(22050, 1, 22050)));
    SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
    EXPECT_EQ(reader.GetDataSize(), 44100u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    u32 read = 5;
    u8 end = 0;
    reader.Read(nullptr, 0, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(end, 1);
}

TEST_F(SoundFileReaders, NotAnOggFileIsIncorrectFormat)
{
    for (const std::string& bytes : {std::string("definitely not ogg vorbis data"), std::string(), std::string(5000, '\0'),
                                     TestSupport::MakeSoundWav({}, MakeSoundRamp(100))})
    {
        m_world.WriteData("test.ogg", bytes);
        try
        {
            SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
            ADD_FAILURE() << "opened " << bytes.size() << " bytes";
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(error.GetMessage(), IncorrectOgg);
        }
    }
}

TEST_F(SoundFileReaders, TruncatedOggDecodesWhatExists)
{
    const std::string whole = TestSupport::MakeSoundOgg(2, 22050, TestSupport::MakeSoundMusic(22050 * 10, 2, 22050));
    for (std::size_t keep : {whole.size() * 3 / 4, whole.size() / 2, whole.size() / 5})
    {
        m_world.WriteData("test.ogg", whole.substr(0, keep));
        try
        {
            SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
            u8 end = 0;
            const std::vector<std::uint8_t> decoded = ReadAll(reader, 32768, &end);
            EXPECT_EQ(end, 1) << keep;
            if (keep >= whole.size() / 2)
            {
                EXPECT_GT(decoded.size(), 22050u * 4 * 3) << keep;
            }
            EXPECT_LT(decoded.size(), 22050u * 10 * 4) << keep;
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(error.GetMessage(), IncorrectOgg) << keep;
        }
    }
}

TEST_F(SoundFileReaders, CorruptOggEnds)
{
    const std::string whole = TestSupport::MakeSoundOgg(2, 22050, TestSupport::MakeSoundMusic(22050 * 2, 2, 22050));
    std::uint32_t state = 7;
    for (int variant = 0; variant < 12; ++variant)
    {
        std::string damaged = whole;
        for (std::size_t i = 200 + variant * 37; i < damaged.size(); i += 97 + variant * 13)
        {
            state = state * 1664525u + 1013904223u;
            damaged[i] = static_cast<char>(state >> 24);
        }
        m_world.WriteData("test.ogg", damaged);
        try
        {
            SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
            u8 end = 0;
            ReadAll(reader, 32768, &end);
            EXPECT_EQ(end, 1) << variant;
            reader.Rewind();
            ReadAll(reader, 32768, &end);
            EXPECT_EQ(end, 1) << variant;
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(error.GetMessage(), IncorrectOgg) << variant;
        }
    }
}

// Streams that announce no samples: seeks past the file's end must fail, or vorbisfile walks back from near
// 2^63 in 64 KiB steps and the rewind never returns.
TEST_F(SoundFileReaders, OggWithoutSamplesRewindsAndEnds)
{
    // Noise does not compress: a few seconds make a file of several 64 KiB steps.
    std::vector<std::int16_t> noise(44100 * 2 * 8);
    std::uint32_t state = 1;
    for (std::int16_t& sample : noise)
    {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(state >> 16);
    }
    const std::string large = TestSupport::MakeSoundOgg(2, 44100, noise);
    ASSERT_GT(large.size(), 100000u);
    for (const std::string& ogg : {TestSupport::MakeSoundOgg(1, 22050, {}), TestSupport::ZeroSoundOggGranules(large)})
    {
        m_world.WriteData("test.ogg", ogg);
        SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
        EXPECT_EQ(reader.GetDataSize(), 0u);
        for (int round = 0; round < 2; ++round)
        {
            u8 end = 0;
            ReadAll(reader, 32768, &end);
            EXPECT_EQ(end, 1);
            reader.Rewind();
        }
    }
}

// The decoder measures the stream from its last page: a stream read to its very last byte is measured whole.
TEST_F(SoundFileReaders, OggLengthComesFromTheLastPage)
{
    const std::string ogg = TestSupport::MakeSoundOgg(1, 8000, TestSupport::MakeSoundMusic(8000, 1, 8000));
    m_world.WriteData("test.ogg", ogg);
    SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
    EXPECT_EQ(reader.GetDataSize(), 16000u);
    EXPECT_EQ(ReadAll(reader, 4096).size(), 16000u);
}

// Holes are errors that do not end the stream; after 32 in a row the read gives up, even with audio behind.
TEST_F(SoundFileReaders, OggReadEndsAfterThirtyTwoErrorsInARow)
{
    const std::string ogg = TestSupport::MakeSoundOgg(1, 8000, TestSupport::MakeSoundMusic(8000, 1, 8000));
    for (const auto& [holes, decodes] : {std::pair{20u, true}, std::pair{40u, false}})
    {
        m_world.WriteData("test.ogg", TestSupport::InsertSoundOggHoles(ogg, holes));
        SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
        u8 end = 0;
        const std::vector<std::uint8_t> decoded = ReadAll(reader, 16000, &end);
        EXPECT_EQ(end, 1) << holes;
        EXPECT_EQ(!decoded.empty(), decodes) << holes;
    }
}

// A codebook that no prefix code can hold passes vorbisfile's opening; setting up the decoder fails at the first
// read. Asking again decodes with the codebooks that failure left half built: a wrong sound, or for a book the
// residue classifies by, a division by zero inside the library. The read ends at the failure, and a rewind
// does not start the decoder again. Each file is read in a child process, so that a crash fails this test alone.
TEST_F(SoundFileReaders, OggWhoseDecoderCannotBeSetUpEndsWithoutCrashing)
{
    const std::string ogg = TestSupport::MakeSoundOgg(1, 8000, TestSupport::MakeSoundMusic(8000, 1, 8000));
    std::uint32_t book = 0;
    for (std::string broken; !(broken = TestSupport::BreakSoundOggCodebook(ogg, book)).empty(); ++book)
    {
        m_world.WriteData("test.ogg", broken);
        EXPECT_EXIT(
            {
                SoundFileReaderOGG reader(m_world.Log(), m_world.Files(), "test.ogg");
                bool nothingDecoded = true;
                for (int round = 0; round < 2; ++round)
                {
                    u8 end = 0;
                    nothingDecoded = ReadAll(reader, 4096, &end).empty() && end == 1 && nothingDecoded;
                    reader.Rewind();
                }
                std::_Exit(nothingDecoded ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << "codebook " << book;
    }
    EXPECT_GT(book, 0u) << "no codebook to break";
}

TEST_F(SoundFileReaders, SilentReaderGivesEightBytesOfSilenceAgainAfterRewind)
{
    SoundFileReaderEMP reader(m_world.Log(), m_world.Files(), "anything.xyz");
    EXPECT_EQ(reader.GetDataSize(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    for (int round = 0; round < 2; ++round)
    {
        std::vector<std::uint8_t> bytes(20, 0);
        u32 read = 0;
        u8 end = 0;
        reader.Read(bytes.data(), 5, read, end);
        EXPECT_EQ(read, 5u);
        EXPECT_EQ(end, 0);
        reader.Read(bytes.data() + 5, 15, read, end);
        EXPECT_EQ(read, 3u);
        EXPECT_EQ(end, 1);
        EXPECT_EQ(bytes, std::vector<std::uint8_t>({128, 128, 128, 128, 128, 128, 128, 128, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        reader.Read(bytes.data(), 0, read, end);
        EXPECT_EQ(read, 0u);
        EXPECT_EQ(end, 1);
        reader.Rewind();
    }
}
