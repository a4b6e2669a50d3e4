// Reading the build's generated tree.
#include "tests/data/DataStageFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace DataTest
{
std::string StageFile(const std::string& path)
{
    std::ifstream in(std::string(KORVANE_DATA_STAGE) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool StageHas(const std::string& path)
{
    return std::filesystem::is_regular_file(std::string(KORVANE_DATA_STAGE) + "/" + path);
}
}
