// Bounded little-endian reading for the self-check readers.
#include "tools/formats/ByteReader.h"

namespace KorvaneTools
{
void ByteReader::ReadHeader(const char* magic, VelkorEngine::u32 version)
{
    const auto length = Get<VelkorEngine::u32>();
    Need(5);
    const std::string found = m_bytes.substr(m_position, 5);
    m_position += 5;
    if (found != std::string(magic, 5))
        throw FormatError("magic is \"" + found + "\", expected \"" + std::string(magic, 5) + "\"");
    const auto foundVersion = Get<VelkorEngine::u32>();
    if (foundVersion != version)
        throw FormatError("version " + std::to_string(foundVersion) + ", expected " + std::to_string(version));
    if (length != m_bytes.size())
        throw FormatError("stored length " + std::to_string(length) + " but the file has " +
                          std::to_string(m_bytes.size()) + " bytes");
}

void ByteReader::GetFloats(float* values, int count)
{
    for (int i = 0; i < count; ++i)
        values[i] = Get<float>();
}

std::string ByteReader::GetString()
{
    const auto count = Get<VelkorEngine::u8>();
    if (count == 0)
        throw FormatError("string with a zero count");
    Need(count);
    std::string text = m_bytes.substr(m_position, count - 1u);
    if (m_bytes[m_position + count - 1] != '\0')
        throw FormatError("string without its terminating zero");
    m_position += count;
    return text;
}

void ByteReader::CheckCount(VelkorEngine::u64 count, VelkorEngine::u64 recordSize) const
{
    if (count * recordSize > Remaining())
        throw FormatError("count " + std::to_string(count) + " does not fit the " + std::to_string(Remaining()) +
                          " bytes left");
}

void ByteReader::ExpectEnd() const
{
    if (Remaining() != 0)
        throw FormatError(std::to_string(Remaining()) + " bytes after the last record");
}

void ByteReader::Need(size_t count) const
{
    if (count > Remaining())
        throw FormatError("file ends early at byte " + std::to_string(m_position));
}
}
