// Generator runs over altered copies of data-src.
#include "tests/data/GeneratorRunFiles.h"

#include "tests/support/TempFolder.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace DataTest
{
std::string SourceFile(const std::string& path)
{
    std::ifstream in(std::string(KORVANE_DATA_SOURCE) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string GenerateWithReplacedSources(const std::vector<std::string>& folders,
                                        const std::map<std::string, std::string>& replaced,
                                        const std::vector<std::string>& groups)
{
    TestSupport::TempFolder folder;
    for (const std::string& name : folders)
    {
        std::filesystem::create_directories(folder / ("src/" + name));
        std::filesystem::copy(std::string(KORVANE_DATA_SOURCE) + "/" + name, folder / ("src/" + name),
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    }
    for (const auto& [path, bytes] : replaced)
        folder.WriteFile("src/" + path, bytes);
    KorvaneTools::GeneratorOptions options;
    options.sourceFolder = folder / "src";
    options.stageFolder = folder / "stage";
    options.onlyGroups = groups;
    try
    {
        KorvaneTools::DataGenerator(options).Generate();
    }
    catch (const KorvaneTools::DataError& error)
    {
        return error.what();
    }
    return "";
}
}
