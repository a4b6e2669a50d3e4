// Reads back what ByteWriter wrote, for the writers' self-checks and the data tests. Every read is bounded by
// the bytes there; a short or inconsistent file throws FormatError naming what was being read.
#pragma once

#include "engine/core/Types.h"
#include "tools/formats/FormatError.h"

#include <cstring>
#include <string>

namespace KorvaneTools
{
class ByteReader
{
public:
    explicit ByteReader(const std::string& bytes) : m_bytes(bytes) {}

    // Checks the 13-byte header: magic, version and a stored length equal to the size.
    void ReadHeader(const char* magic, VelkorEngine::u32 version);

    template <typename T>
    T Get()
    {
        Need(sizeof(T));
        T value;
        std::memcpy(&value, m_bytes.data() + m_position, sizeof(T));
        m_position += sizeof(T);
        return value;
    }
    void GetFloats(float* values, int count);
    std::string GetString();
    // Throws unless count records of at least recordSize bytes can still follow, so a bad count never
    // makes a huge allocation.
    void CheckCount(VelkorEngine::u64 count, VelkorEngine::u64 recordSize) const;
    size_t Remaining() const { return m_bytes.size() - m_position; }
    void ExpectEnd() const;

private:
    void Need(size_t count) const;

    const std::string& m_bytes;
    size_t m_position = 0;
};
}
