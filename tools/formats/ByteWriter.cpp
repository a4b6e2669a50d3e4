// Byte writer shared by the format writers.
#include "tools/formats/ByteWriter.h"

#include <stdexcept>

namespace KorvaneTools
{
ByteWriter::ByteWriter(const char* magic, VelkorEngine::u32 version) : m_hasHeader(true)
{
    Put<VelkorEngine::u32>(0);
    m_bytes.append(magic, 5);
    Put(version);
}

void ByteWriter::PutFloats(const float* values, int count)
{
    for (int i = 0; i < count; ++i)
        Put(values[i]);
}

void ByteWriter::PutString(const std::string& text)
{
    // The count is a byte, so longer names cannot be stored; failing loudly beats a file that reads wrong.
    if (text.size() + 1 > 255)
        throw std::length_error("name longer than 254 bytes: \"" + text + "\"");
    Put(static_cast<VelkorEngine::u8>(text.size() + 1));
    m_bytes.append(text);
    m_bytes.push_back('\0');
}

std::string ByteWriter::Finish()
{
    if (m_hasHeader)
    {
        const auto length = static_cast<VelkorEngine::u32>(m_bytes.size());
        std::memcpy(m_bytes.data(), &length, sizeof length);
    }
    return m_bytes;
}
}
