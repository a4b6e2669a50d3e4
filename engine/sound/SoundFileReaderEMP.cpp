// Eight bytes of silence, again after every rewind.
#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 SilentBytes = 8;
constexpr u8 Silence = 128;
}

SoundFileReaderEMP::SoundFileReaderEMP(MessageManager* log, FileManager* fileManager, const std::string&)
    : SoundFileReader(log, fileManager)
{
    m_dataSize = SilentBytes;
    m_channels = 1;
    m_bitsPerSample = 8;
    m_sampleRate = 22050;
}

void SoundFileReaderEMP::Rewind() { m_position = 0; }

void SoundFileReaderEMP::Read(void* destination, u32 count, u32& read, u8& end)
{
    if (count == 0)
    {
        read = 0;
        end = 1;
        return;
    }
    const u32 n = std::min(count, SilentBytes - m_position);
    m_position += n;
    std::memset(destination, Silence, n);
    read = n;
    end = m_position == SilentBytes ? 1 : 0;
}
}
