// Logs and byte helpers shared by the file tests.
#include "tests/support/FilesTestSupport.h"

#include <fstream>
#include <sstream>

namespace TestSupport
{
std::unique_ptr<VelkorEngine::MessageManager> MakeQuietLog()
{
    return std::make_unique<VelkorEngine::MessageManager>("Test", 0, 0, "", "");
}

std::string LogText(const VelkorEngine::MessageManager& log)
{
    std::string text;
    for (std::uint32_t i = 0; i < log.GetRecordCount(); ++i)
        text += log.GetRecord(i).text;
    return text;
}

std::string U32Bytes(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::unique_ptr<VelkorEngine::FileBinary> MemoryFile(const std::string& bytes)
{
    const auto size = static_cast<std::uint32_t>(bytes.size());
    return std::make_unique<VelkorEngine::FileBinary>(nullptr, "memory", 0, 0, 1, size, bytes.data());
}

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
}
