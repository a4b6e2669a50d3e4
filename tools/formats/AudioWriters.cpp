// WAV and Ogg Vorbis writers for generated sounds, and readers for the data tests.
#include "tools/formats/AudioWriters.h"

#include "tools/formats/ByteReader.h"
#include "tools/formats/ByteWriter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

namespace KorvaneTools
{
using VelkorEngine::u16;
using VelkorEngine::u32;

namespace
{
void AppendPage(std::string& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

// The encoder's state, released in one place whatever happens.
class VorbisEncoder
{
public:
    VorbisEncoder(u32 channels, u32 rate, float quality, int serial)
    {
        vorbis_info_init(&m_info);
        vorbis_comment_init(&m_comment);
        if (vorbis_encode_init_vbr(&m_info, static_cast<long>(channels), static_cast<long>(rate), quality) != 0)
        {
            vorbis_comment_clear(&m_comment);
            vorbis_info_clear(&m_info);
            throw std::invalid_argument("the Vorbis encoder refused the format");
        }
        vorbis_analysis_init(&m_dsp, &m_info);
        vorbis_block_init(&m_dsp, &m_block);
        ogg_stream_init(&m_stream, serial);
    }
    ~VorbisEncoder()
    {
        ogg_stream_clear(&m_stream);
        vorbis_block_clear(&m_block);
        vorbis_dsp_clear(&m_dsp);
        vorbis_comment_clear(&m_comment);
        vorbis_info_clear(&m_info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    void WriteHeaders()
    {
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&m_dsp, &m_comment, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&m_stream, &header);
        ogg_stream_packetin(&m_stream, &commentHeader);
        ogg_stream_packetin(&m_stream, &codeHeader);
        Flush();
    }

    void Encode(const std::vector<std::int16_t>& samples, u32 channels)
    {
        const size_t frames = samples.size() / channels;
        constexpr size_t Step = 1024;
        for (size_t start = 0; start < frames; start += Step)
        {
            const size_t count = std::min(Step, frames - start);
            float** buffer = vorbis_analysis_buffer(&m_dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i)
                for (u32 c = 0; c < channels; ++c)
                    buffer[c][i] = static_cast<float>(samples[(start + i) * channels + c]) / 32768.0f;
            vorbis_analysis_wrote(&m_dsp, static_cast<int>(count));
            Drain();
        }
        vorbis_analysis_wrote(&m_dsp, 0);
        Drain();
        Flush();
    }

    std::string Take() { return std::move(m_out); }

private:
    void Drain()
    {
        while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1)
        {
            vorbis_analysis(&m_block, nullptr);
            vorbis_bitrate_addblock(&m_block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&m_dsp, &packet) == 1)
            {
                ogg_stream_packetin(&m_stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&m_stream, &page) != 0)
                    AppendPage(m_out, page);
            }
        }
    }
    void Flush()
    {
        ogg_page page;
        while (ogg_stream_flush(&m_stream, &page) != 0)
            AppendPage(m_out, page);
    }

    vorbis_info m_info{};
    vorbis_comment m_comment{};
    vorbis_dsp_state m_dsp{};
    vorbis_block m_block{};
    ogg_stream_state m_stream{};
    std::string m_out;
};

// vorbisfile reads the file from memory through these callbacks.
struct MemorySource
{
    const std::string* bytes = nullptr;
    size_t position = 0;
};

size_t ReadMemory(void* buffer, size_t size, size_t count, void* source)
{
    auto* memory = static_cast<MemorySource*>(source);
    const size_t wanted = size * count;
    const size_t available = std::min(wanted, memory->bytes->size() - memory->position);
    std::memcpy(buffer, memory->bytes->data() + memory->position, available);
    memory->position += available;
    return size == 0 ? 0 : available / size;
}
}

std::string WriteWav(u32 channels, u32 rate, const std::vector<std::int16_t>& samples)
{
    const u32 dataBytes = static_cast<u32>(samples.size() * 2);
    ByteWriter out;
    out.PutText("RIFF");
    out.Put<u32>(36 + dataBytes);
    out.PutText("WAVEfmt ");
    out.Put<u32>(16);
    out.Put<u16>(1);
    out.Put(static_cast<u16>(channels));
    out.Put(rate);
    out.Put(rate * channels * 2);
    out.Put(static_cast<u16>(channels * 2));
    out.Put<u16>(16);
    out.PutText("data");
    out.Put(dataBytes);
    for (std::int16_t sample : samples)
        out.Put(sample);
    return out.Finish();
}

std::string WriteOgg(u32 channels, u32 rate, const std::vector<std::int16_t>& samples, float quality, int serial)
{
    if (channels == 0)
        throw std::invalid_argument("a sound needs at least one channel");
    VorbisEncoder encoder(channels, rate, quality, serial);
    encoder.WriteHeaders();
    encoder.Encode(samples, channels);
    return encoder.Take();
}

DecodedSound ReadWav(const std::string& bytes)
{
    ByteReader in(bytes);
    char riff[4], wave[8], data[4];
    for (char& c : riff)
        c = in.Get<char>();
    const auto riffSize = in.Get<u32>();
    for (char& c : wave)
        c = in.Get<char>();
    if (std::string(riff, 4) != "RIFF" || std::string(wave, 8) != "WAVEfmt " || riffSize + 8 != bytes.size())
        throw FormatError("not a canonical RIFF WAVE file");
    if (in.Get<u32>() != 16 || in.Get<u16>() != 1)
        throw FormatError("not plain PCM");
    DecodedSound sound;
    sound.channels = in.Get<u16>();
    sound.rate = in.Get<u32>();
    in.Get<u32>();
    in.Get<u16>();
    if (in.Get<u16>() != 16 || sound.channels == 0)
        throw FormatError("not 16-bit PCM");
    for (char& c : data)
        c = in.Get<char>();
    const auto dataBytes = in.Get<u32>();
    if (std::string(data, 4) != "data" || dataBytes != in.Remaining() || dataBytes % (2 * sound.channels) != 0)
        throw FormatError("data chunk does not match the file");
    sound.samples.resize(dataBytes / 2);
    for (std::int16_t& sample : sound.samples)
        sample = in.Get<std::int16_t>();
    return sound;
}

DecodedSound ReadOgg(const std::string& bytes)
{
    MemorySource source{&bytes, 0};
    const ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0)
        throw FormatError("not an Ogg Vorbis stream");
    const vorbis_info* info = ov_info(&file, -1);
    DecodedSound sound;
    sound.channels = static_cast<u32>(info->channels);
    sound.rate = static_cast<u32>(info->rate);
    char buffer[8192];
    int section = 0;
    for (;;)
    {
        const long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0)
            break;
        if (got < 0)
        {
            ov_clear(&file);
            throw FormatError("the Ogg Vorbis stream is damaged");
        }
        const size_t old = sound.samples.size();
        sound.samples.resize(old + static_cast<size_t>(got) / 2);
        std::memcpy(sound.samples.data() + old, buffer, static_cast<size_t>(got));
    }
    ov_clear(&file);
    return sound;
}
}
