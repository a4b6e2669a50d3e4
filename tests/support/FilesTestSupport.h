// Helpers for the file tests: a log that writes no file, its text, bytes written out, and files in memory.
#pragma once

#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace TestSupport
{
// A log that keeps its records and writes no file.
std::unique_ptr<VelkorEngine::MessageManager> MakeQuietLog();
// Every record's text, in order, joined.
std::string LogText(const VelkorEngine::MessageManager& log);

// Little-endian bytes of a u32.
std::string U32Bytes(std::uint32_t value);
// Bytes given by their values.
std::string Bytes(std::initializer_list<int> values);
// A file to read that holds the bytes in memory.
std::unique_ptr<VelkorEngine::FileBinary> MemoryFile(const std::string& bytes);
}
