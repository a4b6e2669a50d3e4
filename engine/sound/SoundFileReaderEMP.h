// The silent stand-by reader: eight bytes of 8-bit mono silence at 22050 Hz, without any file.
#pragma once

#include "engine/sound/SoundFileReader.h"

namespace VelkorEngine
{
class SoundFileReaderEMP : public SoundFileReader
{
public:
    SoundFileReaderEMP(MessageManager* log, FileManager* fileManager, const std::string& name);

    void Rewind() override;
    void Read(void* destination, u32 count, u32& read, u8& end) override;

private:
    u32 m_position = 0;
};
}
