// UTF-8 as the platform layer reads it, in the text typed at the keyboard and in the names on disk.
#pragma once

#include <cstddef>

namespace Platform
{
// Decodes the sequence of one to four bytes at `text`, of which `available` may be read: returns its length and
// sets `code`. A byte that begins no complete sequence returns 0; what stands for that one byte is the caller's
// choice (a replacement character for typed text, the byte itself for names, so that two different malformed
// names stay different).
std::size_t DecodeUtf8(const char* text, std::size_t available, char32_t& code);
}
