// Reader and writer of the framework's and the game's binary files that open with the 13-byte header: it
// checks the header on reading and reserves it on writing, filling in the true length when the file is closed.
// The owner reads and writes the body itself through the FileBinary handed out.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Engine;
class FileBinary;
class FileManager;
}

namespace GameTools
{
using VelkorEngine::u32;
using VelkorEngine::u8;

class BinaryDataFile
{
public:
    static constexpr u32 MagicLength = 5;

    BinaryDataFile(VelkorEngine::Engine* engine, const std::string& magic, u32 version);
    BinaryDataFile(VelkorEngine::FileManager* fileManager, const std::string& magic, u32 version);
    // Completes a file still open for writing, unless an exception is unwinding through the owner: then the
    // write is abandoned and the previous file stays.
    virtual ~BinaryDataFile();

    BinaryDataFile(const BinaryDataFile&) = delete;
    BinaryDataFile& operator=(const BinaryDataFile&) = delete;

    // Closes any open file first. Reading checks the magic, the length and (unless any version is accepted)
    // the version, throwing FileError with the framework's messages; the file is left at the first body byte.
    void Open(const std::string& path, u32 write, u8 acceptAnyVersion = 0, u32* storedVersion = nullptr);
    VelkorEngine::FileBinary* GetFile() const { return m_file.get(); }
    // Writes the final header of a file being written and puts the file in place.
    void Close();
    // Gives up a write that failed part-way: nothing reaches the disk and the previous file stays as it was.
    void Abandon();

    const std::string& GetMagic() const { return m_magic; }
    u32 GetVersion() const { return m_version; }

private:
    void CheckHeader(const std::string& path, u8 acceptAnyVersion, u32* storedVersion);

    VelkorEngine::FileManager* m_fileManager = nullptr;
    std::string m_magic;
    u32 m_version = 0;
    std::unique_ptr<VelkorEngine::FileBinary> m_file;
    u32 m_mode = 0;
    int m_exceptionsAtOpen = 0;
};
}
