// The 13-byte header that opens every binary format: u32 total length, five magic letters, u32 version.
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <string>

namespace VelkorEngine
{
class FileBinary;

struct BinaryFileHeader
{
    static constexpr u32 Size = 13;
    static constexpr u32 MagicLength = 5;
    // Marks "no older version accepted" for readers that know only the current one.
    static constexpr u32 NoOlderVersion = 0xFFFFFFFF;

    u32 length = 0;
    std::array<char, MagicLength> magic{};
    u32 version = 0;

    BinaryFileHeader() = default;
    BinaryFileHeader(u32 lengthValue, const char* magicText, u32 versionValue);

    bool HasMagic(const char* magicText) const;
    std::string GetMagic() const { return std::string(magic.data(), MagicLength); }

    // The 13 bytes at the file's position; throws FileError on a short read.
    void Read(FileBinary& file);
    void Write(FileBinary& file) const;

    // Writes a placeholder whose length is the current position; the body follows it.
    static void WritePlaceholder(FileBinary& file, const char* magicText, u32 versionValue);
    // Rewrites the header at offset 0 with the length reached, so the stored length equals the file's size.
    static void WriteFinal(FileBinary& file, const char* magicText, u32 versionValue);

    // Reads and checks the header at the start of a file for the engine's readers: the magic and a length equal
    // to the file's size, else FileError "Incorrect "<name>" file format"; the current version (or the one
    // older version the reader also accepts), else "Incorrect "<name>" format version, current is <v>".
    static BinaryFileHeader ReadChecked(FileBinary& file, const std::string& fileName, const char* magicText,
                                        u32 currentVersion, u32 olderVersion = NoOlderVersion);
};
}
