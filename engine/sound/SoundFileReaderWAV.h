// Uncompressed RIFF/WAVE files: the first "fmt " chunk of at least 16 bytes (PCM, 1 or 2 channels, 8 or
// 16 bits) and the first "data" chunk, each searched from the first chunk.
#pragma once

#include "engine/sound/SoundFileReader.h"

namespace VelkorEngine
{
class SoundFileReaderWAV : public SoundFileReader
{
public:
    // Throws FileError ending in "- no RIFF header", "- no format chunk" or "- no data chunk".
    SoundFileReaderWAV(MessageManager* log, FileManager* fileManager, const std::string& name);

    void Rewind() override;
    void Read(void* destination, u32 count, u32& read, u8& end) override;

private:
    bool FindFormat();
    bool FindData();
    // Reads chunk headers from the first chunk on until one with the id; false when a skip leaves the file.
    bool FindChunk(const char* id, u32 minimumSize, u32& size);
    bool Skip(u32 bytes);
    u16 ReadWord();

    u32 m_dataOffset = 0;
    u32 m_remaining = 0;
};
}
