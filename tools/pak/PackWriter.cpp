// The pack writer: header placeholder, the name table, the records, the data, then the final header.
#include "tools/pak/PackWriter.h"

#include "engine/core/Error.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/PackFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace KorvaneTools
{
using namespace VelkorEngine;

namespace
{
// A name's length byte counts its terminating zero too.
constexpr size_t MaxNameLength = 254;

void WriteU32(FileBinary& file, u32 value)
{
    const u8 bytes[4] = {static_cast<u8>(value), static_cast<u8>(value >> 8), static_cast<u8>(value >> 16),
                         static_cast<u8>(value >> 24)};
    file.Write(bytes, 4);
}

void AppendU32(std::vector<char>& bytes, u32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
}

u64 TableSize(const std::vector<PackEntry>& entries)
{
    u64 size = PackFile::TableStart;
    for (const PackEntry& entry : entries)
        size += 1 + entry.name.size() + 1 + PackFile::RecordSize;
    return size;
}

void CheckFits(const std::string& path, const std::vector<PackEntry>& entries)
{
    u64 total = TableSize(entries);
    for (const PackEntry& entry : entries)
    {
        if (entry.name.size() > MaxNameLength)
            throw FileError("Name too long for a pack: \"" + entry.name + "\"");
        total += entry.data.size();
    }
    if (total > std::numeric_limits<u32>::max())
        throw FileError("Too much data for one pack \"" + path + "\"");
}
}

std::vector<PackEntry> CollectFolder(const std::string& root, const std::string& folder)
{
    std::vector<PackEntry> entries;
    const std::filesystem::path top = std::filesystem::path(root) / folder;
    for (const auto& item : std::filesystem::recursive_directory_iterator(top))
    {
        if (!item.is_regular_file())
            continue;
        std::string name = std::filesystem::relative(item.path(), root).generic_string();
        std::replace(name.begin(), name.end(), '/', '\\');
        std::ifstream in(item.path(), std::ios::binary);
        entries.push_back({name, std::vector<u8>(std::istreambuf_iterator<char>(in), {})});
    }
    std::sort(entries.begin(), entries.end(), [](const PackEntry& a, const PackEntry& b) { return a.name < b.name; });
    return entries;
}

void WritePack(const std::string& path, const std::vector<PackEntry>& entries)
{
    CheckFits(path, entries);
    FileBinary file(nullptr, path, 1, 0, 0, 0, nullptr);
    BinaryFileHeader::WritePlaceholder(file, PackFile::Magic, PackFile::Version);
    WriteU32(file, static_cast<u32>(entries.size()));
    for (const PackEntry& entry : entries)
    {
        file.WriteByte(static_cast<u32>(entry.name.size() + 1));
        file.Write(entry.name.c_str(), static_cast<u32>(entry.name.size() + 1));
    }
    u64 offset = TableSize(entries);
    for (const PackEntry& entry : entries)
    {
        WriteU32(file, static_cast<u32>(offset));
        WriteU32(file, static_cast<u32>(entry.data.size()));
        offset += entry.data.size();
    }
    for (const PackEntry& entry : entries)
        file.Write(entry.data.data(), static_cast<u32>(entry.data.size()));
    BinaryFileHeader::WriteFinal(file, PackFile::Magic, PackFile::Version);
    file.Close();
}

void AppendPack(const std::string& executable, const std::string& packPath)
{
    std::ifstream in(packPath, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    if (!in.eof() && in.fail())
        throw FileError("Failed to open \"" + packPath + "\" file");
    const u32 packLength = static_cast<u32>(bytes.size());
    AppendU32(bytes, packLength);
    bytes.insert(bytes.end(), {'A', 'P', 'C'});
    std::ofstream out(executable, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw FileError("Failed to write " + std::to_string(bytes.size()) + " bytes from \"" + executable + "\" file");
}
}
