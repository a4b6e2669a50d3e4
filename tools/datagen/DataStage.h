// The generated tree held in memory: every file by its path below data/ ("ui/fonts/en/sans_20.vef"). Nothing
// reaches the disk until every group has run, so a failing run leaves the old stage and pack untouched.
#pragma once

#include "tools/pak/PackWriter.h"

#include <map>
#include <string>
#include <vector>

namespace KorvaneTools
{
class DataStage
{
public:
    // Adds a file; throws DataError for a name that is not lower case, not relative, or already present.
    void Add(const std::string& path, std::string bytes);
    // Adds every file under a source folder with the same relative path (the hand-written XML).
    void AddSourceTree(const std::string& folder);

    bool Has(const std::string& path) const { return m_files.count(path) != 0; }
    // Throws DataError when the file is absent.
    const std::string& Get(const std::string& path) const;
    const std::map<std::string, std::string>& Files() const { return m_files; }

    // "path size sha256" per line, in path order.
    std::string Manifest() const;
    // Entries "data\…" with backslashes, in path order.
    std::vector<PackEntry> PackEntries() const;

    // Writes the loose tree and its manifest.txt into a fresh folder beside the target, then puts it in place.
    void WriteFolder(const std::string& folder) const;

private:
    std::map<std::string, std::string> m_files;
};
}
