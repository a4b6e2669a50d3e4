// Loose files before pack entries, the packs found at start-up, listing and the path helpers.
#include "engine/files/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileTextual.h"
#include "engine/files/LooseFileIndex.h"
#include "engine/files/PackFile.h"
#include "platform/core/Paths.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

namespace VelkorEngine
{
namespace
{
// The trailer after a pack appended to the executable: u32 pack length, then "APC".
constexpr u32 TrailerSize = 7;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Names that count as absolute where a ':' anywhere marks them (and a leading "/", for this platform). A leading
// "\" does not: data files hold names such as "\common\smoke00.tga" that lie inside the data folder.
bool HasRootOrDrive(const std::string& name)
{
    return name.find(':') != std::string::npos || (!name.empty() && name[0] == '/');
}

std::string WithTrailingSeparator(const std::string& folder)
{
    return (!folder.empty() && IsSeparator(folder.back())) ? folder : folder + "\\";
}

size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

// Reads the trailer of a file; true with the pack length when it ends in "APC".
bool ReadAppendedPackTrailer(const std::string& path, u64& fileLength, u32& packLength)
{
    std::FILE* file = Platform::OpenFile(path, false);
    if (!file)
        return false;
    u8 trailer[TrailerSize] = {};
    bool found = false;
    if (::fseeko(file, 0, SEEK_END) == 0)
    {
        const off_t length = ::ftello(file);
        found = length >= static_cast<off_t>(TrailerSize) && ::fseeko(file, length - TrailerSize, SEEK_SET) == 0 &&
                std::fread(trailer, 1, TrailerSize, file) == TrailerSize && trailer[4] == 'A' && trailer[5] == 'P' &&
                trailer[6] == 'C';
        fileLength = static_cast<u64>(length);
    }
    std::fclose(file);
    packLength = BinaryReader::DecodeU32(trailer);
    return found;
}

// One folder of a search and its sub-folders whose names match. A folder reached a second time (through a link
// that leads back up the tree) is skipped, so the search always ends. Names below the folder keep the case they
// have on disk: a message quoting one names the file as the user sees it.
void FindFilesIn(const std::string& folder, const std::string& mask, std::vector<std::string>& out,
                 std::set<std::string>& searched)
{
    std::string absolute;
    FileManager::MakeAbsolutePath(folder, absolute);
    if (!searched.insert(Platform::CanonicalPath(absolute)).second)
        return;
    const std::string folderPath = WithTrailingSeparator(absolute);
    // Results start where the folder as given begins inside its absolute path.
    const size_t start = absolute.size() - folder.size();
    for (const Platform::FolderEntry& entry : Platform::ListFolder(folderPath, mask))
    {
        if (entry.isFolder)
            FindFilesIn(folderPath + entry.name, mask, out, searched);
        else
            out.push_back((folderPath + entry.name).substr(start));
    }
}
}

FileManager::FileManager(MessageManager* log, const std::string& baseFolder, const std::string& dataFolder)
    : m_log(log), m_baseFolder(baseFolder.empty() ? GetExecutableDirectory() : baseFolder),
      m_looseFiles(std::make_unique<LooseFileIndex>(m_baseFolder, dataFolder))
{
    m_log->Message("Initialization of File Manager...");
    OpenAppendedPack();
    OpenDataFolderPacks(dataFolder.empty() ? m_baseFolder : m_baseFolder + "\\" + dataFolder);
}

FileManager::~FileManager() = default;

void FileManager::OpenAppendedPack()
{
    const std::string executable = Platform::GetExecutablePath();
    u64 fileLength = 0;
    u32 packLength = 0;
    if (!ReadAppendedPackTrailer(executable, fileLength, packLength))
        return;
    // A trailer claiming more than the file holds would put the pack before the file's start.
    if (static_cast<u64>(packLength) + TrailerSize > fileLength || fileLength > 0xFFFFFFFFull)
    {
        m_log->Error("Incorrect pack file format");
        return;
    }
    try
    {
        const u32 base = static_cast<u32>(fileLength - packLength - TrailerSize);
        m_packs.push_back(std::make_unique<PackFile>(m_log, executable, base, packLength));
    }
    catch (const Error&)
    {
    }
}

void FileManager::OpenDataFolderPacks(const std::string& dataFolder)
{
    std::vector<std::string> paths;
    FindFiles(dataFolder, "*.pak", paths);
    for (const std::string& path : paths)
    {
        try
        {
            m_packs.push_back(std::make_unique<PackFile>(m_log, path, 0, 0));
        }
        catch (const Error&)
        {
        }
    }
}

std::string FileManager::PathOf(const std::string& name) const
{
    return Platform::IsAbsolutePath(name) ? name : m_baseFolder + "\\" + name;
}

std::unique_ptr<FileBinary> FileManager::OpenBinary(const std::string& name, u8 write, u8 preload)
{
    const std::string path = PathOf(name);
    if (write)
    {
        CreateFolders(path);
        return std::make_unique<FileBinary>(m_log, path, FileBinary::ForWriting, FileBinary::ReadAsNeeded,
                                            FileBinary::FromDisk, 0, nullptr);
    }
    if (!HasLooseFile(name, path))
    {
        std::vector<u8> data;
        if (FindInPacks(name, nullptr, &data))
            return std::make_unique<FileBinary>(m_log, path, std::move(data));
    }
    return std::make_unique<FileBinary>(m_log, path, FileBinary::ForReading, preload, FileBinary::FromDisk, 0, nullptr);
}

std::unique_ptr<FileTextual> FileManager::OpenTextual(const std::string& name, u32 write, u32 encoding)
{
    const u32 mode = write ? FileTextual::ModeWrite : 0;
    const u8 direction = write ? FileBinary::ForWriting : FileBinary::ForReading;
    return std::make_unique<FileTextual>(m_log, OpenBinary(name, direction, FileBinary::ReadAsNeeded), mode, encoding);
}

// A loose file wins over a pack entry of the same name, so every pack read first makes sure there is none: the
// name as written is one look at the disk, and the index answers for every other case without a search.
bool FileManager::HasLooseFile(const std::string& name, const std::string& path)
{
    if (Platform::PathExistsAsWritten(path))
        return true;
    const std::string normal = PackFile::NormalizeName(name);
    if (m_looseFiles->Covers(normal) && !m_looseFiles->MayHave(normal))
        return false;
    return FileExistsOnDisk(path);
}

bool FileManager::FindInPacks(const std::string& name, u32* size, std::vector<u8>* buffer)
{
    const std::string normal = PackFile::NormalizeName(name);
    for (const std::unique_ptr<PackFile>& pack : m_packs)
    {
        if (!pack->HasFile(normal))
            continue;
        if (size)
            pack->GetFileSize(normal, *size);
        if (buffer)
            pack->ReadFile(normal, *buffer);
        return true;
    }
    return false;
}

bool FileManager::Exists(const std::string& name)
{
    return FileExistsOnDisk(PathOf(name)) || FindInPacks(name, nullptr, nullptr);
}

bool FileManager::FolderExists(const std::string& name)
{
    if (FileExistsOnDisk(PathOf(name)))
        return true;
    return std::any_of(m_packs.begin(), m_packs.end(),
                       [&](const std::unique_ptr<PackFile>& pack) { return pack->HasFolder(name); });
}

void FileManager::ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out)
{
    std::vector<std::string> found;
    const bool relative = !HasRootOrDrive(folder);
    FindFiles(relative ? m_baseFolder + "\\" + folder : folder, mask, found);
    // A loose file is named as a pack names its entry, from the installation folder on: "data\...".
    if (relative)
        for (std::string& name : found)
            name.erase(0, m_baseFolder.size() + 1);
    const bool diskGaveNothing = found.empty();
    for (const std::unique_ptr<PackFile>& pack : m_packs)
        pack->ListFiles(folder, mask, found);
    if (!(diskGaveNothing && m_packs.size() == 1))
    {
        // Sorted and each file once whatever its case; the loose files were listed first, and a loose file is
        // what any of its names opens, so its own name stands for the pack entries it hides.
        std::vector<std::pair<std::string, std::string>> keyed;
        keyed.reserve(found.size());
        for (std::string& name : found)
            keyed.emplace_back(PackFile::NormalizeName(name), std::move(name));
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        keyed.erase(std::unique(keyed.begin(), keyed.end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; }),
                    keyed.end());
        found.clear();
        for (auto& [key, name] : keyed)
            found.push_back(std::move(name));
    }
    out = std::move(found);
}

std::string FileManager::GetDataPath(const std::string& name)
{
    return HasRootOrDrive(name) ? name : "data\\" + name;
}

std::string FileManager::GetUserDataFolder()
{
    const std::string folder = Platform::GetApplicationDataFolder();
    return Platform::CreateFolders(folder) ? folder : std::string();
}

void FileManager::CreateFolders(const std::string& path)
{
    for (size_t at = 0; at < path.size(); ++at)
    {
        if (IsSeparator(path[at]) && at > 0 && !IsSeparator(path[at - 1]))
            Platform::CreateFolder(path.substr(0, at));
    }
}

bool FileManager::DeleteFolder(const std::string& path)
{
    if (path.empty())
        return false;
    return Platform::DeleteTree(path);
}

bool FileManager::DeleteRegularFile(const std::string& path)
{
    return !path.empty() && Platform::DeleteRegularFile(path);
}

void FileManager::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out)
{
    std::set<std::string> searched;
    FindFilesIn(folder, mask, out, searched);
}

void FileManager::MakeAbsolutePath(const std::string& name, std::string& out)
{
    out = HasRootOrDrive(name) ? name : Platform::GetInstallationFolder() + "\\" + name;
}

bool FileExistsOnDisk(const std::string& path)
{
    return Platform::PathExists(path);
}

std::string GetPathFileName(const std::string& path)
{
    const size_t cut = LastSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string GetPathDirectory(const std::string& path)
{
    const size_t cut = LastSeparator(path);
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string GetPathExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

void ChangePathExtension(std::string& path, const std::string& extension)
{
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos)
        path = extension.empty() ? path.substr(0, dot) : path.substr(0, dot + 1) + extension;
    else if (!extension.empty())
        path += "." + extension;
}

bool PathHasExtension(const std::string& path, const std::string& extension)
{
    return StringToLowerCopy(GetPathExtension(path)) == StringToLowerCopy(extension);
}
}
