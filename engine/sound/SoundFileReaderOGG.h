// Ogg Vorbis files decoded to 16-bit PCM by vorbisfile, which reads the file through callbacks over FileBinary.
#pragma once

#include "engine/sound/SoundFileReader.h"

#include <memory>

struct OggVorbis_File;

namespace VelkorEngine
{
class SoundFileReaderOGG : public SoundFileReader
{
public:
    // Throws FileError ending in "- incorrect format" when vorbisfile cannot open or measure the stream.
    SoundFileReaderOGG(MessageManager* log, FileManager* fileManager, const std::string& name);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    void Read(void* destination, u32 count, u32& read, u8& end) override;

private:
    void Open();
    void ClearDecoder();

    std::unique_ptr<OggVorbis_File> m_decoder;
    // Set when vorbisfile failed for another reason than a hole in the stream; its decoder is not asked again.
    bool m_failed = false;
};
}
