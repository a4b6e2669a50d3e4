// Reading, writing and checking the header of the binary formats.
#include "engine/files/BinaryFileHeader.h"

#include "engine/core/Error.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <cstring>

namespace VelkorEngine
{
namespace
{

void WriteU32(u8* bytes, u32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<u8>(value >> (8 * i));
}
}

BinaryFileHeader::BinaryFileHeader(u32 lengthValue, const char* magicText, u32 versionValue)
    : length(lengthValue), version(versionValue)
{
    std::memcpy(magic.data(), magicText, MagicLength);
}

bool BinaryFileHeader::HasMagic(const char* magicText) const
{
    return std::memcmp(magic.data(), magicText, MagicLength) == 0;
}

void BinaryFileHeader::Read(FileBinary& file)
{
    u8 bytes[Size] = {};
    file.Read(bytes, Size);
    length = BinaryReader::DecodeU32(bytes);
    std::memcpy(magic.data(), bytes + 4, MagicLength);
    version = BinaryReader::DecodeU32(bytes + 9);
}

void BinaryFileHeader::Write(FileBinary& file) const
{
    u8 bytes[Size] = {};
    WriteU32(bytes, length);
    std::memcpy(bytes + 4, magic.data(), MagicLength);
    WriteU32(bytes + 9, version);
    file.Write(bytes, Size);
}

void BinaryFileHeader::WritePlaceholder(FileBinary& file, const char* magicText, u32 versionValue)
{
    BinaryFileHeader(file.GetPosition(), magicText, versionValue).Write(file);
}

void BinaryFileHeader::WriteFinal(FileBinary& file, const char* magicText, u32 versionValue)
{
    const BinaryFileHeader header(file.GetPosition(), magicText, versionValue);
    file.Seek(0, 0);
    header.Write(file);
}

BinaryFileHeader BinaryFileHeader::ReadChecked(FileBinary& file, const std::string& fileName, const char* magicText,
                                               u32 currentVersion, u32 olderVersion)
{
    const std::string formatError = "Incorrect \"" + fileName + "\" file format";
    if (file.GetSize() < Size)
        throw FileError(formatError);
    BinaryFileHeader header;
    file.Seek(0, 0);
    header.Read(file);
    if (!header.HasMagic(magicText) || header.length != file.GetSize())
        throw FileError(formatError);
    const bool accepted =
        header.version == currentVersion || (olderVersion != NoOlderVersion && header.version == olderVersion);
    if (!accepted)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " + std::to_string(currentVersion));
    return header;
}
}
