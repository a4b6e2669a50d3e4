// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>

namespace TestSupport
{
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of a name inside the folder.
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

private:
    std::string m_path;
};
}
