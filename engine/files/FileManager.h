// The engine's one door to its data: files by names relative to the installation folder, read from loose
// files on disk or, when there is none, from the packs (the pack appended to the executable, then every
// "*.pak" of the data folder); plus the path helpers, listing, folder creation and deletion.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;
class FileTextual;
class LooseFileIndex;
class MessageManager;
class PackFile;

class FileManager
{
public:
    // An empty base folder means the executable's folder; an empty data folder name means the base folder.
    FileManager(MessageManager* log, const std::string& baseFolder, const std::string& dataFolder);
    virtual ~FileManager();

    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // Throws FileError "Failed to open "<path>" file" when neither the disk nor a pack has the file.
    std::unique_ptr<FileBinary> OpenBinary(const std::string& name, u8 write, u8 preload);
    std::unique_ptr<FileTextual> OpenTextual(const std::string& name, u32 write, u32 encoding);
    bool Exists(const std::string& name);
    bool FolderExists(const std::string& name);
    // Files under a folder whose names match the mask: the packs' as their entry names, the disk's named the
    // same way (the folder as given, then the names below it as they are on disk; absolute paths when the folder
    // is), a loose file standing for the pack entries of its name in any case; sorted without regard to case and
    // each once, except that one pack alone keeps its own order.
    void ListFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out);
    // The first pack in order that holds the name answers with its size and its bytes, as asked.
    bool FindInPacks(const std::string& name, u32* size, std::vector<u8>* buffer);

    const std::string& GetBaseFolder() const { return m_baseFolder; }
    u32 GetPackCount() const { return static_cast<u32>(m_packs.size()); }

    // "data\" + name, unless the name is absolute.
    static std::string GetDataPath(const std::string& name);
    // The user's application-data folder, created when missing; empty when it cannot be had.
    static std::string GetUserDataFolder();
    // Creates every folder named before a separator of the path; the last part is taken as a file name.
    static void CreateFolders(const std::string& path);
    // Deletes a folder (or file) with everything in it. Refuses an empty path and the installation and
    // executable folders and the folders around them; false when refused or when something stayed.
    static bool DeleteFolder(const std::string& path);
    // Only a regular file: never a folder, nor what a link points to. False when nothing was deleted.
    static bool DeleteRegularFile(const std::string& path);
    // Files under a folder whose names match the mask, searching sub-folders whose names match: each the folder
    // as given, then the names below it in their case on disk.
    static void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out);
    static void MakeAbsolutePath(const std::string& name, std::string& out);

private:
    void OpenAppendedPack();
    void OpenDataFolderPacks(const std::string& dataFolder);
    std::string PathOf(const std::string& name) const;
    // A file of that name on the disk, in any case; the index spares the search for names it does not know.
    bool HasLooseFile(const std::string& name, const std::string& path);

    MessageManager* m_log = nullptr;
    std::string m_baseFolder;
    std::vector<std::unique_ptr<PackFile>> m_packs;
    std::unique_ptr<LooseFileIndex> m_looseFiles;
};

// A file or a folder of that name is on disk; relative names start at the installation folder.
bool FileExistsOnDisk(const std::string& path);
// Path texts; both "\" and "/" separate.
std::string GetPathFileName(const std::string& path);
std::string GetPathDirectory(const std::string& path);
std::string GetPathExtension(const std::string& path);
void ChangePathExtension(std::string& path, const std::string& extension);
bool PathHasExtension(const std::string& path, const std::string& extension);
}
