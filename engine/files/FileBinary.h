// A file read or written byte by byte, backed by a disk file or by a memory block holding the whole file.
// Numbers are little-endian; narrow strings carry a u8 length, wide strings a u8 count of UTF-16 units.
// A file being written goes to a temporary file beside its name and replaces the old file only when it is
// closed complete, so an interrupted save never leaves a broken file.
#pragma once

#include "engine/core/Types.h"

#include <cstdio>
#include <string>
#include <vector>

namespace VelkorEngine
{
class MessageManager;

class FileBinary
{
public:
    // Files up to this size, and every preloaded file, are read into memory whole. Without preloading that
    // happens at the first read, unless that read asks for the whole file: it then goes straight into the
    // caller's buffer.
    static constexpr u32 PreloadLimit = 0x800000;
    // Names for the byte flags of the constructor and of FileManager::OpenBinary.
    static constexpr u8 ForReading = 0;
    static constexpr u8 ForWriting = 1;
    static constexpr u8 ReadAsNeeded = 0;
    static constexpr u8 PreloadWhole = 1;
    static constexpr u8 FromDisk = 0;
    static constexpr u8 FromMemoryBlock = 1;

    // Throws FileError "Failed to open "<name>" file" when a disk file cannot be opened.
    FileBinary(MessageManager* log, const std::string& name, u8 write, u8 preload, u8 fromMemory, u32 size,
               const void* data);
    // A memory-backed file that takes over a block already read (a pack entry).
    FileBinary(MessageManager* log, const std::string& name, std::vector<u8>&& data);
    // Closes a written file; a failure is logged, never thrown. Unwinding from an exception discards it instead.
    virtual ~FileBinary();

    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Origin 0 from the start, 1 back from the end, 2 from the position; false when the position was limited.
    bool Seek(u32 origin, i64 offset);
    // Without an out-count a short transfer throws FileError; with one it is reported there.
    void Read(void* buffer, u32 count, u32* outCount = nullptr);
    void Write(const void* buffer, u32 count, u32* outCount = nullptr);

    void ReadString(std::string& text);
    void ReadWideString(std::wstring& text);
    void WriteWideString(const std::wstring& text);
    void WriteByte(u32 value);
    void ReadDword(u32& value);

    u32 GetSize() const { return m_size; }
    u32 GetPosition() const { return m_position; }
    const std::string& GetName() const { return m_name; }
    MessageManager* GetLog() const { return m_log; }

    // Finishes a written file and puts it in place; throws FileError when it did not reach the disk complete.
    // Nothing to do for a file being read.
    void Close();
    // Drops a file being written: its temporary file is removed and the file of that name stays as it was.
    void Discard();

private:
    void OpenForWriting();
    void OpenForReading(u8 preload);
    void LoadIntoMemory();
    // Reads the whole file from the disk into the caller's buffer; the file stays on the disk for later reads.
    u32 ReadWholeFileInto(void* buffer);
    [[noreturn]] void ThrowOpenError() const;

    MessageManager* m_log = nullptr;
    std::string m_name;
    std::string m_temporaryName;
    std::FILE* m_disk = nullptr;
    u8 m_write = 0;
    bool m_writeFailed = false;
    bool m_closed = false;
    int m_exceptionsAtOpen = 0;
    u32 m_size = 0;
    u32 m_position = 0;
    bool m_inMemory = false;
    // A small file not read yet: the first read decides between memory and the caller's buffer.
    bool m_loadOnFirstRead = false;
    std::vector<u8> m_memory;
};
}
