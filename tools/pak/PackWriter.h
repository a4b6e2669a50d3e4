// Packs files into the engine's pack format, and appends a pack to an executable behind its "APC" trailer.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace KorvaneTools
{
struct PackEntry
{
    // Relative to the installation folder, with backslashes: "data\ui\windows\main.xml".
    std::string name;
    std::vector<VelkorEngine::u8> data;
};

// Every file under root/folder and its sub-folders, named "folder\sub\file" and ordered by name.
std::vector<PackEntry> CollectFolder(const std::string& root, const std::string& folder);

// Writes a pack holding the entries in the given order through the engine's binary file writer.
// Throws VelkorEngine::FileError when the file cannot be written or an entry does not fit the format.
void WritePack(const std::string& path, const std::vector<PackEntry>& entries);

// Appends a pack file's bytes to an executable, then the u32 pack length and the letters "APC".
void AppendPack(const std::string& executable, const std::string& packPath);
}
