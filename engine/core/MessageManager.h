// The engine's HTML log: entries coloured by kind, and the records of the current frame for the console.
// The main thread and the resource-loading thread both write; one mutex keeps entries whole.
#pragma once

#include "engine/core/Types.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace VelkorEngine
{
struct LogRecord
{
    u32 kind = 0; // 0 message, 1 warning, 2 error, 3 fatal
    std::string text;
};

class MessageManager
{
public:
    enum Kind : u32
    {
        KindMessage = 0,
        KindWarning = 1,
        KindError = 2,
        KindFatal = 3
    };

    // Gives the local date and time as ctime does, without its line feed; tests inject a fixed one.
    using DateFunction = std::string (*)();

    MessageManager(const std::string& title, u8 writeFile, u8 reopenPerEntry, const std::string& directory,
                   const std::string& fileName, DateFunction date = nullptr);
    virtual ~MessageManager();

    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    void Message(const std::string& text);
    void Warning(const std::string& text);
    void Error(const std::string& text);
    [[noreturn]] void Fatal(const std::string& text);
    void Write(u32 kind, const std::string& text);

    u32 GetRecordCount() const;
    LogRecord GetRecord(u32 index) const;
    // Takes the frame's records and empties the list in one step, so none slips between reading and clearing.
    std::vector<LogRecord> TakeRecords();
    void ClearRecords();

    void SetSpacing(u8 spacing);
    const std::string& GetPath() const { return m_path; }

private:
    void OpenForAppend();
    void CloseIfReopening();
    void WriteHtml(const std::string& text);
    void WriteFont(const char* colour, const std::string& content);
    void WriteHeader();
    void WriteClosingLines();
    std::string Now() const;

    std::string m_title;
    u8 m_spacing = 1;
    u8 m_writeFile = 0;
    u8 m_reopen = 0;
    std::string m_path;
    std::FILE* m_file = nullptr;
    std::vector<LogRecord> m_records;
    DateFunction m_date = nullptr;
    mutable std::mutex m_mutex;
};
}
