// A sound file turned into PCM bytes (8-bit unsigned or 16-bit signed little-endian, interleaved) with its
// format; the file is opened through the file manager, so it may lie loose or inside a pack.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class FileBinary;
class FileManager;
class MessageManager;

class SoundFileReader
{
public:
    // A reader without a file (the silent reader).
    SoundFileReader(MessageManager* log, FileManager* fileManager);
    // Opens "data\" + name; throws the file manager's FileError when there is no such file.
    SoundFileReader(MessageManager* log, FileManager* fileManager, const std::string& name);
    virtual ~SoundFileReader();

    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Back to the first PCM byte.
    virtual void Rewind() = 0;
    // Delivers up to count bytes; end is 1 once nothing more follows (and always for a count of 0).
    virtual void Read(void* destination, u32 count, u32& read, u8& end) = 0;

    u32 GetDataSize() const { return m_dataSize; }
    u32 GetChannels() const { return m_channels; }
    u32 GetBitsPerSample() const { return m_bitsPerSample; }
    u32 GetSampleRate() const { return m_sampleRate; }
    const std::string& GetPath() const { return m_path; }

protected:
    // Closes the file and throws FileError "Failed to load "<path>" sound file - " + what.
    [[noreturn]] void Fail(const std::string& what);

    MessageManager* m_log;
    FileManager* m_fileManager;
    std::string m_name;
    std::string m_path;
    std::unique_ptr<FileBinary> m_file;
    u32 m_dataSize = 0;
    u32 m_channels = 0;
    u32 m_bitsPerSample = 0;
    u32 m_sampleRate = 0;
};
}
