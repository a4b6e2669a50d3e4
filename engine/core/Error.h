// The exceptions of the whole system: Error carries a message; FileError and FatalError refine it.
#pragma once

#include <string>

namespace VelkorEngine
{
class Error
{
public:
    explicit Error(const std::string& message) : m_message(message) {}
    virtual ~Error() = default;

    const std::string& GetMessage() const { return m_message; }

private:
    std::string m_message;
};

class FileError : public Error
{
public:
    explicit FileError(const std::string& message) : Error(message) {}
};

class FatalError : public Error
{
public:
    explicit FatalError(const std::string& message) : Error(message) {}
};

// The message with the file's path added when it does not name the file already (the XML parser's syntax
// errors give only a line number), so that whoever reads the log or the fatal box knows which file to mend.
inline std::string MessageNamingFile(const std::string& message, const std::string& path)
{
    return message.find(path) != std::string::npos ? message : message + " in \"" + path + "\"";
}
}
