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
}
