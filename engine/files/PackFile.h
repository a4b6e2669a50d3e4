// A pack: many data files inside one file ("*.pak" or appended to the executable), found by lower-case name.
// Layout: the 13-byte header ("VEPAK", version 100), u32 entry count, the names as u8-length strings, then
// one (u32 offset, u32 size) record per name; offsets count from the pack's first byte.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;
class MessageManager;

class PackFile
{
public:
    static constexpr const char* Magic = "VEPAK";
    static constexpr u32 Version = 100;
    // The header and the entry count.
    static constexpr u32 TableStart = 17;
    static constexpr u32 RecordSize = 8;

    // An expected length of 0 means the pack runs from the base offset to the end of the file. A broken pack
    // is logged and reported by throwing Error with an empty message.
    PackFile(MessageManager* log, const std::string& path, u32 baseOffset, u32 expectedLength);
    virtual ~PackFile();

    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    bool HasFile(const std::string& name) const;
    bool GetFileSize(const std::string& name, u32& size) const;
    // The whole entry; false when the pack has no such entry, FileError when it cannot be read.
    // Safe to call from several threads: the pack's one file position is guarded.
    bool ReadFile(const std::string& name, std::vector<u8>& data);
    // True when the name occurs inside the folder part of any entry.
    bool HasFolder(const std::string& name) const;
    // Appends the entries under a folder (sub-folders included) whose name after the folder contains the mask
    // stripped of its wildcards, in the pack's order.
    void ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) const;
    void Close();

    // The form names are kept in: lower case, "\" as the only separator, no doubled separators.
    static std::string NormalizeName(const std::string& name);
    // "*.xml" becomes ".xml", "a*b" becomes "a": what remains is searched for inside the names.
    static std::string MaskWithoutWildcards(const std::string& mask);

private:
    struct Entry
    {
        u32 offset = 0;
        u32 size = 0;
    };

    void Load(const std::string& path, u32 expectedLength);
    u32 CheckHeader(u32 expectedLength);
    void ReadIndex(u32 packLength);
    void CountFolders();

    MessageManager* m_log = nullptr;
    u32 m_baseOffset = 0;
    std::unique_ptr<FileBinary> m_file;
    std::map<std::string, Entry> m_index;
    std::vector<std::string> m_names;
    std::map<std::string, u32> m_folderCounts;
    std::vector<std::string> m_folders;
    std::mutex m_readMutex;
};
}
