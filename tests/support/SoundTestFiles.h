// Sound files built by the tests: WAV files chunk by chunk (so broken ones too) and Ogg Vorbis files
// encoded with libvorbisenc.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport
{
struct SoundWavFormat
{
    std::uint16_t tag = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
};

// A RIFF/WAVE file builder: chunks are appended in the order asked for.
class SoundWavWriter
{
public:
    SoundWavWriter& Riff(std::uint32_t size = 1, const char* id = "RIFF", const char* form = "WAVE");
    // A "fmt " chunk of 16 bytes plus the extra bytes; its size field can be given apart.
    SoundWavWriter& Format(const SoundWavFormat& format, std::uint32_t extraBytes = 0);
    SoundWavWriter& FormatWithSize(const SoundWavFormat& format, std::uint32_t sizeField, std::uint32_t bodyBytes);
    SoundWavWriter& Data(const std::vector<std::uint8_t>& pcm);
    // A "data" chunk header claiming a size, followed by the bytes actually there.
    SoundWavWriter& DataWithSize(std::uint32_t sizeField, const std::vector<std::uint8_t>& pcm);
    SoundWavWriter& Chunk(const char* id, std::uint32_t sizeField, std::uint32_t bodyBytes);
    SoundWavWriter& Bytes(const std::vector<std::uint8_t>& bytes);

    const std::string& Get() const { return m_bytes; }

private:
    void Id(const char* id);
    void U16(std::uint32_t value);
    void U32(std::uint32_t value);

    std::string m_bytes;
};

// A plain, valid WAV file of the PCM.
std::string MakeSoundWav(const SoundWavFormat& format, const std::vector<std::uint8_t>& pcm);

// Ogg Vorbis of a 16-bit interleaved signal (quality 0.4); frames = pcm samples / channels.
std::string MakeSoundOgg(std::uint32_t channels, std::uint32_t rate, const std::vector<std::int16_t>& pcm);
// The Ogg file with `holes` pages inserted between its headers and its audio, each page losing the one before
// it (a gap in the page numbers) and holding only the middle of a packet, so that every one reads as a hole.
std::string InsertSoundOggHoles(const std::string& ogg, std::uint32_t holes);
// The Ogg file with every page's granule position set to 0: a stream that announces no samples at all.
std::string ZeroSoundOggGranules(const std::string& ogg);
// The Ogg file with three codes of one bit in codebook `index` of its setup header (which must lie in one page),
// which no prefix code can hold: vorbisfile opens and measures the stream, but setting up its decoder for the
// first audio fails. Empty when the header has fewer codebooks.
std::string BreakSoundOggCodebook(const std::string& ogg, std::uint32_t index);
// A smooth signal that Vorbis keeps recognisable: a few tones per channel.
std::vector<std::int16_t> MakeSoundMusic(std::uint32_t frames, std::uint32_t channels, std::uint32_t rate);
}
