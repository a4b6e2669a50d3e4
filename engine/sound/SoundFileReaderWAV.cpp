// RIFF chunk walk and PCM delivery of WAV files. Sizes come from the file, so every skip is checked against
// what is left of it and the data size is limited to the bytes that follow the data chunk's header.
#include "engine/sound/SoundFileReaderWAV.h"

#include "engine/core/MessageManager.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 FirstChunkOffset = 12;
constexpr u32 FormatBodySize = 16;
constexpr u16 PcmTag = 1;

bool SameId(const char* bytes, const char* id) { return std::memcmp(bytes, id, 4) == 0; }
}

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* log, FileManager* fileManager, const std::string& name)
    : SoundFileReader(log, fileManager, name)
{
    char riff[4] = {};
    char wave[4] = {};
    u32 riffSize = 0;
    m_file->Read(riff, 4);
    m_file->ReadDword(riffSize);
    m_file->Read(wave, 4);
    if (!SameId(riff, "RIFF") || riffSize == 0 || !SameId(wave, "WAVE"))
        Fail("no RIFF header");
    if (!FindFormat())
        Fail("no format chunk");
    if (!FindData())
        Fail("no data chunk");
}

bool SoundFileReaderWAV::FindChunk(const char* id, u32 minimumSize, u32& size)
{
    m_file->Seek(0, FirstChunkOffset);
    for (;;)
    {
        char chunkId[4] = {};
        m_file->Read(chunkId, 4);
        m_file->ReadDword(size);
        if (SameId(chunkId, id) && size >= minimumSize)
            return true;
        if (!Skip(size))
            return false;
    }
}

bool SoundFileReaderWAV::FindFormat()
{
    u32 size = 0;
    if (!FindChunk("fmt ", FormatBodySize, size))
        return false;
    const u16 tag = ReadWord();
    m_channels = ReadWord();
    m_file->ReadDword(m_sampleRate);
    u32 averageBytes = 0;
    m_file->ReadDword(averageBytes);
    ReadWord();
    m_bitsPerSample = ReadWord();
    if (tag != PcmTag || m_channels > 2 || (m_bitsPerSample != 8 && m_bitsPerSample != 16))
        return false;
    return Skip(size - FormatBodySize);
}

bool SoundFileReaderWAV::FindData()
{
    u32 size = 0;
    if (!FindChunk("data", 0, size))
        return false;
    m_dataOffset = m_file->GetPosition();
    const u32 available = m_file->GetSize() - m_dataOffset;
    if (size > available)
    {
        m_log->Error("\"" + m_name + "\" sound file - incorrect format");
        size = available;
    }
    m_dataSize = size;
    m_remaining = size;
    return true;
}

// A skip that would end at or beyond the end of the file fails; so does FileBinary::Seek, which stops on
// the last byte, but checking first keeps a huge size from ever moving the position.
bool SoundFileReaderWAV::Skip(u32 bytes)
{
    if (bytes >= m_file->GetSize() - m_file->GetPosition())
        return false;
    return m_file->Seek(2, bytes);
}

u16 SoundFileReaderWAV::ReadWord()
{
    return BinaryReader(*m_file).U16();
}

void SoundFileReaderWAV::Rewind()
{
    m_remaining = m_dataSize;
    m_file->Seek(0, m_dataOffset);
}

void SoundFileReaderWAV::Read(void* destination, u32 count, u32& read, u8& end)
{
    if (count == 0)
    {
        read = 0;
        end = 1;
        return;
    }
    const u32 n = std::min(count, m_remaining);
    m_remaining -= n;
    m_file->Read(destination, n, &read);
    if (read != n)
        m_remaining = 0;
    end = m_remaining == 0 ? 1 : 0;
}
}
