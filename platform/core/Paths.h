// The one path resolver: every file name of the engine and the game reaches the disk through it.
// Names use "\" or "/" as separators; a name is absolute when it starts with "/" or has ":" as its
// second character (a drive letter, dropped here); every other name, one starting with "\" included, is taken
// from the installation folder. Each component is matched on disk case-insensitively, an exact match first.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace Platform
{
std::string ResolvePath(const std::string& name);
bool IsAbsolutePath(const std::string& name);

// The folder relative names start from; the executable's folder until set.
void SetInstallationFolder(const std::string& folder);
std::string GetInstallationFolder();

std::string GetExecutablePath();
std::string GetExecutableFolder();

// $XDG_DATA_HOME, else ~/.local/share.
std::string GetApplicationDataFolder();
// $XDG_CONFIG_HOME, else ~/.config.
std::string GetUserConfigFolder();

// A file or a folder of that name exists.
bool PathExists(const std::string& name);
// Only the name exactly as written, without searching folders for another case: one look at the disk.
bool PathExistsAsWritten(const std::string& name);
// Grows with every change the program makes to the disk through these functions (files written, folders made
// or deleted, files deleted or replaced).
unsigned long long DiskChangeCount();
bool FolderExists(const std::string& name);

// Opens a regular file ("rb" or "wb"); null when it cannot be opened or names a folder.
std::FILE* OpenFile(const std::string& name, bool write);

// Creates the folder and every missing parent; true when the folder exists afterwards.
bool CreateFolders(const std::string& name);
// Creates one folder; false when it could not be made (it may already exist).
bool CreateFolder(const std::string& name);
// Deletes a file, or a folder with everything inside it; false when something stayed.
bool DeleteTree(const std::string& name);
// Deletes one regular file; a folder, a link or anything else of that name is left alone (false).
bool DeleteRegularFile(const std::string& name);
// Moves a file over another in one step, so readers see either the old or the new file, never a part.
bool ReplaceFile(const std::string& from, const std::string& to);

// The native path of a name with links, "." and ".." worked out: two names of one file or folder give the same.
std::string CanonicalPath(const std::string& name);

// The folder part of a name (everything before its last separator), empty when it has none.
std::string ParentFolderOf(const std::string& name);

struct FolderEntry
{
    std::string name;
    bool isFolder = false;
};

// The entries of a folder whose names match a wildcard mask ("*" and "?", case ignored), without "." and
// "..", ordered by name ignoring case so that listings are the same on every machine.
std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& mask);

// True when two names are equal ignoring case (ASCII, Latin-1 and Cyrillic letters of UTF-8 text).
bool NamesEqualIgnoringCase(const std::string& a, const std::string& b);
}
