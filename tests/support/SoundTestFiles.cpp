// WAV chunks written byte by byte, and Ogg Vorbis encoded through libvorbisenc.
#include "tests/support/SoundTestFiles.h"

#include "tools/formats/AudioWriters.h"

#include <ogg/ogg.h>

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

namespace
{
void AppendPage(std::string& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// A page of nothing but the middle of a packet: continued from the page before, finishing no packet.
std::string MakeContinuedPage(std::uint32_t serial, std::uint32_t sequence)
{
    std::vector<unsigned char> header(28, 0);
    std::copy_n("OggS", 4, header.begin());
    header[5] = 0x01;
    std::fill_n(header.begin() + 6, 8, 0xFF);
    for (int i = 0; i < 4; ++i)
    {
        header[14 + i] = static_cast<unsigned char>(serial >> (8 * i));
        header[18 + i] = static_cast<unsigned char>(sequence >> (8 * i));
    }
    header[26] = 1;
    header[27] = 255;
    std::vector<unsigned char> body(255, 0x55);
    ogg_page page{header.data(), static_cast<long>(header.size()), body.data(), static_cast<long>(body.size())};
    ogg_page_checksum_set(&page);
    std::string out;
    AppendPage(out, page);
    return out;
}

// The page with its header or body changed in place and its checksum worked out again.
template <class Change>
std::string RewrittenPage(const ogg_page& original, Change change)
{
    std::vector<unsigned char> header(original.header, original.header + original.header_len);
    std::vector<unsigned char> body(original.body, original.body + original.body_len);
    change(header, body);
    ogg_page page{header.data(), static_cast<long>(header.size()), body.data(), static_cast<long>(body.size())};
    ogg_page_checksum_set(&page);
    std::string out;
    AppendPage(out, page);
    return out;
}

std::string RenumberedPage(const ogg_page& original, std::uint32_t sequence)
{
    return RewrittenPage(original, [sequence](std::vector<unsigned char>& header, std::vector<unsigned char>&) {
        for (int i = 0; i < 4; ++i)
            header[18 + i] = static_cast<unsigned char>(sequence >> (8 * i));
    });
}

// Bits packed as the Vorbis headers pack them, least significant first, read and overwritten in place.
class HeaderBits
{
public:
    HeaderBits(std::vector<unsigned char>& bytes, std::size_t firstByte) : m_bytes(bytes), m_bit(firstByte * 8) {}

    std::uint32_t Read(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++m_bit)
            value |= static_cast<std::uint32_t>((At() >> (m_bit % 8)) & 1u) << i;
        return value;
    }

    void Write(int count, std::uint32_t value)
    {
        for (int i = 0; i < count; ++i, ++m_bit)
        {
            const unsigned char mask = static_cast<unsigned char>(1u << (m_bit % 8));
            At() = static_cast<unsigned char>(((value >> i) & 1u) ? At() | mask : At() & ~mask);
        }
    }

private:
    unsigned char& At()
    {
        if (m_bit / 8 >= m_bytes.size())
            throw std::runtime_error("the setup header's codebooks run past their page");
        return m_bytes[m_bit / 8];
    }

    std::vector<unsigned char>& m_bytes;
    std::size_t m_bit;
};

std::uint32_t BitsFor(std::uint32_t value)
{
    std::uint32_t bits = 0;
    for (; value; value >>= 1)
        ++bits;
    return bits;
}

// The number of values of each dimension in a lattice codebook: the largest whose power of the dimensions does
// not pass the entries.
std::uint32_t LatticeValues(std::uint32_t entries, std::uint32_t dimensions)
{
    const auto power = [dimensions](std::uint64_t value) {
        std::uint64_t result = 1;
        for (std::uint32_t d = 0; d < dimensions && result <= 0xFFFFFFFFu; ++d)
            result *= value;
        return result;
    };
    std::uint32_t values = 0;
    while (power(values + 1) <= entries)
        ++values;
    return values;
}

// Reads one codebook; with breakLengths its first three code lengths (stored less one, in five bits) become
// one bit each, which no prefix code can hold.
void WalkCodebook(HeaderBits& bits, bool breakLengths)
{
    if (bits.Read(24) != 0x564342)
        throw std::runtime_error("no codebook where the setup header holds one");
    const std::uint32_t dimensions = bits.Read(16);
    const std::uint32_t entries = bits.Read(24);
    if (bits.Read(1) != 0)
    {
        if (breakLengths)
            throw std::runtime_error("the codebook's lengths are stored in order of size");
        bits.Read(5);
        for (std::uint32_t entry = 0; entry < entries;)
            entry += bits.Read(static_cast<int>(BitsFor(entries - entry)));
    }
    else
    {
        const bool sparse = bits.Read(1) != 0;
        std::uint32_t broken = 0;
        for (std::uint32_t entry = 0; entry < entries; ++entry)
        {
            if (sparse && bits.Read(1) == 0)
                continue;
            if (breakLengths && broken < 3)
            {
                bits.Write(5, 0);
                ++broken;
            }
            else
                bits.Read(5);
        }
    }
    const std::uint32_t lookup = bits.Read(4);
    if (lookup == 1 || lookup == 2)
    {
        bits.Read(32);
        bits.Read(32);
        const int valueBits = static_cast<int>(bits.Read(4)) + 1;
        bits.Read(1);
        const std::uint32_t values = lookup == 1 ? LatticeValues(entries, dimensions) : entries * dimensions;
        for (std::uint32_t value = 0; value < values; ++value)
            bits.Read(valueBits);
    }
}

// Breaks codebook `index` of the setup header starting at `at`; false when the header has no such codebook.
bool BreakCodebook(std::vector<unsigned char>& body, std::size_t at, std::uint32_t index)
{
    HeaderBits bits(body, at + 7);
    const std::uint32_t count = bits.Read(8) + 1;
    if (index >= count)
        return false;
    for (std::uint32_t book = 0; book <= index; ++book)
        WalkCodebook(bits, book == index);
    return true;
}

// Calls visit with every page of an Ogg file in order.
template <class Visit>
void ForEachPage(const std::string& ogg, Visit visit)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(ogg.size()));
    std::copy(ogg.begin(), ogg.end(), buffer);
    ogg_sync_wrote(&sync, static_cast<long>(ogg.size()));
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1)
        visit(page);
    ogg_sync_clear(&sync);
}
}

std::string ZeroSoundOggGranules(const std::string& ogg)
{
    std::string out;
    ForEachPage(ogg, [&](const ogg_page& page) {
        out += RewrittenPage(page, [](std::vector<unsigned char>& header, std::vector<unsigned char>&) {
            std::fill_n(header.begin() + 6, 8, 0);
        });
    });
    return out;
}

std::string InsertSoundOggHoles(const std::string& ogg, std::uint32_t holes)
{
    std::string out;
    std::uint32_t sequence = 0;
    bool audio = false;
    ForEachPage(ogg, [&](ogg_page& page) {
        // The header pages are the ones at granule position 0; audio starts after them.
        if (!audio && ogg_page_granulepos(&page) != 0)
        {
            audio = true;
            for (std::uint32_t hole = 0; hole < holes; ++hole)
            {
                sequence += 2;
                out += MakeContinuedPage(static_cast<std::uint32_t>(ogg_page_serialno(&page)), sequence);
            }
            sequence += 2;
        }
        else if (audio)
            ++sequence;
        else
            sequence = static_cast<std::uint32_t>(ogg_page_pageno(&page));
        out += RenumberedPage(page, sequence);
    });
    return out;
}

std::string BreakSoundOggCodebook(const std::string& ogg, std::uint32_t index)
{
    static const std::string setupMark = "\x05vorbis";
    std::string out;
    bool seen = false;
    bool broken = false;
    ForEachPage(ogg, [&](const ogg_page& page) {
        const std::string body(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
        const std::size_t at = seen ? std::string::npos : body.find(setupMark);
        if (at == std::string::npos)
        {
            AppendPage(out, page);
            return;
        }
        seen = true;
        out += RewrittenPage(page, [&](std::vector<unsigned char>&, std::vector<unsigned char>& bytes) {
            broken = BreakCodebook(bytes, at, index);
        });
    });
    if (!seen)
        throw std::runtime_error("no Vorbis setup header in the Ogg file");
    return broken ? out : std::string();
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
