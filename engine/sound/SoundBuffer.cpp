// Reader choice, loading, chunk filling and the stream states of a sound buffer.
#include "engine/sound/SoundBuffer.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

#include <cstring>

namespace VelkorEngine
{
SoundBuffer::SoundBuffer(MessageManager* log, FileManager* fileManager, const std::string& name)
    : m_log(log), m_fileManager(fileManager), m_name(StringToLowerCopy(name))
{
}

SoundBuffer::SoundBuffer(const SoundBuffer& source)
    : m_log(source.m_log), m_fileManager(source.m_fileManager), m_name(source.m_name)
{
}

SoundBuffer::~SoundBuffer() = default;

void SoundBuffer::Update()
{
    if (!m_streamed || m_streamState != StreamPlaying)
        return;
    std::vector<u32> passed;
    UnqueueProcessedBuffers(&passed);
    for (u32 index : passed)
        if (FillChunk(index, m_chunk, ChunkSize))
            QueueChunk(index);
}

void SoundBuffer::Release() { m_reader.reset(); }

void SoundBuffer::Load(const SoundBuffer* source)
{
    OpenReader(source);
    Create(source);
    if (source)
        return;
    if (m_streamed)
    {
        m_looping = 0;
        m_streamState = StreamStopped;
        return;
    }
    std::vector<u8> whole;
    if (!FillChunk(0, whole, m_dataSize))
        m_log->Error("\"" + m_name + "\" sound file - incorrect format");
    m_reader.reset();
}

void SoundBuffer::OpenReader(const SoundBuffer* source)
{
    if (m_reader)
        return;
    if (source)
    {
        m_dataSize = source->m_dataSize;
        m_sampleRate = source->m_sampleRate;
        m_bitsPerSample = source->m_bitsPerSample;
        m_channels = source->m_channels;
        m_streamed = 0;
        return;
    }
    try
    {
        m_reader = MakeReader();
    }
    catch (const FileError& error)
    {
        m_log->Error(error.GetMessage());
        m_reader = std::make_unique<SoundFileReaderEMP>(m_log, m_fileManager, m_name);
    }
    m_dataSize = m_reader->GetDataSize();
    m_sampleRate = m_reader->GetSampleRate();
    m_bitsPerSample = m_reader->GetBitsPerSample();
    m_channels = m_reader->GetChannels();
    m_streamed = m_dataSize > StaticLimit ? 1 : 0;
}

std::unique_ptr<SoundFileReader> SoundBuffer::MakeReader()
{
    if (m_name.empty())
        return std::make_unique<SoundFileReaderEMP>(m_log, m_fileManager, m_name);
    const std::string extension = GetPathExtension(m_name);
    if (extension == "wav")
        return std::make_unique<SoundFileReaderWAV>(m_log, m_fileManager, m_name);
    if (extension == "ogg")
        return std::make_unique<SoundFileReaderOGG>(m_log, m_fileManager, m_name);
    m_log->Error("Failed to load \"" + m_name + "\" sound file - unknown type");
    return std::make_unique<SoundFileReaderEMP>(m_log, m_fileManager, m_name);
}

bool SoundBuffer::FillChunk(u32 index, std::vector<u8>& bytes, u32 count)
{
    if (count == 0 || !m_reader)
        return false;
    if (bytes.size() != count)
        bytes.resize(count);
    u32 read = 0;
    u8 end = 0;
    m_reader->Read(bytes.data(), count, read, end);
    if (m_streamed && m_looping)
    {
        while (read < count)
        {
            m_reader->Rewind();
            u32 more = 0;
            m_reader->Read(bytes.data() + read, count - read, more, end);
            if (more == 0)
                break;
            read += more;
        }
    }
    if (read < count)
        std::memset(bytes.data() + read, m_bitsPerSample == 8 ? 128 : 0, count - read);
    if (m_streamed)
        NoteStreamEnd(read, end, count);
    if (!WriteChunk(index, bytes, count))
        return false;
    if (!m_streamed)
        return read == count;
    return m_looping || read > 0 || !end;
}

// A looping stream has no end; a one-shot stream ends where its reader first ran dry, counted in stream
// bytes, so turning looping off late stops the sound after its next end rather than at once.
void SoundBuffer::NoteStreamEnd(u32 read, u8 end, u32 count)
{
    if (m_looping)
        m_streamEnd = NoStreamEnd;
    else if (end && m_streamEnd == NoStreamEnd)
        m_streamEnd = m_streamWritten + read;
    m_streamWritten += count;
}

// Pausing a stopped stream leaves it stopped: nothing has been read to resume, and its next play must fill the
// circular buffer from the start rather than play what an earlier play left there.
void SoundBuffer::SetStreamState(u32 state)
{
    if (state == StreamPaused && m_streamState == StreamStopped)
        return;
    if (state == m_streamState)
        return;
    if (state == StreamStopped)
        UnqueueProcessedBuffers(nullptr);
    else if (state == StreamPlaying && m_streamState == StreamStopped && m_reader)
    {
        m_reader->Rewind();
        m_streamWritten = 0;
        m_streamEnd = NoStreamEnd;
        for (u32 chunk = 0; chunk < ChunkCount; ++chunk)
            if (FillChunk(chunk, m_chunk, ChunkSize))
                QueueChunk(chunk);
    }
    m_streamState = state;
}
}
