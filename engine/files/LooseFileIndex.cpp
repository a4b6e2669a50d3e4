// One listing of the data folder, kept until the program changes the disk.
#include "engine/files/LooseFileIndex.h"

#include "engine/files/FileManager.h"
#include "engine/files/PackFile.h"
#include "platform/core/Paths.h"

#include <algorithm>
#include <vector>

namespace VelkorEngine
{
LooseFileIndex::LooseFileIndex(const std::string& baseFolder, const std::string& dataFolder)
    : m_baseFolder(baseFolder), m_dataFolder(dataFolder)
{
    const std::string folder = PackFile::NormalizeName(dataFolder);
    const bool plain = !folder.empty() && folder.find_first_of("\\:") == std::string::npos && folder != "." &&
                       folder != "..";
    if (plain)
        m_prefix = folder + "\\";
}

// Names that step out of the folder, and names beyond ASCII (whose other cases the disk search folds more
// widely than lower case does), are left to the disk.
bool LooseFileIndex::Covers(const std::string& normalName) const
{
    const bool ascii = std::all_of(normalName.begin(), normalName.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii && !m_prefix.empty() && normalName.compare(0, m_prefix.size(), m_prefix) == 0 &&
           normalName.find("\\..") == std::string::npos && normalName.find("\\.\\") == std::string::npos;
}

bool LooseFileIndex::MayHave(const std::string& normalName)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_listed || m_listedAtChange != Platform::DiskChangeCount())
        Refresh();
    return m_names.count(normalName) != 0;
}

// The listing gives each file as the folder was named, then the path inside it in its case on disk.
void LooseFileIndex::Refresh()
{
    m_listedAtChange = Platform::DiskChangeCount();
    m_listed = true;
    m_names.clear();
    const std::string folder = m_baseFolder + "\\" + m_dataFolder;
    std::vector<std::string> files;
    FileManager::FindFiles(folder, "*", files);
    for (const std::string& file : files)
        if (file.size() > folder.size())
            m_names.insert(m_prefix + PackFile::NormalizeName(file.substr(folder.size() + 1)));
}
}
