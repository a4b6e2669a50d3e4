// The HTML log file and the frame's records; one mutex keeps entries whole across threads.
#include "engine/core/MessageManager.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "platform/core/Paths.h"

#include <cmath>
#include <ctime>

namespace VelkorEngine
{
namespace
{
constexpr const char* kBackground = "#000000";
constexpr const char* kWhite = "#FFFFFF";
constexpr const char* kGrey = "#7F7F7F";
constexpr const char* kRed = "#FF0000";
constexpr const char* kGreen = "#00FF00";

const char* ColourOfKind(u32 kind)
{
    switch (kind)
    {
    case MessageManager::KindMessage:
        return kWhite;
    case MessageManager::KindWarning:
        return kGrey;
    default:
        return kRed;
    }
}

// The ctime form ("Sat Dec  6 20:33:00 2025") built by hand so no process locale can change it.
std::string LocalDateTime()
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof(text), "%s %s %2d %02d:%02d:%02d %d", kDays[local.tm_wday % 7], kMonths[local.tm_mon % 12],
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
    return text;
}

// Absolute as the path resolver sees it: a leading separator or a drive letter.
bool IsAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() >= 2 && path[1] == ':');
}
}

MessageManager::MessageManager(const std::string& title, u8 writeFile, u8 reopenPerEntry, const std::string& directory,
                               const std::string& fileName, DateFunction date)
    : m_title(title), m_writeFile(writeFile), m_reopen(reopenPerEntry), m_date(date)
{
    const std::string name = fileName.empty() ? title : fileName;
    m_path = name;
    if (!m_writeFile)
        return;

    if (directory.empty())
        m_path = GetExecutableDirectory() + "\\" + name + ".html";
    else if (IsAbsolute(directory))
        m_path = directory + "\\" + name + ".html";
    else
        m_path = GetExecutableDirectory() + "\\" + directory + "\\" + name + ".html";

    // A fresh installation has no log folder yet; without it the first run's log would be lost.
    const std::string resolved = Platform::ResolvePath(m_path);
    Platform::CreateFolders(Platform::ParentFolderOf(resolved));
    m_file = std::fopen(resolved.c_str(), "w");
    if (!m_file)
        return;
    WriteHeader();
    if (m_reopen)
    {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

MessageManager::~MessageManager()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_writeFile)
        return;
    if (m_reopen)
        OpenForAppend();
    if (!m_file)
        return;
    WriteClosingLines();
    std::fclose(m_file);
    m_file = nullptr;
}

void MessageManager::Message(const std::string& text)
{
    std::string entry = text;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_spacing)
            entry += "\n";
    }
    Write(KindMessage, entry);
}

void MessageManager::Warning(const std::string& text)
{
    u8 spacing;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        spacing = m_spacing;
    }
    Write(KindWarning, spacing ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n");
}

void MessageManager::Error(const std::string& text)
{
    u8 spacing;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        spacing = m_spacing;
    }
    Write(KindError, spacing ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n");
}

void MessageManager::Fatal(const std::string& text)
{
    Write(KindFatal, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text);
}

void MessageManager::Write(u32 kind, const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_writeFile)
    {
        if (m_reopen)
            OpenForAppend();
        if (m_file)
        {
            const char* colour = ColourOfKind(kind);
            if (colour == kWhite)
                WriteHtml(text);
            else
                WriteFont(colour, text);
            std::fflush(m_file);
        }
        CloseIfReopening();
    }
    m_records.push_back(LogRecord{kind, text});
}

u32 MessageManager::GetRecordCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<u32>(m_records.size());
}

LogRecord MessageManager::GetRecord(u32 index) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return index < m_records.size() ? m_records[index] : LogRecord{};
}

std::vector<LogRecord> MessageManager::TakeRecords()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<LogRecord> taken;
    taken.swap(m_records);
    return taken;
}

void MessageManager::ClearRecords()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.clear();
}

void MessageManager::SetSpacing(u8 spacing)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spacing = spacing;
}

void MessageManager::OpenForAppend()
{
    if (!m_file)
        m_file = std::fopen(Platform::ResolvePath(m_path).c_str(), "a");
}

void MessageManager::CloseIfReopening()
{
    if (m_reopen && m_file)
    {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

// Copies text unchanged except that a line feed becomes "<BR>": the file holds no line ends at all.
void MessageManager::WriteHtml(const std::string& text)
{
    std::string html;
    html.reserve(text.size() + 16);
    for (char c : text)
    {
        if (c == '\n')
            html += "<BR>";
        else
            html += c;
    }
    std::fwrite(html.data(), 1, html.size(), m_file);
}

void MessageManager::WriteFont(const char* colour, const std::string& content)
{
    WriteHtml(std::string("<FONT color=\"") + colour + "\">");
    WriteHtml(content);
    WriteHtml("</FONT>");
}

void MessageManager::WriteHeader()
{
    WriteHtml("<HTML>");
    WriteHtml("<HEAD>");
    WriteHtml("<TITLE>" + m_title + " Log</TITLE>");
    WriteHtml("</HEAD>");
    WriteHtml(std::string("<BODY bgcolor=\"") + kBackground + "\">");
    WriteHtml(std::string("<FONT color=\"") + kWhite + "\">");
    WriteFont(kWhite, "======== ");
    WriteFont(kGreen, m_title + " Log: " + Now());
    WriteFont(kWhite, " ========\n\n");
    std::fflush(m_file);
}

void MessageManager::WriteClosingLines()
{
    WriteFont(kWhite, "\n======== ");
    WriteFont(kGreen, m_title + " Log end: " + Now());
    WriteFont(kWhite, " ========\n");
    WriteHtml("</FONT>");
    WriteHtml("</BODY>");
    WriteHtml("</HTML>");
}

std::string MessageManager::Now() const { return m_date ? m_date() : LocalDateTime(); }
}
