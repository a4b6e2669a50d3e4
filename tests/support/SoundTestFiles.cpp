// WAV chunks written byte by byte, and Ogg Vorbis encoded through libvorbisenc.
#include "tests/support/SoundTestFiles.h"

#include "tools/formats/AudioWriters.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace TestSupport
{
void SoundWavWriter::Id(const char* id) { m_bytes.append(id, 4); }

void SoundWavWriter::U16(std::uint32_t value)
{
    m_bytes += static_cast<char>(value & 0xFF);
    m_bytes += static_cast<char>((value >> 8) & 0xFF);
}

void SoundWavWriter::U32(std::uint32_t value)
{
    U16(value & 0xFFFF);
    U16(value >> 16);
}

SoundWavWriter& SoundWavWriter::Riff(std::uint32_t size, const char* id, const char* form)
{
    Id(id);
    U32(size);
    Id(form);
    return *this;
}

SoundWavWriter& SoundWavWriter::Format(const SoundWavFormat& format, std::uint32_t extraBytes)
{
    return FormatWithSize(format, 16 + extraBytes, 16 + extraBytes);
}

SoundWavWriter& SoundWavWriter::FormatWithSize(const SoundWavFormat& format, std::uint32_t sizeField,
                                               std::uint32_t bodyBytes)
{
    Id("fmt ");
    U32(sizeField);
    const std::uint32_t align = format.channels * format.bits / 8;
    std::string body;
    std::swap(body, m_bytes);
    U16(format.tag);
    U16(format.channels);
    U32(format.rate);
    U32(format.rate * align);
    U16(align);
    U16(format.bits);
    m_bytes.resize(bodyBytes, '\0');
    body += m_bytes;
    m_bytes = std::move(body);
    return *this;
}

SoundWavWriter& SoundWavWriter::Data(const std::vector<std::uint8_t>& pcm)
{
    return DataWithSize(static_cast<std::uint32_t>(pcm.size()), pcm);
}

SoundWavWriter& SoundWavWriter::DataWithSize(std::uint32_t sizeField, const std::vector<std::uint8_t>& pcm)
{
    Id("data");
    U32(sizeField);
    return Bytes(pcm);
}

SoundWavWriter& SoundWavWriter::Chunk(const char* id, std::uint32_t sizeField, std::uint32_t bodyBytes)
{
    Id(id);
    U32(sizeField);
    m_bytes.append(bodyBytes, 'x');
    return *this;
}

SoundWavWriter& SoundWavWriter::Bytes(const std::vector<std::uint8_t>& bytes)
{
    m_bytes.append(bytes.begin(), bytes.end());
    return *this;
}

std::string MakeSoundWav(const SoundWavFormat& format, const std::vector<std::uint8_t>& pcm)
{
    return SoundWavWriter().Riff(static_cast<std::uint32_t>(36 + pcm.size())).Format(format).Data(pcm).Get();
}

std::string MakeSoundOgg(std::uint32_t channels, std::uint32_t rate, const std::vector<std::int16_t>& pcm)
{
    return KorvaneTools::WriteOgg(channels, rate, pcm, 0.4f);
}

std::vector<std::int16_t> MakeSoundMusic(std::uint32_t frames, std::uint32_t channels, std::uint32_t rate)
{
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames) * channels);
    const double twoPi = 2.0 * 3.14159265358979323846;
    for (std::uint32_t frame = 0; frame < frames; ++frame)
        for (std::uint32_t c = 0; c < channels; ++c)
        {
            const double t = static_cast<double>(frame) / rate;
            const double value = 0.3 * std::sin(twoPi * (220.0 + 110.0 * c) * t) + 0.2 * std::sin(twoPi * 660.0 * t);
            pcm[frame * channels + c] = static_cast<std::int16_t>(std::lround(value * 32767.0));
        }
    return pcm;
}
}
