// Little-endian bytes appended field by field (never as padded structs), with the engine's 13-byte header
// (u32 length patched last, five magic letters, u32 version) at the front of the binary formats.
#pragma once

#include "engine/core/Types.h"

#include <cstring>
#include <string>

namespace KorvaneTools
{
class ByteWriter
{
public:
    ByteWriter() = default;
    // Starts a file with a header whose length is filled in by Finish.
    ByteWriter(const char* magic, VelkorEngine::u32 version);

    template <typename T>
    void Put(T value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        m_bytes.append(bytes, sizeof(T));
    }
    void PutFloats(const float* values, int count);
    // A u8 count that includes the terminating zero, then the text and the zero ("" is count 1 and a zero).
    void PutString(const std::string& text);
    void PutText(const std::string& text) { m_bytes.append(text); }

    // The bytes with the header's length set to their size.
    std::string Finish();
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    bool m_hasHeader = false;
};
}
