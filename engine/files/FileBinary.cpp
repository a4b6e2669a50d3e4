// Disk- or memory-backed binary files with limited seeking and checked transfers.
#include "engine/files/FileBinary.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/TextEncoding.h"
#include "platform/core/Paths.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>

namespace VelkorEngine
{
namespace
{
constexpr u32 MaxStringCount = 255;

std::string ReadErrorText(u32 count, const std::string& name)
{
    return "Failed to read " + std::to_string(count) + " bytes from \"" + name + "\" file";
}

std::string WriteErrorText(u32 count, const std::string& name)
{
    return "Failed to write " + std::to_string(count) + " bytes from \"" + name + "\" file";
}
}

FileBinary::FileBinary(MessageManager* log, const std::string& name, u8 write, u8 preload, u8 fromMemory, u32 size,
                       const void* data)
    : m_log(log), m_name(name), m_write(write ? 1 : 0), m_exceptionsAtOpen(std::uncaught_exceptions())
{
    if (m_write)
        OpenForWriting();
    else if (fromMemory)
    {
        m_inMemory = true;
        m_size = size;
        m_memory.assign(size, 0);
        if (data && size)
            std::memcpy(m_memory.data(), data, size);
    }
    else
        OpenForReading(preload);
}

FileBinary::FileBinary(MessageManager* log, const std::string& name, std::vector<u8>&& data)
    : m_log(log), m_name(name), m_exceptionsAtOpen(std::uncaught_exceptions()), m_inMemory(true),
      m_memory(std::move(data))
{
    m_size = static_cast<u32>(std::min<size_t>(m_memory.size(), std::numeric_limits<u32>::max()));
}

FileBinary::~FileBinary()
{
    if (m_write && std::uncaught_exceptions() > m_exceptionsAtOpen)
    {
        Discard();
        return;
    }
    try
    {
        Close();
    }
    catch (const Error& error)
    {
        if (m_log)
            m_log->Error(error.GetMessage());
    }
    if (m_disk)
        std::fclose(m_disk);
}

void FileBinary::ThrowOpenError() const
{
    throw FileError("Failed to open \"" + m_name + "\" file");
}

void FileBinary::OpenForWriting()
{
    m_temporaryName = m_name + ".tmp";
    m_disk = Platform::OpenFile(m_temporaryName, true);
    if (!m_disk)
        ThrowOpenError();
}

void FileBinary::OpenForReading(u8 preload)
{
    m_disk = Platform::OpenFile(m_name, false);
    if (!m_disk)
        ThrowOpenError();
    const bool measured = ::fseeko(m_disk, 0, SEEK_END) == 0;
    const off_t length = measured ? ::ftello(m_disk) : -1;
    if (length < 0 || length > static_cast<off_t>(std::numeric_limits<u32>::max()) || ::fseeko(m_disk, 0, SEEK_SET) != 0)
    {
        std::fclose(m_disk);
        m_disk = nullptr;
        ThrowOpenError();
    }
    m_size = static_cast<u32>(length);
    if (!preload)
    {
        m_loadOnFirstRead = m_size <= PreloadLimit;
        return;
    }
    LoadIntoMemory();
}

void FileBinary::LoadIntoMemory()
{
    m_loadOnFirstRead = false;
    m_memory.resize(m_size);
    const bool atStart = ::fseeko(m_disk, 0, SEEK_SET) == 0;
    const size_t got = m_size && atStart ? std::fread(m_memory.data(), 1, m_size, m_disk) : 0;
    std::fclose(m_disk);
    m_disk = nullptr;
    m_inMemory = true;
    if (got != m_size)
    {
        m_memory.clear();
        m_size = 0;
        m_position = 0;
        ThrowOpenError();
    }
}

u32 FileBinary::ReadWholeFileInto(void* buffer)
{
    m_loadOnFirstRead = false;
    return static_cast<u32>(std::fread(buffer, 1, m_size, m_disk));
}

bool FileBinary::Seek(u32 origin, i64 offset)
{
    i64 position = m_position;
    bool withinLimits = true;
    switch (origin)
    {
    case 0:
        position = offset;
        break;
    case 1:
        if (offset > static_cast<i64>(m_size))
        {
            position = 0;
            withinLimits = false;
        }
        else
            position = static_cast<i64>(m_size) - offset;
        break;
    case 2:
        position += offset;
        break;
    default:
        break;
    }
    if (position < 0)
    {
        position = 0;
        withinLimits = false;
    }
    const i64 last = m_size ? static_cast<i64>(m_size) - 1 : 0;
    if (position > last)
    {
        position = last;
        withinLimits = false;
    }
    m_position = static_cast<u32>(position);
    if (m_disk)
        ::fseeko(m_disk, static_cast<off_t>(m_position), SEEK_SET);
    return withinLimits;
}

void FileBinary::Read(void* buffer, u32 count, u32* outCount)
{
    u32 got = 0;
    if (count != 0 && !m_write)
    {
        const u32 available = m_position < m_size ? m_size - m_position : 0;
        const u32 wanted = std::min(count, available);
        if (m_loadOnFirstRead && (m_position != 0 || count < m_size))
            LoadIntoMemory();
        if (m_loadOnFirstRead)
            got = ReadWholeFileInto(buffer);
        else if (m_inMemory)
        {
            if (wanted)
                std::memcpy(buffer, m_memory.data() + m_position, wanted);
            got = wanted;
        }
        else if (m_disk && wanted)
            got = static_cast<u32>(std::fread(buffer, 1, wanted, m_disk));
        m_position += got;
    }
    if (outCount)
        *outCount = got;
    else if (got < count)
        throw FileError(ReadErrorText(count, m_name));
}

void FileBinary::Write(const void* buffer, u32 count, u32* outCount)
{
    u32 written = 0;
    if (count != 0 && m_write && m_disk && !m_closed)
    {
        written = static_cast<u32>(std::fwrite(buffer, 1, count, m_disk));
        m_position += written;
        m_size = std::max(m_size, m_position);
    }
    if (written != count)
        m_writeFailed = m_write != 0;
    if (count != 0 && !m_write)
        throw FileError(WriteErrorText(count, m_name));
    if (outCount)
        *outCount = written;
    else if (written != count)
        throw FileError(WriteErrorText(count, m_name));
}

void FileBinary::ReadString(std::string& text)
{
    u8 length = 0;
    Read(&length, 1);
    char bytes[MaxStringCount + 1] = {};
    Read(bytes, length);
    text.assign(bytes, strnlen(bytes, length));
}

void FileBinary::ReadWideString(std::wstring& text)
{
    u8 count = 0;
    Read(&count, 1);
    u8 bytes[2 * MaxStringCount] = {};
    Read(bytes, 2u * count);
    std::vector<u16> units;
    for (u32 i = 0; i < count; ++i)
    {
        const u16 unit = BinaryReader::DecodeU16(bytes + 2 * i);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    text = FromUtf16(units);
}

void FileBinary::WriteWideString(const std::wstring& text)
{
    const std::vector<u16> units = ToUtf16(text);
    const size_t count = units.size() + 1;
    // The count must fit its one byte; a longer text would make the file unreadable.
    if (count > MaxStringCount)
        throw FileError(WriteErrorText(static_cast<u32>(1 + 2 * count), m_name));
    std::vector<u8> bytes;
    bytes.reserve(1 + 2 * count);
    bytes.push_back(static_cast<u8>(count));
    for (u16 unit : units)
    {
        bytes.push_back(static_cast<u8>(unit & 0xFF));
        bytes.push_back(static_cast<u8>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    Write(bytes.data(), static_cast<u32>(bytes.size()));
}

void FileBinary::WriteByte(u32 value)
{
    const u8 byte = static_cast<u8>(value & 0xFF);
    Write(&byte, 1);
}

void FileBinary::ReadDword(u32& value)
{
    u8 bytes[4] = {};
    Read(bytes, 4);
    value = BinaryReader::DecodeU32(bytes);
}

void FileBinary::Close()
{
    if (!m_write || m_closed)
        return;
    m_closed = true;
    const bool flushed = std::fflush(m_disk) == 0 && !std::ferror(m_disk);
    const bool closed = std::fclose(m_disk) == 0;
    m_disk = nullptr;
    if (flushed && closed && !m_writeFailed && Platform::ReplaceFile(m_temporaryName, m_name))
        return;
    Platform::DeleteTree(m_temporaryName);
    throw FileError(WriteErrorText(m_size, m_name));
}

void FileBinary::Discard()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_disk)
        std::fclose(m_disk);
    m_disk = nullptr;
    Platform::DeleteTree(m_temporaryName);
}
}
