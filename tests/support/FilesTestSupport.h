// Helpers for the file tests: a log that writes no file, its text, and little-endian bytes.
#pragma once

#include "engine/core/MessageManager.h"

#include <cstdint>
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
}
