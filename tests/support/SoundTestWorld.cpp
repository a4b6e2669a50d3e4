// Log, folders and file manager for the sound tests.
#include "tests/support/SoundTestWorld.h"

#include <filesystem>

namespace TestSupport
{
SoundTestWorld::SoundTestWorld()
    : m_log(std::make_unique<VelkorEngine::MessageManager>("Sound test", 0, 0, "", "")),
      m_files(std::make_unique<VelkorEngine::FileManager>(m_log.get(), m_folder.Path(), "data"))
{
    std::filesystem::create_directories(m_folder / "data");
    m_log->ClearRecords();
}

SoundTestWorld::~SoundTestWorld() = default;

void SoundTestWorld::WriteData(const std::string& name, const std::string& bytes)
{
    m_folder.WriteFile("data/" + name, bytes);
}

namespace
{
std::string Strip(std::string text, const std::string& prefix, const std::string& suffix)
{
    if (text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        text.erase(text.size() - suffix.size());
    return text;
}
}

std::vector<std::string> SoundTestWorld::Lines() const
{
    std::vector<std::string> lines;
    for (VelkorEngine::u32 i = 0; i < m_log->GetRecordCount(); ++i)
    {
        const VelkorEngine::LogRecord record = m_log->GetRecord(i);
        if (record.kind == VelkorEngine::MessageManager::KindError)
            lines.push_back("E:" + Strip(record.text, "\nError: ", "!\n\n"));
        else if (record.kind == VelkorEngine::MessageManager::KindMessage)
            lines.push_back(Strip(record.text, "", "\n"));
    }
    return lines;
}

std::vector<std::string> SoundTestWorld::Messages() const
{
    std::vector<std::string> texts;
    for (const std::string& line : Lines())
        if (line.compare(0, 2, "E:") != 0)
            texts.push_back(line);
    return texts;
}

std::vector<std::string> SoundTestWorld::Errors() const
{
    std::vector<std::string> texts;
    for (const std::string& line : Lines())
        if (line.compare(0, 2, "E:") == 0)
            texts.push_back(line.substr(2));
    return texts;
}
}
