// The files of the data folder on the disk, by their names in lower case, learnt in one listing and learnt
// again after the program has changed the disk. A name it does not know has no loose file in any case, so a
// pack entry is found without searching the folders for one; a name it knows is still looked up on the disk.
#pragma once

#include <mutex>
#include <string>
#include <unordered_set>

namespace VelkorEngine
{
class LooseFileIndex
{
public:
    // The data folder is dataFolder under baseFolder; without a data folder nothing is indexed.
    LooseFileIndex(const std::string& baseFolder, const std::string& dataFolder);

    // normalName as the packs name their entries (lower case, single "\" separators), relative to the base.
    bool Covers(const std::string& normalName) const;
    // False only when no file of the data folder has that name in any case.
    bool MayHave(const std::string& normalName);

private:
    void Refresh();

    std::string m_baseFolder;
    std::string m_dataFolder;
    // The data folder's name as the names start with, followed by "\".
    std::string m_prefix;
    std::mutex m_mutex;
    std::unordered_set<std::string> m_names;
    bool m_listed = false;
    unsigned long long m_listedAtChange = 0;
};
}
