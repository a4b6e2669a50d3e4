// What the engine's sound classes need around them in a test: a log kept in memory, a temporary
// installation folder with its data folder, and a file manager over it.
#pragma once

#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
class SoundTestWorld
{
public:
    SoundTestWorld();
    ~SoundTestWorld();

    SoundTestWorld(const SoundTestWorld&) = delete;
    SoundTestWorld& operator=(const SoundTestWorld&) = delete;

    VelkorEngine::MessageManager* Log() { return m_log.get(); }
    VelkorEngine::FileManager* Files() { return m_files.get(); }
    // Writes a file under the data folder ("music/a.ogg" lands in data/music/a.ogg).
    void WriteData(const std::string& name, const std::string& bytes);
    // The texts given to MessageManager::Message and MessageManager::Error, in order, without the log's
    // own decoration (spacing lines, "Error: " and "!").
    std::vector<std::string> Messages() const;
    std::vector<std::string> Errors() const;
    // Both, in order, each error marked by a leading "E:".
    std::vector<std::string> Lines() const;
    void ClearLog() { m_log->ClearRecords(); }

private:
    TempFolder m_folder;
    std::unique_ptr<VelkorEngine::MessageManager> m_log;
    std::unique_ptr<VelkorEngine::FileManager> m_files;
};
}
