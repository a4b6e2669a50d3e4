// The one path resolver: every file name of the engine and the game reaches the disk through it.
// Names use "\" or "/" as separators; a name is absolute when it starts with "/" or has ":" as its
// second character (a drive letter, dropped here); relative names are taken from the installation
// folder. Each component is matched on disk case-insensitively, an exact match first.
#pragma once

#include <string>

namespace Platform
{
std::string ResolvePath(const std::string& name);

// The folder relative names start from; the executable's folder until set.
void SetInstallationFolder(const std::string& folder);
std::string GetInstallationFolder();

std::string GetExecutablePath();
std::string GetExecutableFolder();

// $XDG_DATA_HOME, else ~/.local/share.
std::string GetApplicationDataFolder();
// $XDG_CONFIG_HOME, else ~/.config.
std::string GetUserConfigFolder();

// Creates the folder and every missing parent; true when the folder exists afterwards.
bool CreateFolders(const std::string& name);
// The folder part of a name (everything before its last separator), empty when it has none.
std::string ParentFolderOf(const std::string& name);
}
