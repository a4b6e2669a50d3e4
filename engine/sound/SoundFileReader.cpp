// Opening and failing of the sound file readers.
#include "engine/sound/SoundFileReader.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"

namespace VelkorEngine
{
SoundFileReader::SoundFileReader(MessageManager* log, FileManager* fileManager) : m_log(log), m_fileManager(fileManager)
{
}

SoundFileReader::SoundFileReader(MessageManager* log, FileManager* fileManager, const std::string& name)
    : m_log(log), m_fileManager(fileManager), m_name(name), m_path(FileManager::GetDataPath(name))
{
    m_file = m_fileManager->OpenBinary(m_path, FileBinary::ForReading, FileBinary::ReadAsNeeded);
}

SoundFileReader::~SoundFileReader() = default;

void SoundFileReader::Fail(const std::string& what)
{
    m_file.reset();
    throw FileError("Failed to load \"" + m_path + "\" sound file - " + what);
}
}
