// Loading a pack's index with every count, offset and size checked against the pack, and reading its entries.
#include "engine/files/PackFile.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
const char* const FormatError = "Incorrect pack file format";
}

PackFile::PackFile(MessageManager* log, const std::string& path, u32 baseOffset, u32 expectedLength)
    : m_log(log), m_baseOffset(baseOffset)
{
    m_log->Message("...Pack file " + path + " found...");
    try
    {
        Load(path, expectedLength);
    }
    catch (const FileError& error)
    {
        m_log->SetSpacing(0);
        m_log->Message("......");
        m_log->Error(error.GetMessage());
        m_log->SetSpacing(1);
        Close();
        throw Error("");
    }
}

PackFile::~PackFile() = default;

void PackFile::Load(const std::string& path, u32 expectedLength)
{
    m_file = std::make_unique<FileBinary>(m_log, path, FileBinary::ForReading, FileBinary::ReadAsNeeded,
                                          FileBinary::FromDisk, 0, nullptr);
    const u32 packLength = CheckHeader(expectedLength);
    ReadIndex(packLength);
    CountFolders();
}

// Returns the pack's length once the header has proved it; every bound is worked out in 64 bits.
u32 PackFile::CheckHeader(u32 expectedLength)
{
    const u64 fileSize = m_file->GetSize();
    if (m_baseOffset > fileSize)
        throw FileError(FormatError);
    const u64 packLength = expectedLength ? expectedLength : fileSize - m_baseOffset;
    if (packLength < TableStart || m_baseOffset + packLength > fileSize)
        throw FileError(FormatError);
    m_file->Seek(0, m_baseOffset);
    BinaryFileHeader header;
    header.Read(*m_file);
    if (!header.HasMagic(Magic) || header.length != packLength)
        throw FileError(FormatError);
    if (header.version != Version)
        throw FileError("Incorrect pack file version, current is " + std::to_string(Version));
    return static_cast<u32>(packLength);
}

void PackFile::ReadIndex(u32 packLength)
{
    u32 count = 0;
    m_file->ReadDword(count);
    // Every entry needs at least its length byte and its record.
    if (TableStart + static_cast<u64>(count) * (1 + RecordSize) > packLength)
        throw FileError(FormatError);
    m_log->Message("......It contains " + std::to_string(count) + " files...");
    // Names are taken as they are read, so a count that lies costs no memory before the file runs out.
    std::vector<std::string> names;
    std::string name;
    for (u32 i = 0; i < count; ++i)
    {
        m_file->ReadString(name);
        names.push_back(NormalizeName(name));
    }
    const u64 tableEnd = static_cast<u64>(m_file->GetPosition()) - m_baseOffset + static_cast<u64>(count) * RecordSize;
    if (tableEnd > packLength)
        throw FileError(FormatError);
    std::vector<u8> records(static_cast<size_t>(count) * RecordSize);
    m_file->Read(records.data(), static_cast<u32>(records.size()));
    for (u32 i = 0; i < count; ++i)
    {
        const Entry entry{BinaryReader::DecodeU32(&records[i * RecordSize]),
                          BinaryReader::DecodeU32(&records[i * RecordSize + 4])};
        if (static_cast<u64>(entry.offset) + entry.size > packLength)
            throw FileError(FormatError);
        if (m_index.emplace(names[i], entry).second)
            m_names.push_back(names[i]);
    }
}

void PackFile::CountFolders()
{
    for (const std::string& name : m_names)
    {
        const size_t cut = name.rfind('\\');
        if (cut != std::string::npos)
            ++m_folderCounts[name.substr(0, cut)];
    }
    for (const auto& [folder, count] : m_folderCounts)
        m_folders.push_back(folder);
}

bool PackFile::HasFile(const std::string& name) const
{
    return m_index.count(NormalizeName(name)) != 0;
}

bool PackFile::GetFileSize(const std::string& name, u32& size) const
{
    const auto found = m_index.find(NormalizeName(name));
    if (found == m_index.end())
        return false;
    size = found->second.size;
    return true;
}

bool PackFile::ReadFile(const std::string& name, std::vector<u8>& data)
{
    const auto found = m_index.find(NormalizeName(name));
    if (found == m_index.end())
        return false;
    data.resize(found->second.size);
    std::lock_guard<std::mutex> lock(m_readMutex);
    m_file->Seek(0, static_cast<i64>(m_baseOffset) + found->second.offset);
    m_file->Read(data.data(), found->second.size);
    return true;
}

bool PackFile::HasFolder(const std::string& name) const
{
    const std::string wanted = NormalizeName(name);
    return std::any_of(m_folders.begin(), m_folders.end(),
                       [&](const std::string& folder) { return folder.find(wanted) != std::string::npos; });
}

void PackFile::ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) const
{
    std::string prefix = NormalizeName(folder);
    if (prefix.empty() || prefix.back() != '\\')
        prefix += '\\';
    const std::string pattern = StringToLowerCopy(MaskWithoutWildcards(mask));
    for (const std::string& name : m_names)
    {
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (pattern.empty() || name.find(pattern, prefix.size()) != std::string::npos)
            out.push_back(name);
    }
}

void PackFile::Close()
{
    m_file.reset();
    m_index.clear();
    m_names.clear();
    m_folderCounts.clear();
    m_folders.clear();
}

std::string PackFile::NormalizeName(const std::string& name)
{
    std::string normal = StringToLowerCopy(name);
    std::replace(normal.begin(), normal.end(), '/', '\\');
    StringReplaceAll(normal, "\\\\", "\\");
    // One pass of replacing leaves "\\" behind where three or more separators stood.
    while (normal.find("\\\\") != std::string::npos)
        StringReplaceAll(normal, "\\\\", "\\");
    return normal;
}

std::string PackFile::MaskWithoutWildcards(const std::string& mask)
{
    std::string pattern = mask;
    for (char wildcard : {'*', '?'})
    {
        for (size_t at = pattern.find(wildcard); at != std::string::npos; at = pattern.find(wildcard))
        {
            if (at == 0)
                pattern.erase(0, 1);
            else
                pattern.erase(at);
        }
    }
    return pattern;
}
}

