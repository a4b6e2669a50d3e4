// The header of the framework's binary files: checked on reading, reserved and completed on writing.
#include "framework/BinaryDataFile.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"

#include <exception>

namespace GameTools
{
using VelkorEngine::BinaryFileHeader;
using VelkorEngine::FileBinary;
using VelkorEngine::FileError;

namespace
{
// Exactly five characters, padded with zeros when the text is shorter.
std::string FiveCharacters(const std::string& magic)
{
    std::string five = magic.substr(0, BinaryDataFile::MagicLength);
    five.resize(BinaryDataFile::MagicLength, '\0');
    return five;
}
}

BinaryDataFile::BinaryDataFile(VelkorEngine::Engine* engine, const std::string& magic, u32 version)
    : BinaryDataFile(engine->GetFileManager(), magic, version)
{
}

BinaryDataFile::BinaryDataFile(VelkorEngine::FileManager* fileManager, const std::string& magic, u32 version)
    : m_fileManager(fileManager), m_magic(FiveCharacters(magic)), m_version(version)
{
}

BinaryDataFile::~BinaryDataFile()
{
    if (m_file && m_mode == 1 && std::uncaught_exceptions() > m_exceptionsAtOpen)
    {
        Abandon();
        return;
    }
    try
    {
        Close();
    }
    catch (const VelkorEngine::Error&)
    {
        // A destructor never throws; the failed write has already been dropped by Close.
    }
}

void BinaryDataFile::Open(const std::string& path, u32 write, u8 acceptAnyVersion, u32* storedVersion)
{
    Close();
    m_mode = write ? 1 : 0;
    m_exceptionsAtOpen = std::uncaught_exceptions();
    m_file = m_fileManager->OpenBinary(path, m_mode ? FileBinary::ForWriting : FileBinary::ForReading,
                                       FileBinary::ReadAsNeeded);
    if (m_mode)
    {
        BinaryFileHeader::WritePlaceholder(*m_file, m_magic.c_str(), m_version);
        return;
    }
    CheckHeader(path, acceptAnyVersion, storedVersion);
}

void BinaryDataFile::CheckHeader(const std::string& path, u8 acceptAnyVersion, u32* storedVersion)
{
    BinaryFileHeader header;
    header.Read(*m_file);
    if (!header.HasMagic(m_magic.c_str()) || header.length != m_file->GetSize())
        throw FileError("Incorrect + \"" + path + "\" file format");
    if (!acceptAnyVersion)
    {
        if (header.version != m_version)
            throw FileError("Incorrect \"" + path + "\" format version (" + std::to_string(header.version) +
                            "), current is " + std::to_string(m_version));
        return;
    }
    if (storedVersion)
        *storedVersion = header.version;
}

void BinaryDataFile::Close()
{
    if (!m_file)
        return;
    std::unique_ptr<VelkorEngine::FileBinary> file = std::move(m_file);
    if (m_mode != 1)
        return;
    try
    {
        BinaryFileHeader::WriteFinal(*file, m_magic.c_str(), m_version);
        file->Close();
    }
    catch (const FileError&)
    {
        file->Discard();
        throw;
    }
}

void BinaryDataFile::Abandon()
{
    if (!m_file)
        return;
    if (m_mode == 1)
        m_file->Discard();
    m_file.reset();
}
}
