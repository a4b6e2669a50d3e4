// Helpers for the file tests: a log that writes no file, its text, bytes written out, files in memory, and a file
// read whole from disk.
#pragma once

#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"

#include "engine/core/Error.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
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
// The bytes of a file on disk; empty when it cannot be read.
std::string ReadWhole(const std::filesystem::path& path);

// The little-endian value of type T at a byte offset of a written file.
template <typename T>
T ValueAt(const std::string& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Reads a binary format (a class with Read(FileBinary&, name)) from bytes held in memory under a file path.
template <typename Format>
Format ReadFormat(const std::string& bytes, const std::string& path, const std::string& name)
{
    VelkorEngine::FileBinary file(nullptr, path, 0, 0, 1, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    Format format;
    format.Read(file, name);
    return format;
}

// The message of the FileError that reading the bytes throws, or "no error".
template <typename Format>
std::string ReadFormatError(const std::string& bytes, const std::string& path, const std::string& name)
{
    try
    {
        ReadFormat<Format>(bytes, path, name);
    }
    catch (const VelkorEngine::FileError& error)
    {
        return error.GetMessage();
    }
    return "no error";
}
}
