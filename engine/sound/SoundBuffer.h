// The decoded PCM of one sound file and the reader it comes from. A sound of up to 1 MiB is static: read
// once into one platform buffer. A longer one is streamed through a circular platform buffer of 32 chunks
// of 32 KiB, whose played chunks are refilled from the reader every frame.
#pragma once

#include "engine/core/Types.h"

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
class MessageManager;
class SoundFileReader;

class SoundBuffer
{
public:
    static constexpr u32 StaticLimit = 0x100000;
    static constexpr u32 ChunkSize = 32768;
    static constexpr u32 ChunkCount = 32;
    static constexpr u32 StreamBufferSize = ChunkSize * ChunkCount;

    enum StreamState : u32
    {
        StreamStopped = 0,
        StreamPaused = 1,
        StreamPlaying = 2
    };

    SoundBuffer(MessageManager* log, FileManager* fileManager, const std::string& name);
    // A buffer of the same name that will share the source's data; it never takes the source's reader.
    SoundBuffer(const SoundBuffer& source);
    virtual ~SoundBuffer();

    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Refills the played chunks of a playing stream.
    virtual void Update();
    virtual void Release();
    virtual void Load(const SoundBuffer* source);
    virtual void Create(const SoundBuffer* source) = 0;
    virtual void ReleaseBuffer() = 0;
    virtual bool WriteChunk(u32 index, const std::vector<u8>& bytes, u32 count) = 0;
    virtual void QueueChunk(u32 index) = 0;
    virtual void UnqueueProcessedBuffers(std::vector<u32>* list) = 0;

    void OpenReader(const SoundBuffer* source);
    bool FillChunk(u32 index, std::vector<u8>& bytes, u32 count);
    void SetStreamState(u32 state);
    void SetLooping(u8 looping) { m_looping = looping; }

    const std::string& GetName() const { return m_name; }
    u32 GetDataSize() const { return m_dataSize; }
    u32 GetSampleRate() const { return m_sampleRate; }
    u32 GetBitsPerSample() const { return m_bitsPerSample; }
    u32 GetChannels() const { return m_channels; }
    u8 IsStreamed() const { return m_streamed; }
    u8 GetLooping() const { return m_looping; }
    u32 GetStreamState() const { return m_streamState; }

protected:
    static constexpr u64 NoStreamEnd = std::numeric_limits<u64>::max();

    MessageManager* m_log;
    FileManager* m_fileManager;
    std::string m_name;
    u32 m_dataSize = 0;
    u32 m_sampleRate = 0;
    u32 m_bitsPerSample = 0;
    u32 m_channels = 0;
    u8 m_streamed = 0;
    u8 m_looping = 0;
    std::unique_ptr<SoundFileReader> m_reader;
    std::vector<u8> m_chunk;
    u32 m_streamState = StreamStopped;
    // Stream bytes written into the circular buffer since the stream last started from the beginning, and
    // the stream byte at which the reader's data ran out with nothing after it (NoStreamEnd while it goes on).
    u64 m_streamWritten = 0;
    u64 m_streamEnd = NoStreamEnd;

private:
    std::unique_ptr<SoundFileReader> MakeReader();
    void NoteStreamEnd(u32 read, u8 end, u32 count);
};
}
