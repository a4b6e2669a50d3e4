// The generated tree: collected in memory, then written as a loose folder and as a pack.
#include "tools/datagen/DataStage.h"

#include "tools/datagen/DataError.h"
#include "tools/datagen/Sha256.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace KorvaneTools
{
namespace
{
namespace fs = std::filesystem;

void CheckPath(const std::string& path)
{
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos ||
        path.find("..") != std::string::npos)
        throw DataError("bad data file name \"" + path + "\"");
    if (std::any_of(path.begin(), path.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        throw DataError("data file name \"" + path + "\" is not lower case");
}

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DataError("cannot read \"" + path.string() + "\"");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw DataError("cannot write \"" + path.string() + "\"");
}
}

void DataStage::Add(const std::string& path, std::string bytes)
{
    CheckPath(path);
    if (!m_files.emplace(path, std::move(bytes)).second)
        throw DataError("data file \"" + path + "\" made twice");
}

void DataStage::AddSourceTree(const std::string& folder)
{
    if (!fs::is_directory(folder))
        throw DataError("source folder \"" + folder + "\" not found");
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        Add(fs::relative(file, folder).generic_string(), ReadWholeFile(file));
}

const std::string& DataStage::Get(const std::string& path) const
{
    const auto found = m_files.find(path);
    if (found == m_files.end())
        throw DataError("data file \"" + path + "\" is missing");
    return found->second;
}

std::string DataStage::Manifest() const
{
    std::string manifest;
    for (const auto& [path, bytes] : m_files)
        manifest += path + " " + std::to_string(bytes.size()) + " " + Sha256Hex(bytes) + "\n";
    return manifest;
}

std::vector<PackEntry> DataStage::PackEntries() const
{
    std::vector<PackEntry> entries;
    for (const auto& [path, bytes] : m_files)
    {
        std::string name = "data\\" + path;
        std::replace(name.begin(), name.end(), '/', '\\');
        entries.push_back({name, std::vector<VelkorEngine::u8>(bytes.begin(), bytes.end())});
    }
    return entries;
}

void DataStage::WriteFolder(const std::string& folder) const
{
    const fs::path target = fs::path(folder).lexically_normal();
    const fs::path fresh = target.string() + ".partial";
    const fs::path old = target.string() + ".old";
    fs::remove_all(fresh);
    fs::remove_all(old);
    for (const auto& [path, bytes] : m_files)
        WriteWholeFile(fresh / path, bytes);
    WriteWholeFile(fresh / "manifest.txt", Manifest());
    if (fs::exists(target))
        fs::rename(target, old);
    fs::rename(fresh, target);
    fs::remove_all(old);
}
}
