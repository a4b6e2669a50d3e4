// korvane-datagen: makes every generated file of the game's data set, deterministically (fixed seeds, no
// clock, no locale), and packs the tree.
//   korvane-datagen --src data-src --out build/data-stage [--pack build/data/pack0.pak] [--only group]...
#include "engine/core/Error.h"
#include "tools/datagen/DataError.h"
#include "tools/datagen/DataGenerator.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace
{
int Usage()
{
    std::fprintf(stderr,
                 "usage: korvane-datagen --src <data-src> --out <stage folder> [--pack <pack file>]\n"
                 "                       [--fonts <folder>] [--only <group>]...\n");
    return 2;
}

// Reads the options; false when they make no sense.
bool ParseOptions(int argc, char** argv, KorvaneTools::GeneratorOptions& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (option == "--src")
            options.sourceFolder = value;
        else if (option == "--out")
            options.stageFolder = value;
        else if (option == "--pack")
            options.packPath = value;
        else if (option == "--fonts")
            options.fontFolder = value;
        else if (option == "--only")
            options.onlyGroups.push_back(value);
        else
            return false;
    }
    return !options.stageFolder.empty() || !options.packPath.empty();
}
}

int main(int argc, char** argv)
{
    KorvaneTools::GeneratorOptions options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    try
    {
        KorvaneTools::DataGenerator generator(options);
        const KorvaneTools::DataStage& stage = generator.Generate();
        generator.Write();
        std::printf("korvane-datagen: %zu files\n", stage.Files().size());
        return 0;
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "korvane-datagen: error: %s\n", error.GetMessage().c_str());
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "korvane-datagen: error: %s\n", error.what());
    }
    return 1;
}
